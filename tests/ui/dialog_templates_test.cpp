// The dialog templates as the dialog manager builds them: each control's id, class and place, in template order.
#include "ui_test_support.h"
#include "resource_ids.h"

using namespace UiTest;

namespace {

struct Control {
    int id;
    const char* className;
    int x, y, width, height;  // dialog units
};

struct Layout {
    int templateId;
    int width, height;  // dialog units
    const char* caption;
    std::vector<Control> controls;
};

const Layout Layouts[] = {
    {IDD_GAME_SETTINGS, 239, 89, "ゲーム設定",
     {{101, "ComboBox", 60, 24, 36, 60}, {102, "Static", 64, 12, 32, 8},    {103, "ComboBox", 96, 24, 36, 60},
      {104, "Static", 100, 12, 32, 8},   {105, "ComboBox", 132, 24, 36, 60}, {106, "Static", 132, 12, 32, 8},
      {107, "ComboBox", 180, 20, 52, 60}, {108, "Static", 184, 8, 36, 8},   {109, "Button", 184, 44, 44, 32},
      {111, "Button", 8, 24, 44, 12},    {112, "Button", 8, 60, 60, 12},    {110, "Static", 4, 8, 172, 40},
      {113, "Static", 4, 52, 172, 28},   {114, "ComboBox", 84, 60, 64, 44}}},
    // The time figure 106 is 12 units wide, not 8, so that "0.5" is not cut off.
    {IDD_FIXED_RESULT, 227, 208, "あなたの結果発表（固定コース）",
     {{101, "Button", 84, 184, 56, 16}, {102, "Static", 4, 8, 32, 8},   {103, "Static", 88, 8, 32, 8},
      {104, "Static", 152, 8, 32, 8},   {105, "Static", 36, 8, 8, 8},   {106, "Static", 120, 8, 12, 8},
      {107, "Static", 184, 8, 8, 8},    {108, "Static", 44, 8, 16, 8},  {109, "Static", 132, 8, 8, 8},
      {110, "Static", 192, 8, 16, 8},   {111, "Static", 208, 8, 8, 8},  {112, "Static", 216, 8, 8, 8},
      {113, "Static", 68, 8, 8, 8},     {114, "Static", 60, 8, 8, 8},   {115, "Static", 4, 170, 219, 10}}},
    {IDD_STAGE_SPLASH, 193, 45, "", {}},
    // Likewise, with "秒" (109) moved 4 units right to make room.
    {IDD_CHALLENGE_RESULT, 227, 208, "あなたの結果発表（チャレンジコース）",
     {{101, "Button", 84, 184, 56, 16}, {102, "Static", 116, 8, 32, 8}, {103, "Static", 168, 8, 32, 8},
      {104, "Static", 4, 8, 92, 8},     {106, "Static", 196, 8, 12, 8}, {107, "Static", 92, 8, 8, 8},
      {109, "Static", 208, 8, 8, 8},    {113, "Static", 152, 8, 8, 8},  {114, "Static", 144, 8, 8, 8},
      {115, "Static", 4, 170, 219, 10}}},
    {IDD_ABOUT, 122, 160, "このソフトについて",
     {{-1, "Static", 0, 92, 122, 52},  {-1, "Static", 16, 120, 92, 8}, {-1, "Static", 16, 108, 92, 8},
      {-1, "Static", 4, 132, 112, 8},  {-1, "Static", 18, 96, 92, 8},  {41, "Button", 0, 144, 122, 16},
      {101, "Static", 44, 68, 36, 8},  {102, "Static", 36, 80, 52, 8}, {103, "Static", 28, 44, 64, 8},
      {104, "Static", 8, 56, 104, 8}}},
};

// A procedure that only closes, so that each template opens with nothing else going on.
INT_PTR CALLBACK PlainDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        EndDialog(dialog, 1);
    }
    return message == WM_INITDIALOG;
}

// The dialog manager converts a place and a size separately, each rounded.
RECT InPixels(HWND dialog, int x, int y, int width, int height) {
    RECT rect = {x, y, width, height};
    MapDialogRect(dialog, &rect);
    return rect;
}

TEST(DialogTemplates, OpenWithTheirControlsInOrderAtTheirPlaces) {
    for (const Layout& layout : Layouts) {
        SCOPED_TRACE(layout.templateId);
        RunDialog(layout.templateId, PlainDialog, {[&](HWND dialog) {
            EXPECT_EQ(WindowText(dialog), layout.caption);
            LOGFONTA font = {};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
            EXPECT_STREQ(font.lfFaceName, "ＭＳ Ｐゴシック");
            RECT client;
            GetClientRect(dialog, &client);
            RECT size = InPixels(dialog, 0, 0, layout.width, layout.height);
            EXPECT_EQ(client.right, size.right);
            EXPECT_EQ(client.bottom, size.bottom);
            HWND child = GetWindow(dialog, GW_CHILD);
            for (const Control& want : layout.controls) {
                SCOPED_TRACE(want.id);
                ASSERT_NE(child, nullptr);
                EXPECT_EQ(static_cast<short>(GetDlgCtrlID(child)), want.id);
                char className[32] = {};
                GetClassNameA(child, className, sizeof className);
                EXPECT_EQ(lstrcmpiA(className, want.className), 0) << className;
                RECT place = InPixels(dialog, want.x, want.y, want.width, want.height);
                RECT actual;
                GetWindowRect(child, &actual);
                MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&actual), 2);
                EXPECT_EQ(actual.left, place.left);
                EXPECT_EQ(actual.top, place.top);
                EXPECT_EQ(actual.right - actual.left, place.right);
                if (lstrcmpiA(className, "ComboBox") != 0) {  // its template height includes the list
                    EXPECT_EQ(actual.bottom - actual.top, place.bottom);
                }
                child = GetWindow(child, GW_HWNDNEXT);
            }
            EXPECT_EQ(child, nullptr) << "more controls than the template should have";
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        }});
    }
}

}  // namespace
