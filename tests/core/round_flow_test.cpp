// Whole games replayed through the windowless host: every message, dialog and timer period.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "brain_level.h"
#include "game_host.h"
#include "game_state.h"
#include "windowless_host.h"

using namespace WindowlessHost;

namespace {
using Sequence = std::vector<HostCall>;

// The message texts as the Shift-JIS bytes a player's machine shows.
const std::string Caption = "Glimmark";
const std::string ClearWord = "\x83\x4E\x83\x8A\x83\x41";  // クリア
const std::string WrongText = "\x82\xD4\x81\x60\x81\x42\x8A\xD4\x88\xE1\x82\xA2\x82\xC5\x82\xB7\x81\x49";

HostCall StageCleared(int32_t stage) {
    return Message("\x83\x60\x83\x83\x83\x8C\x83\x93\x83\x57" + std::to_string(stage) + ClearWord, Caption);
}

HostCall RoundCleared(int32_t round) {
    return Message("\x82\xE2\x82\xC1\x82\xBD\x82\xCB\x81\x49" "ST" + std::to_string(round) + ClearWord, Caption);
}

// Target count and display time of challenge stages 1 to 28.
int32_t StageTargets(int32_t stage) {
    return stage <= 6 ? 5 : (stage <= 17 ? 7 : 9);
}
const int32_t StageTimes[28] = {30, 20, 15, 10, 7, 5,                        // 5 targets
                                30, 20, 15, 12, 10, 8, 6, 5, 4, 3, 2,        // 7 targets
                                30, 20, 15, 12, 10, 8, 6, 5, 4, 3, 2};       // 9 targets
int32_t StageTime(int32_t stage) {
    return StageTimes[stage - 1];
}

void Add(Sequence& sequence, const Sequence& more) {
    sequence.insert(sequence.end(), more.begin(), more.end());
}

// The timer's expiry, then one repaint per press; the judgement follows the last.
Sequence Recall(int32_t presses) {
    Sequence calls{StopTimer(), Repaint()};
    calls.insert(calls.end(), presses, Repaint());
    return calls;
}

void PlayPerfectRound() {
    ASSERT_TRUE(ExpireDisplayTimer());
    const int32_t count = roundState.targetCount;
    for (int32_t number = 1; number <= count; ++number) {
        PressTarget(number);
    }
}

// Finds found targets in order, then presses a wrong one.
void PlayFailedRound(int32_t found) {
    ASSERT_TRUE(ExpireDisplayTimer());
    for (int32_t number = 1; number <= found; ++number) {
        PressTarget(number);
    }
    PressTarget(found + 2 <= roundState.targetCount ? found + 2 : 1);
}

void PressFreeCell() {
    for (int32_t cell = 0; cell < GridColumns * GridRows; ++cell) {
        const int32_t column = cell % GridColumns;
        const int32_t row = cell / GridColumns;
        bool taken = false;
        for (int32_t number = 1; number <= roundState.targetCount; ++number) {
            taken = taken || (targetTable.slots[number].column == column && targetTable.slots[number].row == row);
        }
        if (!taken) {
            Press(column * CellSize, row * CellSize + BoardTop);
            return;
        }
    }
}

class RoundFlow : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameRecords();
        Install();
        SetClock(1234567890);
        gameSettings = GameSettings{3, 10, 3, 1, FixedCourse, BeginnerLevel};
    }
    void TearDown() override {
        EXPECT_EQ(NestedModalCount(), 0);
        Uninstall();
    }

    static void StartChallenge(int32_t level) {
        gameSettings.courseMode = ChallengeCourse;
        gameSettings.startLevel = level;
        StartGame();
    }

    // Plays perfect stages from the current one until stage last is on the board.
    static void ClimbTo(int32_t last) {
        while (roundState.stage < last) {
            PlayPerfectRound();
        }
    }
};
}  // namespace

TEST_F(RoundFlow, FixedGameOfThreePerfectRounds) {
    OnDialog(FixedResultTemplate, [] {
        EXPECT_EQ(roundState.nextNumber, 0);
        EXPECT_EQ(rateFixedCourse(resultSnapshot.targetCount, resultSnapshot.progress, resultSnapshot.displayTime,
                                  resultSnapshot.roundsPlayed),
                  Bird);
    });
    StartGame();
    for (int round = 0; round < 3; ++round) {
        PlayPerfectRound();
    }
    Sequence expected{StartTimer(1000), Repaint()};
    Add(expected, Recall(3));
    Add(expected, {RoundCleared(1), StartTimer(1000), Repaint()});
    Add(expected, Recall(3));
    Add(expected, {RoundCleared(2), StartTimer(1000), Repaint()});
    Add(expected, Recall(3));
    Add(expected, {Dialog(FixedResultTemplate)});
    EXPECT_EQ(Calls(), expected);
    EXPECT_EQ(std::make_tuple(resultSnapshot.targetCount, resultSnapshot.progress, resultSnapshot.displayTime,
                              resultSnapshot.tries, resultSnapshot.roundsPlayed),
              std::make_tuple(3, 4, 10, 3, 3));
    EXPECT_FALSE(DisplayTimerRunning());
}

TEST_F(RoundFlow, MessageTextsAreShiftJisWithTheirNumbers) {
    // Written out in full once, so a wrong encoding of the texts cannot hide.
    EXPECT_EQ(RoundCleared(1).text, "\x82\xE2\x82\xC1\x82\xBD\x82\xCB\x81\x49\x53\x54\x31\x83\x4E\x83\x8A\x83\x41");
    EXPECT_EQ(StageCleared(27).text, "\x83\x60\x83\x83\x83\x8C\x83\x93\x83\x57\x32\x37\x83\x4E\x83\x8A\x83\x41");
    gameSettings.fixedTries = 12;
    StartGame();
    for (int round = 0; round < 11; ++round) {
        PlayPerfectRound();
    }
    EXPECT_EQ(Calls()[Calls().size() - 3], RoundCleared(11));
}

TEST_F(RoundFlow, FixedGamesLost) {
    const std::tuple<int32_t, int32_t, int32_t, int32_t> games[] = {
        // tries, rounds won first, targets found before the wrong press, wrong slot
        {3, 1, 2, 4},  // in the second round, pressing 4 while 3 is due
        {1, 0, 0, 2},  // in the only round, at once
    };
    for (const auto& [tries, won, found, wrongSlot] : games) {
        gameSettings.fixedTries = tries;
        gameSettings.fixedCount = 5;
        StartGame();
        for (int32_t round = 0; round < won; ++round) {
            PlayPerfectRound();
        }
        ForgetCalls();
        PlayFailedRound(found);
        Sequence expected = Recall(found + 1);
        Add(expected, {Message(WrongText, Caption), Dialog(FixedResultTemplate)});
        EXPECT_EQ(Calls(), expected);
        EXPECT_EQ(resultSnapshot.roundsPlayed, won);
        EXPECT_EQ(resultSnapshot.progress, found + 1);
        EXPECT_EQ(roundState.nextNumber, 0);
        EXPECT_EQ(targetTable.slots[wrongSlot].state, Wrong);
    }
}

// Out-of-range figures still give a playable round; with one try it goes
// straight to the result, without a round message.
TEST_F(RoundFlow, FixedSettingsOutsideTheirRangesStillGiveAPlayableRound) {
    const std::tuple<int32_t, int32_t, int32_t, int32_t> cases[] = {
        // fixedCount, fixedTime, targets played, timer period
        {0, 0, 1, 100}, {-4, -30, 1, 100}, {10, 30, 9, 3000}, {INT32_MAX, INT32_MAX, 9, INT32_MAX},
    };
    gameSettings.fixedTries = 1;
    for (const auto& [count, time, targets, period] : cases) {
        gameSettings.fixedCount = count;
        gameSettings.fixedTime = time;
        ForgetCalls();
        StartGame();
        EXPECT_EQ(roundState.targetCount, targets);
        PlayPerfectRound();
        Sequence expected{StartTimer(period), Repaint()};
        Add(expected, Recall(targets));
        Add(expected, {Dialog(FixedResultTemplate)});
        EXPECT_EQ(Calls(), expected);
        EXPECT_EQ(roundState.roundsPlayed, 1);
    }
}

TEST_F(RoundFlow, ChallengeFromBeginnerToAFullClear) {
    std::vector<std::tuple<int32_t, int32_t, int32_t>> splashes;  // stage, targets, time
    OnDialog(StageSplashTemplate, [&splashes] {
        splashes.emplace_back(roundState.stage, roundState.targetCount, roundState.displayTime);
        if (roundState.stage > 1) {  // the stage just cleared
            EXPECT_EQ(resultSnapshot.clearedCount, StageTargets(roundState.stage - 1));
            EXPECT_EQ(resultSnapshot.clearedTime, StageTime(roundState.stage - 1));
        }
    });
    bool resultShown = false;
    OnDialog(ChallengeResultTemplate, [&resultShown] {
        resultShown = true;
        EXPECT_EQ(roundState.stage, 28);
        EXPECT_EQ(resultSnapshot.clearedCount, 9);
        EXPECT_EQ(resultSnapshot.clearedTime, 2);
        EXPECT_TRUE(ChallengeFullyCleared());
        EXPECT_EQ(rateChallengeCourse(roundState.stage), SuperGenius);
    });
    StartChallenge(BeginnerLevel);
    ClimbTo(28);
    PlayPerfectRound();
    EXPECT_TRUE(resultShown);

    Sequence expected{Dialog(StageSplashTemplate), StartTimer(3000), Repaint()};
    ASSERT_EQ(splashes.size(), 28u);
    for (int32_t stage = 1; stage <= 28; ++stage) {
        EXPECT_EQ(std::make_tuple(stage, StageTargets(stage), StageTime(stage)), splashes.at(stage - 1));
        EXPECT_EQ(StageTable[stage - 1].targetCount, StageTargets(stage));
        EXPECT_EQ(StageTable[stage - 1].displayTime, StageTime(stage));
        Add(expected, Recall(StageTargets(stage)));
        if (stage < 28) {
            Add(expected, {StageCleared(stage), Dialog(StageSplashTemplate), StartTimer(StageTime(stage + 1) * 100),
                           Repaint()});
        }
    }
    Add(expected, {Dialog(ChallengeResultTemplate)});
    EXPECT_EQ(Calls(), expected);

    // The board keeps fresh numbers on show, input closed, until the next Start.
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_FALSE(DisplayTimerRunning());
    for (int32_t number = 1; number <= 9; ++number) {
        EXPECT_EQ(targetTable.slots[number].state, Shown);
    }
    ForgetCalls();
    PressTarget(1);
    EXPECT_EQ(Calls(), Sequence{Repaint()});

    StartGame();
    EXPECT_FALSE(ChallengeFullyCleared());
    EXPECT_EQ(std::make_tuple(resultSnapshot.clearedCount, resultSnapshot.clearedTime), std::make_tuple(9, 2));
}

TEST_F(RoundFlow, ChallengeStartLevels) {
    const std::tuple<int32_t, int32_t> levels[] = {
        // startLevel, first stage; every band opens at 3.0 seconds
        {BeginnerLevel, 1}, {IntermediateLevel, 7}, {AdvancedLevel, 18}, {0, 1}, {4, 1}, {-2, 1},
    };
    for (const auto& [level, stage] : levels) {
        ForgetCalls();
        StartChallenge(level);
        EXPECT_EQ(roundState.stage, stage);
        EXPECT_EQ(roundState.targetCount, StageTargets(stage));
        EXPECT_EQ(Calls(), (Sequence{Dialog(StageSplashTemplate), StartTimer(3000), Repaint()}));
    }
}

TEST_F(RoundFlow, ChallengeLostAtVariousStages) {
    const std::tuple<int32_t, int32_t> games[] = {
        // startLevel, stage that fails
        {BeginnerLevel, 1}, {BeginnerLevel, 4}, {IntermediateLevel, 7}, {IntermediateLevel, 12},
        {AdvancedLevel, 18}, {AdvancedLevel, 28},
    };
    for (const auto& [level, failing] : games) {
        // Cleared-stage figures survive from game to game until a stage is cleared.
        auto cleared = std::make_tuple(resultSnapshot.clearedCount, resultSnapshot.clearedTime);
        StartChallenge(level);
        if (failing > roundState.stage) {
            cleared = std::make_tuple(StageTargets(failing - 1), StageTime(failing - 1));
        }
        ClimbTo(failing);
        ForgetCalls();
        OnDialog(ChallengeResultTemplate, [failing = failing] {
            EXPECT_EQ(roundState.stage, failing);
            EXPECT_FALSE(ChallengeFullyCleared());
        });
        PlayFailedRound(1);
        Sequence expected = Recall(2);
        Add(expected, {Message(WrongText, Caption), Dialog(ChallengeResultTemplate)});
        EXPECT_EQ(Calls(), expected) << "failing at stage " << failing;
        EXPECT_EQ(roundState.stage, failing);
        EXPECT_EQ(std::make_tuple(resultSnapshot.clearedCount, resultSnapshot.clearedTime), cleared);
    }
}

TEST_F(RoundFlow, StartDuringARoundBeginsAFreshGame) {
    gameSettings.fixedCount = 4;
    StartGame();
    PlayPerfectRound();  // round 1 done; round 2 on display
    ASSERT_TRUE(ExpireDisplayTimer());
    PressTarget(1);
    SetClock(1234567999);
    ForgetCalls();
    StartGame();  // in the middle of recall
    EXPECT_EQ(Calls(), (Sequence{StartTimer(1000), Repaint()}));
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_EQ(roundState.roundsPlayed, 0);
    EXPECT_EQ(resultSnapshot.progress, 0);
    for (int32_t number = 1; number <= 4; ++number) {
        EXPECT_EQ(targetTable.slots[number].state, Shown);
    }
    PressTarget(1);  // still on display: ignored
    EXPECT_EQ(roundState.nextNumber, 0);
    StartGame();  // during the display time: the timer runs its full period again
    EXPECT_EQ(Calls().back(), Repaint());
    EXPECT_EQ(Calls()[Calls().size() - 2], StartTimer(1000));

    StartChallenge(IntermediateLevel);
    PlayPerfectRound();
    ASSERT_TRUE(ExpireDisplayTimer());
    PressTarget(1);
    ForgetCalls();
    OnDialog(StageSplashTemplate, [] { EXPECT_EQ(roundState.stage, 7); });
    StartGame();
    EXPECT_EQ(Calls(), (Sequence{Dialog(StageSplashTemplate), StartTimer(3000), Repaint()}));
    EXPECT_EQ(roundState.nextNumber, 0);

    // The old display timer may still expire while the splash is up; the new
    // board must still be placed and shown for its full time afterwards.
    OnDialog(StageSplashTemplate, [] { EXPECT_TRUE(ExpireDisplayTimer()); });
    ForgetCalls();
    StartGame();
    EXPECT_EQ(Calls(), (Sequence{Dialog(StageSplashTemplate), StopTimer(), Repaint(), StartTimer(3000), Repaint()}));
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_TRUE(DisplayTimerRunning());
    EXPECT_EQ(targetTable.slots[7].state, Shown);
}

// Found by the soak: the splash's repaints judged the abandoned round against the
// new, smaller band, and "cleared" stage 1 before it was played.
TEST_F(RoundFlow, StartFromDeepInABigBandJudgesNothingDuringTheSplash) {
    StartChallenge(AdvancedLevel);
    ASSERT_TRUE(ExpireDisplayTimer());
    for (int32_t number = 1; number <= 7; ++number) {
        PressTarget(number);  // number 8 of 9 is due
    }
    ForgetCalls();
    OnDialog(StageSplashTemplate, [] { EXPECT_EQ(roundState.nextNumber, 0); });
    StartChallenge(BeginnerLevel);
    EXPECT_EQ(Calls(), (Sequence{Dialog(StageSplashTemplate), StartTimer(3000), Repaint()}));
    EXPECT_EQ(roundState.stage, 1);
    EXPECT_EQ(resultSnapshot.clearedCount, 0);
}

TEST_F(RoundFlow, CourseModeAndTriesAreReadWhenTheRoundIsJudged) {
    StartChallenge(BeginnerLevel);
    gameSettings.courseMode = FixedCourse;
    gameSettings.fixedTries = 2;
    ForgetCalls();
    PlayPerfectRound();  // judged as a fixed round of the challenge's 5 targets
    Sequence expected = Recall(5);
    Add(expected, {RoundCleared(1), StartTimer(3000), Repaint()});
    EXPECT_EQ(Calls(), expected);

    gameSettings.fixedTries = 5;
    PlayPerfectRound();
    gameSettings.fixedTries = 2;  // already two rounds played: the third ends the game
    ForgetCalls();
    PlayPerfectRound();
    expected = Recall(5);
    Add(expected, {Dialog(FixedResultTemplate)});
    EXPECT_EQ(Calls(), expected);
    EXPECT_EQ(std::make_tuple(resultSnapshot.targetCount, resultSnapshot.progress, resultSnapshot.roundsPlayed,
                              resultSnapshot.tries),
              std::make_tuple(5, 6, 3, 2));
    EXPECT_EQ(roundState.stage, 1);  // the fixed branch leaves the stage alone
}

TEST_F(RoundFlow, RepaintsJudgeNothingUnlessARoundHasJustEnded) {
    StartGame();
    ASSERT_TRUE(ExpireDisplayTimer());
    ForgetCalls();
    for (int i = 0; i < 3; ++i) {
        JudgeRound();
    }
    PressFreeCell();
    Press(10, 10);  // the toolbar strip
    EXPECT_EQ(Calls(), (Sequence{Repaint(), Repaint()}));
    EXPECT_EQ(roundState.nextNumber, 1);

    // After the judgement every further repaint, modal or not, finds nothing.
    PressTarget(2);
    EXPECT_EQ(Calls().back(), Dialog(FixedResultTemplate));
    ForgetCalls();
    JudgeRound();
    JudgeRound();
    EXPECT_TRUE(Calls().empty());
    EXPECT_FALSE(ExpireDisplayTimer());
}

TEST_F(RoundFlow, EndOfDisplayTimeCoversTheRoundsTargetsAndOpensInput) {
    targetTable.slots[4] = Target{9, 9, Correct};
    StartGame();
    targetTable.slots[2].state = Revealed;
    ForgetCalls();
    ASSERT_TRUE(ExpireDisplayTimer());
    EXPECT_EQ(Calls(), (Sequence{StopTimer(), Repaint()}));
    EXPECT_EQ(roundState.nextNumber, 1);
    for (int32_t number = 1; number <= 3; ++number) {
        EXPECT_EQ(targetTable.slots[number].state, Hidden);
    }
    EXPECT_EQ(targetTable.slots[4].state, Correct);
}

TEST(RoundFlowWithoutHost, RunsAGameWithoutCrashing) {
    ResetGameRecords();
    SetGameHost(nullptr);
    gameSettings = GameSettings{2, 5, 2, 0, FixedCourse, 0};
    StartGame();
    EXPECT_EQ(roundState.targetCount, 2);
    EndDisplayTime();
    for (int32_t number = 1; number <= 2; ++number) {
        const Target& target = targetTable.slots[number];
        JudgeClick(static_cast<uint16_t>(target.column * 32), static_cast<uint16_t>(target.row * 32 + 40));
    }
    JudgeRound();
    EXPECT_EQ(roundState.roundsPlayed, 1);
    EXPECT_EQ(roundState.nextNumber, 0);

    const GameHost partialHost = {nullptr, nullptr, nullptr, nullptr, nullptr};
    SetGameHost(&partialHost);
    gameSettings.courseMode = ChallengeCourse;
    StartGame();
    EndDisplayTime();
    JudgeClick(0, 0);
    JudgeRound();
    EXPECT_EQ(roundState.stage, 1);
    SetGameHost(nullptr);
}
