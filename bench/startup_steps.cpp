// Times each step of the game's start-up from inside one process, with the performance counter.
//
//   startup_steps [--bare]
//
// Runs the steps of the game's start-up in the game's order, through the game's own functions,
// on a window of the game's class style, size and frame, and prints how long each one took.
// The window procedure is this program's, so that each step of the creation handler can be
// timed on its own; everything it calls is the game's. With --bare only the window is made,
// shown and painted, as the bare window program does: the difference is what the game adds.
// The first start in a process pays for each library's first use, so every step is timed once.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "front_end.h"
#include "game_state.h"
#include "records.h"
#include "resource_ids.h"
#include "settings_file.h"
#include "system_library.h"

namespace {

LARGE_INTEGER frequency;
LARGE_INTEGER stepStart;
bool bare = false;

void BeginStep() {
    QueryPerformanceCounter(&stepStart);
}

void EndStep(const char* name) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    double milliseconds = 1000.0 * static_cast<double>(now.QuadPart - stepStart.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
    std::printf("%-28s %7.2f ms\n", name, milliseconds);
    QueryPerformanceCounter(&stepStart);
}

// The game's creation handler, step by step. COMCTL32 is loaded once before the toolbar is built,
// so that its load and the toolbar's making show apart; the toolbar's own load then only counts up.
void CreateSteps(HWND window) {
    LoadSettings(window);
    EndStep("settings read");
    LoadSystemLibrary("comctl32.dll");
    EndStep("COMCTL32 loaded");
    BuildToolbar(window);
    EndStep("toolbar built");
    AddRecordsMenuItem(window);
    EndStep("system menu item");
    CreateBoardFont();
    EndStep("board font");
    ClearTargetTable();
    ClearSnapshot();
    EndStep("records cleared");
}

void PaintSteps(HWND window) {
    PAINTSTRUCT paint;
    BeginStep();
    HDC deviceContext = BeginPaint(window, &paint);
    EndStep("first paint: BeginPaint");
    if (!bare) {
        PaintBoard(deviceContext);
        JudgeRound();
        EndStep("first paint: board");
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK StepsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        EndStep("window made up to creation");
        if (!bare) {
            CreateSteps(window);
        }
        return 0;
    case WM_PAINT:
        PaintSteps(window);
        return 0;
    case WM_NOTIFY:
        SupplyTooltipText(window, reinterpret_cast<NMHDR*>(lParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argumentCount, char** arguments) {
    bare = argumentCount > 1 && std::strcmp(arguments[1], "--bare") == 0;
    QueryPerformanceFrequency(&frequency);
    HINSTANCE instance = GetModuleHandleA(NULL);
    BeginStep();
    if (!bare) {
        RestrictLibrarySearchToSystemFolder();
        SetGameHost(&windowsGameHost);
        SetSettingsWarning(ShowSettingsWarning);
        EndStep("library search, hooks");
    }
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNCLIENT;
    windowClass.lpfnWndProc = StepsWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = bare ? NULL : LoadIconA(instance, MAKEINTRESOURCEA(IDI_GLIMMARK));
    windowClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "Steps Window";
    RegisterClassA(&windowClass);
    EndStep("class registered, icon");
    HWND window = CreateWindowExA(0, "Steps Window", "Glimmark Ver1.11", WS_CAPTION | WS_SYSMENU, 100, 100, 646, 556,
                                  NULL, NULL, instance, NULL);
    EndStep("window made after creation");
    ShowWindow(window, SW_SHOWNORMAL);
    EndStep("window shown");
    UpdateWindow(window);
    EndStep("first paint done");
    std::fflush(stdout);
    DestroyWindow(window);
    return 0;
}
