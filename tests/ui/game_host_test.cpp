// The Win32 GameHost operations; its message box is checked where a wrong click brings it up.
#include "ui_test_support.h"

#include "resource_ids.h"

namespace {

using UiTest::ModalCloser;
using UiTest::PumpFor;
using UiTest::PumpUntil;

class WindowsGameHost : public UiTest::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        WriteSettings("3\r\n10\r\n3\r\n0\r\n0\r\n1\r\n");
        ASSERT_NE(OpenMainWindow(), nullptr);
    }

    // Two targets on show, as during the display time.
    static void SetUpDisplay() {
        roundState.targetCount = 2;
        roundState.nextNumber = 0;
        targetTable.slots[1] = Target{1, 1, Shown};
        targetTable.slots[2] = Target{6, 6, Shown};
    }
};

// A template missing from the resources is passed over: nothing opens.
TEST_F(WindowsGameHost, RunDialogOpensEachTemplateWithItsProcedureAndPassesOverOthers) {
    struct Expected {
        int32_t templateId;
        DLGPROC procedure;  // nullptr: no dialog
    };
    const Expected dialogs[] = {
        {IDD_GAME_SETTINGS, GameSettingsDialog}, {IDD_FIXED_RESULT, FixedResultDialog}, {IDD_STAGE_SPLASH, StageSplash},
        {IDD_CHALLENGE_RESULT, ChallengeResultDialog}, {IDD_ABOUT, AboutDialog}, {0, nullptr}, {1, nullptr},
        {6, nullptr}, {20, nullptr}, {22, nullptr}, {101, nullptr}, {102, nullptr}, {-1, nullptr},
    };
    for (const Expected& dialog : dialogs) {
        SCOPED_TRACE(dialog.templateId);
        ModalCloser boxes;
        windowsGameHost.runDialog(dialog.templateId);
        ASSERT_EQ(boxes.seen.size(), dialog.procedure ? 1u : 0u);
        if (dialog.procedure) {
            EXPECT_EQ(boxes.seen[0].procedure, dialog.procedure);
            EXPECT_EQ(boxes.seen[0].owner, window_);
        }
        EXPECT_TRUE(IsWindowEnabled(window_));
    }
}

// The timer ends the display time once, after the last period it was started
// with; stopped, it ends nothing.
TEST_F(WindowsGameHost, TheDisplayTimerEndsTheDisplayTimeOnceAfterItsLastPeriodUnlessStopped) {
    SetUpDisplay();
    windowsGameHost.startDisplayTimer(50);
    windowsGameHost.stopDisplayTimer();
    PumpFor(300);
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_EQ(targetTable.slots[1].state, Shown);

    windowsGameHost.startDisplayTimer(100);
    DWORD restarted = GetTickCount();
    windowsGameHost.startDisplayTimer(600);
    EXPECT_TRUE(PumpUntil([] { return roundState.nextNumber == 1; }, 3000));
    EXPECT_GE(GetTickCount() - restarted, 500u);
    EXPECT_EQ(targetTable.slots[2].state, Hidden);

    SetUpDisplay();
    PumpFor(700);
    EXPECT_EQ(roundState.nextNumber, 0);
}

// The repaint is done before it returns, so a judgement in it sees the board as drawn.
TEST_F(WindowsGameHost, RepaintErasesAndPaintsAtOnce) {
    windowsGameHost.repaint();
    EXPECT_EQ(paints(), 1);
    EXPECT_FALSE(GetUpdateRect(window_, NULL, FALSE));
}

}  // namespace
