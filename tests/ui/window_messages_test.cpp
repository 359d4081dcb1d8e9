// How the main window answers commands, timers, clicks and notifications.
#include "ui_test_support.h"

#include "resource_ids.h"

namespace {

using UiTest::ModalCloser;
using UiTest::PumpFor;
using UiTest::PumpUntil;

// A fixed course of 3 targets shown for 3.0 s, 3 tries, grey covers.
constexpr char FixedCourseSettings[] = "3\r\n30\r\n3\r\n2\r\n0\r\n1\r\n";

struct GameRecords {
    GameSettings settings;
    TargetTable targets;
    RoundState round;
    ResultSnapshot snapshot;

    static GameRecords Now() { return GameRecords{gameSettings, targetTable, roundState, resultSnapshot}; }
    bool operator==(const GameRecords& other) const { return std::memcmp(this, &other, sizeof other) == 0; }
};

class WindowMessages : public UiTest::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        WriteSettings(FixedCourseSettings);
        ASSERT_NE(OpenMainWindow(), nullptr);
    }

    void TearDown() override {
        KillTimer(window_, DisplayTimerId);
        MainWindowFixture::TearDown();
    }

    // Targets 1..3 in row 0 at columns 2, 5, 8, covered and waiting for target 1.
    void SetUpRecall() {
        roundState.targetCount = 3;
        roundState.displayTime = 30;
        roundState.nextNumber = 1;
        for (int32_t number = 1; number <= 3; ++number) {
            targetTable.slots[number] = Target{3 * number - 1, 0, Hidden};
        }
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(window_, message, wParam, lParam);
    }

    LRESULT ClickAt(int x, int y) { return Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    bool UpdatePending() { return GetUpdateRect(window_, NULL, FALSE) != FALSE; }
};

TEST_F(WindowMessages, UnknownCommandsDoNothing) {
    ModalCloser boxes;
    roundState.targetCount = 3;
    GameRecords before = GameRecords::Now();
    const WORD unknown[] = {0, 1, IDOK, IDCANCEL, IDC_TOOLBAR, 337, 338, 400, 0x8000, 0xFFFF};
    for (WORD command : unknown) {
        EXPECT_EQ(Send(WM_COMMAND, command), 0) << command;
        EXPECT_EQ(Send(WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(toolbarWindow)), 0);
    }
    PumpFor(100);
    EXPECT_TRUE(GameRecords::Now() == before);
    EXPECT_EQ(paints(), 0);
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_TRUE(boxes.seen.empty());
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

TEST_F(WindowMessages, DialogCommandsOpenTheirDialogsOwnedByTheWindow) {
    struct Expected {
        WORD command;
        DLGPROC procedure;
    };
    const Expected dialogs[] = {
        {IDM_GAME_SETTINGS, GameSettingsDialog},
        {IDM_BRAIN_LEVEL, FixedResultDialog},
        {IDM_VERSION, AboutDialog},
    };
    gameSettings.courseMode = 1;  // the brain level shows the fixed result in either course
    for (const Expected& dialog : dialogs) {
        ModalCloser boxes;
        GameRecords before = GameRecords::Now();
        EXPECT_EQ(Send(WM_COMMAND, dialog.command), 0);
        ASSERT_EQ(boxes.seen.size(), 1u) << dialog.command;
        EXPECT_EQ(boxes.seen[0].procedure, dialog.procedure) << dialog.command;
        EXPECT_EQ(boxes.seen[0].owner, window_);
        EXPECT_TRUE(GameRecords::Now() == before) << dialog.command;
        EXPECT_TRUE(IsWindowEnabled(window_));
    }
}

TEST_F(WindowMessages, TimerOneEndsTheDisplayTime) {
    gameSettings.fixedTime = 1;
    Send(WM_COMMAND, IDM_START);
    paints() = 0;
    EXPECT_EQ(Send(WM_TIMER, DisplayTimerId), 0);
    EXPECT_EQ(roundState.nextNumber, 1);
    for (int32_t number = 1; number <= 3; ++number) {
        EXPECT_EQ(targetTable.slots[number].state, Hidden) << number;
    }
    EXPECT_EQ(paints(), 1);
    // EndDisplayTime stopped the timer: it does not come again.
    targetTable.slots[1].state = Shown;
    PumpFor(300);
    EXPECT_EQ(targetTable.slots[1].state, Shown);
}

TEST_F(WindowMessages, OtherTimersAreIgnoredWithoutRepainting) {
    Send(WM_COMMAND, IDM_START);
    paints() = 0;
    GameRecords before = GameRecords::Now();
    for (WPARAM timer : {WPARAM(0), WPARAM(2), WPARAM(329), WPARAM(0x10001)}) {
        EXPECT_EQ(Send(WM_TIMER, timer), 0);
    }
    EXPECT_FALSE(UpdatePending());
    PumpFor(100);
    EXPECT_EQ(paints(), 0);
    EXPECT_TRUE(GameRecords::Now() == before);
}

TEST_F(WindowMessages, AClickBeforeAnyGameStillRepaintsTheWholeBoard) {
    GameRecords before = GameRecords::Now();
    EXPECT_EQ(ClickAt(100, 100), 0);
    EXPECT_EQ(paints(), 1);
    EXPECT_FALSE(UpdatePending());
    EXPECT_TRUE(GameRecords::Now() == before);
}

TEST_F(WindowMessages, AClickOnAnEmptyCellRepaintsAndJudgesNothing) {
    SetUpRecall();
    GameRecords before = GameRecords::Now();
    EXPECT_EQ(ClickAt(5, 300), 0);
    EXPECT_EQ(paints(), 1);
    EXPECT_TRUE(GameRecords::Now() == before);
}

TEST_F(WindowMessages, AClickOnTheDueTargetMarksItCorrectAndRepaints) {
    SetUpRecall();
    EXPECT_EQ(ClickAt(2 * 32 + 31, 40), 0);  // the far corner of column 2, row 0
    EXPECT_EQ(targetTable.slots[1].state, Correct);
    EXPECT_EQ(roundState.nextNumber, 2);
    EXPECT_EQ(paints(), 1);
}

// The repaint after the last click runs the judgement: the last try of a fixed
// game opens the fixed result.
TEST_F(WindowMessages, TheRepaintAfterTheLastClickJudgesTheRound) {
    gameSettings.fixedTries = 1;
    SetUpRecall();
    ModalCloser boxes;
    ClickAt(2 * 32, 40);
    ClickAt(5 * 32, 40);
    EXPECT_TRUE(boxes.seen.empty());
    ClickAt(8 * 32 + 16, 60);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].procedure, FixedResultDialog);
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_EQ(resultSnapshot.progress, 4);
    EXPECT_EQ(resultSnapshot.roundsPlayed, 1);
}

TEST_F(WindowMessages, AWrongClickShowsTheMessageThenTheResult) {
    SetUpRecall();
    ModalCloser boxes;
    ClickAt(5 * 32, 40);  // target 2 while 1 is due
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[0].text, "ぶ～。間違いです！");
    EXPECT_EQ(boxes.seen[0].caption, "Glimmark");
    EXPECT_EQ(boxes.seen[0].owner, window_);
    EXPECT_FALSE(boxes.seen[0].hasIcon);
    EXPECT_EQ(boxes.seen[1].procedure, FixedResultDialog);
    EXPECT_EQ(targetTable.slots[1].state, Wrong);
    EXPECT_EQ(targetTable.slots[2].state, Wrong);
    EXPECT_EQ(targetTable.slots[3].state, Revealed);
}

TEST_F(WindowMessages, NotificationsAnswerZero) {
    NMHDR notification = {toolbarWindow, IDC_TOOLBAR, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(Send(WM_NOTIFY, IDC_TOOLBAR, reinterpret_cast<LPARAM>(&notification)), 0);
    TOOLTIPTEXTA tooltip = {};
    tooltip.hdr = {toolbarWindow, IDM_EXIT, static_cast<UINT>(TTN_NEEDTEXTA)};
    EXPECT_EQ(Send(WM_NOTIFY, IDM_EXIT, reinterpret_cast<LPARAM>(&tooltip)), 0);
    ASSERT_NE(tooltip.lpszText, nullptr);
    EXPECT_STREQ(tooltip.lpszText, "終了");
}

}  // namespace
