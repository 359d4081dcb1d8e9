// Opens the result dialogs and the About box thousands of times and plays rounds through the real window,
// checking after each that the pictures still load and paint and that no GDI object was lost.
//   leak_check [opens per dialog] [rounds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "brain_level.h"
#include "front_end.h"
#include "game_state.h"
#include "resource_ids.h"
#include "settings_file.h"

namespace {

// ---- What a dialog should show ---------------------------------------------

// Where the dialogs draw their pictures, in client pixels.
constexpr POINT ResultPictureCorner = {130, 120};
constexpr POINT AboutPictureCorner = {55, 7};

// One pixel of a picture that differs from the dialog's own background, so that a
// picture that failed to load (and so draws nothing) cannot pass for it.
struct PictureProbe {
    int pictureId = 0;
    POINT offset = {};
    COLORREF color = CLR_INVALID;
};

PictureProbe ProbeFor(int pictureId) {
    PictureProbe probe;
    probe.pictureId = pictureId;
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pictureId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!picture) {
        return probe;
    }
    BITMAP size = {};
    GetObjectA(picture, sizeof size, &size);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ kept = SelectObject(memory, picture);
    const COLORREF background = GetSysColor(COLOR_3DFACE);
    for (int y = size.bmHeight / 2; y < size.bmHeight && probe.color == CLR_INVALID; ++y) {
        for (int x = size.bmWidth / 2; x < size.bmWidth; ++x) {
            COLORREF color = GetPixel(memory, x, y);
            if (color != background && color != RGB(255, 255, 255) && color != CLR_INVALID) {
                probe.offset = {x, y};
                probe.color = color;
                break;
            }
        }
    }
    SelectObject(memory, kept);
    DeleteDC(memory);
    DeleteObject(picture);
    return probe;
}

// ---- Checking each dialog while it is open -----------------------------------

struct DialogCheck {
    PictureProbe probe;
    POINT corner = {};
    int opened = 0;
    int painted = 0;  // opens whose picture pixel read back as the picture's own
    COLORREF lastSeen = CLR_INVALID;
};
DialogCheck* currentCheck = nullptr;
HWND checker = nullptr;  // a hidden window of ours whose messages the dialogs' loops dispatch
HHOOK hook = nullptr;
constexpr UINT CheckOpenDialog = WM_APP + 1;
int boxesDuringPlay = 0;

// Paints the dialog now, reads one pixel of the picture back from its screen, and closes it.
void CheckAndClose(HWND dialog) {
    if (!IsWindow(dialog)) {
        return;
    }
    if (!currentCheck) {  // a box the game opened during play: a message, a splash or a result
        ++boxesDuringPlay;
        EndDialog(dialog, IDOK);
        return;
    }
    DialogCheck& check = *currentCheck;
    ++check.opened;
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC screen = GetDC(dialog);
    check.lastSeen = GetPixel(screen, check.corner.x + check.probe.offset.x, check.corner.y + check.probe.offset.y);
    ReleaseDC(dialog, screen);
    if (check.lastSeen == check.probe.color) {
        ++check.painted;
    }
    EndDialog(dialog, IDOK);
}

LRESULT CALLBACK CheckerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CheckOpenDialog) {
        CheckAndClose(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        char className[32] = {};
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            PostMessageA(checker, CheckOpenDialog, wParam, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void InstallChecker() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CheckerProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Leak Checker";
    RegisterClassA(&windowClass);
    checker = CreateWindowExA(0, "Leak Checker", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    hook = SetWindowsHookExA(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
}

// ---- GDI headroom ------------------------------------------------------------

// Neither GetGuiResources nor GetProcessHandleCount counts anything under Wine, so
// the check counts for itself how many more GDI objects this process can still make.
int GdiHeadroom() {
    std::vector<HBRUSH> brushes;
    brushes.reserve(70000);
    while (brushes.size() < 200000) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush) {
            break;
        }
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes) {
        DeleteObject(brush);
    }
    return static_cast<int>(brushes.size());
}

// ---- The two runs ------------------------------------------------------------

int failures = 0;

void Report(bool holds, const char* what) {
    std::printf("leak_check: %s: %s\n", holds ? "ok" : "FAILED", what);
    if (!holds) {
        ++failures;
    }
}

void OpenDialogRepeatedly(int templateId, DLGPROC procedure, int pictureId, POINT corner, int opens) {
    DialogCheck check;
    check.probe = ProbeFor(pictureId);
    check.corner = corner;
    currentCheck = &check;
    const DWORD start = GetTickCount();
    for (int open = 0; open < opens; ++open) {
        DialogBoxParamA(nullptr, MAKEINTRESOURCEA(templateId), mainWindow, procedure, 0);
    }
    currentCheck = nullptr;
    std::printf("leak_check: template %d opened %d times, picture painted %d times, last pixel %06lx of %06lx, %lu ms\n",
                templateId, check.opened, check.painted, static_cast<unsigned long>(check.lastSeen),
                static_cast<unsigned long>(check.probe.color), static_cast<unsigned long>(GetTickCount() - start));
    char what[96];
    std::snprintf(what, sizeof what, "template %d showed its picture at every one of %d opens", templateId, opens);
    Report(check.probe.color != CLR_INVALID && check.opened == opens && check.painted == opens, what);
}

void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    SendMessageA(mainWindow, message, wParam, lParam);
}

void ClickTarget(int32_t number) {
    const Target& target = targetTable.slots[number];
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(target.column * CellSize + 3, target.row * CellSize + BoardTop + 3));
}

// One round through the window procedure: Start, the display timer, then clicks;
// every tenth round ends in a wrong click, and every fiftieth is a challenge stage.
void PlayRound(int round) {
    gameSettings.courseMode = round % 50 == 49 ? ChallengeCourse : FixedCourse;
    gameSettings.startLevel = 1 + round % 3;
    gameSettings.fixedCount = 1 + round % 9;
    gameSettings.fixedTries = 1 + round % 2;
    Send(WM_COMMAND, IDM_START);
    Send(WM_TIMER, DisplayTimerId);
    const int32_t count = roundState.targetCount;
    const bool fail = round % 10 == 9 && count > 1;
    for (int32_t number = 1; number <= count && roundState.nextNumber == number; ++number) {
        ClickTarget(fail && number == count ? 1 : number);
    }
    KillTimer(mainWindow, DisplayTimerId);
}

void PlayRounds(int rounds) {
    const DWORD start = GetTickCount();
    boxesDuringPlay = 0;
    for (int round = 0; round < rounds; ++round) {
        PlayRound(round);
    }
    std::printf("leak_check: %d rounds played through the window, %d boxes opened and closed, %lu ms\n", rounds,
                boxesDuringPlay,
                static_cast<unsigned long>(GetTickCount() - start));
    Report(roundState.nextNumber == 0 && boxesDuringPlay >= rounds, "every round was judged and its boxes shown");
}

void CheckAllDialogs(int opens) {
    resultSnapshot = ResultSnapshot{5, 6, 10, 3, 3, 0, 0};
    roundState.stage = 12;
    const int fixedPicture = BrainLevelPictureId(rateFixedCourse(5, 6, 10, 3));
    const int challengePicture = BrainLevelPictureId(rateChallengeCourse(roundState.stage));
    OpenDialogRepeatedly(IDD_FIXED_RESULT, FixedResultDialog, fixedPicture, ResultPictureCorner, opens);
    OpenDialogRepeatedly(IDD_CHALLENGE_RESULT, ChallengeResultDialog, challengePicture, ResultPictureCorner, opens);
    OpenDialogRepeatedly(IDD_ABOUT, AboutDialog, IDB_ABOUT_PICTURE, AboutPictureCorner, opens);
}

void IgnoreWarning(void*, const char*, const char*) {}

}  // namespace

int main(int argumentCount, char** arguments) {
    const int opens = argumentCount > 1 ? std::atoi(arguments[1]) : 100;
    const int rounds = argumentCount > 2 ? std::atoi(arguments[2]) : 100;

    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    SetCurrentDirectoryA(folder);  // setdata.ini of the run lands in %TEMP%, not beside the test
    SetSettingsWarning(IgnoreWarning);
    SetGameHost(&windowsGameHost);
    RegisterMainWindowClass(GetModuleHandleA(nullptr));
    CreateMainWindow(GetModuleHandleA(nullptr));
    ShowWindow(mainWindow, SW_SHOW);
    UpdateWindow(mainWindow);
    InstallChecker();

    // Wine makes a few objects once, on first use (dialog fonts, the message box's), and keeps
    // them; one of each kind of round and dialog first, so that only a real loss shows below.
    CheckAllDialogs(1);
    for (int round : {0, 9, 49}) {
        PlayRound(round);
    }
    const int headroomBefore = GdiHeadroom();
    CheckAllDialogs(opens);
    PlayRounds(rounds);
    CheckAllDialogs(1);  // after all that play the pictures still load and paint
    const int headroomAfter = GdiHeadroom();
    std::printf("leak_check: GDI headroom %d objects before, %d after\n", headroomBefore, headroomAfter);
    Report(headroomAfter >= headroomBefore, "no GDI objects were lost");

    UnhookWindowsHookEx(hook);
    DestroyWindow(mainWindow);
    std::printf("leak_check: %s\n", failures == 0 ? "passed" : "FAILED");
    return failures == 0 ? 0 : 1;
}
