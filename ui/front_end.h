// The Win32 front end's process-wide handles and the procedures its files share.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "game_host.h"

// ---- Process-wide handles (null until made) ----
extern HWND mainWindow;
extern HWND toolbarWindow;
extern HFONT boardFont;       // made once at window creation, never deleted
extern HBITMAP aboutPicture;  // loaded when the About box opens

extern const char* const MainWindowClassName;  // "Main Window"
extern const char* const MainWindowTitle;      // "Glimmark Ver1.11"

// ---- Main window ----
bool RegisterMainWindowClass(HINSTANCE instance);
HWND CreateMainWindow(HINSTANCE instance);
int RunMessageLoop();
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The GameHost realised with Win32 calls on mainWindow.
extern const GameHost windowsGameHost;
// Opens a dialog template modally, owned by the main window; a missing template is passed over.
void RunGameDialog(int32_t templateId);

// ---- Toolbar ----
void BuildToolbar(HWND window);
void SupplyTooltipText(HWND window, NMHDR* notification);

// ---- Board ----
void CreateBoardFont();
void PaintBoard(HDC deviceContext);

// ---- Dialogs ----
INT_PTR CALLBACK GameSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FixedResultDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK StageSplash(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ChallengeResultDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// ---- Web help ----
void OpenWebHelp(HWND window);
