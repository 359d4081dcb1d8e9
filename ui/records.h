// The game history in the front end: recording each finished game, the best line and the records dialog.
#pragma once

#include <windows.h>

#include <cstdint>

// The GameHost's runDialog. A result dialog that the core opens ends a game, so
// that game goes into the history first; the Brain-level button's reopening
// does not come this way and adds nothing.
void RunDialogOfGame(int32_t templateId);

// Writes a result dialog's best line for its course (a CourseMode code). Only
// the dialog that ends a game can say that the game set a new best.
void ShowPersonalBest(HWND dialog, int32_t course);

// The records item at the end of the window's system menu.
void AddRecordsMenuItem(HWND window);
// The records item opens the records dialog; every other system command takes the default path.
LRESULT HandleSystemCommand(HWND window, WPARAM wParam, LPARAM lParam);

INT_PTR CALLBACK RecordsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
