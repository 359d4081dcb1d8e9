// What a web page could drop where the game looks. Built as comctl32.dll it is planted beside the
// game; built as a program it is planted as C:\Program.exe and in the browser's place. Either way it
// leaves "<program's path>.ran" once it runs. Started with no arguments, the program is the test's
// driver as well: it starts the game, waits for its window and presses Web help on its toolbar.
#include <windows.h>

// Runs on load: when a program starts, or when a process attaches this as its comctl32.dll.
__attribute__((constructor)) void LeaveMarker() {
    char path[MAX_PATH + 4] = {};
    lstrcatA(path + GetModuleFileNameA(NULL, path, MAX_PATH), ".ran");
    CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
}

extern "C" __declspec(dllexport) void WINAPI InitCommonControls() {}
extern "C" __declspec(dllexport) HWND WINAPI CreateToolbarEx(HWND, DWORD, UINT, int, HINSTANCE, UINT_PTR, const void*,
                                                             int, int, int, int, int, UINT) { return NULL; }

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    if (*arguments) {  // started by the game, as C:\Program.exe or as the browser
        return 0;
    }
    WinExec("glimmark.exe", SW_SHOWNORMAL);
    HWND window = NULL;
    for (int wait = 0; wait < 3000 && !IsWindowVisible(window = FindWindowA("Main Window", NULL)); ++wait) {
        Sleep(100);
    }
    // Web help (334), sent where the toolbar (329) sends it: a game without its toolbar gets nothing.
    SendMessageA(GetParent(GetDlgItem(window, 329)), WM_COMMAND, 334, 0);
    return 0;
}
