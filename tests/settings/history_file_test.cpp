// Checks history.csv: lines written and read back, bad lines skipped, the bests, and appends that fail.
#include "history_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ctime>
#include <fstream>

#include "game_host.h"
#include "game_state.h"
#include "result_best.h"

namespace fs = std::filesystem;
static int warnings = 0;
static void CountWarning(void*, const char*, const char*) {
    ++warnings;
}

static std::string HistoryBytes() {
    std::ifstream file(HistoryFileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// Every test process works in a fresh folder of its own (see the settings tests), so the file starts missing.
TEST(HistoryFile, LinesAreAppendedWholeAndReadBackSkippingBadOnesWithTheBestsAndNothingChangesWhenAnAppendFails) {
    fs::remove_all(HistoryFileName);
    SetHistoryWarning(CountWarning);
    SetHistoryClock([] { return LocalDateTime{2026, 12, 7, 8, 5, 9}; });
    const std::string stamp = "2026-12-07T08:05:09";
    EXPECT_TRUE(FixedBest({1, 1, 1}) == NoBest && GameHistory().challengeBest == NoBest);  // nothing played yet
    RecordGame({FixedCourse, 9, 10, 9, 3, 3, 0, Dog}, nullptr);
    const std::string header = "played_at,course,target_count,progress,display_seconds,tries,rounds_cleared,"
                               "stages_cleared,grade\r\n";
    EXPECT_EQ(HistoryBytes(), header + stamp + ",fixed,9,10,0.9,3,3,,Dog\r\n");
    const std::pair<GameRecord, PersonalBest> games[] = {
        {{FixedCourse, 9, 10, 9, 3, 3, 0, Dog}, {3, false}}, {{FixedCourse, 3, 3, 10, 3, 2, 0, Bird}, {2, true}},
        {{FixedCourse, 3, 2, 10, 2, 1, 0, Frog}, {1, true}}, {{FixedCourse, 3, 2, 10, 3, 1, 0, Frog}, {2, false}},
        {{ChallengeCourse, 5, 0, 5, 0, 0, 6, Bird}, {6, true}}, {{ChallengeCourse, 5, 0, 10, 0, 0, 4, Rabbit}, {6, false}},
        {{FixedCourse, 1, 1, 1, 1, 0, 0, Frog}, {0, false}},  // a first game that cleared nothing is no record
    };
    for (const auto& [game, expected] : games) {
        PersonalBest best = RecordGame(game, nullptr);
        EXPECT_TRUE(best.best == expected.best && best.isNew == expected.isNew) << game.roundsCleared;
    }
    const std::string kept = HistoryBytes();
    const std::string lastTwo = stamp + ",challenge,5,,1.0,,,4,Rabbit\r\n" + stamp + ",fixed,1,1,0.1,1,0,,Frog\r\n";
    EXPECT_TRUE(kept.rfind("played_at") == 0 && warnings == 0);  // one header, and no warning
    EXPECT_EQ(kept.substr(kept.size() - lastTwo.size()), lastTwo);  // each line just after the one before
    std::ofstream(HistoryFileName, std::ios::app | std::ios::binary) << std::string(3, '\0') << "\r\n"
        << stamp << ",challenge,7,,0.8,,,12,Human\n" << stamp << ",challenge,9,,0.2,,,2";
    ForgetGameHistory();  // the zeros and the line a crash cut short are skipped
    RecordGame({ChallengeCourse, 9, 0, 2, 0, 0, 28, SuperGenius}, nullptr);
    ForgetGameHistory();
    const HistorySummary& history = GameHistory();
    EXPECT_EQ(std::vector<int32_t>(history.recentStages, history.recentStages + history.recentCount),
              (std::vector<int32_t>{6, 4, 12, 28}));
    EXPECT_TRUE(history.fixedGames == 6 && history.challengeGames == 4);
    EXPECT_TRUE(FixedBest({3, 10, 3}) == 2 && FixedBest({1, 1, 1}) == 0 && FixedBest({6, 10, 3}) == NoBest);
    const std::string before = HistoryBytes();
    HistoryFileLayer failingWrite = PlatformHistoryFileLayer();
    failingWrite.append = [](FILE*, const char*, size_t) { return false; };
    SetHistoryFileLayer(&failingWrite);
    RecordGame(games[0].first, nullptr);
    const std::string good = stamp + ",fixed,3,4,1.0,3,3,,Bird", other = stamp + ",challenge,7,,0.3,,,16,Chimpanzee";
    ForgetGameHistory();  // the records not read yet when another copy's file comes in
    EXPECT_EQ(AddHistoryLines(good.data(), good.size(), nullptr), -1);  // though the file closes well
    EXPECT_EQ(warnings, 1);  // warned once per run
    SetHistoryFileLayer(nullptr);
    SetHistoryWarning(CountWarning);  // as in a new run
    fs::permissions(HistoryFileName, fs::perms::owner_read);  // read-only: refused before any write
    RecordGame(games[0].first, nullptr);
    EXPECT_TRUE(HistoryBytes() == before && warnings == 2);
    EXPECT_EQ(history.fixedGames, 8);  // the line and the game not written count in this run all the same
    fs::permissions(HistoryFileName, fs::perms::owner_all);
    SetHistoryClock(nullptr);  // the real clock from here on
    for (int32_t game = 1; game <= ChartedGames; ++game) {  // the chart keeps the last 50, oldest first
        RecordGame({ChallengeCourse, 5, 0, 5, 0, 0, game % 29, Frog}, nullptr);
    }
    EXPECT_TRUE(history.recentCount == 50 && history.recentStages[0] == 1 && history.recentStages[49] == 21);
    const std::time_t now = std::time(nullptr);  // the last line is stamped with the player's local date
    char today[16];
    std::strftime(today, sizeof today, "%Y-%m-%dT", std::localtime(&now));
    const std::string bytes = HistoryBytes();
    EXPECT_EQ(bytes.substr(bytes.rfind("\r\n", bytes.size() - 3) + 2, 11), today);
    fs::remove(HistoryFileName);
    fs::create_directory(HistoryFileName);  // a folder in its place: nothing written, the game goes on
    RecordGame(games[0].first, nullptr);
    EXPECT_TRUE(fs::is_empty(HistoryFileName) && warnings == 2);
    // Another copy's file read in: its good lines added whole with one line end each and counted; its
    // header and damage skipped.
    const std::string imported = header + "junk\r\n" + good + "\r\n" + stamp + ",fixed,3,,1.0,3,3,,Bird\n" + other;
    EXPECT_EQ(AddHistoryLines(imported.data(), imported.size(), nullptr), -1);  // a folder is in its place
    fs::remove(HistoryFileName);
    ForgetGameHistory();
    EXPECT_EQ(AddHistoryLines(imported.data(), imported.size(), nullptr), 2);
    EXPECT_EQ(HistoryBytes(), header + good + "\r\n" + other + "\r\n");
    EXPECT_TRUE(GameHistory().fixedGames == 1 && GameHistory().challengeBest == 16 && FixedBest({3, 10, 3}) == 3);
    fs::remove(HistoryFileName);
}

// Counting through every setting in the order count, time, tries meets each slot once, none past the table.
TEST(HistoryFile, EachFixedSettingHasASlotOfItsOwn) {
    int32_t slot = 0;
    for (int32_t count = CountRange.low; count <= CountRange.high; ++count) {
        for (int32_t time = TimeRange.low; time <= TimeRange.high; ++time) {
            for (int32_t tries = TriesRange.low; tries <= TriesRange.high; ++tries) {
                ASSERT_EQ(FixedSettingIndex({count, time, tries}), slot++) << count << " " << time << " " << tries;
            }
        }
    }
}

// The result dialog's figures of the course just played, not those of the other course.
TEST(HistoryFile, AFinishedGameTakesTheFiguresOfItsCourse) {
    resultSnapshot = {5, 3, 12, 4, 2, 7, 20};
    roundState.stage = 9;
    roundState.allStagesCleared = 0;
    EXPECT_EQ(FinishedGameRecord(FixedCourse).roundsCleared, 2);
    EXPECT_EQ(FinishedGameRecord(ChallengeCourse).stagesCleared, 8);
}

// Only the dialog that ends a game may cheer a new best: reopened afterwards by the Brain level button,
// in either course, it shows the same best without the cheer. A splash ends no game.
TEST(ResultBest, OnlyTheDialogThatEndsAGameCheersItsNewBest) {
    fs::remove_all(HistoryFileName);
    ForgetGameHistory();
    resultSnapshot = {3, 4, 10, 3, 3, 7, 12};  // a fixed game won after a challenge game cleared stage 10
    roundState = {7, 10, 11, 0, 0, 0};
    EXPECT_TRUE(ResultBestLine(FixedCourse).format == FixedBestNoneText &&
                ResultBestLine(ChallengeCourse).format == ChallengeBestNoneText);
    static BestLine shown;
    RunDialogEndingGame(FixedResultTemplate, [](int32_t) { shown = ResultBestLine(FixedCourse); }, nullptr);
    EXPECT_TRUE(shown.format == FixedBestNewFormat && shown.figure == 3);
    RunDialogEndingGame(ChallengeResultTemplate, [](int32_t) { shown = ResultBestLine(ChallengeCourse); }, nullptr);
    EXPECT_TRUE(shown.format == ChallengeBestNewFormat && shown.figure == 10);
    RunDialogEndingGame(StageSplashTemplate, [](int32_t) {}, nullptr);
    const BestLine fixed = ResultBestLine(FixedCourse), challenge = ResultBestLine(ChallengeCourse);
    EXPECT_TRUE(fixed.format == FixedBestFormat && fixed.figure == 3);
    EXPECT_TRUE(challenge.format == ChallengeBestFormat && challenge.figure == 10);
    EXPECT_EQ(GameHistory().fixedGames + GameHistory().challengeGames, 2);
    fs::remove(HistoryFileName);
}

int32_t GamesReadFrom(const std::string& bytes) {
    std::ofstream(HistoryFileName, std::ios::binary | std::ios::trunc) << bytes;
    ForgetGameHistory();
    return GameHistory().fixedGames + GameHistory().challengeGames;
}

// Copies of a good line of each course with one defect each, as a hand edit or damage leaves them: each
// copy passes every check but one, so no check hides a loosened one; each is skipped, and the good lines read.
TEST(HistoryFile, EachDamagedLineIsSkippedAndTheGoodOnesAreRead) {
    const std::string at = "2026-12-07T08:05:09,";
    const std::string goodFixed = at + "fixed,9,10,2.5,3,3,,Boar";
    const std::string goodChallenge = at + "challenge,7,,1.0,,,11,Dog";
    const std::pair<std::string, int32_t> lines[] = {
        {"2026-12-07,fixed,1,1,0.1,1,0,,Frog", 0}, {"2026-12-07 08:05:09,fixed,9,10,2.5,3,3,,Boar", 0},
        {at + "Challenge,7,,1.0,,,11,Dog", 0}, {at + "fixed,9,10,2.5,3,3,,Bo", 0},
        {at + "fixed,9,10,2.5,3,3,,Boar,", 0}, {at + "fixed,9,1/,2.5,3,3,,Boar", 0},
        {at + "fixed,9,100000000010,2.5,3,3,,Boar", 0},  // read whole, it would overflow
        {at + "fixed,9,10,2:5,3,3,,Boar", 0}, {at + "fixed,9,10,2x.5,3,3,,Boar", 0},
        {at + "challenge,7,,1.x,,,11,Dog", 0}, {at + "challenge,7,,1.0,,,,Dog", 0},
        {at + "challenge,7,,1.0,3,,11,Dog", 0}, {at + "challenge,7,,1.0,,3,11,Dog", 0},
        {at + "fixed,9,10,3.1,3,3,,Boar", 0}, {at + "challenge,7,,1.0,,,29,SuperGenius", 0},
        // Figures that no game writes together: a grade not the figures' own, rounds beyond the tries, the
        // last round cleared short of the tries, progress before the first target or past the last;
        // no stage's figures after stages cleared, a count without a time, a time without a count.
        {at + "fixed,9,10,2.5,3,3,,Rabbit", 0}, {at + "fixed,9,5,2.5,3,7,,Boar", 0},
        {at + "fixed,9,10,2.5,3,2,,Boar", 0}, {at + "fixed,9,0,2.5,3,2,,Boar", 0},
        {at + "fixed,9,11,2.5,3,3,,Boar", 0}, {at + "challenge,7,,1.0,,,11,Human", 0},
        {at + "challenge,0,,0.0,,,11,Dog", 0}, {at + "challenge,7,,0.0,,,11,Dog", 0},
        {at + "challenge,0,,1.0,,,0,Frog", 0},
        // What games write at the edges: a first round lost on its first target, at the smallest setting; a
        // challenge lost at once from each start level before any stage was cleared since the program started;
        // the last stage cleared.
        {at + "fixed,1,1,0.1,1,0,,Frog", 1}, {at + "challenge,0,,0.0,,,0,Frog", 1},
        {at + "challenge,0,,0.0,,,6,Bird", 1}, {at + "challenge,0,,0.0,,,17,Dog", 1},
        {at + "challenge,9,,0.2,,,28,SuperGenius", 1},
    };
    for (const auto& [line, gamesRead] : lines) {
        EXPECT_EQ(GamesReadFrom(line + "\r\n"), gamesRead) << line;
    }
    // A line longer than any the game writes, ending just past the first block read, spoils only itself.
    EXPECT_EQ(GamesReadFrom(std::string(16384, 'x') + "\n" + goodFixed + "\n" + goodChallenge), 2);
    EXPECT_TRUE(FixedBest({9, 25, 3}) == 3 && GameHistory().challengeBest == 11);
    fs::remove(HistoryFileName);
    ForgetGameHistory();
}
