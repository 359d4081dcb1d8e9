// The game settings dialog under Wine, opened from its real template as the game opens it.
#include <climits>
#include <vector>

#include "dialog_test_support.h"
#include "front_end.h"
#include "game_state.h"
#include "resource_ids.h"

using namespace DialogTest;

namespace {

constexpr GameSettings FirstRunDefaults = {3, 10, 3, 0, 1, 1};

// Every command the dialog procedure receives, so that a test can tell that
// Enter and Esc really reached it.
std::vector<int> commandsSeen;

INT_PTR CALLBACK RecordingSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        commandsSeen.push_back(LOWORD(wParam));
    }
    return GameSettingsDialog(dialog, message, wParam, lParam);
}

INT_PTR RunSettingsDialog(std::vector<Step> steps) {
    return RunDialog(IDD_GAME_SETTINGS, RecordingSettingsDialog, std::move(steps));
}

std::vector<std::string> ListEntries(HWND dialog, int comboId) {
    HWND combo = GetDlgItem(dialog, comboId);
    std::vector<std::string> entries;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        char text[64] = {};
        SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

bool SameSettings(const GameSettings& a, const GameSettings& b) {
    return a.fixedCount == b.fixedCount && a.fixedTime == b.fixedTime && a.fixedTries == b.fixedTries &&
           a.hideColor == b.hideColor && a.courseMode == b.courseMode && a.startLevel == b.startLevel;
}

void PickEntry(HWND dialog, int comboId, int index) {
    HWND combo = GetDlgItem(dialog, comboId);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        gameSettings = FirstRunDefaults;
        commandsSeen.clear();
    }
};

// ---- What the dialog shows -------------------------------------------------------

TEST_F(SettingsDialogTest, FirstRunShowsDefaultsAndOkStoresPinkForColourZero) {
    INT_PTR result = RunSettingsDialog({[](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "ゲーム設定");
        EXPECT_EQ(ItemText(dialog, IDC_COUNT_COMBO), "3");
        EXPECT_EQ(ItemText(dialog, IDC_TIME_COMBO), "1.0");
        EXPECT_EQ(ItemText(dialog, IDC_TRIES_COMBO), "3");
        EXPECT_EQ(ItemText(dialog, IDC_COLOR_COMBO), "5:桃色");
        EXPECT_EQ(ItemText(dialog, IDC_LEVEL_COMBO), "1:初級から開始");
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIXED_COURSE_RADIO), BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CHALLENGE_COURSE_RADIO), BST_CHECKED);
        // The current value is the field's text, not a selection in its list.
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_COUNT_COMBO, CB_GETCURSEL, 0, 0), CB_ERR);
        // WM_INITDIALOG returned TRUE: the focus is in the count field.
        HWND count = GetDlgItem(dialog, IDC_COUNT_COMBO);
        HWND focus = GetFocus();
        EXPECT_TRUE(focus == count || GetParent(focus) == count);
        Click(dialog, IDC_SETTINGS_OK);
    }});
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(SameSettings(gameSettings, {3, 10, 3, 5, 1, 1}));
}

TEST_F(SettingsDialogTest, ListsHoldTheOfferedValuesInOrder) {
    RunSettingsDialog({[](HWND dialog) {
        EXPECT_EQ(ListEntries(dialog, IDC_COUNT_COMBO),
                  (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        std::vector<std::string> times = ListEntries(dialog, IDC_TIME_COMBO);
        ASSERT_EQ(times.size(), 30u);
        EXPECT_EQ(times[0], "0.1");
        EXPECT_EQ(times[2], "0.3");
        EXPECT_EQ(times[9], "1.0");
        EXPECT_EQ(times[10], "1.1");
        EXPECT_EQ(times[28], "2.9");
        EXPECT_EQ(times[29], "3.0");
        EXPECT_EQ(ListEntries(dialog, IDC_TRIES_COMBO),
                  (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
        EXPECT_EQ(ListEntries(dialog, IDC_COLOR_COMBO),
                  (std::vector<std::string>{"1:白色", "2:灰色", "3:黄色", "4:水色", "5:桃色"}));
        EXPECT_EQ(ListEntries(dialog, IDC_LEVEL_COMBO),
                  (std::vector<std::string>{"1:初級から開始", "2:中級から開始", "3:上級から開始"}));
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    }});
}

TEST_F(SettingsDialogTest, CodesOutsideTheListsShowTheLastEntryAndAnyOtherCourseIsChallenge) {
    struct Case {
        int32_t hideColor, courseMode, startLevel;
        const char* colorText;
        int checkedCourse;
        const char* levelText;
    };
    const Case cases[] = {
        {1, 0, 2, "1:白色", IDC_FIXED_COURSE_RADIO, "2:中級から開始"},
        {4, 7, 0, "4:水色", IDC_CHALLENGE_COURSE_RADIO, "3:上級から開始"},
        {2, -1, 9, "2:灰色", IDC_CHALLENGE_COURSE_RADIO, "3:上級から開始"},
        {6, 1, 3, "5:桃色", IDC_CHALLENGE_COURSE_RADIO, "3:上級から開始"},
        {-3, 1, 1, "5:桃色", IDC_CHALLENGE_COURSE_RADIO, "1:初級から開始"},
    };
    for (const Case& check : cases) {
        SCOPED_TRACE(check.colorText);
        gameSettings = {9, 5, 10, check.hideColor, check.courseMode, check.startLevel};
        const GameSettings before = gameSettings;
        RunSettingsDialog({[&](HWND dialog) {
            EXPECT_EQ(ItemText(dialog, IDC_COUNT_COMBO), "9");
            EXPECT_EQ(ItemText(dialog, IDC_TIME_COMBO), "0.5");
            EXPECT_EQ(ItemText(dialog, IDC_TRIES_COMBO), "10");
            EXPECT_EQ(ItemText(dialog, IDC_COLOR_COMBO), check.colorText);
            EXPECT_EQ(IsDlgButtonChecked(dialog, check.checkedCourse), BST_CHECKED);
            EXPECT_EQ(ItemText(dialog, IDC_LEVEL_COMBO), check.levelText);
            CloseByCloseBox(dialog);
        }});
        EXPECT_TRUE(SameSettings(gameSettings, before)) << "closing stored something";
    }
}

TEST_F(SettingsDialogTest, HandEditedValuesTooLongForTheFieldAreCut) {
    gameSettings = {INT_MIN, INT_MAX, 1234567890, 1, 0, 1};
    const GameSettings before = gameSettings;
    RunSettingsDialog({[](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_COUNT_COMBO), "-21474836");
        EXPECT_EQ(ItemText(dialog, IDC_TIME_COMBO), "214748364");
        EXPECT_EQ(ItemText(dialog, IDC_TRIES_COMBO), "123456789");
        EXPECT_EQ(ListEntries(dialog, IDC_TRIES_COMBO).size(), 10u);
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    }});
    EXPECT_TRUE(SameSettings(gameSettings, before));
}

// ---- What OK stores ---------------------------------------------------------------

TEST_F(SettingsDialogTest, OkStoresTypedTextsConvertedAndClamped) {
    struct Case {
        const char* count;
        const char* time;
        const char* tries;
        const char* color;
        const char* level;
        GameSettings stored;  // the course stays as it was: 7
    };
    const Case cases[] = {
        {"0", "5", "0", "7", "9", {1, 30, 1, 7, 7, 9}},
        {"", "", "", "", "", {1, 1, 1, 0, 7, 0}},
        {"12", "-2", "99", "A", "2:中級から開始", {9, 1, 10, 1, 7, 2}},
        {"3x", "1.25", " 7", "3:黄色", "1", {3, 12, 7, 3, 7, 1}},
        {"+4", "0.05", "-1", "4:水色", "3", {4, 1, 1, 4, 7, 3}},
        {"2", "0.3", "10", "5", "0", {2, 3, 10, 5, 7, 0}},
        {"8", "2.9", "1", "1", "2", {8, 29, 1, 1, 7, 2}},
        // Only nine bytes are read back; numbers beyond any range saturate and clamp.
        {"99999999999", "1e400", "2147483648", "1", "1", {9, 30, 10, 1, 7, 1}},
        {"-9999999999", "nan", "x", "1", "1", {1, 1, 1, 1, 7, 1}},
        {"0000000012", "000000002.5", "0000000015", "1", "1", {1, 20, 1, 1, 7, 1}},
        {"7", "3.09", "4", "1", "1", {7, 30, 4, 1, 7, 1}},
    };
    for (const Case& check : cases) {
        SCOPED_TRACE(std::string(check.count) + " / " + check.time + " / " + check.tries);
        gameSettings = {5, 5, 5, 5, 7, 2};
        INT_PTR result = RunSettingsDialog({[&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_COUNT_COMBO, check.count);
            SetDlgItemTextA(dialog, IDC_TIME_COMBO, check.time);
            SetDlgItemTextA(dialog, IDC_TRIES_COMBO, check.tries);
            SetDlgItemTextA(dialog, IDC_COLOR_COMBO, check.color);
            SetDlgItemTextA(dialog, IDC_LEVEL_COMBO, check.level);
            Click(dialog, IDC_SETTINGS_OK);
        }});
        EXPECT_EQ(result, 1);
        EXPECT_EQ(gameSettings.fixedCount, check.stored.fixedCount);
        EXPECT_EQ(gameSettings.fixedTime, check.stored.fixedTime);
        EXPECT_EQ(gameSettings.fixedTries, check.stored.fixedTries);
        EXPECT_EQ(gameSettings.hideColor, check.stored.hideColor);
        EXPECT_EQ(gameSettings.courseMode, check.stored.courseMode);
        EXPECT_EQ(gameSettings.startLevel, check.stored.startLevel);
    }
}

TEST_F(SettingsDialogTest, OkStoresEveryPickedListEntryAsItsOwnValue) {
    for (int index = 0; index < 30; ++index) {
        SCOPED_TRACE(index);
        RunSettingsDialog({[&](HWND dialog) {
            PickEntry(dialog, IDC_COUNT_COMBO, index % 9);
            PickEntry(dialog, IDC_TIME_COMBO, index);
            PickEntry(dialog, IDC_TRIES_COMBO, index % 10);
            PickEntry(dialog, IDC_COLOR_COMBO, index % 5);
            PickEntry(dialog, IDC_LEVEL_COMBO, index % 3);
            Click(dialog, IDC_SETTINGS_OK);
        }});
        EXPECT_TRUE(SameSettings(gameSettings, {index % 9 + 1, index + 1, index % 10 + 1, index % 5 + 1, 1,
                                                index % 3 + 1}));
    }
}

// ---- The course buttons, Enter, Esc and the close box --------------------------------

TEST_F(SettingsDialogTest, CourseButtonActsAtOnceAndStaysWhenClosedByCloseBox) {
    RunSettingsDialog({[](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_COUNT_COMBO, "7");
        Click(dialog, IDC_FIXED_COURSE_RADIO);
        EXPECT_EQ(gameSettings.courseMode, 0);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIXED_COURSE_RADIO), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_CHALLENGE_COURSE_RADIO), BST_UNCHECKED);
        CloseByCloseBox(dialog);
    }});
    EXPECT_TRUE(SameSettings(gameSettings, {3, 10, 3, 0, 0, 1}));

    RunSettingsDialog({[](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FIXED_COURSE_RADIO), BST_CHECKED);
        Click(dialog, IDC_CHALLENGE_COURSE_RADIO);
        EXPECT_EQ(gameSettings.courseMode, 1);
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    }});
    EXPECT_TRUE(SameSettings(gameSettings, {3, 10, 3, 0, 1, 1}));
}

TEST_F(SettingsDialogTest, CourseButtonTakesEffectWithOkToo) {
    gameSettings.courseMode = 7;
    RunSettingsDialog({[](HWND dialog) {
        Click(dialog, IDC_FIXED_COURSE_RADIO);
        Click(dialog, IDC_SETTINGS_OK);
    }});
    EXPECT_EQ(gameSettings.courseMode, 0);
    EXPECT_EQ(gameSettings.hideColor, 5);
}

TEST_F(SettingsDialogTest, EnterAndEscLeaveTheDialogOpenAndStoreNothing) {
    HWND seenDialog = NULL;
    RunSettingsDialog({
        [&](HWND dialog) {
            seenDialog = dialog;
            SetDlgItemTextA(dialog, IDC_COUNT_COMBO, "7");
            SetFocus(GetDlgItem(dialog, IDC_COUNT_COMBO));
            PressKey(VK_RETURN);
        },
        [](HWND) { PressKey(VK_ESCAPE); },
        [](HWND dialog) {
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        },
        [&](HWND dialog) {
            EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));
            EXPECT_TRUE(SameSettings(gameSettings, FirstRunDefaults));
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        },
    });
    EXPECT_TRUE(SameSettings(gameSettings, FirstRunDefaults));
    // The keys did reach the dialog, as commands 1 and 2, before the direct ones.
    ASSERT_GE(commandsSeen.size(), 4u);
    std::vector<int> keyCommands;
    for (int id : commandsSeen) {
        if (id == IDOK || id == IDCANCEL) {
            keyCommands.push_back(id);
        }
    }
    EXPECT_EQ(keyCommands, (std::vector<int>{IDOK, IDCANCEL, IDOK, IDCANCEL}));
}

TEST_F(SettingsDialogTest, OpeningTwiceShowsEachListOnce) {
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        RunSettingsDialog({[](HWND dialog) {
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_COUNT_COMBO, CB_GETCOUNT, 0, 0), 9);
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_TIME_COMBO, CB_GETCOUNT, 0, 0), 30);
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_TRIES_COMBO, CB_GETCOUNT, 0, 0), 10);
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_COLOR_COMBO, CB_GETCOUNT, 0, 0), 5);
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_LEVEL_COMBO, CB_GETCOUNT, 0, 0), 3);
            Click(dialog, IDC_SETTINGS_OK);
        }});
    }
}

}  // namespace
