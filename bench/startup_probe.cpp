// Starts a Windows program and times, from outside, how long it takes until its main window has been painted.
//
//   startup_probe [--hold MS] PROGRAM [WORKING-FOLDER]
//
// Prints one line: milliseconds from just before CreateProcess to
//   shown:   a visible top-level window of the new process exists;
//   painted: that window has no update region left, i.e. its first WM_PAINT has
//            called BeginPaint (the paint's drawing follows within the same message);
//   idle:    WaitForInputIdle returns, the program's loop waits for input.
// Then, after holding the window open for MS milliseconds (0 by default) so that a
// script can read the process's CPU time, closes it (WM_CLOSE) and waits for the end.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == NULL) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleWindowOf(DWORD processId) {
    WindowSearch search = {processId, NULL};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

double MillisecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

constexpr double GiveUpAfterMilliseconds = 30000.0;

}  // namespace

int main(int argumentCount, char** arguments) {
    DWORD holdMilliseconds = 0;
    if (argumentCount > 2 && std::strcmp(arguments[1], "--hold") == 0) {
        holdMilliseconds = static_cast<DWORD>(std::strtoul(arguments[2], nullptr, 10));
        arguments += 2;
        argumentCount -= 2;
    }
    if (argumentCount < 2) {
        std::fprintf(stderr, "usage: startup_probe [--hold MS] PROGRAM [WORKING-FOLDER]\n");
        return 2;
    }
    char commandLine[MAX_PATH + 3];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", arguments[1]);
    const char* folder = argumentCount > 2 ? arguments[2] : NULL;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(NULL, commandLine, NULL, NULL, FALSE, 0, NULL, folder, &startup, &process)) {
        std::fprintf(stderr, "startup_probe: cannot start %s (error %lu)\n", arguments[1], GetLastError());
        return 1;
    }

    // A millisecond between looks: a busy loop would take the core that Wine's
    // server and the program under test need on a two-core machine.
    HWND window = NULL;
    while (window == NULL && MillisecondsSince(start) < GiveUpAfterMilliseconds) {
        Sleep(1);
        window = VisibleWindowOf(process.dwProcessId);
    }
    const double shown = MillisecondsSince(start);
    RECT update;
    while (window != NULL && GetUpdateRect(window, &update, FALSE) &&
           MillisecondsSince(start) < GiveUpAfterMilliseconds) {
        Sleep(1);
    }
    const double painted = MillisecondsSince(start);
    WaitForInputIdle(process.hProcess, static_cast<DWORD>(GiveUpAfterMilliseconds));
    const double idle = MillisecondsSince(start);

    const bool ok = window != NULL && painted < GiveUpAfterMilliseconds;
    std::printf("shown %.1f ms, painted %.1f ms, idle %.1f ms%s\n", shown, painted, idle, ok ? "" : " (timed out)");
    std::fflush(stdout);
    Sleep(holdMilliseconds);
    if (window != NULL) {
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ok ? 0 : 1;
}
