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
// 646 x 556, or more where this system's frame would leave the board less than 640 x 520.
SIZE MainWindowOuterSize();
// The corner that centres a window on the screen; negative when the screen is the smaller.
POINT CenteredWindowPosition(SIZE screen, SIZE window);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The GameHost realised with Win32 calls on mainWindow.
extern const GameHost windowsGameHost;
// Opens a dialog template modally, owned by the main window; a missing template is passed over.
void RunGameDialog(int32_t templateId);
// The settings store's warnings: a warning message box with an OK button.
void ShowSettingsWarning(void* ownerWindow, const char* text, const char* caption);

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
