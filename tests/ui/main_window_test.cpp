// The main window's class, size and place, and what its creation and destruction do with the settings.
#include "ui_test_support.h"

#include "resource_ids.h"

namespace {

using UiTest::MainWindowFixture;
using UiTest::ModalCloser;
using UiTest::ReadWholeFile;

constexpr char SavedSettings[] = "5\r\n20\r\n4\r\n2\r\n0\r\n3\r\n";

SIZE Size(int width, int height) {
    SIZE size = {width, height};
    return size;
}

void ExpectCorner(SIZE screen, int x, int y) {
    POINT corner = CenteredWindowPosition(screen, Size(646, 556));
    EXPECT_EQ(corner.x, x) << "screen " << screen.cx << " x " << screen.cy;
    EXPECT_EQ(corner.y, y) << "screen " << screen.cx << " x " << screen.cy;
}

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, ClassHasTheArrowBlackBackgroundIconAndNoMenu) {
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSA windowClass = {};
    ASSERT_TRUE(GetClassInfoA(instance, "Main Window", &windowClass));
    EXPECT_EQ(windowClass.style, 0x1003u);
    EXPECT_EQ(windowClass.lpfnWndProc, MainWindowProc);
    EXPECT_EQ(windowClass.cbClsExtra, 0);
    EXPECT_EQ(windowClass.cbWndExtra, 0);
    EXPECT_EQ(windowClass.hIcon, LoadIconA(instance, MAKEINTRESOURCEA(IDI_GLIMMARK)));
    EXPECT_NE(windowClass.hIcon, nullptr);
    EXPECT_EQ(windowClass.hCursor, LoadCursorA(NULL, IDC_ARROW));
    EXPECT_EQ(windowClass.hbrBackground, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(windowClass.lpszMenuName, nullptr);
}

TEST_F(MainWindow, RegisteringTheClassAgainReportsFailure) {
    EXPECT_FALSE(RegisterMainWindowClass(GetModuleHandleA(NULL)));
}

TEST_F(MainWindow, HasItsTitleAFixedFrameAndNoMenu) {
    HWND window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window, mainWindow);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Glimmark Ver1.11");
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(style & WS_SYSMENU, WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    EXPECT_EQ(GetMenu(window), nullptr);
}

TEST_F(MainWindow, IsCentredAtItsOuterSizeWithRoomForTheBoard) {
    HWND window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    RECT outer;
    GetWindowRect(window, &outer);
    SIZE size = MainWindowOuterSize();
    EXPECT_EQ(outer.right - outer.left, size.cx);
    EXPECT_EQ(outer.bottom - outer.top, size.cy);

    HDC screenContext = GetDC(NULL);
    SIZE screen = {GetDeviceCaps(screenContext, HORZRES), GetDeviceCaps(screenContext, VERTRES)};
    ReleaseDC(NULL, screenContext);
    POINT corner = CenteredWindowPosition(screen, size);
    EXPECT_EQ(outer.left, corner.x);
    EXPECT_EQ(outer.top, corner.y);

    RECT client;
    GetClientRect(window, &client);
    EXPECT_GE(client.right, 640);
    EXPECT_GE(client.bottom, 520);
}

// The classic size is kept unless this system's frame would crop the board;
// then the client area is exactly the board's.
TEST_F(MainWindow, OuterSizeIsTheClassicOneOrFitsTheBoardExactly) {
    SIZE size = MainWindowOuterSize();
    RECT needed = {0, 0, 640, 520};
    AdjustWindowRectEx(&needed, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    bool classicFits = needed.right - needed.left <= 646 && needed.bottom - needed.top <= 556;
    if (classicFits) {
        EXPECT_EQ(size.cx, 646);
        EXPECT_EQ(size.cy, 556);
    } else {
        EXPECT_EQ(size.cx, needed.right - needed.left);
        EXPECT_EQ(size.cy, needed.bottom - needed.top);
    }
}

TEST(CenteredWindowPosition, HalvesTheDifferenceTruncatingTowardZeroAndNeverClamps) {
    ExpectCorner(Size(1024, 768), 189, 106);
    ExpectCorner(Size(800, 600), 77, 22);
    ExpectCorner(Size(1920, 1080), 637, 262);
    ExpectCorner(Size(640, 480), -3, -38);
    ExpectCorner(Size(645, 555), 0, 0);  // a difference of -1 halves to 0
    ExpectCorner(Size(643, 553), -1, -1);
    ExpectCorner(Size(0, 0), -323, -278);
    POINT corner = CenteredWindowPosition(Size(1024, 768), Size(700, 600));
    EXPECT_EQ(corner.x, 162);
    EXPECT_EQ(corner.y, 84);
}

TEST_F(MainWindow, WithoutASettingsFileAWarningBoxOwnedByTheHiddenWindowComesFirstThenTheDefaults) {
    SetSettingsWarning(ShowSettingsWarning);
    ModalCloser boxes;
    HWND window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "設定ファイルがありません");
    EXPECT_EQ(boxes.seen[0].caption, "リードエラー");
    EXPECT_EQ(boxes.seen[0].owner, window);
    EXPECT_FALSE(boxes.seen[0].ownerVisible);
    EXPECT_TRUE(boxes.seen[0].hasIcon);
    UiTest::ExpectSettings({3, 10, 3, 0, 1, 1});
}

TEST_F(MainWindow, CreationLoadsTheSettingsAndClearsTheBoardAndTheResults) {
    WriteSettings(SavedSettings);
    for (Target& target : targetTable.slots) {
        target = Target{7, 9, Correct};
    }
    resultSnapshot = ResultSnapshot{9, 4, 12, 3, 2, 7, 30};

    ASSERT_NE(OpenMainWindow(), nullptr);
    EXPECT_EQ(warnings(), 0);
    UiTest::ExpectSettings({5, 20, 4, 2, 0, 3});
    for (const Target& target : targetTable.slots) {
        EXPECT_EQ(target.column, 0);
        EXPECT_EQ(target.row, 0);
        EXPECT_EQ(target.state, Empty);
    }
    EXPECT_EQ(resultSnapshot.targetCount, 0);
    EXPECT_EQ(resultSnapshot.progress, 0);
    EXPECT_EQ(resultSnapshot.displayTime, 0);
    EXPECT_EQ(resultSnapshot.tries, 0);
    EXPECT_EQ(resultSnapshot.roundsPlayed, 0);
    EXPECT_EQ(resultSnapshot.clearedCount, 7);  // the last cleared stage outlives games
    EXPECT_EQ(resultSnapshot.clearedTime, 30);
}

TEST_F(MainWindow, ClosingTheWindowSavesTheSettingsAndQuitsWithCodeZero) {
    WriteSettings(SavedSettings);
    ASSERT_NE(OpenMainWindow(), nullptr);
    gameSettings.fixedCount = 7;
    gameSettings.hideColor = 5;
    Send(WM_CLOSE);
    WPARAM exitCode = 99;
    EXPECT_TRUE(UiTest::TakeQuitMessage(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(ReadWholeFile("setdata.ini"), "7\r\n20\r\n4\r\n5\r\n0\r\n3\r\n");
    EXPECT_EQ(warnings(), 0);
}

// Exit from the toolbar ends the loop the same way; the display timer's message
// queued before it is still dispatched.
TEST_F(MainWindow, TheMessageLoopRunsUntilExitAndReturnsTheQuitCode) {
    WriteSettings(SavedSettings);
    HWND window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    roundState.targetCount = 1;
    targetTable.slots[1] = Target{4, 4, Shown};
    PostMessageA(window, WM_TIMER, DisplayTimerId, 0);
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    gameSettings.fixedTries = 9;
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(targetTable.slots[1].state, Hidden);  // the timer message was dispatched too
    EXPECT_EQ(ReadWholeFile("setdata.ini"), "5\r\n20\r\n9\r\n2\r\n0\r\n3\r\n");
}

}  // namespace
