// What the dialog tests share: a driver that acts inside a modal loop, readers of controls, pixels and templates.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace DialogTest {

// ---- Driving a modal window from inside its own loop -------------------------

// One step acts on the open dialog or message box; the steps run on successive
// ticks of a thread timer, which the modal loop dispatches like any message.
using Step = std::function<void(HWND window)>;

struct DriveReport {
    size_t stepsRun = 0;
    bool modalSeen = false;
    bool forcedClosed = false;  // still open long after the last step
};

class ModalDriver {
public:
    // Calls open(), which is to run a modal dialog or message box on this thread,
    // and feeds it the steps. A box left open two seconds after the last step is
    // ended, so that a faulty dialog fails the test instead of hanging it.
    static DriveReport Drive(const std::function<void()>& open, std::vector<Step> steps) {
        State& state = Current();
        state = State();
        state.steps = std::move(steps);
        UINT_PTR timer = SetTimer(NULL, 0, TickMilliseconds, Tick);
        open();
        KillTimer(NULL, timer);
        DriveReport report = state.report;
        state = State();
        return report;
    }

private:
    static constexpr UINT TickMilliseconds = 15;
    static constexpr DWORD GraceMilliseconds = 2000;

    struct State {
        std::vector<Step> steps;
        HWND modal = NULL;
        bool busy = false;
        DWORD lastStepTime = 0;
        DriveReport report;
    };

    static State& Current() {
        static State state;
        return state;
    }

    static BOOL CALLBACK FindModal(HWND window, LPARAM found) {
        char className[16] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        State& state = Current();
        if (state.busy) {
            return;
        }
        if (!state.modal) {
            EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(&state.modal));
            if (!state.modal) {
                return;
            }
            state.report.modalSeen = true;
            state.lastStepTime = GetTickCount();
        }
        if (!IsWindow(state.modal)) {
            return;
        }
        if (state.report.stepsRun < state.steps.size()) {
            state.busy = true;
            state.steps[state.report.stepsRun++](state.modal);
            state.busy = false;
            state.lastStepTime = GetTickCount();
        } else if (GetTickCount() - state.lastStepTime > GraceMilliseconds) {
            state.report.forcedClosed = true;
            EndDialog(state.modal, -7);
        }
    }
};

// Runs a dialog template of the test program's own resources, unowned, and
// drives it. The procedure may be a wrapper around the game's own.
inline INT_PTR RunDialog(int templateId, DLGPROC procedure, std::vector<Step> steps,
                         DriveReport* report = nullptr) {
    INT_PTR result = -1;
    DriveReport seen = ModalDriver::Drive(
        [&] { result = DialogBoxParamA(NULL, MAKEINTRESOURCEA(templateId), NULL, procedure, 0); },
        std::move(steps));
    EXPECT_TRUE(seen.modalSeen) << "dialog " << templateId << " never showed";
    EXPECT_FALSE(seen.forcedClosed) << "dialog " << templateId << " stayed open after the last step";
    if (report) {
        *report = seen;
    }
    return result;
}

// ---- Acting on a dialog -------------------------------------------------------

inline void Click(HWND dialog, int controlId) {
    SendMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

// A key press as the player makes it: to the focused control, through the
// dialog manager's own keyboard handling in the modal loop.
inline void PressKey(WPARAM key) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

inline void CloseByCloseBox(HWND dialog) {
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// ---- Reading a dialog ----------------------------------------------------------

inline std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline std::string ItemText(HWND dialog, int controlId) {
    char text[256] = {};
    GetDlgItemTextA(dialog, controlId, text, sizeof text);
    return text;
}

inline std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The children in creation order, which is the template's order.
inline std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

// A child's rectangle in the dialog's client coordinates.
inline RECT ChildRect(HWND dialog, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// ---- Pixels ---------------------------------------------------------------------

// What a bitmap resource of the test program holds at (x, y).
class ResourcePicture {
public:
    explicit ResourcePicture(int id)
        : bitmap_(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                                  LR_CREATEDIBSECTION))),
          context_(CreateCompatibleDC(NULL)) {
        kept_ = SelectObject(context_, bitmap_);
    }
    ~ResourcePicture() {
        SelectObject(context_, kept_);
        DeleteDC(context_);
        DeleteObject(bitmap_);
    }
    ResourcePicture(const ResourcePicture&) = delete;
    ResourcePicture& operator=(const ResourcePicture&) = delete;

    bool loaded() const { return bitmap_ != NULL; }
    SIZE size() const {
        BITMAP info = {};
        GetObjectA(bitmap_, sizeof info, &info);
        return {info.bmWidth, info.bmHeight};
    }
    COLORREF pixel(int x, int y) const { return GetPixel(context_, x, y); }

private:
    HBITMAP bitmap_;
    HDC context_;
    HGDIOBJ kept_;
};

// Counts the points of a grid over the picture at which the window shows the
// picture's own pixel, after letting the window paint.
inline int MatchingPicturePoints(HWND window, const ResourcePicture& picture, int left, int top, int* sampled) {
    UpdateWindow(window);
    HDC screen = GetDC(window);
    SIZE size = picture.size();
    int matches = 0;
    *sampled = 0;
    for (int y = 1; y < size.cy; y += 7) {
        for (int x = 1; x < size.cx; x += 7) {
            ++*sampled;
            matches += GetPixel(screen, left + x, top + y) == picture.pixel(x, y);
        }
    }
    ReleaseDC(window, screen);
    return matches;
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
    UpdateWindow(window);
    HDC screen = GetDC(window);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(window, screen);
    return color;
}

// ---- Dialog templates as stored in the program's resources ------------------

struct TemplateControl {
    int id;
    std::wstring className;  // a predefined class by its name: "Button", "Static", "ComboBox"...
    DWORD style;
    DWORD extendedStyle;
    short x, y, width, height;
    std::wstring text;
};

struct DialogTemplate {
    bool extended = false;  // DLGTEMPLATEEX rather than the classic DLGTEMPLATE
    DWORD style = 0;
    DWORD extendedStyle = 0;
    short x = 0, y = 0, width = 0, height = 0;
    std::wstring menu, windowClass, caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0, charset = 0;
    std::wstring face;
    std::vector<TemplateControl> controls;
};

class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : at_(data), start_(data) {}

    WORD Word() {
        WORD value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    DWORD DoubleWord() {
        DWORD value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { return *at_++; }
    std::wstring String() {
        std::wstring text;
        for (WORD unit = Word(); unit != 0; unit = Word()) {
            text.push_back(static_cast<wchar_t>(unit));
        }
        return text;
    }
    // A name or an ordinal; the predefined control classes come by ordinal.
    std::wstring NameOrOrdinal() {
        WORD first;
        std::memcpy(&first, at_, sizeof first);
        if (first != 0xFFFF) {
            return String();
        }
        Word();
        WORD ordinal = Word();
        static const wchar_t* const Classes[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
        if (ordinal >= 0x80 && ordinal <= 0x85) {
            return Classes[ordinal - 0x80];
        }
        return L"#" + std::to_wstring(ordinal);
    }
    void AlignToDoubleWord() {
        while ((at_ - start_) % 4 != 0) {
            ++at_;
        }
    }
    void Skip(size_t bytes) { at_ += bytes; }

private:
    const BYTE* at_;
    const BYTE* start_;
};

inline TemplateControl ReadControl(TemplateReader& reader, bool extended) {
    TemplateControl control = {};
    reader.AlignToDoubleWord();
    if (extended) {
        reader.DoubleWord();  // help id
        control.extendedStyle = reader.DoubleWord();
        control.style = reader.DoubleWord();
    } else {
        control.style = reader.DoubleWord();
        control.extendedStyle = reader.DoubleWord();
    }
    control.x = reader.Short();
    control.y = reader.Short();
    control.width = reader.Short();
    control.height = reader.Short();
    control.id = extended ? static_cast<int>(reader.DoubleWord()) : static_cast<short>(reader.Word());
    control.className = reader.NameOrOrdinal();
    control.text = reader.NameOrOrdinal();
    reader.Skip(reader.Word());  // creation data
    return control;
}

inline DialogTemplate ReadDialogTemplate(int templateId) {
    DialogTemplate result;
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    EXPECT_NE(found, nullptr) << "no dialog template " << templateId;
    if (!found) {
        return result;
    }
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(NULL, found)));
    TemplateReader reader(data);
    WORD version = reader.Word();
    WORD signature = reader.Word();
    result.extended = version == 1 && signature == 0xFFFF;
    int count;
    if (result.extended) {
        reader.DoubleWord();  // help id
        result.extendedStyle = reader.DoubleWord();
        result.style = reader.DoubleWord();
    } else {
        result.style = MAKELONG(version, signature);
        result.extendedStyle = reader.DoubleWord();
    }
    count = reader.Word();
    result.x = reader.Short();
    result.y = reader.Short();
    result.width = reader.Short();
    result.height = reader.Short();
    result.menu = reader.NameOrOrdinal();
    result.windowClass = reader.NameOrOrdinal();
    result.caption = reader.String();
    if (result.style & DS_SETFONT) {
        result.pointSize = reader.Word();
        if (result.extended) {
            result.weight = reader.Word();
            result.italic = reader.Byte();
            result.charset = reader.Byte();
        }
        result.face = reader.String();
    }
    for (int index = 0; index < count; ++index) {
        result.controls.push_back(ReadControl(reader, result.extended));
    }
    return result;
}

}  // namespace DialogTest
