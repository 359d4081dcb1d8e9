// What the front end's Wine tests share: a private working folder, the main window with a paint counter, and a driver for modal boxes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "front_end.h"
#include "game_state.h"
#include "settings_file.h"

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

inline void WriteWholeFile(const char* name, const std::string& content) {
    FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr) << name;
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
}

inline bool FileExists(const char* name) {
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
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

// ---- Messages ----------------------------------------------------------------

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

// ---- Modal boxes -------------------------------------------------------------

struct ModalWindow {
    std::string caption;
    std::string text;  // a message box's text (control 0xFFFF); empty for dialogs
    HWND owner;
    bool ownerVisible;
    bool hasIcon;
    DLGPROC procedure;
};

// While alive, records every dialog and message box that opens on this thread
// and closes it as soon as its modal loop runs.
class ModalCloser {
public:
    ModalCloser() {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CBT, Watch, NULL, GetCurrentThreadId());
    }
    ~ModalCloser() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    ModalCloser(const ModalCloser&) = delete;
    ModalCloser& operator=(const ModalCloser&) = delete;

    std::vector<ModalWindow> seen;

private:
    static BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && SendMessageA(child, STM_GETICON, 0, 0)) {
            *reinterpret_cast<bool*>(found) = true;
        }
        return TRUE;
    }

    static void Record(HWND box) {
        ModalWindow window = {};
        char buffer[512] = {};
        GetWindowTextA(box, buffer, sizeof buffer);
        window.caption = buffer;
        buffer[0] = 0;
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
        window.text = buffer;
        window.owner = GetWindow(box, GW_OWNER);
        window.ownerVisible = window.owner && IsWindowVisible(window.owner);
        EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&window.hasIcon));
        window.procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(box, DWLP_DLGPROC));
        current_->seen.push_back(window);
    }

    static void CALLBACK CloseOpenBox(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(NULL, timer);
        if (current_ && IsWindow(current_->open_)) {
            EndDialog(current_->open_, IDOK);
        }
    }

    static LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && current_) {
            HWND box = reinterpret_cast<HWND>(wParam);
            char className[32] = {};
            GetClassNameA(box, className, sizeof className);
            if (std::strcmp(className, "#32770") == 0 && box != current_->open_) {
                Record(box);
                current_->open_ = box;
                SetTimer(NULL, 0, 1, CloseOpenBox);
            }
        }
        return CallNextHookEx(NULL, code, wParam, lParam);
    }

    static inline ModalCloser* current_ = nullptr;
    HHOOK hook_ = NULL;
    HWND open_ = NULL;
};

// ---- The main window ---------------------------------------------------------

struct SettingsWarningSeen {
    HWND owner;
    std::string text;
    std::string caption;
    bool ownerVisible;
};

// Starts each test from a fresh process state: game records at zero, the
// Win32 host installed, settings warnings recorded instead of shown, the
// class registered, and a private working folder.
class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::memset(&gameSettings, 0, sizeof gameSettings);
        std::memset(&targetTable, 0, sizeof targetTable);
        std::memset(&roundState, 0, sizeof roundState);
        std::memset(&resultSnapshot, 0, sizeof resultSnapshot);
        warnings().clear();
        SetGameHost(&windowsGameHost);
        SetSettingsWarning(RecordWarning);
        ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleA(NULL)));
    }

    void TearDown() override {
        if (window_ && IsWindow(window_)) {
            DestroyWindow(window_);
        }
        TakeQuitMessage();
        UnregisterClassA(MainWindowClassName, GetModuleHandleA(NULL));
        SetSettingsWarning(nullptr);
    }

    // Settings for a fixed-course game: count, time, tries, hide colour, course, level.
    void WriteSettings(const char* lines) { WriteWholeFile(SettingsFileName, lines); }

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

    // Destroys the window as the game's end does and takes its quit message.
    bool CloseMainWindowBy(UINT message, WPARAM wParam = 0) {
        SendMessageA(window_, message, wParam, 0);
        WPARAM exitCode = 99;
        bool quit = TakeQuitMessage(&exitCode);
        return quit && exitCode == 0 && !IsWindow(window_);
    }

    static int& paints() {
        static int count = 0;
        return count;
    }

    static std::vector<SettingsWarningSeen>& warnings() {
        static std::vector<SettingsWarningSeen> seen;
        return seen;
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

    static void RecordWarning(void* owner, const char* text, const char* caption) {
        HWND window = static_cast<HWND>(owner);
        warnings().push_back({window, text, caption, window && IsWindowVisible(window) != FALSE});
    }
};

}  // namespace UiTest
