// Checks history.csv: lines written and read back, bad lines skipped, the bests, and appends that fail.
#include "history_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game_state.h"

namespace fs = std::filesystem;
static int warnings = 0;

static std::string HistoryBytes() {
    std::ifstream file(HistoryFileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// One test in all, so that no other process shares its history.csv in the working folder.
TEST(HistoryFile, LinesAreAppendedWholeAndReadBackSkippingBadOnesWithTheBestsAndNothingChangesWhenAnAppendFails) {
    fs::remove_all(HistoryFileName);
    SetHistoryWarning([](void*, const char*, const char*) { ++warnings; });
    SetHistoryClock([] { return LocalDateTime{2026, 12, 7, 8, 5, 9}; });
    const std::string stamp = "2026-12-07T08:05:09";
    EXPECT_TRUE(FixedBest({1, 1, 1}) == NoBest && GameHistory().challengeBest == NoBest);  // nothing played yet
    RecordGame({FixedCourse, 9, 10, 5, 3, 3, 0, SuperGenius}, nullptr);
    const std::string header = "played_at,course,target_count,progress,display_seconds,tries,rounds_cleared,"
                               "stages_cleared,grade\r\n";
    EXPECT_EQ(HistoryBytes(), header + stamp + ",fixed,9,10,0.5,3,3,,SuperGenius\r\n");
    const std::pair<GameRecord, PersonalBest> games[] = {
        {{FixedCourse, 9, 10, 5, 3, 3, 0, Bird}, {3, false}}, {{FixedCourse, 3, 4, 10, 3, 2, 0, Bird}, {2, true}},
        {{FixedCourse, 3, 4, 10, 2, 1, 0, Bird}, {1, true}}, {{FixedCourse, 3, 4, 20, 3, 1, 0, Bird}, {1, true}},
        {{ChallengeCourse, 5, 0, 5, 0, 0, 6, Pig}, {6, true}}, {{ChallengeCourse, 7, 0, 3, 0, 0, 4, Boar}, {6, false}},
        {{FixedCourse, 1, 1, 1, 1, 0, 0, Frog}, {0, false}},  // a first game that cleared nothing is no record
    };
    for (const auto& [game, expected] : games) {
        PersonalBest best = RecordGame(game, nullptr);
        EXPECT_TRUE(best.best == expected.best && best.isNew == expected.isNew) << game.roundsCleared;
    }
    EXPECT_TRUE(HistoryBytes().rfind("played_at") == 0 && warnings == 0);  // one header, and no warning
    std::ofstream(HistoryFileName, std::ios::app | std::ios::binary) << stamp << ",fixed,9,10,0.5,3,3,,Chimp\r\n"
        << stamp << ",fixed,9,,0.5,3,3,,Bird\r\n" << stamp << ",fixed,9,12345,0.5,3,3,,Bird\r\n"
        << stamp << ",challenge,7,,0.3,,1,12,Dog\r\n" << "2026-12-07,fixed,9,10,0.5,3,3,,Bird\r\n"
        << stamp << ",fixed,9,1x,0.5,3,3,,Bird\r\n"
        << std::string(3, '\0') << "\r\n" << stamp << ",challenge,7,,0.3,,,12,Dog\n" << stamp << ",challenge,9,,0.2,,,2";
    ForgetGameHistory();  // the edit, the zeros and the line a crash cut short are skipped
    RecordGame({ChallengeCourse, 9, 0, 2, 0, 0, 28, SuperGenius}, nullptr);
    ForgetGameHistory();
    const HistorySummary& history = GameHistory();
    EXPECT_EQ(std::vector<int32_t>(history.recentStages, history.recentStages + history.recentCount),
              (std::vector<int32_t>{6, 4, 12, 28}));
    EXPECT_TRUE(history.fixedGames == 6 && history.challengeGames == 4);
    EXPECT_TRUE(FixedBest({3, 10, 3}) == 2 && FixedBest({3, 20, 3}) == 1 && FixedBest({1, 1, 1}) == 0 &&
                FixedBest({6, 10, 3}) == NoBest);
    const std::string before = HistoryBytes();
    HistoryFileLayer failingWrite = PlatformHistoryFileLayer();
    failingWrite.append = [](FILE*, const char*, size_t) { return false; };
    SetHistoryFileLayer(&failingWrite);
    RecordGame(games[0].first, nullptr);
    EXPECT_EQ(warnings, 1);
    SetHistoryFileLayer(nullptr);
    fs::permissions(HistoryFileName, fs::perms::owner_read);  // read-only: refused before any write
    RecordGame(games[0].first, nullptr);
    EXPECT_TRUE(HistoryBytes() == before && warnings == 1);  // warned once per run
    fs::permissions(HistoryFileName, fs::perms::owner_all);
    for (int32_t game = 1; game <= ChartedGames; ++game) {  // the chart keeps the last 50, oldest first
        RecordGame({ChallengeCourse, 5, 0, 5, 0, 0, game % 29, Frog}, nullptr);
    }
    EXPECT_TRUE(history.recentCount == 50 && history.recentStages[0] == 1 && history.recentStages[49] == 21);
    fs::remove(HistoryFileName);
    fs::create_directory(HistoryFileName);  // a folder in its place: nothing written, the game goes on
    RecordGame(games[0].first, nullptr);
    EXPECT_TRUE(fs::is_empty(HistoryFileName) && warnings == 1);
    // Another copy's file read in: its good lines added whole and counted; its header and damage skipped.
    const std::string good = stamp + ",fixed,3,4,1.0,3,3,,Bird", other = stamp + ",challenge,7,,0.3,,,16,Dog";
    const std::string imported = header + "junk\r\n" + good + "\n" + stamp + ",fixed,3,,1.0,3,3,,Bird\r\n" + other;
    EXPECT_EQ(AddHistoryLines(imported.data(), imported.size(), nullptr), -1);  // a folder is in its place
    fs::remove(HistoryFileName);
    ForgetGameHistory();
    EXPECT_EQ(AddHistoryLines(imported.data(), imported.size(), nullptr), 2);
    EXPECT_EQ(HistoryBytes(), header + good + "\r\n" + other + "\r\n");
    EXPECT_TRUE(GameHistory().fixedGames == 1 && GameHistory().challengeBest == 16 && FixedBest({3, 10, 3}) == 3);
    fs::remove(HistoryFileName);
}
