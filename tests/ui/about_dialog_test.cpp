// The About box under Wine: its texts and picture, and the ways it closes and does not.
#include "ui_test_support.h"

#include "resource_ids.h"

using namespace UiTest;

namespace {

TEST(AboutDialogTest, ShowsTheSameTextsAndPictureEachTimeAndReleasesThePicture) {
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        RunDialog(IDD_ABOUT, AboutDialog, {[](HWND dialog) {
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
    ExpectClosesByButtonAndCloseBoxButNotByEsc(IDD_ABOUT, AboutDialog, IDC_ABOUT_CLOSE);
}

}  // namespace
