// Checks history.csv: lines written and read back, bad lines skipped, the bests, and appends that fail.
#include "history_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "game_state.h"

namespace {

namespace fs = std::filesystem;

const std::string Header =
    "played_at,course,target_count,progress,display_seconds,tries,rounds_cleared,stages_cleared,grade\r\n";
const std::string Stamp = "2026-12-07T08:05:09";
int warnings = 0;

std::string ReadHistoryFile() {
    std::string bytes;
    if (FILE* file = std::fopen(HistoryFileName, "rb")) {
        for (int byte; (byte = std::getc(file)) != EOF;) {
            bytes += static_cast<char>(byte);
        }
        std::fclose(file);
    }
    return bytes;
}

class HistoryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("glimmark-history-" + std::to_string(std::random_device()()));
        fs::create_directories(folder_);
        fs::current_path(folder_);
        ForgetGameHistory();
        SetHistoryClock([] { return LocalDateTime{2026, 12, 7, 8, 5, 9}; });
        SetHistoryWarning([](void*, const char*, const char*) { ++warnings; });
        warnings = 0;
    }
    void TearDown() override {
        SetHistoryFileLayer(nullptr);
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }
    fs::path previous_ = fs::current_path(), folder_;
};

TEST_F(HistoryFileTest, LinesAreAppendedAndReadBackSkippingBadOnes) {
    RecordGame({FixedCourse, 9, 10, 5, 3, 3, 0, SuperGenius}, nullptr);
    RecordGame({ChallengeCourse, 5, 0, 5, 0, 0, 6, Bird}, nullptr);
    EXPECT_EQ(ReadHistoryFile(), Header + Stamp + ",fixed,9,10,0.5,3,3,,SuperGenius\r\n" + Stamp +
                                     ",challenge,5,,0.5,,,6,Bird\r\n");
    FILE* file = std::fopen(HistoryFileName, "ab");
    const std::string damage = "hand,edit\r\n" + Stamp + ",fixed,9,10,0.5,3,3,,Chimp\r\n" + std::string(4, '\0') +
                               "\r\n" + Stamp + ",challenge,7,,0.3,,,12,Dog\n" + Stamp + ",challenge,9,,0.2,,,2";
    std::fwrite(damage.data(), 1, damage.size(), file);
    std::fclose(file);
    ForgetGameHistory();
    RecordGame({ChallengeCourse, 9, 0, 2, 0, 0, 28, SuperGenius}, nullptr);  // after the torn line, on a line of its own
    ForgetGameHistory();
    EXPECT_EQ(GameHistory().fixedGames, 1);
    EXPECT_EQ(GameHistory().challengeStages, (std::vector<int32_t>{6, 12, 28}));
}

TEST_F(HistoryFileTest, BestsAreKeptPerCourseAndSettingAndMarkedOnlyWhenBeaten) {
    struct Case {
        GameRecord game;
        PersonalBest expected;
    };
    const Case cases[] = {
        {{FixedCourse, 3, 4, 10, 3, 0, 0, Bird}, {0, false}},  // nothing cleared is no record
        {{FixedCourse, 3, 4, 10, 3, 2, 0, Bird}, {2, true}},  {{FixedCourse, 3, 4, 10, 3, 2, 0, Bird}, {2, false}},
        {{FixedCourse, 3, 4, 10, 2, 1, 0, Bird}, {1, true}},  {{FixedCourse, 3, 4, 20, 3, 1, 0, Bird}, {1, true}},
        {{FixedCourse, 4, 5, 10, 3, 1, 0, Bird}, {1, true}},  {{ChallengeCourse, 5, 0, 5, 0, 0, 6, Bird}, {6, true}},
        {{ChallengeCourse, 7, 0, 3, 0, 0, 4, Boar}, {6, false}},
    };
    for (const Case& check : cases) {
        PersonalBest best = RecordGame(check.game, nullptr);
        EXPECT_EQ(best.best, check.expected.best);
        EXPECT_EQ(best.isNew, check.expected.isNew);
    }
    ForgetGameHistory();  // the same bests again, from the file
    EXPECT_EQ(FixedBest({3, 10, 3}), 2);
    EXPECT_EQ(FixedBest({3, 10, 2}), 1);
    EXPECT_EQ(FixedBest({5, 10, 3}), NoBest);
    EXPECT_EQ(GameHistory().challengeBest, 6);
}

TEST_F(HistoryFileTest, AFileThatCannotBeWrittenStaysAsItWasAndWarnsOncePerRun) {
    const GameRecord game = {FixedCourse, 3, 4, 10, 3, 3, 0, Bird};
    RecordGame(game, nullptr);
    const std::string before = ReadHistoryFile();
    fs::permissions(HistoryFileName, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    RecordGame(game, nullptr);
    fs::permissions(HistoryFileName, fs::perms::owner_write, fs::perm_options::add);
    HistoryFileLayer failingWrite = PlatformHistoryFileLayer();
    failingWrite.append = [](FILE*, const char*, size_t) { return false; };
    SetHistoryFileLayer(&failingWrite);
    RecordGame(game, nullptr);
    EXPECT_EQ(ReadHistoryFile(), before);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(GameHistory().fixedGames, 3);  // this run still counts them
    SetHistoryFileLayer(nullptr);
    fs::remove(HistoryFileName);
    fs::create_directory(HistoryFileName);  // a folder in its place
    SetHistoryWarning([](void*, const char*, const char*) { warnings += 10; });
    RecordGame(game, nullptr);
    EXPECT_EQ(warnings, 11);
}

}  // namespace
