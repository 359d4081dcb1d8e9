// The game rules: placement, rating, and whole games through a windowless host that logs every call.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "brain_level.h"
#include "display_scale.h"
#include "game_host.h"
#include "game_state.h"

namespace {
// ---- The windowless host ------------------------------------------------
// One word and a space per call: M<text> a message (then |<caption> unless it is "Glimmark"); D4,count
// the splash; D3,targets,progress,time,tries,rounds,board the fixed result and D5,stagesCleared,clearedCount,
// clearedTime,allStagesCleared,board the challenge result, board being the state of each target in
// play; T<period> and X the display timer started and stopped; R a repaint the core asked for.
std::string log;

// Windows keeps painting the main window while a box waits, and each paint ends in JudgeRound. A click
// queued before a box the game opens came up still reaches the board, here on target 2: input must be
// closed by then.
void PaintWhileBoxWaits() {
    const Target& second = targetTable.slots[2];
    JudgeClick(static_cast<uint16_t>(second.column * 32 + 16), static_cast<uint16_t>(second.row * 32 + 56));
    JudgeRound();
}

void ShowMessage(const char* text, const char* caption) {
    log += "M" + std::string(text) + (std::string(caption) == "Glimmark" ? " " : "|" + std::string(caption) + " ");
    PaintWhileBoxWaits();
}

void RunDialog(int32_t id) {
    if (id == StageSplashTemplate) {
        log += "D4," + std::to_string(roundState.targetCount) + " ";
        PaintWhileBoxWaits();
        return;
    }
    const ResultSnapshot& shot = resultSnapshot;
    const std::vector<int32_t> figures =
        id == FixedResultTemplate
            ? std::vector<int32_t>{shot.targetCount, shot.progress, shot.displayTime, shot.tries, shot.roundsPlayed}
            : std::vector<int32_t>{ChallengeStagesCleared(), shot.clearedCount, shot.clearedTime,
                                   roundState.allStagesCleared};
    std::string word = "D" + std::to_string(id) + ",";
    for (int32_t figure : figures) {
        word += std::to_string(figure) + ",";
    }
    for (int32_t number = 1; number <= roundState.targetCount; ++number) {
        word += std::to_string(targetTable.slots[number].state);
    }
    log += word + " ";
    JudgeRound();  // the results command may come any time
}

const GameHost host = {ShowMessage, RunDialog, [](int32_t period) { log += "T" + std::to_string(period) + " "; },
                       [] { log += "X "; }, [] { log += "R "; JudgeRound(); }};

// Presses just outside the cell on each side, which must change nothing (targets never touch), then
// a corner of it, and repaints as the front end does after every press.
void PressTarget(int32_t number) {
    const int32_t left = targetTable.slots[number].column * 32;
    const int32_t top = targetTable.slots[number].row * 32 + 40;
    for (const auto& [x, y] : {std::pair{left - 1, top}, {left + 32, top + 31}, {left + 31, top - 1}, {left, top + 32},
                               number % 2 != 0 ? std::pair{left, top} : std::pair{left + 31, top + 31}}) {
        JudgeClick(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    }
    JudgeRound();
}

// Plays a script from Start: E the display time ends, S Start is pressed after the beginner level is
// chosen in the settings, D the results command, C a press on the empty top-left cell (where slot 0,
// which is no target, lies), a digit presses that target.
std::string Play(const GameSettings& settings, const std::string& script, int64_t clockSecond = 1234567890,
                 const GameHost* frontEnd = &host) {
    static int64_t clock;
    clock = clockSecond;
    gameSettings = settings;
    log.clear();
    SetCalendarClock([] { return clock; });
    SetGameHost(frontEnd);
    StartGame();
    for (char step : script) {
        switch (step) {
        case 'E':
            EndDisplayTime();
            break;
        case 'S':
            gameSettings.startLevel = BeginnerLevel;
            StartGame();
            break;
        case 'D':
            RunDialog(FixedResultTemplate);
            break;
        case 'C':
            JudgeClick(5, 45);
            break;
        default:
            PressTarget(step - '0');
        }
    }
    return log;
}

// The cells of the nine targets of an advanced challenge game started at the given clock second, as
// "column,row " each; the game runs without a front end, which the core must bear.
std::string Place(int64_t clockSecond) {
    Play({3, 10, 3, 0, 1, 3}, "E", clockSecond, nullptr);
    std::string cells;
    for (int32_t number = 1; number <= 9; ++number) {
        const Target& target = targetTable.slots[number];
        cells += std::to_string(target.column) + "," + std::to_string(target.row) + " ";
    }
    return cells;
}

// ---- Expected logs ------------------------------------------------------
const std::string Boo = "Mぶ～。間違いです！ ";
const int32_t StageTimes[] = {30, 20, 15, 10, 7, 5, 30, 20, 15, 12, 10, 8, 6, 5, 4, 3, 2,
                              30, 20, 15, 12, 10, 8, 6, 5, 4, 3, 2};

std::string Splash(int32_t stage) {
    const int32_t count = stage <= 6 ? 5 : (stage <= 17 ? 7 : 9);
    return "D4," + std::to_string(count) + " T" + std::to_string(StageTimes[stage - 1] * 100) + " R ";
}
}  // namespace

// Second 0 is the worked example: (10, 1) and (18, 1) are drawn and thrown away as touching. Second
// 1700008777 throws away candidates touching on each side, one touching only target 1, and keeps
// targets two cells away on each side.
TEST(Placement, TheGeneratorAndTheClockSecondDecideTheBoard) {
    GameRandom::setSeed(0);
    EXPECT_EQ(GameRandom::draw(), 0);
    EXPECT_EQ(GameRandom::draw(), 346);
    EXPECT_EQ(Place(0), "0,1 10,2 17,0 15,13 6,4 19,12 0,12 1,8 7,14 ");
    EXPECT_EQ(Place(1700008777), "2,12 4,3 7,10 5,1 2,4 4,11 18,12 2,6 15,7 ");
}

// Every pixel of the board drawn at these scales, 100% to 250%, lands in the same cell of the 96-DPI
// board, and 100% changes no pixel; above the board is above it at every scale.
TEST(DisplayScale, EveryPixelOfTheScaledBoardLandsInItsOwnCell) {
    EXPECT_EQ(ScaledCellSize(144), 48);
    EXPECT_EQ(ScaledCellSize(192), 64);
    for (int32_t dpi : {96, 120, 144, 168, 192, 240}) {
        const int32_t cell = ScaledCellSize(dpi), top = ScaledPixels(BoardTop, dpi);
        for (int32_t pixel = 0; pixel < GridColumns * cell; ++pixel) {
            const int32_t x = BoardXAtBaseScale(pixel, dpi);
            ASSERT_EQ(x / CellSize, pixel / cell) << dpi << " " << pixel;
            ASSERT_EQ(BoardYAtBaseScale(top + pixel, dpi), BoardTop + x) << dpi;
            ASSERT_EQ(x == pixel, dpi == BaseDpi || pixel == 0) << dpi << " " << pixel;
        }
        EXPECT_LT(BoardYAtBaseScale(top - 1, dpi), BoardTop) << dpi;
    }
}

// The fixed-course games are chosen so that any one bound of any rule, moved by one either way,
// changes a grade.
TEST(BrainLevel, BothRulesAtEveryBoundary) {
    const int32_t games[][5] = {
        // targetCount, progress, displayTime, roundsPlayed, grade
        {6, 8, 0, 3, Squirrel},    {7, 2, 0, 0, Frog},        {7, 9, 0, 2, Dog},         {7, 0, 0, 1, Pig},
        {7, 0, 4, 3, Chimpanzee},  {7, 0, 5, 3, Human},       {0, 9, 5, 3, SuperGenius}, {7, 0, 16, 1, Rabbit},
        {7, 0, 21, 1, Boar},       {5, 0, 0, 1, Squirrel},    {4, 3, 0, 1, Bird},        {0, 9, 6, 3, Bird},
        {7, 0, 8, 3, Human},       {7, 0, 9, 3, Dog},         {7, 0, 10, 2, Dog},        {7, 0, 11, 2, Pig},
        {7, 0, 15, 1, Pig},        {7, 0, 20, 1, Rabbit},
    };
    for (const auto& game : games) {
        EXPECT_EQ(rateFixedCourse(game[0], game[1], game[2], game[3]), game[4])
            << game[0] << " " << game[1] << " " << game[2] << " " << game[3];
    }
    const std::string gradesOfStages0To29 = "0012345123456777886667778889999";
    for (int32_t stage = 0; stage <= 29; ++stage) {
        EXPECT_EQ(rateChallengeCourse(stage), gradesOfStages0To29[stage] - '0') << "stage " << stage;
    }
    // A grade outside the ten shows the nearest one's picture rather than reading past the table.
    EXPECT_EQ(BrainLevelPictureId(static_cast<BrainLevel>(BrainLevelCount)), BrainLevelPictureId(SuperGenius));
    EXPECT_EQ(BrainLevelPictureId(static_cast<BrainLevel>(-1)), BrainLevelPictureId(Frog));
}

TEST(RoundFlow, WholeGames) {
    const std::string round = "T1000 R X R ";
    const std::tuple<GameSettings, std::string, std::string> games[] = {
        {{3, 10, 3, 0, 0, 1}, "E123E123E123123",  // the last presses come after the game: ignored
         round + "Mやったね！ST1クリア " + round + "Mやったね！ST2クリア " + round + "D3,3,4,10,3,3,333 "},
        {{3, 10, 3, 0, 0, 1}, "EC123E121123", round + "Mやったね！ST1クリア " + round + Boo + "D3,3,3,10,3,1,434 "},
        {{50, 0, 1, 0, 0, 1}, "E123456789", "T100 R X R D3,9,10,1,1,1,333333333 "},  // out of range: clamped
        // The results command at once shows none of the last game's figures.
        {{3, 10, 3, 0, 1, 2}, "DE1234567E1234567E13",
         Splash(7) + "D3,0,0,0,0,0,1111111 X R Mチャレンジ7クリア " + Splash(8) + "X R Mチャレンジ8クリア " +
             Splash(9) + "X R " + Boo + "D5,8,7,20,0,3445555 "},
        // Start from deep in the advanced band into the beginner band: the splash's repaints must not
        // judge the abandoned round against the smaller count.
        {{3, 10, 3, 0, 1, 3}, "E1234567S", Splash(18) + "X R " + Splash(1)},
        // The results command with the board covered; Start in the middle of a round, and the results
        // command and a press while the numbers are on display.
        {{4, 10, 3, 0, 0, 1}, "E1234ED1SD2E1234",
         round + "Mやったね！ST1クリア T1000 R X R D3,4,5,10,3,1,2222 T1000 R D3,0,0,0,0,0,1111 X R "
                 "Mやったね！ST1クリア T1000 R "},
    };
    for (const auto& [settings, script, expected] : games) {
        EXPECT_EQ(Play(settings, script), expected) << script;
    }
    EXPECT_EQ(Play({3, 10, 2, 0, 0, 1}, "E123E121", 1234567890, nullptr), "");  // no front end to call
}

// Stage 28 cleared: no message, and fresh numbers that stay on show, input closed, behind the result.
TEST(RoundFlow, ChallengeClimbedFromEachStartLevelToTheFullClear) {
    for (const auto& [level, first] : {std::pair{1, 1}, {2, 7}, {3, 18}, {0, 1}, {4, 1}}) {
        std::string script;
        std::string expected = Splash(first);
        for (int32_t stage = first; stage <= 28; ++stage) {
            script += "E" + std::string("123456789").substr(0, stage <= 6 ? 5 : (stage <= 17 ? 7 : 9));
            expected += "X R " + (stage < 28 ? "Mチャレンジ" + std::to_string(stage) + "クリア " + Splash(stage + 1)
                                             : "D5,28,9,2,1,111111111 ");
        }
        EXPECT_EQ(Play({3, 10, 3, 0, 1, level}, script), expected) << "start level " << level;
    }
    // The next game starts afresh, yet the last cleared stage's figures stay; a wrong press two past the due
    // number uncovers the one between.
    EXPECT_EQ(Play({3, 10, 3, 0, 1, 1}, "E3"), Splash(1) + "X R " + Boo + "D5,0,9,2,0,45455 ");
}
