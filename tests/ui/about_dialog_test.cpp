// The About box under Wine: its texts and picture, and the ways it closes and does not.
#include <string>

#include "dialog_test_support.h"
#include "front_end.h"
#include "resource_ids.h"

using namespace DialogTest;

namespace {

constexpr int PictureLeft = 55, PictureTop = 7;

INT_PTR RunAbout(std::vector<Step> steps) {
    return RunDialog(IDD_ABOUT, AboutDialog, std::move(steps));
}

TEST(AboutDialogTest, ShowsTheNameVersionCreditsAndPictureEveryTimeItOpens) {
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        RunAbout({[](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), "このソフトについて");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_NAME), "Glimmark");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_VERSION), "バージョン１．１１");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_TAGLINE), "瞬間数値記憶ゲーム");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_CHALLENGE), "あなたはチンパンジーに勝てるか？");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_CLOSE), "閉じる");
            std::vector<std::string> credits;
            for (HWND child : Children(dialog)) {
                if (GetDlgCtrlID(child) == 0xFFFF) {
                    credits.push_back(WindowText(child));
                }
            }
            EXPECT_EQ(credits, (std::vector<std::string>{"", "Glimmark developers", "InterFace : Windods API",
                                                         "https://glimmark.example/", "Build : MinGW-w64 GCC"}));

            EXPECT_NE(aboutPicture, nullptr);
            ResourcePicture picture(IDB_ABOUT_PICTURE);
            ASSERT_TRUE(picture.loaded());
            EXPECT_EQ(picture.size().cx, 100);
            EXPECT_EQ(picture.size().cy, 50);
            int sampled = 0;
            int matches = MatchingPicturePoints(dialog, picture, PictureLeft, PictureTop, &sampled);
            EXPECT_GT(sampled, 50);
            EXPECT_EQ(matches, sampled) << "the picture is not at (55, 7)";
            Click(dialog, IDC_ABOUT_CLOSE);
        }});
        EXPECT_EQ(aboutPicture, nullptr) << "the picture outlived its box";
    }
}

TEST(AboutDialogTest, ClosesByItsButtonAndItsCloseBox) {
    EXPECT_EQ(RunAbout({[](HWND dialog) { Click(dialog, IDC_ABOUT_CLOSE); }}), 1);
    EXPECT_EQ(RunAbout({CloseByCloseBox}), 1);
    EXPECT_EQ(RunAbout({[](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); }}), 1);
}

TEST(AboutDialogTest, EscLeavesItOpen) {
    bool stayedOpen = false;
    RunAbout({
        [](HWND) { PressKey(VK_ESCAPE); },
        [](HWND dialog) { SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); },
        [&](HWND dialog) {
            stayedOpen = IsWindow(dialog) && IsWindowVisible(dialog);
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_ABOUT_CLOSE));
            Click(dialog, IDC_ABOUT_CLOSE);
        },
    });
    EXPECT_TRUE(stayedOpen);
}

}  // namespace
