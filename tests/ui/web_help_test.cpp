// The web help under Wine on a system without Internet Explorer at its fixed path.
#include "ui_test_support.h"

#include "dialogs.h"

using namespace UiTest;

namespace {

const char* const BrowserPath = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
const char* const BrowserAside = "C:\\Program Files\\Internet Explorer\\iexplore.exe.moved-aside-by-test";

TEST(WebHelpTest, CommandLineIsTheQuotedBrowserPathAndTheHelpAddress) {
    char commandLine[WebHelpCommandLineSize] = {};
    FormatWebHelpCommandLine(commandLine);
    EXPECT_STREQ(commandLine, "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" https://glimmark.example/help/");
}

// Wine installs a browser of its own at exactly that path; the test moves it
// aside in its own prefix for the moment and puts it back.
TEST(WebHelpTest, WithoutTheBrowserShowsExactlyItsFailureMessageEachTimeAndChangesNothingElse) {
    bool moved = MoveFileA(BrowserPath, BrowserAside) != FALSE;
    if (GetFileAttributesA(BrowserPath) != INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "cannot move " << BrowserPath << " aside";
    }
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
    gameSettings = {4, 7, 2, 3, 0, 2};
    roundState = {7, 30, 7, 1, 0};
    resultSnapshot = {7, 3, 30, 2, 0, 5, 5};
    const GameRecords before = GameRecords::Now();

    for (int launch = 1; launch <= 2; ++launch) {
        SCOPED_TRACE(launch);
        DriveReport report = ModalDriver::Drive([&] { OpenWebHelp(owner); }, {[&](HWND box) {
            EXPECT_EQ(ItemText(box, 0xFFFF), "Internet Explorerが見つかりませんでした。");
            EXPECT_EQ(WindowText(box), "残念！");
            EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
            EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
            EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }});
        EXPECT_TRUE(report.modalSeen) << "no message box";
    }
    EXPECT_TRUE(GameRecords::Now() == before);
    DestroyWindow(owner);
    if (moved) {
        MoveFileA(BrowserAside, BrowserPath);
    }
}

}  // namespace
