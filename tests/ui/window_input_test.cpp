// Bad input at the main window: clicks on and beyond the board's edges, stray timers and commands, and repaints during every modal wait.
#include "ui_test_support.h"

#include "resource_ids.h"

namespace {

using UiTest::ModalCloser;

// A fixed course of 3 targets shown for 3.0 s, 3 tries.
constexpr char FixedCourseSettings[] = "3\r\n30\r\n3\r\n2\r\n0\r\n1\r\n";

struct GameRecords {
    GameSettings settings;
    TargetTable targets;
    RoundState round;
    ResultSnapshot snapshot;

    static GameRecords Now() { return GameRecords{gameSettings, targetTable, roundState, resultSnapshot}; }
    bool operator==(const GameRecords& other) const { return std::memcmp(this, &other, sizeof other) == 0; }
};

// While alive, answers every dialog and message box that opens on this thread by
// repainting the main window in every way a modal loop can (at once, and again from
// a timer inside the box's own loop), checking that those paints change no record and
// open nothing, and then closing the box.
class ModalRepainter {
public:
    explicit ModalRepainter(HWND mainWindow) {
        current_ = this;
        main_ = mainWindow;
        hook_ = SetWindowsHookExA(WH_CBT, Watch, NULL, GetCurrentThreadId());
    }
    ~ModalRepainter() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    ModalRepainter(const ModalRepainter&) = delete;
    ModalRepainter& operator=(const ModalRepainter&) = delete;

    std::vector<DLGPROC> boxes;  // each dialog's procedure; nullptr for a message box
    int repaints = 0;
    int faults = 0;

private:
    void RepaintAndCheck() {
        const GameRecords before = GameRecords::Now();
        const size_t boxesBefore = boxes.size();
        for (int round = 0; round < 3; ++round) {
            InvalidateRect(main_, NULL, TRUE);
            UpdateWindow(main_);
            SendMessageA(main_, WM_PAINT, 0, 0);
            repaints += 2;
        }
        if (!(GameRecords::Now() == before) || boxes.size() != boxesBefore) {
            ++faults;
        }
    }

    static void CALLBACK RepaintThenClose(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(NULL, timer);
        if (current_ && IsWindow(current_->open_)) {
            current_->RepaintAndCheck();
            EndDialog(current_->open_, IDOK);
        }
    }

    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && current_) {
            HWND box = reinterpret_cast<HWND>(wParam);
            char className[32] = {};
            GetClassNameA(box, className, sizeof className);
            if (std::strcmp(className, "#32770") == 0 && box != current_->open_) {
                current_->open_ = box;
                const bool messageBox = GetDlgItem(box, 0xFFFF) != NULL;  // its text control
                current_->boxes.push_back(
                    messageBox ? nullptr : reinterpret_cast<DLGPROC>(GetWindowLongPtrA(box, DWLP_DLGPROC)));
                current_->RepaintAndCheck();
                SetTimer(NULL, 0, 1, RepaintThenClose);
            }
        }
        return CallNextHookEx(NULL, code, wParam, lParam);
    }

    static inline ModalRepainter* current_ = nullptr;
    HWND main_ = NULL;
    HHOOK hook_ = NULL;
    HWND open_ = NULL;
};

class WindowInput : public UiTest::MainWindowFixture {
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

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(window_, message, wParam, lParam);
    }

    LRESULT ClickAt(int x, int y) { return Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    // Clicks that must change nothing, each still followed by exactly one repaint.
    void ExpectIgnoredClicks(std::initializer_list<POINT> clicks) {
        for (POINT click : clicks) {
            SCOPED_TRACE("click at " + std::to_string(click.x) + ", " + std::to_string(click.y));
            const GameRecords before = GameRecords::Now();
            paints() = 0;
            EXPECT_EQ(ClickAt(click.x, click.y), 0);
            EXPECT_TRUE(GameRecords::Now() == before);
            EXPECT_EQ(paints(), 1);
        }
    }
};

TEST_F(WindowInput, ClicksJustOutsideTheBoardOrAtTheFarthestCoordinatesChangeNothing) {
    ModalCloser boxes;
    SetUpRecall(1);
    ExpectIgnoredClicks({{640, 519}, {639, 520}, {640, 520}, {65535, 500}, {620, 65535}, {65535, 65535},
                         {0, 39}, {31, 39}, {65535, 40}, {0, 65535}, {32768, 32768}});
    EXPECT_TRUE(boxes.seen.empty());
}

TEST_F(WindowInput, TheBoardsOuterPixelsStillHitTheirCells) {
    ModalCloser boxes;
    SetUpRecall(1);
    EXPECT_EQ(ClickAt(639, 519), 0);  // the last pixel of the bottom right cell
    EXPECT_EQ(targetTable.slots[1].state, Correct);
    EXPECT_EQ(roundState.nextNumber, 2);
    EXPECT_EQ(ClickAt(0, 40), 0);  // the first pixel of the top left cell
    EXPECT_EQ(targetTable.slots[2].state, Correct);
    EXPECT_EQ(roundState.nextNumber, 3);
    EXPECT_TRUE(boxes.seen.empty());
}

TEST_F(WindowInput, NoTimerButTheDisplayTimerDoesAnything) {
    ModalCloser boxes;
    Send(WM_COMMAND, IDM_START);  // on display, timer 1 running
    for (bool recall : {false, true}) {
        if (recall) {
            SetUpRecall(2);
        }
        SCOPED_TRACE(recall ? "while recalling" : "while on display");
        const GameRecords before = GameRecords::Now();
        paints() = 0;
        for (WPARAM timer : {WPARAM(0), WPARAM(2), WPARAM(65535), WPARAM(0x10001), WPARAM(0x100000001)}) {
            EXPECT_EQ(Send(WM_TIMER, timer), 0);
        }
        for (WPARAM timer = 2; timer <= 4096; ++timer) {
            Send(WM_TIMER, timer);
        }
        EXPECT_TRUE(GameRecords::Now() == before);
        EXPECT_EQ(paints(), 0);
    }
    EXPECT_TRUE(boxes.seen.empty());
}

TEST_F(WindowInput, NoCommandOutsideTheToolbarsSetDoesAnything) {
    ModalCloser boxes;
    SetUpRecall(2);
    const GameRecords before = GameRecords::Now();
    for (WPARAM command : {WPARAM(0), WPARAM(329), WPARAM(337), WPARAM(65535), MAKEWPARAM(329, 1),
                           MAKEWPARAM(337, BN_CLICKED), MAKEWPARAM(0, 0xFFFF)}) {
        EXPECT_EQ(Send(WM_COMMAND, command), 0);
    }
    for (WPARAM command = 0; command <= 0xFFFF; ++command) {
        if (command < IDM_START || command > IDM_START_RIGHT) {
            Send(WM_COMMAND, command, 0);
        }
    }
    EXPECT_TRUE(GameRecords::Now() == before);
    EXPECT_TRUE(boxes.seen.empty());
    EXPECT_TRUE(IsWindow(window_));
    EXPECT_FALSE(UiTest::TakeQuitMessage());
}

TEST_F(WindowInput, RepaintsWhileAWrongClicksBoxesWaitJudgeNothing) {
    for (int32_t course : {FixedCourse, ChallengeCourse}) {
        SCOPED_TRACE(course == FixedCourse ? "fixed course" : "challenge course");
        gameSettings.courseMode = course;
        roundState.stage = 9;
        SetUpRecall(1);
        ModalRepainter boxes(window_);
        ClickAt(10 * 32, 7 * 32 + 40);  // target 3 while 1 is due
        ASSERT_EQ(boxes.boxes.size(), 2u);
        EXPECT_EQ(boxes.boxes[0], nullptr);  // the message box
        EXPECT_EQ(boxes.boxes[1], course == FixedCourse ? FixedResultDialog : ChallengeResultDialog);
        EXPECT_EQ(boxes.faults, 0);
        EXPECT_GT(boxes.repaints, 0);
        EXPECT_EQ(roundState.nextNumber, 0);
        EXPECT_EQ(resultSnapshot.progress, 1);
    }
}

TEST_F(WindowInput, RepaintsWhileAClearedRoundsBoxesWaitJudgeNothing) {
    struct Case {
        int32_t course;
        int32_t stage;
        int32_t tries;
        std::vector<DLGPROC> expected;
    };
    const Case cases[] = {
        {FixedCourse, 0, 3, {nullptr}},                            // round cleared, the next one starts
        {FixedCourse, 0, 1, {FixedResultDialog}},                  // the last round
        {ChallengeCourse, 9, 3, {nullptr, StageSplash}},           // a stage cleared, the splash of the next
        {ChallengeCourse, LastStage, 3, {ChallengeResultDialog}},  // the last stage
    };
    for (const Case& test : cases) {
        SCOPED_TRACE("course " + std::to_string(test.course) + ", stage " + std::to_string(test.stage) +
                     ", tries " + std::to_string(test.tries));
        gameSettings.courseMode = test.course;
        gameSettings.fixedTries = test.tries;
        roundState.stage = test.stage;
        roundState.roundsPlayed = 0;
        SetUpRecall(3);
        {
            ModalRepainter boxes(window_);
            ClickAt(10 * 32 + 5, 7 * 32 + 45);  // target 3, the last
            EXPECT_EQ(boxes.boxes, test.expected);
            EXPECT_EQ(boxes.faults, 0);
        }
        EXPECT_EQ(roundState.nextNumber, 0);
        KillTimer(window_, DisplayTimerId);
    }
}

TEST_F(WindowInput, RepaintsWhileTheCommandsDialogsWaitJudgeNothing) {
    for (WORD command : {WORD(IDM_GAME_SETTINGS), WORD(IDM_BRAIN_LEVEL), WORD(IDM_VERSION)}) {
        SCOPED_TRACE("command " + std::to_string(command));
        SetUpRecall(2);
        const GameRecords before = GameRecords::Now();
        ModalRepainter boxes(window_);
        Send(WM_COMMAND, command);
        EXPECT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.faults, 0);
        EXPECT_TRUE(GameRecords::Now() == before);
    }
}

// A new challenge game started deep in a bigger band: the splash's paints must not
// judge the abandoned round against the new stage's smaller count.
TEST_F(WindowInput, RepaintsDuringTheSplashOfARestartJudgeNothing) {
    gameSettings.courseMode = ChallengeCourse;
    gameSettings.startLevel = BeginnerLevel;
    roundState.stage = 20;
    SetUpRecall(3);
    roundState.targetCount = 9;
    roundState.nextNumber = 8;
    ModalRepainter boxes(window_);
    Send(WM_COMMAND, IDM_START);
    EXPECT_EQ(boxes.boxes, std::vector<DLGPROC>{StageSplash});
    EXPECT_EQ(boxes.faults, 0);
    EXPECT_EQ(roundState.stage, 1);
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_EQ(resultSnapshot.clearedCount, 0);
}

}  // namespace
