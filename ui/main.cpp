// Entry point: hooks the game core and the settings store up to Win32, opens the main window and runs the game.
#include "front_end.h"
#include "history_file.h"
#include "screen_texts.h"
#include "settings_file.h"
#include "system_library.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // First of all, before anything can load a library by name.
    RestrictLibrarySearchToSystemFolder();
    UseTheLanguageOfWindows();
    SetGameHost(&windowsGameHost);
    SetSettingsWarning(ShowSettingsWarning);
    SetHistoryWarning(ShowSettingsWarning);
    if (!RegisterMainWindowClass(instance)) {
        return 0;
    }
    HWND window = CreateMainWindow(instance);
    if (!window) {
        return 1;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return RunMessageLoop();
}
