// The Win32 front end: what its files and the entry point use of one another.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "game_host.h"
#include "window_scale.h"

// Made at window creation, at the main window's DPI, and made again only when that changes; the
// result dialogs and the stage splash write their large text in it too.
extern HFONT boardFont;
// The window the GameHost acts on; null until it is made and again once it is gone.
extern HWND mainWindow;
// The DPI the main window's board and toolbar are drawn at: its screen's, 96 at 100%.
extern int32_t mainWindowDpi;

// ---- Main window ----
bool RegisterMainWindowClass(HINSTANCE instance);
// "Glimmark Ver1.11", centred on the screen and still hidden; its creation loads the settings.
HWND CreateMainWindow(HINSTANCE instance);
// Returns the exit code once the main window is gone.
int RunMessageLoop();

// The GameHost realised with Win32 calls on the main window.
extern const GameHost windowsGameHost;
// Opens a dialog template modally, owned by the main window; a missing template is passed over.
void RunGameDialog(int32_t templateId);
// The settings store's warnings: a warning message box with an OK button.
void ShowSettingsWarning(void* ownerWindow, const char* text, const char* caption);

// ---- Toolbar ----
// Its buttons and pictures at the main window's DPI; made again when that changes.
void BuildToolbar(HWND window);
void RebuildToolbar(HWND window);
void SupplyTooltipText(HWND window, NMHDR* notification);

// ---- Board ----
// A colour of the shared tables, 0xRRGGBB, as GDI takes it.
constexpr COLORREF ScreenColor(int32_t color) {
    return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}
void CreateBoardFont();
void PaintBoard(HDC deviceContext);

// The board font for a window at that DPI: the main window's own, or, for a dialog on a screen
// of another scale, one made for it, which ReleaseBoardFont deletes once the paint is done.
// (Plain calls, not an object with a destructor: that would bring the C++ exception run time
// into the exe.)
HFONT BoardFontAt(int32_t dpi);
void ReleaseBoardFont(HFONT font);

// ---- Dialogs, by template ----
INT_PTR CALLBACK GameSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FixedResultDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StageSplash(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ChallengeResultDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Web help ----
// Starts the browser on the help page, or tells the player it is not there.
void OpenWebHelp(HWND window);
