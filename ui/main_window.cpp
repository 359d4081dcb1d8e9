// The main window: its class and creation, the window procedure and command dispatch, the message loop, and the Win32 GameHost.
#include "front_end.h"

#include "game_state.h"
#include "records.h"
#include "resource_ids.h"
#include "screen_texts.h"
#include "settings_file.h"

HWND mainWindow;
int32_t mainWindowDpi = BaseDpi;

namespace {

const wchar_t* const MainWindowClassName = L"Main Window";

constexpr UINT MainWindowClassStyle = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNCLIENT;
constexpr DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU;
constexpr SIZE ClassicOuterSize = {646, 556};

struct DialogProcedureEntry {
    int32_t templateId;
    DLGPROC procedure;
};

const DialogProcedureEntry DialogProcedures[] = {
    {IDD_GAME_SETTINGS, GameSettingsDialog},
    {IDD_FIXED_RESULT, FixedResultDialog},
    {IDD_STAGE_SPLASH, StageSplash},
    {IDD_CHALLENGE_RESULT, ChallengeResultDialog},
    {IDD_ABOUT, AboutDialog},
};

DLGPROC DialogProcedureFor(int32_t templateId) {
    for (const DialogProcedureEntry& entry : DialogProcedures) {
        if (entry.templateId == templateId) {
            return entry.procedure;
        }
    }
    return nullptr;
}

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

SIZE ScreenSize() {
    HDC screen = GetDC(NULL);
    SIZE size = {GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
    ReleaseDC(NULL, screen);
    return size;
}

// The board needs a client area of BoardWidth x BoardBottom, scaled. The classic
// 646 x 556, scaled alike, holds it under thin frames; where this system's caption
// and frame are thicker, the window grows just enough.
SIZE MainWindowOuterSize(int32_t dpi) {
    const int32_t cell = ScaledCellSize(dpi);
    RECT needed = {0, 0, cell * GridColumns, ScaledPixels(BoardTop, dpi) + cell * GridRows};
    AdjustWindowRectAtDpi(&needed, MainWindowStyle, 0, dpi);
    SIZE size = {needed.right - needed.left, needed.bottom - needed.top};
    const SIZE classic = {ScaledPixels(ClassicOuterSize.cx, dpi), ScaledPixels(ClassicOuterSize.cy, dpi)};
    if (size.cx <= classic.cx && size.cy <= classic.cy) {
        return classic;
    }
    return size;
}

// Truncating signed division, deliberately not clamped: on a screen smaller
// than the window the corner lies off screen, above and to the left.
POINT CenteredWindowPosition(SIZE screen, SIZE window) {
    POINT corner = {(screen.cx - window.cx) / 2, (screen.cy - window.cy) / 2};
    return corner;
}

// ---- The GameHost ---------------------------------------------------------

// A null window would make InvalidateRect repaint every window on the desktop.
void RepaintWindow(HWND window) {
    if (!window) {
        return;
    }
    InvalidateRect(window, NULL, TRUE);
    UpdateWindow(window);
}

void ShowGameMessage(const char* text, const char* caption) {
    MessageBoxW(mainWindow, WideText(text), WideText(caption), MB_OK);
}

void StartDisplayTimer(int32_t periodMilliseconds) {
    SetTimer(mainWindow, DisplayTimerId, static_cast<UINT>(periodMilliseconds), NULL);
}

void StopDisplayTimer() {
    KillTimer(mainWindow, DisplayTimerId);
}

void RepaintMainWindow() {
    RepaintWindow(mainWindow);
}

// ---- Message handlers -----------------------------------------------------

void CreateGame(HWND window) {
    mainWindowDpi = WindowDpi(window);
    LoadSettings(window);
    BuildToolbar(window);
    AddRecordsMenuItem(window);
    CreateBoardFont();
    ClearTargetTable();
    ClearSnapshot();
}

void EndGame(HWND window) {
    KillTimer(window, DisplayTimerId);
    SaveSettings(window);
    if (window == mainWindow) {
        mainWindow = NULL;
    }
    PostQuitMessage(0);
}

// The board is drawn before the round is judged, so the player sees the
// judged board behind any message that the judgement brings up.
void PaintAndJudge(HWND window) {
    PAINTSTRUCT paint;
    HDC deviceContext = BeginPaint(window, &paint);
    PaintBoard(deviceContext);
    JudgeRound();
    EndPaint(window, &paint);
}

void HandleTimer(WPARAM timerId) {
    if (timerId == DisplayTimerId) {
        EndDisplayTime();
    }
}

// Below 100% a far corner's point on the rules' board lies beyond what a client coordinate holds.
uint16_t ClientCoordinate(int32_t value) {
    return static_cast<uint16_t>(value < 0xFFFF ? value : 0xFFFF);
}

// The rules judge the board as drawn at 100%: the click is taken to the same place of that board.
void JudgeClickAndRepaint(HWND window, LPARAM position) {
    JudgeClick(ClientCoordinate(BoardXAtBaseScale(LOWORD(position), mainWindowDpi)),
               ClientCoordinate(BoardYAtBaseScale(HIWORD(position), mainWindowDpi)));
    RepaintWindow(window);
}

// The window keeps its whole size on a screen smaller than itself, as the board needs all of it:
// Windows would otherwise cut it to the screen and leave the bottom rows out of reach.
void AllowTheWholeWindow(MINMAXINFO* limits) {
    const SIZE outer = MainWindowOuterSize(mainWindowDpi);
    limits->ptMaxTrackSize.x = limits->ptMaxTrackSize.x > outer.cx ? limits->ptMaxTrackSize.x : outer.cx;
    limits->ptMaxTrackSize.y = limits->ptMaxTrackSize.y > outer.cy ? limits->ptMaxTrackSize.y : outer.cy;
}

// Moved to a screen of another scale: the board, its font and the toolbar are made at the new DPI
// and the window takes the place and size Windows suggests for it there.
void TakeNewScale(HWND window, WPARAM wParam, const RECT* suggested) {
    mainWindowDpi = HIWORD(wParam);
    CreateBoardFont();
    RebuildToolbar(window);
    if (suggested) {
        SetWindowPos(window, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RepaintWindow(window);
}

void DispatchCommand(HWND window, WORD command) {
    switch (command) {
    case IDM_START:
    case IDM_START_RIGHT:
        StartGame();
        break;
    case IDM_GAME_SETTINGS:
        RunGameDialog(IDD_GAME_SETTINGS);
        break;
    case IDM_BRAIN_LEVEL:
        RunGameDialog(IDD_FIXED_RESULT);
        break;
    case IDM_VERSION:
        RunGameDialog(IDD_ABOUT);
        break;
    case IDM_WEB_HELP:
        OpenWebHelp(window);
        break;
    case IDM_EXIT:
        DestroyWindow(window);
        break;
    default:
        break;
    }
}

// ---- The window procedure ---------------------------------------------

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateGame(window);
        return 0;
    case WM_DESTROY:
        EndGame(window);
        return 0;
    case WM_PAINT:
        PaintAndJudge(window);
        return 0;
    case WM_TIMER:
        HandleTimer(wParam);
        return 0;
    case WM_LBUTTONDOWN:
        JudgeClickAndRepaint(window, lParam);
        return 0;
    case WM_COMMAND:
        DispatchCommand(window, LOWORD(wParam));
        return 0;
    case WM_SYSCOMMAND:
        return HandleSystemCommand(window, wParam, lParam);
    case WM_NOTIFY:
        SupplyTooltipText(window, reinterpret_cast<NMHDR*>(lParam));
        return 0;
    case WM_GETMINMAXINFO:
        AllowTheWholeWindow(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DPICHANGED:
        TakeNewScale(window, wParam, reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
    case WM_QUIT:
    case WM_INITMENUPOPUP:
    case WM_QUERYNEWPALETTE:
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

const GameHost windowsGameHost = {
    ShowGameMessage,
    RunDialogOfGame,
    StartDisplayTimer,
    StopDisplayTimer,
    RepaintMainWindow,
};

// A template missing from the resources is passed over, as if the dialog had been closed at once.
void RunGameDialog(int32_t templateId) {
    DLGPROC procedure = DialogProcedureFor(templateId);
    if (!procedure || !FindResourceA(NULL, MAKEINTRESOURCEA(templateId), RT_DIALOG)) {
        return;
    }
    DialogBoxParamW(NULL, MAKEINTRESOURCEW(templateId), mainWindow, procedure, 0);
}

void ShowSettingsWarning(void* ownerWindow, const char* text, const char* caption) {
    MessageBoxW(static_cast<HWND>(ownerWindow), WideText(text), WideText(caption), MB_ICONWARNING);
}

// ---- Class, creation and message loop -------------------------------------

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSW windowClass = {};
    windowClass.style = MainWindowClassStyle;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_GLIMMARK));
    windowClass.hCursor = LoadCursorW(NULL, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszMenuName = NULL;
    windowClass.lpszClassName = MainWindowClassName;
    return RegisterClassW(&windowClass) != 0;
}

// Sized for the screen's DPI; where the window's own monitor turns out to have another, it is
// sized again for that before it is shown.
HWND CreateMainWindow(HINSTANCE instance) {
    const int32_t screenDpi = ScreenDpi();
    mainWindowDpi = screenDpi;  // until the window knows its own, at WM_CREATE
    SIZE outer = MainWindowOuterSize(screenDpi);
    POINT corner = CenteredWindowPosition(ScreenSize(), outer);
    mainWindow = CreateWindowExW(0, MainWindowClassName, WideText(WindowTitleText), MainWindowStyle, corner.x, corner.y,
                                 outer.cx, outer.cy, NULL, NULL, instance, NULL);
    if (mainWindow && mainWindowDpi != screenDpi) {
        outer = MainWindowOuterSize(mainWindowDpi);
        SetWindowPos(mainWindow, NULL, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return mainWindow;
}

// Blocks in WaitMessage whenever the queue is empty: the game does no idle work.
int RunMessageLoop() {
    MSG message;
    for (;;) {
        if (!PeekMessageW(&message, NULL, 0, 0, PM_NOREMOVE)) {
            WaitMessage();
            continue;
        }
        BOOL received = GetMessageW(&message, NULL, 0, 0);
        if (received == 0) {
            return static_cast<int>(message.wParam);
        }
        if (received == -1) {
            return 1;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
