// Drives the real glimmark.exe from outside, as a player would: answers its message boxes, closes its window, and reports what it saw.
//   drive_game run EXE EXPECTED   start EXE in the working folder, close it with WM_CLOSE; EXPECTED is the
//                                 settings warnings it must show, in order: none, write, read, or read,write
//   drive_game close              wait for a running game's window, print "closing", and post WM_CLOSE to it
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const ReadWarningCaption = "リードエラー";
const char* const ReadWarningText = "設定ファイルがありません";
const char* const WriteWarningCaption = "ライトエラー";
const char* const WriteWarningText = "ファイルが書けません";

struct Search {
    DWORD processId;
    HWND mainWindow;
    HWND box;
};

BOOL CALLBACK FindWindows(HWND window, LPARAM parameter) {
    Search& search = *reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search.processId != 0 && owner != search.processId) {
        return TRUE;
    }
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window)) {
        search.box = window;
    } else if (std::strcmp(className, "Main Window") == 0) {
        search.mainWindow = window;
    }
    return TRUE;
}

Search FindGameWindows(DWORD processId) {
    Search search = {processId, nullptr, nullptr};
    EnumWindows(FindWindows, reinterpret_cast<LPARAM>(&search));
    return search;
}

// The warning a box shows, by its caption and text: "read", "write" or "other".
std::string NameBox(HWND box) {
    char caption[128] = {};
    char text[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    if (std::strcmp(caption, ReadWarningCaption) == 0 && std::strcmp(text, ReadWarningText) == 0) {
        return "read";
    }
    if (std::strcmp(caption, WriteWarningCaption) == 0 && std::strcmp(text, WriteWarningText) == 0) {
        return "write";
    }
    return "other";
}

std::string Join(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) {
        joined += (joined.empty() ? "" : ",") + name;
    }
    return joined.empty() ? "none" : joined;
}

int RunAndClose(const char* exe, const char* expected) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    char commandLine[MAX_PATH + 2];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", exe);
    if (!CreateProcessA(exe, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("drive_game: cannot start %s\n", exe);
        return 2;
    }
    std::vector<std::string> boxes;
    HWND answered = nullptr;
    bool closeSent = false;
    DWORD exitCode = STILL_ACTIVE;
    for (int tick = 0; tick < 2000 && WaitForSingleObject(process.hProcess, 10) == WAIT_TIMEOUT; ++tick) {
        Search found = FindGameWindows(process.dwProcessId);
        if (found.box && found.box != answered) {
            boxes.push_back(NameBox(found.box));
            answered = found.box;
            PostMessageA(found.box, WM_COMMAND, IDOK, 0);
        } else if (!found.box && found.mainWindow && IsWindowVisible(found.mainWindow) && !closeSent) {
            PostMessageA(found.mainWindow, WM_CLOSE, 0, 0);
            closeSent = true;
        }
    }
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 99);
        std::printf("drive_game: the game did not end\n");
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::string seen = Join(boxes);
    const bool asExpected = seen == expected && exitCode == 0 && closeSent;
    std::printf("drive_game: warnings seen: %s (expected %s), exit code %lu: %s\n", seen.c_str(), expected,
                static_cast<unsigned long>(exitCode), asExpected ? "ok" : "FAILED");
    return asExpected ? 0 : 1;
}

int CloseRunningGame() {
    for (int tick = 0; tick < 2000; ++tick) {
        Search found = FindGameWindows(0);
        if (found.mainWindow && IsWindowVisible(found.mainWindow)) {
            std::printf("closing\n");
            std::fflush(stdout);
            PostMessageA(found.mainWindow, WM_CLOSE, 0, 0);
            return 0;
        }
        Sleep(5);
    }
    std::printf("drive_game: no game window\n");
    return 1;
}

}  // namespace

int main(int argumentCount, char** arguments) {
    if (argumentCount == 4 && std::strcmp(arguments[1], "run") == 0) {
        return RunAndClose(arguments[2], arguments[3]);
    }
    if (argumentCount == 2 && std::strcmp(arguments[1], "close") == 0) {
        return CloseRunningGame();
    }
    std::printf("usage: drive_game run EXE EXPECTED | drive_game close\n");
    return 2;
}
