// What the dialog tests share: a driver that acts inside a modal loop, and readers of texts and pixels.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace DialogTest {

// One step acts on the open dialog or message box. The steps run on successive
// ticks of a thread timer, which the modal loop dispatches like any message.
using Step = std::function<void(HWND window)>;

struct DriveReport {
    bool modalSeen = false;
    bool forcedClosed = false;  // still open long after the last step
};

// Calls open(), which runs a modal dialog or message box on this thread, and
// feeds it the steps. A box left open two seconds after the last step is ended,
// so that a faulty dialog fails its test instead of hanging it.
class ModalDriver {
public:
    static DriveReport Drive(const std::function<void()>& open, std::vector<Step> steps) {
        state() = State();
        state().steps = std::move(steps);
        UINT_PTR timer = SetTimer(NULL, 0, 15, Tick);
        open();
        KillTimer(NULL, timer);
        return state().report;
    }

private:
    struct State {
        std::vector<Step> steps;
        size_t next = 0;
        HWND modal = NULL;
        bool busy = false;
        DWORD lastAction = 0;
        DriveReport report;
    };
    static State& state() {
        static State current;
        return current;
    }

    static BOOL CALLBACK FindModal(HWND window, LPARAM) {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) {
            return TRUE;
        }
        state().modal = window;
        return FALSE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        State& s = state();
        if (s.busy || (!s.modal && EnumThreadWindows(GetCurrentThreadId(), FindModal, 0)) || !IsWindow(s.modal)) {
            return;
        }
        if (!s.report.modalSeen) {
            s.report.modalSeen = true;
            s.lastAction = GetTickCount();
        }
        if (s.next < s.steps.size()) {
            s.busy = true;
            s.steps[s.next++](s.modal);
            s.busy = false;
            s.lastAction = GetTickCount();
        } else if (GetTickCount() - s.lastAction > 2000) {
            s.report.forcedClosed = true;
            EndDialog(s.modal, -7);
        }
    }
};

// Runs a dialog template of the test program's own resources, unowned, as the
// game runs it, and drives it. The procedure may wrap the game's own.
inline INT_PTR RunDialog(int templateId, DLGPROC procedure, std::vector<Step> steps) {
    INT_PTR result = -1;
    DriveReport report = ModalDriver::Drive(
        [&] { result = DialogBoxParamA(NULL, MAKEINTRESOURCEA(templateId), NULL, procedure, 0); }, std::move(steps));
    EXPECT_TRUE(report.modalSeen) << "dialog " << templateId << " never showed";
    EXPECT_FALSE(report.forcedClosed) << "dialog " << templateId << " stayed open after the last step";
    return result;
}

// ---- Acting and reading ----

inline void Click(HWND dialog, int controlId) {
    SendMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

// A key press as the player makes it: to the focused control, through the
// dialog manager's own keyboard handling in the modal loop.
inline void PressKey(WPARAM key) {
    PostMessageA(GetFocus(), WM_KEYDOWN, key, 1);
    PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

inline void CloseByCloseBox(HWND dialog) {
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

inline std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string ItemText(HWND dialog, int controlId) {
    return WindowText(GetDlgItem(dialog, controlId));
}

// ---- Pixels ----

// True when the window shows bitmap resource pictureId at its own size with
// its top-left corner at (left, top), judged on a grid of points.
inline bool ShowsPicture(HWND window, int pictureId, int left, int top) {
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(pictureId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP size = {};
    GetObjectA(picture, sizeof size, &size);
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ kept = SelectObject(memory, picture);
    UpdateWindow(window);
    HDC screen = GetDC(window);
    int mismatches = 0;
    for (int y = 1; y < size.bmHeight; y += 7) {
        for (int x = 1; x < size.bmWidth; x += 7) {
            mismatches += GetPixel(screen, left + x, top + y) != GetPixel(memory, x, y);
        }
    }
    ReleaseDC(window, screen);
    SelectObject(memory, kept);
    DeleteDC(memory);
    DeleteObject(picture);
    return picture && mismatches == 0;
}

// True when any pixel of the rectangle is black: painted text is there.
inline bool HasBlackPixel(HWND window, int left, int top, int right, int bottom) {
    UpdateWindow(window);
    HDC screen = GetDC(window);
    bool found = false;
    for (int y = top; y < bottom && !found; ++y) {
        for (int x = left; x < right && !found; ++x) {
            found = GetPixel(screen, x, y) == RGB(0, 0, 0);
        }
    }
    ReleaseDC(window, screen);
    return found;
}

inline COLORREF PixelAt(HWND window, int x, int y) {
    HDC screen = GetDC(window);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(window, screen);
    return color;
}

}  // namespace DialogTest
