// The two result dialogs and the stage splash under Wine: figures, grade picture, closing, and how challenge games end.
#include "ui_test_support.h"

#include "dialogs.h"
#include "resource_ids.h"
#include "windowless_host.h"

using namespace UiTest;

namespace {

// The texts of the three or five figures, the grade picture, and the painted lines.
struct ResultShown {
    std::string stagesOrTries, progress, time, targetCount, rounds;
    bool picture = false, heading = false, grade = false, backgroundAroundPicture = false;
};

ResultShown ReadResult(HWND dialog, int pictureId) {
    ResultShown shown;
    shown.stagesOrTries = ItemText(dialog, IDC_RESULT_TRIES);
    shown.progress = ItemText(dialog, IDC_RESULT_PROGRESS);
    shown.time = ItemText(dialog, IDC_RESULT_TIME);
    shown.targetCount = ItemText(dialog, IDC_RESULT_TARGET_COUNT);
    shown.rounds = ItemText(dialog, IDC_RESULT_ROUNDS);
    shown.picture = ShowsPicture(dialog, pictureId, 130, 120);
    shown.heading = HasBlackPixel(dialog, 5, 40, 200, 72);
    shown.grade = HasBlackPixel(dialog, 5, 80, 200, 112);
    // Only the 128 x 128 picture is copied; the dialog's own background surrounds it.
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    shown.backgroundAroundPicture = PixelAt(dialog, 264, 160) == face && PixelAt(dialog, 170, 254) == face;
    return shown;
}

ResultShown OpenResult(int templateId, int pictureId) {
    DLGPROC procedure = templateId == IDD_FIXED_RESULT ? FixedResultDialog : ChallengeResultDialog;
    ResultShown shown;
    EXPECT_EQ(RunDialog(templateId, procedure,
                        {[&](HWND dialog) {
                            shown = ReadResult(dialog, pictureId);
                            Click(dialog, IDC_RESULT_CLOSE);
                        }}),
              1);
    return shown;
}

void ExpectPainted(const ResultShown& shown) {
    EXPECT_TRUE(shown.picture) << "the grade's picture is not at (130, 120)";
    EXPECT_TRUE(shown.heading && shown.grade);
    EXPECT_TRUE(shown.backgroundAroundPicture);
}

class ResultDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        WindowlessHost::ResetGameRecords();
        CreateBoardFont();
    }
};

// The fixed result shows the snapshot; the challenge result the stages cleared
// and the last cleared stage's count and time.
TEST_F(ResultDialogTest, ResultsShowTheirFiguresAndTheGrade) {
    struct Case {
        int templateId;
        ResultSnapshot snapshot;
        int32_t stage;
        ResultShown texts;  // tries or stages, progress, time, count, rounds (the fixed result only)
        int pictureId;
    };
    const Case cases[] = {
        {IDD_FIXED_RESULT, {0, 0, 0, 0, 0, 0, 0}, 0, {"0", "0", "0.0", "0", "0"}, IDB_RATING_FROG},  // before any game
        {IDD_FIXED_RESULT, {9, 10, 5, 3, 3, 0, 0}, 0, {"3", "10", "0.5", "9", "3"}, IDB_RATING_SUPER_GENIUS},
        {IDD_FIXED_RESULT, {7, 4, 10, 3, 1, 0, 0}, 0, {"3", "4", "1.0", "7", "1"}, IDB_RATING_PIG},  // lost in round 2
        {IDD_CHALLENGE_RESULT, {9, 3, 5, 3, 2, 5, 5}, 7, {"6", "5", "0.5", "", ""}, IDB_RATING_BIRD},
        {IDD_CHALLENGE_RESULT, {9, 3, 5, 3, 2, 7, 2}, 18, {"17", "7", "0.2", "", ""}, IDB_RATING_DOG},  // failed at 18
    };
    for (const Case& check : cases) {
        SCOPED_TRACE(std::to_string(check.templateId) + ": " + check.texts.stagesOrTries);
        resultSnapshot = check.snapshot;
        roundState.stage = check.stage;
        ResultShown shown = OpenResult(check.templateId, check.pictureId);
        EXPECT_EQ(shown.stagesOrTries, check.texts.stagesOrTries);
        EXPECT_EQ(shown.progress, check.texts.progress);
        EXPECT_EQ(shown.time, check.texts.time);
        if (check.templateId == IDD_FIXED_RESULT) {
            EXPECT_EQ(shown.targetCount, check.texts.targetCount);
            EXPECT_EQ(shown.rounds, check.texts.rounds);
        }
        ExpectPainted(shown);
    }
}

TEST_F(ResultDialogTest, ResultDialogsCloseByTheirButtonAndCloseBoxButNotByEsc) {
    ExpectClosesByButtonAndCloseBoxButNotByEsc(IDD_FIXED_RESULT, FixedResultDialog, IDC_RESULT_CLOSE);
    ExpectClosesByButtonAndCloseBoxButNotByEsc(IDD_CHALLENGE_RESULT, ChallengeResultDialog, IDC_RESULT_CLOSE);
}

// ---- How challenge games end, through the game core ----

ResultShown challengeShown;

void ClearStage() {
    WindowlessHost::ExpireDisplayTimer();
    for (int32_t number = 1; number <= roundState.targetCount; ++number) {
        WindowlessHost::PressTarget(number);
    }
}

// Starts an advanced game, puts it at stage 27 and clears that, as the climb does.
class ChallengeEndingTest : public ResultDialogTest {
protected:
    void SetUp() override {
        ResultDialogTest::SetUp();
        challengeShown = ResultShown();
        WindowlessHost::Install();
        WindowlessHost::OnDialog(IDD_CHALLENGE_RESULT,
                                 [] { challengeShown = OpenResult(IDD_CHALLENGE_RESULT, IDB_RATING_SUPER_GENIUS); });
        gameSettings = {3, 10, 3, 1, ChallengeCourse, AdvancedLevel};
        StartGame();
        roundState = {StageTable[26].targetCount, StageTable[26].displayTime, 27, 0, 0};
        PlaceTargets();
        ClearStage();
        ASSERT_EQ(roundState.stage, 28);
    }
    void TearDown() override { WindowlessHost::Uninstall(); }
};

TEST_F(ChallengeEndingTest, ClearingTheLastStageCountsAllTwentyEight) {
    ClearStage();
    EXPECT_EQ(challengeShown.stagesOrTries, "28");
    EXPECT_EQ(challengeShown.progress, "9");
    EXPECT_EQ(challengeShown.time, "0.2");
    ExpectPainted(challengeShown);
}

TEST_F(ChallengeEndingTest, FailingTheLastStageCountsTwentySevenWithTheirFigures) {
    WindowlessHost::ExpireDisplayTimer();
    WindowlessHost::PressTarget(2);  // 1 is due
    EXPECT_EQ(challengeShown.stagesOrTries, "27");
    EXPECT_EQ(challengeShown.progress, "9");
    EXPECT_EQ(challengeShown.time, "0.3");
    ExpectPainted(challengeShown);
}

// ---- The stage splash ----

TEST(StageSplashTest, LevelTextFollowsTheStageTargetCount) {
    EXPECT_STREQ(StageLevelText(StageTable[0].targetCount), "チャレンジ初級コース");
    EXPECT_STREQ(StageLevelText(StageTable[6].targetCount), "チャレンジ中級コース");
    EXPECT_STREQ(StageLevelText(StageTable[17].targetCount), "チャレンジ上級コース");
    EXPECT_STREQ(StageLevelText(StageTable[27].targetCount), "チャレンジ上級コース");
    EXPECT_STREQ(StageLevelText(6), "チャレンジ中級コース");
    EXPECT_STREQ(StageLevelText(8), "チャレンジ中級コース");
}

int splashPaints;
bool splashLinesPainted;

// Looks at the splash right after its own paint, before the dialog manager takes it down.
INT_PTR CALLBACK WatchedSplash(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = StageSplash(dialog, message, wParam, lParam);
    if (message == WM_PAINT) {
        ++splashPaints;
        splashLinesPainted = HasBlackPixel(dialog, 90, 3, 250, 20) && HasBlackPixel(dialog, 5, 30, 250, 62);
    }
    return result;
}

TEST(StageSplashTest, ShowsItselfForAMomentAndClosesWithoutThePlayer) {
    CreateBoardFont();
    roundState = {7, 30, 7, 0, 0};
    splashPaints = 0;
    DWORD start = GetTickCount();
    INT_PTR result = -1;
    DriveReport report = ModalDriver::Drive(
        [&] { result = DialogBoxParamA(NULL, MAKEINTRESOURCEA(IDD_STAGE_SPLASH), NULL, WatchedSplash, 0); }, {});
    DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(report.forcedClosed);
    EXPECT_GE(elapsed, 790u);
    EXPECT_LT(elapsed, 2500u);
    EXPECT_EQ(splashPaints, 1);
    EXPECT_TRUE(splashLinesPainted);
}

}  // namespace
