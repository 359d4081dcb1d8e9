// What the front end's Wine tests share: a private folder, the main window with a paint counter, modal box drivers.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "front_end.h"
#include "game_state.h"
#include "settings_file.h"
#include "windowless_host.h"

namespace UiTest {

// ---- Files -------------------------------------------------------------------

inline std::string ReadWholeFile(const char* name) {
    std::string content;
    if (FILE* file = std::fopen(name, "rb")) {
        char buffer[256];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            content.append(buffer, got);
        }
        std::fclose(file);
    }
    return content;
}

// A fresh folder under %TEMP% that is the working folder while the object
// lives, so that one test's setdata.ini is never another's.
class TemporaryWorkingFolder {
public:
    TemporaryWorkingFolder() {
        GetCurrentDirectoryA(sizeof previous_, previous_);
        char temporary[MAX_PATH];
        GetTempPathA(sizeof temporary, temporary);
        static int serial = 0;
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%sglimmark-ui-%lu-%d", temporary, GetCurrentProcessId(), ++serial);
        path_ = name;
        CreateDirectoryA(path_.c_str(), NULL);
        SetCurrentDirectoryA(path_.c_str());
    }
    ~TemporaryWorkingFolder() {
        SetCurrentDirectoryA(previous_);
        std::string pattern = path_ + "\\*";
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string file = path_ + "\\" + found.cFileName;
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileA(file.c_str());
                }
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path_.c_str());
    }
    TemporaryWorkingFolder(const TemporaryWorkingFolder&) = delete;
    TemporaryWorkingFolder& operator=(const TemporaryWorkingFolder&) = delete;

private:
    char previous_[MAX_PATH] = {};
    std::string path_;
};

// ---- Messages and records ----------------------------------------------------

// Dispatches what is queued, for at most the given time, until done() holds.
template <typename Condition>
inline bool PumpUntil(Condition done, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds) {
            return false;
        }
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

inline void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start > milliseconds; }, milliseconds + 1000);
}

// A left-over WM_QUIT would end the next message box's loop at once.
inline bool TakeQuitMessage(WPARAM* exitCode = nullptr) {
    MSG message;
    if (!PeekMessageA(&message, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return false;
    }
    if (exitCode) {
        *exitCode = message.wParam;
    }
    return true;
}

inline std::string WindowText(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string ItemText(HWND dialog, int controlId) {
    return WindowText(GetDlgItem(dialog, controlId));
}

// The four game records at one moment, to show that something changed none of them.
struct GameRecords {
    GameSettings settings;
    TargetTable targets;
    RoundState round;
    ResultSnapshot snapshot;

    static GameRecords Now() { return GameRecords{gameSettings, targetTable, roundState, resultSnapshot}; }
    bool operator==(const GameRecords& other) const { return std::memcmp(this, &other, sizeof other) == 0; }
};

inline void ExpectSettings(const GameSettings& expected) {
    EXPECT_EQ(gameSettings.fixedCount, expected.fixedCount);
    EXPECT_EQ(gameSettings.fixedTime, expected.fixedTime);
    EXPECT_EQ(gameSettings.fixedTries, expected.fixedTries);
    EXPECT_EQ(gameSettings.hideColor, expected.hideColor);
    EXPECT_EQ(gameSettings.courseMode, expected.courseMode);
    EXPECT_EQ(gameSettings.startLevel, expected.startLevel);
}

// ---- Boxes opened by the code under test -------------------------------------

struct ModalWindow {
    HWND box;
    std::string caption;
    std::string text;  // a message box's text (control 0xFFFF)
    HWND owner;
    bool ownerVisible;
    bool hasIcon;
    DLGPROC procedure;  // one of the game's dialog procedures; nullptr for anything else, a message box
};

// While alive, records every dialog and message box that opens on this thread
// and closes it as soon as its modal loop runs. Given the main window, it also
// repaints that window in every way a modal loop can (at once, and again from a
// timer inside the box's own loop) and counts as faults the paints that change a
// record or open a box: the judgement must not run again while a box waits.
class ModalCloser {
public:
    explicit ModalCloser(HWND repaintedWindow = NULL) : repainted_(repaintedWindow) {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CBT, Watch, NULL, GetCurrentThreadId());
    }
    ~ModalCloser() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    ModalCloser(const ModalCloser&) = delete;
    ModalCloser& operator=(const ModalCloser&) = delete;

    std::vector<DLGPROC> Procedures() const {
        std::vector<DLGPROC> procedures;
        for (const ModalWindow& window : seen) {
            procedures.push_back(window.procedure);
        }
        return procedures;
    }

    std::vector<ModalWindow> seen;
    int repaints = 0;
    int faults = 0;

private:
    static BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && SendMessageA(child, STM_GETICON, 0, 0)) {
            *reinterpret_cast<bool*>(found) = true;
        }
        return TRUE;
    }

    void Record(HWND box) {
        ModalWindow window = {};
        window.box = box;
        window.caption = WindowText(box);
        window.text = ItemText(box, 0xFFFF);
        window.owner = GetWindow(box, GW_OWNER);
        window.ownerVisible = window.owner && IsWindowVisible(window.owner);
        EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&window.hasIcon));
        auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(box, DWLP_DLGPROC));
        for (DLGPROC game : {GameSettingsDialog, FixedResultDialog, StageSplash, ChallengeResultDialog, AboutDialog}) {
            window.procedure = procedure == game ? game : window.procedure;
        }
        seen.push_back(window);
    }

    // A box opened by these very paints counts as a fault and gets no paints of
    // its own, so a judgement that runs again fails the test instead of recursing.
    void RepaintAndCheck() {
        if (!repainted_ || repainting_) {
            faults += repainting_;
            return;
        }
        repainting_ = true;
        const GameRecords before = GameRecords::Now();
        const size_t boxesBefore = seen.size();
        for (int round = 0; round < 3; ++round) {
            InvalidateRect(repainted_, NULL, TRUE);
            UpdateWindow(repainted_);
            SendMessageA(repainted_, WM_PAINT, 0, 0);
            repaints += 2;
        }
        faults += !(GameRecords::Now() == before) || seen.size() != boxesBefore;
        repainting_ = false;
    }

    // Ends every box still open: after a fault one may have opened inside another.
    static void CALLBACK RepaintThenClose(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(NULL, timer);
        if (current_ && IsWindow(current_->open_)) {
            current_->RepaintAndCheck();
            for (const ModalWindow& window : current_->seen) {
                if (IsWindow(window.box)) {
                    EndDialog(window.box, IDOK);
                }
            }
        }
    }

    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && current_) {
            HWND box = reinterpret_cast<HWND>(wParam);
            char className[32] = {};
            GetClassNameA(box, className, sizeof className);
            if (std::strcmp(className, "#32770") == 0 && box != current_->open_) {
                current_->Record(box);
                current_->open_ = box;
                current_->RepaintAndCheck();
                SetTimer(NULL, 0, 1, RepaintThenClose);
            }
        }
        return CallNextHookEx(NULL, code, wParam, lParam);
    }

    static inline ModalCloser* current_ = nullptr;
    HWND repainted_;
    bool repainting_ = false;
    HHOOK hook_ = NULL;
    HWND open_ = NULL;
};

// ---- The main window ---------------------------------------------------------

// Starts each test from a fresh process state: game records at zero, the
// Win32 host installed, settings warnings counted instead of shown, the
// class registered, and a private working folder.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        WindowlessHost::ResetGameRecords();
        warnings() = 0;
        SetGameHost(&windowsGameHost);
        SetSettingsWarning([](void*, const char*, const char*) { ++warnings(); });
        ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleA(NULL)));
    }

    void TearDown() override {
        if (window_ && IsWindow(window_)) {
            KillTimer(window_, DisplayTimerId);
            DestroyWindow(window_);
        }
        TakeQuitMessage();
        UnregisterClassA(MainWindowClassName, GetModuleHandleA(NULL));
        SetSettingsWarning(nullptr);
    }

    // Settings for a fixed-course game: count, time, tries, hide colour, course, level.
    void WriteSettings(const char* lines) {
        FILE* file = std::fopen(SettingsFileName, "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(lines, file);
        std::fclose(file);
    }

    // Creates the window, shows it and counts its paints from then on.
    HWND OpenMainWindow() {
        window_ = CreateMainWindow(GetModuleHandleA(NULL));
        EXPECT_NE(window_, nullptr);
        if (!window_) {
            return NULL;
        }
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
        paints() = 0;
        original() = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountPaints)));
        return window_;
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(window_, message, wParam, lParam);
    }

    LRESULT ClickAt(int x, int y) { return Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    bool UpdatePending() { return GetUpdateRect(window_, NULL, FALSE) != FALSE; }

    static int& paints() {
        static int count = 0;
        return count;
    }

    static int& warnings() {
        static int count = 0;
        return count;
    }

    HWND window_ = NULL;
    TemporaryWorkingFolder folder_;

private:
    static WNDPROC& original() {
        static WNDPROC procedure = nullptr;
        return procedure;
    }

    static LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PAINT) {
            ++paints();
        }
        return CallWindowProcA(original(), window, message, wParam, lParam);
    }
};

// ---- Driving one dialog step by step -----------------------------------------

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

// The result dialogs and the About box close by their button and their close
// box, ending with 1, but Esc leaves them up with the focus on the button.
inline void ExpectClosesByButtonAndCloseBoxButNotByEsc(int templateId, DLGPROC procedure, int buttonId) {
    EXPECT_EQ(RunDialog(templateId, procedure, {[=](HWND dialog) { Click(dialog, buttonId); }}), 1);
    EXPECT_EQ(RunDialog(templateId, procedure, {CloseByCloseBox}), 1);
    bool stayedOpen = false;
    EXPECT_EQ(RunDialog(templateId, procedure,
                        {
                            [](HWND) { PressKey(VK_ESCAPE); },
                            [&](HWND dialog) {
                                stayedOpen = IsWindowVisible(dialog) != FALSE;
                                EXPECT_EQ(GetFocus(), GetDlgItem(dialog, buttonId));
                                Click(dialog, buttonId);
                            },
                        }),
              1);
    EXPECT_TRUE(stayedOpen);
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

}  // namespace UiTest
