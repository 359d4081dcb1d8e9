// The game settings dialog under Wine, opened from its real template as the game opens it.
#include <climits>

#include "ui_test_support.h"

#include "resource_ids.h"

using namespace UiTest;

namespace {

constexpr GameSettings FirstRun = {3, 10, 3, 0, 1, 1};

// Every command the procedure receives, so that a test knows Enter and Esc reached it.
std::vector<int> commandsSeen;

INT_PTR CALLBACK RecordingSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        commandsSeen.push_back(LOWORD(wParam));
    }
    return GameSettingsDialog(dialog, message, wParam, lParam);
}

INT_PTR RunSettingsDialog(std::vector<Step> steps) {
    return RunDialog(IDD_GAME_SETTINGS, RecordingSettingsDialog, std::move(steps));
}

std::string Entry(HWND dialog, int comboId, int index) {
    char text[64] = {};
    SendDlgItemMessageA(dialog, comboId, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

LRESULT EntryCount(HWND dialog, int comboId) {
    return SendDlgItemMessageA(dialog, comboId, CB_GETCOUNT, 0, 0);
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        gameSettings = FirstRun;
        commandsSeen.clear();
    }
};

TEST_F(SettingsDialogTest, FirstRunShowsEachValueAndEachListOnceAndOkStoresPinkForColourZero) {
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        EXPECT_EQ(RunSettingsDialog({[](HWND dialog) {
                      EXPECT_EQ(WindowText(dialog), "ゲーム設定");
                      EXPECT_EQ(ItemText(dialog, IDC_COUNT_COMBO), "3");
                      EXPECT_EQ(ItemText(dialog, IDC_TIME_COMBO), "1.0");
                      EXPECT_EQ(ItemText(dialog, IDC_TRIES_COMBO), "3");
                      EXPECT_EQ(ItemText(dialog, IDC_COLOR_COMBO), "5:桃色");
                      EXPECT_EQ(ItemText(dialog, IDC_LEVEL_COMBO), "1:初級から開始");
                      EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIXED_COURSE_RADIO), BST_UNCHECKED);
                      EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CHALLENGE_COURSE_RADIO), BST_CHECKED);
                      EXPECT_EQ(EntryCount(dialog, IDC_COUNT_COMBO), 9);
                      EXPECT_EQ(EntryCount(dialog, IDC_TIME_COMBO), 30);
                      EXPECT_EQ(EntryCount(dialog, IDC_TRIES_COMBO), 10);
                      EXPECT_EQ(EntryCount(dialog, IDC_COLOR_COMBO), 5);
                      EXPECT_EQ(EntryCount(dialog, IDC_LEVEL_COMBO), 3);
                      EXPECT_EQ(Entry(dialog, IDC_COUNT_COMBO, 8), "9");
                      EXPECT_EQ(Entry(dialog, IDC_TIME_COMBO, 2), "0.3");
                      EXPECT_EQ(Entry(dialog, IDC_TIME_COMBO, 29), "3.0");
                      EXPECT_EQ(Entry(dialog, IDC_TRIES_COMBO, 9), "10");
                      EXPECT_EQ(Entry(dialog, IDC_COLOR_COMBO, 0), "1:白色");
                      EXPECT_EQ(Entry(dialog, IDC_LEVEL_COMBO, 1), "2:中級から開始");
                      HWND count = GetDlgItem(dialog, IDC_COUNT_COMBO);
                      EXPECT_TRUE(GetFocus() == count || GetParent(GetFocus()) == count);
                      Click(dialog, IDC_SETTINGS_OK);
                  }}),
                  1);
        ExpectSettings({3, 10, 3, 5, 1, 1});
    }
}

TEST_F(SettingsDialogTest, OtherCodesShowTheLastEntryAndOverlongValuesAreCut) {
    struct Case {
        GameSettings settings;
        const char *count, *time, *tries, *color, *level;
        int checkedCourse;
    };
    const Case cases[] = {
        {{9, 5, 10, 4, 7, 0}, "9", "0.5", "10", "4:水色", "3:上級から開始", IDC_CHALLENGE_COURSE_RADIO},
        {{1, 30, 1, 2, 0, 9}, "1", "3.0", "1", "2:灰色", "3:上級から開始", IDC_FIXED_COURSE_RADIO},
        {{1, 1, 1, -3, -1, 2}, "1", "0.1", "1", "5:桃色", "2:中級から開始", IDC_CHALLENGE_COURSE_RADIO},
        // From a hand-edited file: nine characters are shown, and no more.
        {{INT_MIN, INT_MAX, 1234567890, 6, 1, 1}, "-21474836", "214748364", "123456789", "5:桃色", "1:初級から開始",
         IDC_CHALLENGE_COURSE_RADIO},
    };
    for (const Case& check : cases) {
        SCOPED_TRACE(check.count);
        gameSettings = check.settings;
        RunSettingsDialog({[&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_COUNT_COMBO), check.count);
            EXPECT_EQ(ItemText(dialog, IDC_TIME_COMBO), check.time);
            EXPECT_EQ(ItemText(dialog, IDC_TRIES_COMBO), check.tries);
            EXPECT_EQ(ItemText(dialog, IDC_COLOR_COMBO), check.color);
            EXPECT_EQ(ItemText(dialog, IDC_LEVEL_COMBO), check.level);
            EXPECT_EQ(IsDlgButtonChecked(dialog, check.checkedCourse), BST_CHECKED);
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        }});
        ExpectSettings(check.settings);
    }
}

TEST_F(SettingsDialogTest, OkStoresTypedTextsConvertedAndClampedButNotTheCourse) {
    struct Case {
        const char *count, *time, *tries, *color, *level;
        GameSettings stored;
    };
    // Each field through its own conversion (the conversions' own cases are in
    // settings_text_test), and no more than a combo box's nine characters read.
    const Case cases[] = {
        {"", "", "", "", "", {1, 1, 1, 0, 7, 0}},
        {"12", "-2", "99", "A", "2:中級から開始", {9, 1, 10, 1, 7, 2}},
        {"3x", "1.25", " 7", "3:黄色", "1", {3, 12, 7, 3, 7, 1}},
        // Only the first nine bytes are read back.
        {"0000000012", "000000002.5", "0000000015", "1", "1", {1, 20, 1, 1, 7, 1}},
    };
    for (const Case& check : cases) {
        SCOPED_TRACE(std::string(check.count) + " / " + check.time + " / " + check.tries);
        gameSettings = {5, 5, 5, 5, 7, 2};
        RunSettingsDialog({[&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_COUNT_COMBO, check.count);
            SetDlgItemTextA(dialog, IDC_TIME_COMBO, check.time);
            SetDlgItemTextA(dialog, IDC_TRIES_COMBO, check.tries);
            SetDlgItemTextA(dialog, IDC_COLOR_COMBO, check.color);
            SetDlgItemTextA(dialog, IDC_LEVEL_COMBO, check.level);
            Click(dialog, IDC_SETTINGS_OK);
        }});
        ExpectSettings(check.stored);
    }
}

TEST_F(SettingsDialogTest, OkStoresPickedListEntriesAsTheirOwnValues) {
    RunSettingsDialog({[](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_TIME_COMBO, CB_SETCURSEL, 2, 0);   // 0.3
        SendDlgItemMessageA(dialog, IDC_TRIES_COMBO, CB_SETCURSEL, 9, 0);  // 10
        SendDlgItemMessageA(dialog, IDC_COLOR_COMBO, CB_SETCURSEL, 1, 0);  // 2:灰色
        Click(dialog, IDC_SETTINGS_OK);
    }});
    ExpectSettings({3, 3, 10, 2, 1, 1});
}

TEST_F(SettingsDialogTest, CourseButtonsActAtOnceAndStayWhenClosedByTheCloseBox) {
    RunSettingsDialog({[](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_COUNT_COMBO, "7");
        Click(dialog, IDC_FIXED_COURSE_RADIO);
        EXPECT_EQ(gameSettings.courseMode, 0);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CHALLENGE_COURSE_RADIO), BST_UNCHECKED);
        CloseByCloseBox(dialog);
    }});
    ExpectSettings({3, 10, 3, 0, 0, 1});

    gameSettings.courseMode = 7;
    RunSettingsDialog({[](HWND dialog) {
        Click(dialog, IDC_CHALLENGE_COURSE_RADIO);
        EXPECT_EQ(gameSettings.courseMode, 1);
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    }});
    ExpectSettings({3, 10, 3, 0, 1, 1});
}

TEST_F(SettingsDialogTest, EnterAndEscLeaveTheDialogOpenAndStoreNothing) {
    RunSettingsDialog({
        [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_COUNT_COMBO, "7");
            SetFocus(GetDlgItem(dialog, IDC_COUNT_COMBO));
            PressKey(VK_RETURN);
        },
        [](HWND) { PressKey(VK_ESCAPE); },
        [](HWND dialog) {
            EXPECT_TRUE(IsWindowVisible(dialog));
            ExpectSettings(FirstRun);
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        },
    });
    ExpectSettings(FirstRun);
    EXPECT_EQ(commandsSeen, (std::vector<int>{IDOK, IDCANCEL}));
}

}  // namespace
