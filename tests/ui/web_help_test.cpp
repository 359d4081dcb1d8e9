// The web help under Wine on a system without Internet Explorer at its fixed path.
#include <cstring>
#include <string>

#include "dialog_test_support.h"
#include "dialogs.h"
#include "front_end.h"
#include "game_state.h"

using namespace DialogTest;

namespace {

const char* const BrowserPath = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
const char* const HiddenBrowserPath = "C:\\Program Files\\Internet Explorer\\iexplore.exe.hidden-by-glimmark-test";

bool Exists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// Wine puts a browser of its own at exactly that path. While a test runs it is
// moved aside in this test's own prefix, and put back afterwards.
class WithoutBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        if (Exists(BrowserPath)) {
            moved_ = MoveFileA(BrowserPath, HiddenBrowserPath) != FALSE;
        }
        if (Exists(BrowserPath)) {
            GTEST_SKIP() << "cannot move " << BrowserPath << " aside";
        }
        owner_ = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL, NULL, NULL);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        if (owner_) {
            DestroyWindow(owner_);
        }
        if (moved_) {
            MoveFileA(HiddenBrowserPath, BrowserPath);
        }
    }

    HWND owner_ = NULL;

private:
    bool moved_ = false;
};

struct MessageBoxSeen {
    std::string caption;
    std::string text;
    HWND owner = NULL;
    bool okButton = false;
    bool otherButtons = false;
};

MessageBoxSeen OpenWebHelpAndReadTheBox(HWND owner) {
    MessageBoxSeen seen;
    DriveReport report = ModalDriver::Drive([&] { OpenWebHelp(owner); }, {[&](HWND box) {
        seen.caption = WindowText(box);
        seen.text = ItemText(box, 0xFFFF);
        seen.owner = GetWindow(box, GW_OWNER);
        seen.okButton = GetDlgItem(box, IDOK) != NULL;
        seen.otherButtons = GetDlgItem(box, IDCANCEL) || GetDlgItem(box, IDYES) || GetDlgItem(box, IDNO);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }});
    EXPECT_TRUE(report.modalSeen) << "no message box";
    EXPECT_FALSE(report.forcedClosed);
    return seen;
}

TEST(WebHelpCommandLine, IsTheUnquotedBrowserPathAndTheHelpAddress) {
    char commandLine[WebHelpCommandLineSize] = {};
    FormatWebHelpCommandLine(commandLine);
    EXPECT_STREQ(commandLine,
                 "C:\\Program Files\\Internet Explorer\\iexplore.exe https://glimmark.example/help/");
}

TEST_F(WithoutBrowser, ShowsExactlyItsFailureMessageEachTimeAndChangesNothingElse) {
    gameSettings = {4, 7, 2, 3, 0, 2};
    roundState = {7, 30, 7, 1, 0};
    resultSnapshot = {7, 3, 30, 2, 0, 5, 5};
    targetTable.slots[1] = {3, 4, Hidden};
    const GameSettings settingsBefore = gameSettings;
    const RoundState roundBefore = roundState;
    const ResultSnapshot snapshotBefore = resultSnapshot;
    const TargetTable targetsBefore = targetTable;

    for (int launch = 1; launch <= 2; ++launch) {
        SCOPED_TRACE(launch);
        MessageBoxSeen seen = OpenWebHelpAndReadTheBox(owner_);
        EXPECT_EQ(seen.text, "Internet Explorerが見つかりませんでした。");
        EXPECT_EQ(seen.caption, "残念！");
        EXPECT_EQ(seen.owner, owner_);
        EXPECT_TRUE(seen.okButton);
        EXPECT_FALSE(seen.otherButtons);
    }
    EXPECT_EQ(std::memcmp(&gameSettings, &settingsBefore, sizeof gameSettings), 0);
    EXPECT_EQ(std::memcmp(&roundState, &roundBefore, sizeof roundState), 0);
    EXPECT_EQ(std::memcmp(&resultSnapshot, &snapshotBefore, sizeof resultSnapshot), 0);
    EXPECT_EQ(std::memcmp(&targetTable, &targetsBefore, sizeof targetTable), 0);
}

}  // namespace
