// The game settings dialog: the course buttons change the course at once, OK stores the other five settings.
#include "front_end.h"

#include <cstring>

#include "figure_text.h"
#include "game_state.h"
#include "resource_ids.h"
#include "screen_texts.h"
#include "settings_text.h"

namespace {

// Every combo-box text the dialog formats or reads back passes through a
// working buffer of this size: nine characters at most and the terminator.
constexpr int WorkingBufferSize = 10;
using WorkingBuffer = char[WorkingBufferSize];

const ControlText SettingsTexts[] = {
    {IDC_COUNT_LABEL, CountLabel},
    {IDC_TIME_LABEL, TimeLabel},
    {IDC_TRIES_LABEL, TriesLabel},
    {IDC_COLOR_LABEL, ColorLabel},
    {IDC_SETTINGS_OK, OkButton},
    {IDC_FIXED_COURSE_RADIO, FixedCourseButton},
    {IDC_CHALLENGE_COURSE_RADIO, ChallengeCourseButton},
};

// ---- The working buffer ----

using NumberFormat = void (*)(int32_t, FigureText&);

// A value from a hand-edited settings file can be longer than the buffer: it is
// formatted in full first and then cut to what the buffer holds.
void FormatIntoWorkingBuffer(NumberFormat format, int32_t value, WorkingBuffer& buffer) {
    FigureText full = {};
    format(value, full);
    std::memset(buffer, 0, sizeof buffer);
    lstrcpynA(buffer, full, WorkingBufferSize);
}

// Only digits and the first byte count in what the player typed; taken in the
// system's code page they are the very bytes a Japanese Windows always gave.
const char* ReadComboText(HWND dialog, int comboId, WorkingBuffer& buffer) {
    wchar_t typed[WideTextSize] = {};
    GetDlgItemTextW(dialog, comboId, typed, WideTextSize);
    char bytes[WideTextSize * 4] = {};  // the longest any code page makes of it
    WideCharToMultiByte(CP_ACP, 0, typed, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::memset(buffer, 0, sizeof buffer);
    std::memcpy(buffer, bytes, WorkingBufferSize - 1);
    return buffer;
}

// ---- Filling the combo boxes ----

HWND EmptyComboBox(HWND dialog, int comboId) {
    HWND combo = GetDlgItem(dialog, comboId);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    return combo;
}

void AddEntry(HWND combo, const char* text) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(WideText(text))));
}

void ShowCurrent(HWND combo, const char* text) {
    SendMessageW(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(static_cast<const wchar_t*>(WideText(text))));
}

// Each list offers every value the setting's range allows.
void FillNumberList(HWND dialog, int comboId, const FigureRange& range, NumberFormat format, int32_t current) {
    HWND combo = EmptyComboBox(dialog, comboId);
    WorkingBuffer buffer;
    for (int32_t value = range.low; value <= range.high; ++value) {
        FormatIntoWorkingBuffer(format, value, buffer);
        AddEntry(combo, buffer);
    }
    FormatIntoWorkingBuffer(format, current, buffer);
    ShowCurrent(combo, buffer);
}

void FillTextList(HWND dialog, int comboId, const TextList& list, int32_t currentCode) {
    HWND combo = EmptyComboBox(dialog, comboId);
    for (int32_t code = 1; code <= list.count; ++code) {
        AddEntry(combo, PlayerText(ListedText(list, code)));
    }
    ShowCurrent(combo, PlayerText(ListedText(list, currentCode)));
}

// ---- Messages ----

void ShowSettings(HWND dialog) {
    ShowDialogTexts(dialog, SettingsTitle, SettingsTexts);
    FillNumberList(dialog, IDC_COUNT_COMBO, CountRange, FormatWhole, gameSettings.fixedCount);
    FillNumberList(dialog, IDC_TIME_COMBO, TimeRange, FormatTenths, gameSettings.fixedTime);
    FillNumberList(dialog, IDC_TRIES_COMBO, TriesRange, FormatWhole, gameSettings.fixedTries);
    FillTextList(dialog, IDC_COLOR_COMBO, ColorItemList, gameSettings.hideColor);
    int courseButton = gameSettings.courseMode == FixedCourse ? IDC_FIXED_COURSE_RADIO : IDC_CHALLENGE_COURSE_RADIO;
    CheckRadioButton(dialog, IDC_FIXED_COURSE_RADIO, IDC_CHALLENGE_COURSE_RADIO, courseButton);
    FillTextList(dialog, IDC_LEVEL_COMBO, LevelItemList, gameSettings.startLevel);
}

void StoreSettingsAndClose(HWND dialog) {
    WorkingBuffer buffer;
    gameSettings.fixedCount = CountFromText(ReadComboText(dialog, IDC_COUNT_COMBO, buffer));
    gameSettings.fixedTime = TimeFromText(ReadComboText(dialog, IDC_TIME_COMBO, buffer));
    gameSettings.fixedTries = TriesFromText(ReadComboText(dialog, IDC_TRIES_COMBO, buffer));
    gameSettings.hideColor = ColorFromText(ReadComboText(dialog, IDC_COLOR_COMBO, buffer));
    gameSettings.startLevel = LevelFromText(ReadComboText(dialog, IDC_LEVEL_COMBO, buffer));
    EndDialog(dialog, 1);
}

// Enter and Esc arrive here as commands 1 and 2 and are deliberately ignored:
// the dialog closes only through OK or the close box.
void HandleCommand(HWND dialog, int controlId) {
    switch (controlId) {
    case IDC_SETTINGS_OK:
        StoreSettingsAndClose(dialog);
        break;
    case IDC_FIXED_COURSE_RADIO:
        gameSettings.courseMode = FixedCourse;
        break;
    case IDC_CHALLENGE_COURSE_RADIO:
        gameSettings.courseMode = ChallengeCourse;
        break;
    default:
        break;
    }
}

void PaintNothing(HWND dialog) {
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    EndPaint(dialog, &paint);
}

}  // namespace

INT_PTR CALLBACK GameSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowSettings(dialog);
        return TRUE;  // the focus goes to the first control, the count field
    case WM_COMMAND:
        HandleCommand(dialog, LOWORD(wParam));
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 1);  // nothing stored; a course click has already taken effect
        return FALSE;
    case WM_PAINT:
        PaintNothing(dialog);
        return FALSE;
    default:
        return FALSE;
    }
}
