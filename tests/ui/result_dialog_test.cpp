// The two result dialogs and the stage splash under Wine: figures, grade picture, closing, and whole challenge endings.
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "dialogs.h"
#include "front_end.h"
#include "game_state.h"
#include "resource_ids.h"

using namespace DialogTest;

namespace {

constexpr int PictureLeft = 130, PictureTop = 120, PictureSize = 128;

void ResetGameRecords() {
    std::memset(&gameSettings, 0, sizeof gameSettings);
    std::memset(&targetTable, 0, sizeof targetTable);
    std::memset(&roundState, 0, sizeof roundState);
    std::memset(&resultSnapshot, 0, sizeof resultSnapshot);
}

// What a player sees in a result dialog.
struct ResultSeen {
    std::string caption;
    std::map<int, std::string> texts;
    int pictureMatches = 0;
    int pictureSamples = 0;
    bool headingPainted = false;
    bool gradePainted = false;
    COLORREF besidePicture = 0;
    COLORREF belowPicture = 0;
};

ResultSeen ReadResult(HWND dialog, int pictureId) {
    ResultSeen seen;
    seen.caption = WindowText(dialog);
    for (HWND child : Children(dialog)) {
        seen.texts[GetDlgCtrlID(child)] = WindowText(child);
    }
    ResourcePicture picture(pictureId);
    EXPECT_TRUE(picture.loaded()) << "picture " << pictureId;
    seen.pictureMatches = MatchingPicturePoints(dialog, picture, PictureLeft, PictureTop, &seen.pictureSamples);
    seen.headingPainted = HasBlackPixel(dialog, 5, 40, 200, 72);
    seen.gradePainted = HasBlackPixel(dialog, 5, 80, 200, 112);
    seen.besidePicture = PixelAt(dialog, PictureLeft + PictureSize + 6, PictureTop + 40);
    seen.belowPicture = PixelAt(dialog, PictureLeft + 40, PictureTop + PictureSize + 6);
    return seen;
}

// Opens a result dialog as the game does, reads it, and closes it with its button.
ResultSeen OpenResult(int templateId, DLGPROC procedure, int pictureId) {
    ResultSeen seen;
    INT_PTR result = RunDialog(templateId, procedure, {[&](HWND dialog) {
        seen = ReadResult(dialog, pictureId);
        Click(dialog, IDC_RESULT_CLOSE);
    }});
    EXPECT_EQ(result, 1);
    return seen;
}

void ExpectPictureAndText(const ResultSeen& seen) {
    EXPECT_GT(seen.pictureSamples, 300);
    EXPECT_EQ(seen.pictureMatches, seen.pictureSamples) << "the grade's picture is not at (130, 120)";
    EXPECT_TRUE(seen.headingPainted);
    EXPECT_TRUE(seen.gradePainted);
    // Only the picture itself is copied: the dialog's own background surrounds it.
    EXPECT_EQ(seen.besidePicture, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(seen.belowPicture, GetSysColor(COLOR_BTNFACE));
}

class ResultDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameRecords();
        CreateBoardFont();
    }
};

// ---- The fixed-course result ---------------------------------------------------

struct FixedCase {
    const char* name;
    ResultSnapshot snapshot;
    const char* count;
    const char* progress;
    const char* time;
    const char* tries;
    const char* rounds;
    int pictureId;
};

TEST_F(ResultDialogTest, FixedResultShowsTheSnapshotAndTheGradePicture) {
    const FixedCase cases[] = {
        {"before any game", {0, 0, 0, 0, 0, 0, 0}, "0", "0", "0.0", "0", "0", IDB_RATING_FROG},
        {"9 at 0.5 s, all 3 rounds", {9, 10, 5, 3, 3, 0, 0}, "9", "10", "0.5", "3", "3", IDB_RATING_SUPER_GENIUS},
        {"7 at 1.0 s, failed in round 2", {7, 4, 10, 3, 1, 0, 0}, "7", "4", "1.0", "3", "1", IDB_RATING_PIG},
        {"during a challenge game", {5, 3, 30, 4, 0, 5, 5}, "5", "3", "3.0", "4", "0", IDB_RATING_BIRD},
    };
    for (const FixedCase& check : cases) {
        SCOPED_TRACE(check.name);
        resultSnapshot = check.snapshot;
        ResultSeen seen = OpenResult(IDD_FIXED_RESULT, FixedResultDialog, check.pictureId);
        EXPECT_EQ(seen.caption, "あなたの結果発表（固定コース）");
        EXPECT_EQ(seen.texts[IDC_RESULT_TARGET_COUNT], check.count);
        EXPECT_EQ(seen.texts[IDC_RESULT_PROGRESS], check.progress);
        EXPECT_EQ(seen.texts[IDC_RESULT_TIME], check.time);
        EXPECT_EQ(seen.texts[IDC_RESULT_TRIES], check.tries);
        EXPECT_EQ(seen.texts[IDC_RESULT_ROUNDS], check.rounds);
        EXPECT_EQ(seen.texts[IDC_RESULT_COUNT_LABEL], "記憶個数");
        EXPECT_EQ(seen.texts[IDC_RESULT_OF_TARGETS], "個中");
        EXPECT_EQ(seen.texts[IDC_RESULT_TIMES], "回");
        ExpectPictureAndText(seen);
    }
}

// The super genius is the human with lettering over him: the closest pair.
TEST_F(ResultDialogTest, PictureCheckTellsEvenTheClosestGradesApart) {
    resultSnapshot = {9, 10, 5, 3, 3, 0, 0};  // SuperGenius
    ResultSeen seen = OpenResult(IDD_FIXED_RESULT, FixedResultDialog, IDB_RATING_HUMAN);
    EXPECT_LT(seen.pictureMatches, seen.pictureSamples);
}

// ---- The challenge result ------------------------------------------------------

struct ChallengeCase {
    const char* name;
    int32_t stage;
    int32_t clearedCount, clearedTime;
    const char* stagesCleared;
    const char* count;
    const char* time;
    int pictureId;
};

TEST_F(ResultDialogTest, ChallengeResultShowsStagesClearedAndTheLastStageCleared) {
    const ChallengeCase cases[] = {
        {"failed at stage 7", 7, 5, 5, "6", "5", "0.5", IDB_RATING_BIRD},
        {"failed at the first beginner stage", 1, 0, 0, "0", "0", "0.0", IDB_RATING_FROG},
        {"failed at the first advanced stage", 18, 7, 2, "17", "7", "0.2", IDB_RATING_DOG},
        {"failed at stage 13", 13, 7, 8, "12", "7", "0.8", IDB_RATING_HUMAN},
    };
    for (const ChallengeCase& check : cases) {
        SCOPED_TRACE(check.name);
        roundState.stage = check.stage;
        resultSnapshot.clearedCount = check.clearedCount;
        resultSnapshot.clearedTime = check.clearedTime;
        ResultSeen seen = OpenResult(IDD_CHALLENGE_RESULT, ChallengeResultDialog, check.pictureId);
        EXPECT_EQ(seen.caption, "あなたの結果発表（チャレンジコース）");
        EXPECT_EQ(seen.texts[IDC_RESULT_TRIES], check.stagesCleared);
        EXPECT_EQ(seen.texts[IDC_RESULT_PROGRESS], check.count);
        EXPECT_EQ(seen.texts[IDC_RESULT_TIME], check.time);
        EXPECT_EQ(seen.texts[IDC_RESULT_TRIES_LABEL], "クリアしたチャレンジステージ：");
        ExpectPictureAndText(seen);
    }
}

// ---- Whole challenge endings, through the game core ----------------------------

// A host that runs the real result dialog and lets a test read it, and whose
// repaint judges at once, as the main window's paint does.
std::vector<int32_t> dialogsOpened;
std::vector<std::string> messagesShown;
ResultSeen challengeResultSeen;

void RecordMessage(const char* text, const char*) {
    messagesShown.push_back(text);
}

void RunDialogForTest(int32_t templateId) {
    dialogsOpened.push_back(templateId);
    if (templateId == IDD_CHALLENGE_RESULT) {
        challengeResultSeen = OpenResult(IDD_CHALLENGE_RESULT, ChallengeResultDialog, IDB_RATING_SUPER_GENIUS);
    }
}

void NoTimer(int32_t) {}
void NoStop() {}

const GameHost testHost = {RecordMessage, RunDialogForTest, NoTimer, NoStop, JudgeRound};

void PressTarget(int32_t number) {
    const Target& target = targetTable.slots[number];
    JudgeClick(static_cast<uint16_t>(target.column * CellSize + 16),
               static_cast<uint16_t>(target.row * CellSize + BoardTop + 16));
    JudgeRound();
}

void ClearStage() {
    EndDisplayTime();
    for (int32_t number = 1; number <= roundState.targetCount; ++number) {
        PressTarget(number);
    }
}

class ChallengeEndingTest : public ResultDialogTest {
protected:
    void SetUp() override {
        ResultDialogTest::SetUp();
        dialogsOpened.clear();
        messagesShown.clear();
        challengeResultSeen = ResultSeen();
        SetGameHost(&testHost);
        gameSettings = {3, 10, 3, 1, ChallengeCourse, AdvancedLevel};
        StartGame();  // stage 18; the climb to 27 is the core's own business
        AdvanceToStage27();
    }
    void TearDown() override { SetGameHost(nullptr); }

    // Puts the game at stage 27 as the climb does, then clears it.
    void AdvanceToStage27() {
        roundState.stage = 27;
        roundState.targetCount = StageTable[26].targetCount;
        roundState.displayTime = StageTable[26].displayTime;
        PlaceTargets();
        ClearStage();  // message, splash, stage 28 placed
        ASSERT_EQ(roundState.stage, 28);
        ASSERT_EQ(roundState.displayTime, 2);
        dialogsOpened.clear();
    }
};

TEST_F(ChallengeEndingTest, ClearingTheLastStageReportsAllTwentyEightCleared) {
    ClearStage();
    ASSERT_EQ(dialogsOpened, std::vector<int32_t>{IDD_CHALLENGE_RESULT});
    EXPECT_EQ(roundState.stage, 28);
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_TRIES], "28");
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_PROGRESS], "9");
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_TIME], "0.2");
    ExpectPictureAndText(challengeResultSeen);
}

TEST_F(ChallengeEndingTest, FailingTheLastStageReportsStage27) {
    EndDisplayTime();
    PressTarget(2);  // 1 is due
    ASSERT_EQ(dialogsOpened, std::vector<int32_t>{IDD_CHALLENGE_RESULT});
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_TRIES], "27");
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_PROGRESS], "9");
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_TIME], "0.3");
    ExpectPictureAndText(challengeResultSeen);
}

TEST_F(ChallengeEndingTest, ANewGameAfterAFullClearCountsStagesAsBefore) {
    ClearStage();
    dialogsOpened.clear();
    gameSettings.startLevel = BeginnerLevel;
    StartGame();  // stage 1
    dialogsOpened.clear();
    EndDisplayTime();
    PressTarget(2);
    ASSERT_EQ(dialogsOpened, std::vector<int32_t>{IDD_CHALLENGE_RESULT});
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_TRIES], "0");
    // The figures of the last stage cleared stay from the earlier game.
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_PROGRESS], "9");
    EXPECT_EQ(challengeResultSeen.texts[IDC_RESULT_TIME], "0.2");
}

// ---- Closing -------------------------------------------------------------------

TEST_F(ResultDialogTest, ResultDialogsCloseByButtonAndCloseBoxButNotByEsc) {
    struct Dialog {
        int templateId;
        DLGPROC procedure;
    };
    const Dialog dialogs[] = {{IDD_FIXED_RESULT, FixedResultDialog}, {IDD_CHALLENGE_RESULT, ChallengeResultDialog}};
    for (const Dialog& opened : dialogs) {
        SCOPED_TRACE(opened.templateId);
        EXPECT_EQ(RunDialog(opened.templateId, opened.procedure,
                            {[](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); }}),
                  1);
        EXPECT_EQ(RunDialog(opened.templateId, opened.procedure, {CloseByCloseBox}), 1);
        bool stayedOpen = false;
        EXPECT_EQ(RunDialog(opened.templateId, opened.procedure,
                            {
                                [](HWND) { PressKey(VK_ESCAPE); },
                                [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); },
                                [&](HWND dialog) {
                                    stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
                                    // The close button has the focus, the dialog's only tab stop.
                                    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_RESULT_CLOSE));
                                    Click(dialog, IDC_RESULT_CLOSE);
                                },
                            }),
                  1);
        EXPECT_TRUE(stayedOpen);
    }
}

// ---- The stage splash -------------------------------------------------------------

TEST(StageSplashTest, LevelTextFollowsTheStageTargetCount) {
    struct Case {
        int stage;
        const char* text;
    };
    const Case cases[] = {
        {1, "チャレンジ初級コース"},  {6, "チャレンジ初級コース"},  {7, "チャレンジ中級コース"},
        {17, "チャレンジ中級コース"}, {18, "チャレンジ上級コース"}, {28, "チャレンジ上級コース"},
    };
    for (const Case& check : cases) {
        EXPECT_STREQ(StageLevelText(StageTable[check.stage - 1].targetCount), check.text) << "stage " << check.stage;
    }
    EXPECT_STREQ(StageLevelText(6), "チャレンジ中級コース");
    EXPECT_STREQ(StageLevelText(8), "チャレンジ中級コース");
    EXPECT_STREQ(StageLevelText(0), "チャレンジ初級コース");
}

struct SplashSeen {
    int paints = 0;
    bool levelPainted = false;
    bool stagePainted = false;
};
SplashSeen splashSeen;

// Looks at the splash right after its own paint, before the dialog manager takes it down.
INT_PTR CALLBACK WatchedSplash(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = StageSplash(dialog, message, wParam, lParam);
    if (message == WM_PAINT) {
        ++splashSeen.paints;
        splashSeen.levelPainted = HasBlackPixel(dialog, 90, 3, 250, 20);
        splashSeen.stagePainted = HasBlackPixel(dialog, 5, 30, 250, 62);
    }
    return result;
}

TEST(StageSplashTest, ShowsItselfForAMomentAndClosesWithoutThePlayer) {
    CreateBoardFont();
    for (int stage : {7, 28}) {
        SCOPED_TRACE(stage);
        roundState.stage = stage;
        roundState.targetCount = StageTable[stage - 1].targetCount;
        roundState.displayTime = StageTable[stage - 1].displayTime;
        splashSeen = SplashSeen();
        DWORD start = GetTickCount();
        INT_PTR result = -1;
        DriveReport report = ModalDriver::Drive(
            [&] { result = DialogBoxParamA(NULL, MAKEINTRESOURCEA(IDD_STAGE_SPLASH), NULL, WatchedSplash, 0); }, {});
        DWORD elapsed = GetTickCount() - start;
        EXPECT_EQ(result, 1);
        EXPECT_FALSE(report.forcedClosed);
        EXPECT_GE(elapsed, 790u);
        EXPECT_LT(elapsed, 2500u);
        EXPECT_EQ(splashSeen.paints, 1);
        EXPECT_TRUE(splashSeen.levelPainted);
        EXPECT_TRUE(splashSeen.stagePainted);
    }
}

}  // namespace
