// The toolbar's nineteen items, its image strip, and the tooltip texts.
#include "ui_test_support.h"

#include "resource_ids.h"

namespace {

struct ExpectedItem {
    bool separator;
    int command;
    int image;
};

constexpr ExpectedItem Gap = {true, 0, 0};

// Left to right: a Start, the five middle buttons, and a second Start, with
// four separators before each of the three groups and after the first.
const ExpectedItem ExpectedItems[] = {
    Gap, Gap, Gap, Gap,
    {false, IDM_START, 0},
    Gap, Gap, Gap, Gap,
    {false, IDM_BRAIN_LEVEL, 1},
    {false, IDM_GAME_SETTINGS, 2},
    {false, IDM_VERSION, 3},
    {false, IDM_WEB_HELP, 4},
    {false, IDM_EXIT, 5},
    Gap, Gap, Gap, Gap,
    {false, IDM_START_RIGHT, 6},
};

class Toolbar : public UiTest::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        ASSERT_NE(OpenMainWindow(), nullptr);
        ASSERT_NE(toolbarWindow, nullptr);
    }

    // What the main window's WM_NOTIFY leaves in a tooltip request.
    TOOLTIPTEXTA RequestTooltip(UINT_PTR command, UINT code = TTN_NEEDTEXTA) {
        TOOLTIPTEXTA tooltip = {};
        tooltip.hdr.hwndFrom = toolbarWindow;
        tooltip.hdr.idFrom = command;
        tooltip.hdr.code = code;
        tooltip.lpszText = const_cast<char*>(Untouched);
        EXPECT_EQ(SendMessageA(window_, WM_NOTIFY, IDC_TOOLBAR, reinterpret_cast<LPARAM>(&tooltip)), 0);
        return tooltip;
    }

    static constexpr const char* Untouched = "untouched";
};

TEST_F(Toolbar, IsAChildOfTheMainWindowWithTooltipsAndItsControlId) {
    EXPECT_EQ(GetParent(toolbarWindow), window_);
    EXPECT_EQ(GetDlgCtrlID(toolbarWindow), IDC_TOOLBAR);
    LONG style = GetWindowLongA(toolbarWindow, GWL_STYLE);
    EXPECT_EQ(style & WS_CHILD, WS_CHILD);
    EXPECT_EQ(style & WS_VISIBLE, WS_VISIBLE);
    EXPECT_EQ(style & TBSTYLE_TOOLTIPS, TBSTYLE_TOOLTIPS);
    EXPECT_EQ(style & TBSTYLE_ALTDRAG, TBSTYLE_ALTDRAG);
    EXPECT_EQ(style & CCS_ADJUSTABLE, CCS_ADJUSTABLE);
    char className[32] = {};
    GetClassNameA(toolbarWindow, className, sizeof className);
    EXPECT_STREQ(className, TOOLBARCLASSNAMEA);
}

TEST_F(Toolbar, HoldsNineteenItemsInTheirOrder) {
    const int count = sizeof ExpectedItems / sizeof ExpectedItems[0];
    ASSERT_EQ(SendMessageA(toolbarWindow, TB_BUTTONCOUNT, 0, 0), count);
    for (int position = 0; position < count; ++position) {
        TBBUTTON item = {};
        ASSERT_TRUE(SendMessageA(toolbarWindow, TB_GETBUTTON, position, reinterpret_cast<LPARAM>(&item)));
        const ExpectedItem& expected = ExpectedItems[position];
        EXPECT_EQ((item.fsStyle & TBSTYLE_SEP) != 0, expected.separator) << "position " << position;
        EXPECT_EQ(item.fsState & TBSTATE_ENABLED, TBSTATE_ENABLED) << "position " << position;
        if (!expected.separator) {
            EXPECT_EQ(item.idCommand, expected.command) << "position " << position;
            EXPECT_EQ(item.iBitmap, expected.image) << "position " << position;
            EXPECT_EQ(item.dwData, 0u);
            EXPECT_EQ(item.iString, 0);
        } else {
            EXPECT_EQ(item.idCommand, 0) << "position " << position;
        }
    }
}

TEST_F(Toolbar, ItsImagesAreTheSevenSquaresOfTheStrip) {
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(toolbarWindow, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 7);
    int width = 0;
    int height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images, &width, &height));
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
}

TEST_F(Toolbar, EachCommandHasItsTooltip) {
    struct Expected {
        int command;
        const char* text;
    };
    const Expected tooltips[] = {
        {IDM_START, "スタート"},       {IDM_GAME_SETTINGS, "ゲーム設定"}, {IDM_BRAIN_LEVEL, "脳レベル"},
        {IDM_VERSION, "バージョン"},   {IDM_WEB_HELP, "Webヘルプ"},       {IDM_EXIT, "終了"},
        {IDM_START_RIGHT, "スタート"},
    };
    for (const Expected& expected : tooltips) {
        TOOLTIPTEXTA tooltip = RequestTooltip(expected.command);
        ASSERT_NE(tooltip.lpszText, nullptr);
        EXPECT_STREQ(tooltip.lpszText, expected.text) << expected.command;
        EXPECT_EQ(tooltip.hinst, GetModuleHandleA(NULL));
    }
}

TEST_F(Toolbar, AnUnknownIdGetsOnlyTheInstance) {
    for (UINT_PTR command : {UINT_PTR(0), UINT_PTR(IDC_TOOLBAR), UINT_PTR(337), UINT_PTR(0x1000014A)}) {
        TOOLTIPTEXTA tooltip = RequestTooltip(command);
        EXPECT_EQ(tooltip.lpszText, Untouched) << command;
        EXPECT_EQ(tooltip.hinst, GetModuleHandleA(NULL));
    }
}

TEST_F(Toolbar, OtherNotificationsAreLeftAlone) {
    for (UINT code : {UINT(TTN_NEEDTEXTW), UINT(NM_CLICK), UINT(TBN_QUERYINSERT), UINT(TBN_BEGINADJUST)}) {
        TOOLTIPTEXTA tooltip = RequestTooltip(IDM_START, code);
        EXPECT_EQ(tooltip.lpszText, Untouched) << code;
        EXPECT_EQ(tooltip.hinst, nullptr) << code;
    }
}

}  // namespace
