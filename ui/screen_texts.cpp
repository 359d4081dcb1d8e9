// The player's texts at the Win32 boundary: the language of Windows, UTF-16 for the wide functions, and dialog texts.
#include "screen_texts.h"

#include <cstdarg>
#include <cstdio>

void UseTheLanguageOfWindows() {
    bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    SetPlayerLanguage(japanese ? JapaneseLanguage : EnglishLanguage);
}

WideText::WideText(const char* utf8) : text() {
    if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text, WideTextSize) == 0) {
        text[0] = L'\0';
    }
}

WideText FormattedText(TextId format, ...) {
    char text[WideTextSize] = {};
    va_list figures;
    va_start(figures, format);
    std::vsnprintf(text, sizeof text, PlayerText(format), figures);
    va_end(figures);
    return WideText(text);
}

void ShowDialogTexts(HWND dialog, TextId title, const ControlText* controls, size_t count) {
    SetWindowTextW(dialog, WideText(title));
    for (size_t index = 0; index < count; ++index) {
        SetDlgItemTextW(dialog, controls[index].controlId, WideText(controls[index].text));
    }
}
