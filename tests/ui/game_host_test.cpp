// The five GameHost operations as the Win32 front end provides them on the main window.
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

    void TearDown() override {
        windowsGameHost.stopDisplayTimer();
        MainWindowFixture::TearDown();
    }

    // Two targets on show, as during the display time.
    static void SetUpDisplay() {
        roundState.targetCount = 2;
        roundState.nextNumber = 0;
        targetTable.slots[1] = Target{1, 1, Shown};
        targetTable.slots[2] = Target{6, 6, Shown};
    }
};

TEST_F(WindowsGameHost, ShowMessageIsAPlainBoxOwnedByTheMainWindow) {
    ModalCloser boxes;
    windowsGameHost.showMessage("チャレンジ6クリア", "Glimmark");
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "チャレンジ6クリア");
    EXPECT_EQ(boxes.seen[0].caption, "Glimmark");
    EXPECT_EQ(boxes.seen[0].owner, window_);
    EXPECT_FALSE(boxes.seen[0].hasIcon);
}

TEST_F(WindowsGameHost, RunDialogOpensEachTemplateWithItsProcedure) {
    struct Expected {
        int32_t templateId;
        DLGPROC procedure;
    };
    const Expected dialogs[] = {
        {IDD_GAME_SETTINGS, GameSettingsDialog},   {IDD_FIXED_RESULT, FixedResultDialog},
        {IDD_STAGE_SPLASH, StageSplash},           {IDD_CHALLENGE_RESULT, ChallengeResultDialog},
        {IDD_ABOUT, AboutDialog},
    };
    for (const Expected& dialog : dialogs) {
        ModalCloser boxes;
        windowsGameHost.runDialog(dialog.templateId);
        ASSERT_EQ(boxes.seen.size(), 1u) << dialog.templateId;
        EXPECT_EQ(boxes.seen[0].procedure, dialog.procedure) << dialog.templateId;
        EXPECT_EQ(boxes.seen[0].owner, window_) << dialog.templateId;
    }
}

TEST_F(WindowsGameHost, RunDialogPassesOverTemplatesItDoesNotHave) {
    ModalCloser boxes;
    for (int32_t templateId : {0, 1, 6, 20, 22, 101, 102, -1}) {
        windowsGameHost.runDialog(templateId);
    }
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(WindowsGameHost, TheDisplayTimerEndsTheDisplayTimeOnce) {
    SetUpDisplay();
    windowsGameHost.startDisplayTimer(50);
    EXPECT_TRUE(PumpUntil([] { return roundState.nextNumber == 1; }, 3000));
    EXPECT_EQ(targetTable.slots[2].state, Hidden);
    SetUpDisplay();
    PumpFor(300);
    EXPECT_EQ(roundState.nextNumber, 0);
}

TEST_F(WindowsGameHost, StoppingTheTimerKeepsTheNumbersOnShow) {
    SetUpDisplay();
    windowsGameHost.startDisplayTimer(50);
    windowsGameHost.stopDisplayTimer();
    PumpFor(300);
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_EQ(targetTable.slots[1].state, Shown);
}

TEST_F(WindowsGameHost, StartingTheTimerAgainRestartsItsPeriod) {
    SetUpDisplay();
    windowsGameHost.startDisplayTimer(100);
    DWORD restarted = GetTickCount();
    windowsGameHost.startDisplayTimer(600);
    EXPECT_TRUE(PumpUntil([] { return roundState.nextNumber == 1; }, 3000));
    EXPECT_GE(GetTickCount() - restarted, 500u);
}

TEST_F(WindowsGameHost, RepaintErasesPaintsAndJudgesBeforeReturning) {
    windowsGameHost.repaint();
    EXPECT_EQ(paints(), 1);
    EXPECT_FALSE(GetUpdateRect(window_, NULL, FALSE));

    // A completed fixed round that is not the last one: the message, then a new round.
    SetUpDisplay();
    gameSettings.fixedTries = 3;
    roundState.nextNumber = 3;
    ModalCloser boxes;
    windowsGameHost.repaint();
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "やったね！ST1クリア");
    EXPECT_EQ(roundState.roundsPlayed, 1);
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_EQ(targetTable.slots[1].state, Shown);
}

}  // namespace
