// How the main window answers commands, timers and clicks, bad ones too; its repaints judge nothing while a box waits.
#include "ui_test_support.h"

#include "resource_ids.h"

namespace {

using UiTest::GameRecords;
using UiTest::ModalCloser;

// A fixed course of 3 targets shown for 3.0 s, 3 tries, grey covers.
constexpr char FixedCourseSettings[] = "3\r\n30\r\n3\r\n2\r\n0\r\n1\r\n";

class WindowMessages : public UiTest::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        WriteSettings(FixedCourseSettings);
        ASSERT_NE(OpenMainWindow(), nullptr);
    }

    // Target 1 in the bottom right cell, 2 in the top left, 3 in the middle;
    // covered, with due the number the player must click next.
    void SetUpRecall(int32_t due) {
        roundState.targetCount = 3;
        roundState.displayTime = 30;
        roundState.nextNumber = due;
        targetTable.slots[1] = Target{GridColumns - 1, GridRows - 1, due > 1 ? Correct : Hidden};
        targetTable.slots[2] = Target{0, 0, due > 2 ? Correct : Hidden};
        targetTable.slots[3] = Target{10, 7, Hidden};
    }

    void ClickTarget3() { ClickAt(10 * 32 + 5, 7 * 32 + 45); }
};

TEST_F(WindowMessages, NoCommandOutsideTheToolbarsSetDoesAnything) {
    ModalCloser boxes;
    SetUpRecall(2);
    const GameRecords before = GameRecords::Now();
    for (int command = 0; command <= 0xFFFF; ++command) {
        if (command >= IDM_START && command <= IDM_START_RIGHT) {
            continue;
        }
        // As a menu, from the toolbar's button, as an accelerator and with a code no control sends.
        ASSERT_EQ(Send(WM_COMMAND, command), 0) << command;
        ASSERT_EQ(Send(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(toolbarWindow)), 0);
        ASSERT_EQ(Send(WM_COMMAND, MAKEWPARAM(command, 1)), 0) << command;
        ASSERT_EQ(Send(WM_COMMAND, MAKEWPARAM(command, 0xFFFF)), 0) << command;
    }
    UiTest::PumpFor(100);
    EXPECT_TRUE(GameRecords::Now() == before);
    EXPECT_EQ(paints(), 0);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_FALSE(UiTest::TakeQuitMessage());
}

TEST_F(WindowMessages, BothStartCommandsBeginAFixedGameOnTheBoard) {
    for (WORD start : {IDM_START, IDM_START_RIGHT}) {
        paints() = 0;
        EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(start, 1), 12345), 0);  // only the low word counts
        EXPECT_EQ(roundState.targetCount, 3) << start;
        EXPECT_EQ(roundState.displayTime, 30);
        EXPECT_EQ(roundState.nextNumber, 0);
        for (int32_t number = 1; number <= 3; ++number) {
            EXPECT_EQ(targetTable.slots[number].state, Shown) << number;
        }
        EXPECT_GE(paints(), 1);
        EXPECT_FALSE(UpdatePending());
    }
}

TEST_F(WindowMessages, DialogCommandsOpenTheirDialogsOwnedByTheWindowAndChangeNothing) {
    struct Expected {
        WORD command;
        DLGPROC procedure;
    };
    const Expected dialogs[] = {
        {IDM_GAME_SETTINGS, GameSettingsDialog},
        {IDM_BRAIN_LEVEL, FixedResultDialog},
        {IDM_VERSION, AboutDialog},
    };
    SetUpRecall(2);
    gameSettings.courseMode = ChallengeCourse;  // the brain level shows the fixed result in either course
    for (const Expected& dialog : dialogs) {
        SCOPED_TRACE(dialog.command);
        ModalCloser boxes(window_);
        const GameRecords before = GameRecords::Now();
        EXPECT_EQ(Send(WM_COMMAND, dialog.command), 0);
        ASSERT_EQ(boxes.seen.size(), 1u);
        EXPECT_EQ(boxes.seen[0].procedure, dialog.procedure);
        EXPECT_EQ(boxes.seen[0].owner, window_);
        EXPECT_EQ(boxes.faults, 0);
        EXPECT_TRUE(GameRecords::Now() == before);
        EXPECT_TRUE(IsWindowEnabled(window_));
    }
}

TEST_F(WindowMessages, OnlyTheDisplayTimerDoesAnythingAndItEndsTheDisplayTime) {
    ModalCloser boxes;
    Send(WM_COMMAND, IDM_START);
    for (bool recall : {false, true}) {
        SCOPED_TRACE(recall ? "while recalling" : "while on display");
        const GameRecords before = GameRecords::Now();
        paints() = 0;
        for (WPARAM timer : {WPARAM(0), WPARAM(65535), WPARAM(0x10001), WPARAM(0x100000001)}) {
            EXPECT_EQ(Send(WM_TIMER, timer), 0);
        }
        for (WPARAM timer = 2; timer <= 4096; ++timer) {
            Send(WM_TIMER, timer);
        }
        EXPECT_FALSE(UpdatePending());
        UiTest::PumpFor(100);
        EXPECT_TRUE(GameRecords::Now() == before);
        EXPECT_EQ(paints(), 0);
        if (!recall) {
            EXPECT_EQ(Send(WM_TIMER, DisplayTimerId), 0);
            EXPECT_EQ(roundState.nextNumber, 1);
            for (int32_t number = 1; number <= 3; ++number) {
                EXPECT_EQ(targetTable.slots[number].state, Hidden) << number;
            }
            EXPECT_EQ(paints(), 1);
        }
    }
    EXPECT_TRUE(boxes.seen.empty());
}

// Each click repaints the board once and at once; only a click inside a cell
// of the due target judges, and the board's outermost pixels are inside.
TEST_F(WindowMessages, ClicksJudgeOnlyInsideTheBoardAndEachRepaintsOnce) {
    struct Click {
        int x, y;
        int32_t hits;  // the target the click finds, or 0
    };
    auto expectClicks = [this](std::initializer_list<Click> clicks) {
        for (const Click& click : clicks) {
            SCOPED_TRACE("click at " + std::to_string(click.x) + ", " + std::to_string(click.y));
            const GameRecords before = GameRecords::Now();
            paints() = 0;
            EXPECT_EQ(ClickAt(click.x, click.y), 0);
            if (click.hits) {
                EXPECT_EQ(targetTable.slots[click.hits].state, Correct);
                EXPECT_EQ(roundState.nextNumber, click.hits + 1);
            } else {
                EXPECT_TRUE(GameRecords::Now() == before);
            }
            EXPECT_EQ(paints(), 1);
            EXPECT_FALSE(UpdatePending());
        }
    };
    ModalCloser boxes;
    expectClicks({{100, 100, 0}});  // before any game
    SetUpRecall(1);
    expectClicks({{640, 519, 0}, {639, 520, 0}, {640, 520, 0}, {65535, 500, 0}, {620, 65535, 0}, {65535, 65535, 0},
                  {0, 39, 0}, {31, 39, 0}, {65535, 40, 0}, {0, 65535, 0}, {32768, 32768, 0}, {5, 300, 0},
                  {639, 519, 1}, {0, 40, 2}});
    EXPECT_TRUE(boxes.seen.empty());
}

TEST_F(WindowMessages, AWrongClickShowsTheMessageThenTheResultAndRepaintsMeanwhileJudgeNothing) {
    for (int32_t course : {FixedCourse, ChallengeCourse}) {
        SCOPED_TRACE(course == FixedCourse ? "fixed course" : "challenge course");
        gameSettings.courseMode = course;
        roundState.stage = 9;
        SetUpRecall(1);
        ModalCloser boxes(window_);
        ClickTarget3();  // while 1 is due
        ASSERT_EQ(boxes.seen.size(), 2u);
        EXPECT_EQ(boxes.seen[0].text, "ぶ～。間違いです！");
        EXPECT_EQ(boxes.seen[0].caption, "Glimmark");
        EXPECT_EQ(boxes.seen[0].owner, window_);
        EXPECT_FALSE(boxes.seen[0].hasIcon);
        EXPECT_EQ(boxes.seen[1].procedure, course == FixedCourse ? FixedResultDialog : ChallengeResultDialog);
        EXPECT_EQ(boxes.faults, 0);
        EXPECT_GT(boxes.repaints, 0);
        EXPECT_EQ(targetTable.slots[1].state, Wrong);
        EXPECT_EQ(targetTable.slots[2].state, Revealed);
        EXPECT_EQ(targetTable.slots[3].state, Wrong);
        EXPECT_EQ(roundState.nextNumber, 0);
        EXPECT_EQ(resultSnapshot.progress, 1);
    }
}

TEST_F(WindowMessages, TheLastClickJudgesTheRoundAndRepaintsMeanwhileJudgeNothing) {
    struct Case {
        int32_t course;
        int32_t stage;
        int32_t tries;
        std::vector<DLGPROC> expected;
        const char* message;
    };
    const Case cases[] = {
        {FixedCourse, 0, 3, {nullptr}, "やったね！ST1クリア"},                  // the next round starts
        {FixedCourse, 0, 1, {FixedResultDialog}, nullptr},                    // the last round
        {ChallengeCourse, 9, 3, {nullptr, StageSplash}, "チャレンジ9クリア"},   // the splash of the next stage
        {ChallengeCourse, LastStage, 3, {ChallengeResultDialog}, nullptr},    // the last stage
    };
    for (const Case& test : cases) {
        SCOPED_TRACE("course " + std::to_string(test.course) + ", stage " + std::to_string(test.stage) +
                     ", tries " + std::to_string(test.tries));
        gameSettings.courseMode = test.course;
        gameSettings.fixedTries = test.tries;
        roundState.stage = test.stage;
        roundState.roundsPlayed = 0;
        SetUpRecall(3);
        ModalCloser boxes(window_);
        ClickTarget3();
        EXPECT_EQ(boxes.Procedures(), test.expected);
        EXPECT_EQ(boxes.faults, 0);
        if (test.message) {
            EXPECT_EQ(boxes.seen[0].text, test.message);
        }
        EXPECT_EQ(roundState.nextNumber, 0);
        if (test.course == FixedCourse) {  // the round's figures, for the result
            EXPECT_EQ(resultSnapshot.progress, 4);
            EXPECT_EQ(resultSnapshot.roundsPlayed, 1);
        }
        KillTimer(window_, DisplayTimerId);
    }
}

}  // namespace
