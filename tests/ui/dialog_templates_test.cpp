// The five dialog templates as compiled into the program, and the controls the dialog manager makes of them.
#include <string>
#include <vector>

#include "dialog_test_support.h"
#include "front_end.h"
#include "resource_ids.h"

using namespace DialogTest;

namespace {

constexpr DWORD Child = WS_CHILD | WS_VISIBLE;
constexpr DWORD Combo = Child | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN;
constexpr DWORD Label = Child | SS_LEFT;
constexpr DWORD Frame = Child | SS_ETCHEDFRAME;
constexpr DWORD Radio = Child | WS_TABSTOP | BS_AUTORADIOBUTTON;
constexpr DWORD PushButton = Child | WS_TABSTOP | BS_CENTER | BS_PUSHBUTTON;
constexpr DWORD Credit = Child | SS_CENTER;

constexpr DWORD ResultStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER |
                              DS_CONTEXTHELP | DS_3DLOOK | DS_SETFONT;
constexpr DWORD SettingsStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK |
                                DS_SETFONT | DS_CENTERMOUSE | DS_CONTEXTHELP;
constexpr DWORD SplashStyle = WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_CENTER | DS_CONTEXTHELP | DS_3DLOOK | DS_SETFONT;
constexpr DWORD AboutStyle = SettingsStyle;

struct Control {
    int id;
    const wchar_t* className;
    DWORD style;
    short x, y, width, height;
    const wchar_t* text;
};

struct Expected {
    int templateId;
    bool extended;
    DWORD style;
    short x, y, width, height;
    const wchar_t* caption;
    std::vector<Control> controls;
};

const std::vector<Expected>& ExpectedTemplates() {
    static const std::vector<Expected> templates = {
        {IDD_GAME_SETTINGS, true, SettingsStyle, 0, 0, 239, 89, L"ゲーム設定",
         {
             {101, L"ComboBox", Combo, 60, 24, 36, 60, L""},
             {102, L"Static", Label, 64, 12, 32, 8, L"記憶個数"},
             {103, L"ComboBox", Combo, 96, 24, 36, 60, L""},
             {104, L"Static", Label, 100, 12, 32, 8, L"記憶時間"},
             {105, L"ComboBox", Combo, 132, 24, 36, 60, L""},
             {106, L"Static", Label, 132, 12, 32, 8, L"トライ回数"},
             {107, L"ComboBox", Combo, 180, 20, 52, 60, L""},
             {108, L"Static", Label, 184, 8, 36, 8, L"隠す枠の色"},
             // An ordinary push button, not a default one.
             {109, L"Button", Child | WS_TABSTOP | BS_CENTER, 184, 44, 44, 32, L"ＯＫ"},
             {111, L"Button", Radio, 8, 24, 44, 12, L"固定コース"},
             {112, L"Button", Radio, 8, 60, 60, 12, L"チャレンジコース"},
             {110, L"Static", Frame, 4, 8, 172, 40, L""},
             {113, L"Static", Frame, 4, 52, 172, 28, L""},
             {114, L"ComboBox", Combo, 84, 60, 64, 44, L""},
         }},
        {IDD_FIXED_RESULT, true, ResultStyle, -2, 0, 227, 208, L"あなたの結果発表（固定コース）",
         {
             {101, L"Button", PushButton, 84, 184, 56, 16, L"閉じる"},
             {102, L"Static", Label, 4, 8, 32, 8, L"記憶個数"},
             {103, L"Static", Label, 88, 8, 32, 8, L"記憶時間"},
             {104, L"Static", Label, 152, 8, 32, 8, L"トライ回数"},
             {105, L"Static", Label, 36, 8, 8, 8, L"00"},
             {106, L"Static", Label, 120, 8, 12, 8, L"0.0"},  // wide enough for "0.5"
             {107, L"Static", Label, 184, 8, 8, 8, L"00"},
             {108, L"Static", Label, 44, 8, 16, 8, L"個中"},
             {109, L"Static", Label, 132, 8, 8, 8, L"秒"},
             {110, L"Static", Label, 192, 8, 16, 8, L"回中"},
             {111, L"Static", Label, 208, 8, 8, 8, L"00"},
             {112, L"Static", Label, 216, 8, 8, 8, L"回"},
             {113, L"Static", Label, 68, 8, 8, 8, L"個"},
             {114, L"Static", Label, 60, 8, 8, 8, L"00"},
         }},
        {IDD_STAGE_SPLASH, true, SplashStyle, 0, 0, 193, 45, L"", {}},
        {IDD_CHALLENGE_RESULT, true, ResultStyle, -2, 0, 227, 208, L"あなたの結果発表（チャレンジコース）",
         {
             {101, L"Button", PushButton, 84, 184, 56, 16, L"閉じる"},
             {102, L"Static", Label, 116, 8, 32, 8, L"記憶個数"},
             {103, L"Static", Label, 168, 8, 32, 8, L"記憶時間"},
             {104, L"Static", Label, 4, 8, 92, 8, L"クリアしたチャレンジステージ："},
             {106, L"Static", Label, 196, 8, 12, 8, L"0.0"},
             {107, L"Static", Label, 92, 8, 8, 8, L"00"},
             {109, L"Static", Label, 208, 8, 8, 8, L"秒"},
             {113, L"Static", Label, 152, 8, 8, 8, L"個"},
             {114, L"Static", Label, 144, 8, 8, 8, L"00"},
         }},
        {IDD_ABOUT, false, AboutStyle, 0, 0, 122, 160, L"このソフトについて",
         {
             {-1, L"Static", Frame, 0, 92, 122, 52, L""},
             {-1, L"Static", Credit, 16, 120, 92, 8, L"Glimmark developers"},
             {-1, L"Static", Credit, 16, 108, 92, 8, L"InterFace : Windods API"},
             {-1, L"Static", Credit, 4, 132, 112, 8, L"https://glimmark.example/"},
             {-1, L"Static", Credit, 18, 96, 92, 8, L"Build : MinGW-w64 GCC"},
             {41, L"Button", PushButton, 0, 144, 122, 16, L"閉じる"},
             {101, L"Static", Label, 44, 68, 36, 8, L"Glimmark"},
             {102, L"Static", Label, 36, 80, 52, 8, L"バージョン１．１１"},
             {103, L"Static", Label, 28, 44, 64, 8, L"瞬間数値記憶ゲーム"},
             {104, L"Static", Label, 8, 56, 104, 8, L"あなたはチンパンジーに勝てるか？"},
         }},
    };
    return templates;
}

bool SameClass(const std::wstring& a, const std::wstring& b) {
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

TEST(DialogTemplates, AreStoredAsDesigned) {
    for (const Expected& expected : ExpectedTemplates()) {
        SCOPED_TRACE(expected.templateId);
        DialogTemplate stored = ReadDialogTemplate(expected.templateId);
        EXPECT_EQ(stored.extended, expected.extended);
        EXPECT_EQ(stored.style, expected.style);
        EXPECT_EQ(stored.extendedStyle, 0u);
        EXPECT_EQ(stored.x, expected.x);
        EXPECT_EQ(stored.y, expected.y);
        EXPECT_EQ(stored.width, expected.width);
        EXPECT_EQ(stored.height, expected.height);
        EXPECT_TRUE(stored.menu.empty());
        EXPECT_TRUE(stored.windowClass.empty());
        EXPECT_TRUE(stored.caption == expected.caption);
        EXPECT_EQ(stored.pointSize, 9);
        EXPECT_TRUE(stored.face == L"ＭＳ Ｐゴシック");
        if (stored.extended) {
            EXPECT_EQ(stored.charset, SHIFTJIS_CHARSET);
            EXPECT_EQ(stored.italic, 0);
        }
        ASSERT_EQ(stored.controls.size(), expected.controls.size());
        for (size_t index = 0; index < expected.controls.size(); ++index) {
            const Control& want = expected.controls[index];
            const TemplateControl& got = stored.controls[index];
            SCOPED_TRACE(index);
            EXPECT_EQ(got.id, want.id);
            EXPECT_TRUE(SameClass(got.className, want.className));
            EXPECT_EQ(got.style, want.style) << std::hex << (got.style ^ want.style);
            EXPECT_EQ(got.extendedStyle, 0u);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.width, want.width);
            EXPECT_EQ(got.height, want.height);
            EXPECT_TRUE(got.text == want.text);
        }
    }
}

// A dialog that only closes, so that each template opens with nothing else going on.
INT_PTR CALLBACK PlainDialog(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        EndDialog(dialog, 1);
    }
    return message == WM_INITDIALOG;
}

TEST(DialogTemplates, OpenWithTheirControlsInOrderAtTheirPlaces) {
    for (const Expected& expected : ExpectedTemplates()) {
        if (expected.controls.empty()) {
            continue;  // the splash has nothing to place
        }
        SCOPED_TRACE(expected.templateId);
        RunDialog(expected.templateId, PlainDialog, {[&](HWND dialog) {
            std::vector<HWND> children = Children(dialog);
            ASSERT_EQ(children.size(), expected.controls.size());
            for (size_t index = 0; index < children.size(); ++index) {
                const Control& want = expected.controls[index];
                SCOPED_TRACE(index);
                EXPECT_EQ(static_cast<short>(GetDlgCtrlID(children[index])), want.id);
                char className[32] = {};
                GetClassNameA(children[index], className, sizeof className);
                std::wstring wideClass(className, className + lstrlenA(className));
                EXPECT_TRUE(SameClass(wideClass, want.className)) << className;
                // The dialog manager converts a control's place and size separately.
                RECT place = {want.x, want.y, want.width, want.height};
                MapDialogRect(dialog, &place);
                RECT actual = ChildRect(dialog, children[index]);
                EXPECT_EQ(actual.left, place.left);
                EXPECT_EQ(actual.top, place.top);
                EXPECT_EQ(actual.right - actual.left, place.right);
                // A combo box's template height includes its drop-down list.
                if (!SameClass(want.className, L"ComboBox")) {
                    EXPECT_EQ(actual.bottom - actual.top, place.bottom);
                }
            }
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        }});
    }
}

}  // namespace
