// The player's texts at the Win32 boundary: the language of Windows, UTF-16 for the wide functions, and dialog texts.
#pragma once

#include <windows.h>

#include <cstddef>

#include "player_texts.h"

// Japanese when the user's Windows display language is Japanese, English otherwise;
// once at start, before any text is shown.
void UseTheLanguageOfWindows();

// Room for the longest text the game shows, a formatted records line included.
constexpr int WideTextSize = 256;

// A UTF-8 text as UTF-16, for the wide functions; one that does not fit reads as empty.
struct WideText {
    explicit WideText(const char* utf8);
    explicit WideText(TextId id) : WideText(PlayerText(id)) {}
    operator const wchar_t*() const { return text; }
    int length() const { return lstrlenW(text); }
    wchar_t text[WideTextSize];
};

// A player's text with its figures filled in by printf rules, as UTF-16.
WideText FormattedText(TextId format, ...);

struct ControlText {
    int controlId;
    TextId text;
};

// The templates carry the layout only: every title and control text comes from the
// table at WM_INITDIALOG, so both languages share one template per dialog.
void ShowDialogTexts(HWND dialog, TextId title, const ControlText* controls, size_t count);
template <size_t Count>
void ShowDialogTexts(HWND dialog, TextId title, const ControlText (&controls)[Count]) {
    ShowDialogTexts(dialog, title, controls, Count);
}
