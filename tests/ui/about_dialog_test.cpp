// The About box under Wine: its texts and picture, and the ways it closes and does not.
#include "dialog_test_support.h"
#include "front_end.h"
#include "resource_ids.h"

using namespace DialogTest;

namespace {

INT_PTR RunAbout(std::vector<Step> steps) {
    return RunDialog(IDD_ABOUT, AboutDialog, std::move(steps));
}

TEST(AboutDialogTest, ShowsTheSameTextsAndPictureEachTimeAndReleasesThePicture) {
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        RunAbout({[](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), "このソフトについて");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_NAME), "Glimmark");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_VERSION), "バージョン１．１１");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_TAGLINE), "瞬間数値記憶ゲーム");
            EXPECT_EQ(ItemText(dialog, IDC_ABOUT_CHALLENGE), "あなたはチンパンジーに勝てるか？");
            EXPECT_NE(aboutPicture, nullptr);
            EXPECT_TRUE(ShowsPicture(dialog, IDB_ABOUT_PICTURE, 55, 7)) << "the picture is not at (55, 7)";
            Click(dialog, IDC_ABOUT_CLOSE);
        }});
        EXPECT_EQ(aboutPicture, nullptr) << "the picture outlived its box";
    }
}

TEST(AboutDialogTest, ClosesByItsButtonAndItsCloseBoxButNotByEsc) {
    EXPECT_EQ(RunAbout({[](HWND dialog) { Click(dialog, IDC_ABOUT_CLOSE); }}), 1);
    EXPECT_EQ(RunAbout({CloseByCloseBox}), 1);
    bool stayedOpen = false;
    EXPECT_EQ(RunAbout({
                  [](HWND) { PressKey(VK_ESCAPE); },
                  [&](HWND dialog) {
                      stayedOpen = IsWindowVisible(dialog) != FALSE;
                      EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_ABOUT_CLOSE));
                      Click(dialog, IDC_ABOUT_CLOSE);
                  },
              }),
              1);
    EXPECT_TRUE(stayedOpen);
}

}  // namespace
