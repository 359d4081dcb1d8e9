// The toolbar along the top of the main window: seven buttons in three groups, and their tooltips.
#include "front_end.h"

#include "pictures.h"
#include "resource_ids.h"
#include "screen_texts.h"
#include "system_library.h"
#include "toolbar_buttons.h"

namespace {

HWND toolbarWindow;
HMODULE commonControls;
// The picture strip at a scale other than 100%, and the tooltips' font there: the toolbar draws
// from them as long as it lives.
HBITMAP scaledStrip;
HFONT tooltipFont;

constexpr int ToolbarImageCount = ToolbarButtonCount;
constexpr int ToolbarImageSize = 32;
constexpr DWORD ToolbarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_ALTDRAG | CCS_ADJUSTABLE;

// Record k is ToolbarButton k, with image k of the strip. The middle group does not
// follow the command ids: Brain level comes before Game settings.
const TBBUTTON ToolbarButtons[ToolbarImageCount] = {
    {StartButton, IDM_START, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {BrainLevelButton, IDM_BRAIN_LEVEL, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {GameSettingsButton, IDM_GAME_SETTINGS, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {VersionButton, IDM_VERSION, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {WebHelpButton, IDM_WEB_HELP, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {ExitButton, IDM_EXIT, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    {StartRightButton, IDM_START_RIGHT, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
};

// Width 0: the toolbar's default separator width.
const TBBUTTON Separator = {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0};
// The toolbar's own measures at 100%, which it does not scale itself: the room around a
// button's picture, across and down, and the default separator's width.
constexpr int ButtonPaddingAcross = 7;
constexpr int ButtonPaddingDown = 6;
constexpr int SeparatorWidth = 8;


using InitCommonControlsFunction = void(WINAPI*)();
using CreateToolbarExFunction = HWND(WINAPI*)(HWND, DWORD, UINT, int, HINSTANCE, UINT_PTR, LPCTBBUTTON, int, int, int,
                                              int, int, UINT);
using CreateMappedBitmapFunction = HBITMAP(WINAPI*)(HINSTANCE, INT_PTR, UINT, LPCOLORMAP, int);

HINSTANCE InstanceOf(HWND window) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

// The strip drawn at twice the size, its greys and white turned into the buttons' colours as the
// toolbar does with the strip it loads itself, then brought smoothly to the size of the images.
HBITMAP ScaledStrip(HINSTANCE instance, int imageSize) {
    auto createMappedBitmap = LibraryFunction<CreateMappedBitmapFunction>(commonControls, "CreateMappedBitmap");
    HBITMAP sharp = createMappedBitmap ? createMappedBitmap(instance, IDB_TOOLBAR_SHARP, 0, nullptr, 0) : NULL;
    if (!sharp) {
        return NULL;
    }
    HDC screen = GetDC(NULL);
    HDC stripContext = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, imageSize * ToolbarImageCount, imageSize);
    HGDIOBJ kept = SelectObject(stripContext, strip);
    DrawPicture(stripContext, sharp, 0, 0, imageSize * ToolbarImageCount, imageSize);
    SelectObject(stripContext, kept);
    DeleteDC(stripContext);
    ReleaseDC(NULL, screen);
    DeleteObject(sharp);
    return strip;
}

int AddToolbarImages(HINSTANCE instance) {
    const int imageSize = ScaledPixels(ToolbarImageSize, mainWindowDpi);
    SendMessageW(toolbarWindow, TB_SETBITMAPSIZE, 0, MAKELONG(imageSize, imageSize));
    TBADDBITMAP strip = {instance, IDB_TOOLBAR};
    if (mainWindowDpi != BaseDpi) {
        SendMessageW(toolbarWindow, TB_SETPADDING, 0,
                     MAKELPARAM(ScaledPixels(ButtonPaddingAcross, mainWindowDpi),
                                ScaledPixels(ButtonPaddingDown, mainWindowDpi)));
        scaledStrip = ScaledStrip(instance, imageSize);
    }
    if (scaledStrip) {
        strip = {NULL, reinterpret_cast<UINT_PTR>(scaledStrip)};
    }
    LRESULT firstImage = SendMessageW(toolbarWindow, TB_ADDBITMAP, ToolbarImageCount, reinterpret_cast<LPARAM>(&strip));
    // A failed TB_ADDBITMAP answers -1, which as an image index would ask the
    // main window for every image; blank buttons are the lesser harm.
    return firstImage < 0 ? 0 : static_cast<int>(firstImage);
}

// The table stays constant; the buttons get a copy with the strip's real index.
void AddToolbarButtons(int firstImage) {
    TBBUTTON buttons[ToolbarImageCount];
    for (int record = 0; record < ToolbarImageCount; ++record) {
        buttons[record] = ToolbarButtons[record];
        buttons[record].iBitmap += firstImage;
    }
    SendMessageW(toolbarWindow, TB_ADDBUTTONSW, ToolbarImageCount, reinterpret_cast<LPARAM>(buttons));
}

// Each separator goes in just before its button, whose place counts the separators already in.
void InsertSeparators() {
    TBBUTTON separator = Separator;
    if (mainWindowDpi != BaseDpi) {
        separator.iBitmap = ScaledPixels(SeparatorWidth, mainWindowDpi);
    }
    int inserted = 0;
    for (int32_t button = 0; button < ToolbarButtonCount; ++button) {
        for (int32_t count = 0; count < ToolbarButtonAt(button).separatorsBefore; ++count) {
            SendMessageW(toolbarWindow, TB_INSERTBUTTONW, button + inserted, reinterpret_cast<LPARAM>(&separator));
            ++inserted;
        }
    }
}

// The common controls are loaded by their full system path, not imported: Windows looks for an
// imported COMCTL32 beside the exe first, where a download can have put one. The library stays
// loaded for the life of the process, as the toolbar's window class lives in it.
HWND CreateEmptyToolbar(HWND window) {
    if (!commonControls) {
        commonControls = LoadSystemLibrary("comctl32.dll");
    }
    auto initCommonControls = LibraryFunction<InitCommonControlsFunction>(commonControls, "InitCommonControls");
    auto createToolbar = LibraryFunction<CreateToolbarExFunction>(commonControls, "CreateToolbarEx");
    if (!initCommonControls || !createToolbar) {
        return NULL;
    }
    initCommonControls();
    return createToolbar(window, ToolbarStyle, IDC_TOOLBAR, 0, NULL, 0, ToolbarButtons, 0, 0, 0, 0, 0,
                         sizeof(TBBUTTON));
}

// At the system's own DPI the tooltips' font is already right.
void ScaleTooltips() {
    tooltipFont = CreateTooltipFontAtDpi(mainWindowDpi);
    HWND tooltips = reinterpret_cast<HWND>(SendMessageW(toolbarWindow, TB_GETTOOLTIPS, 0, 0));
    if (tooltipFont && tooltips) {
        SendMessageW(tooltips, WM_SETFONT, reinterpret_cast<WPARAM>(tooltipFont), FALSE);
    }
}

template <typename Object>
void DeleteObjectOnce(Object& object) {
    if (object) {
        DeleteObject(object);
        object = NULL;
    }
}

}  // namespace

void BuildToolbar(HWND window) {
    HINSTANCE instance = InstanceOf(window);
    toolbarWindow = CreateEmptyToolbar(window);
    if (!toolbarWindow) {
        return;  // the game goes on without a toolbar, as when one cannot be made
    }
    AddToolbarButtons(AddToolbarImages(instance));
    SendMessageW(toolbarWindow, TB_AUTOSIZE, 0, 0);
    InsertSeparators();
    ScaleTooltips();
}

// The old toolbar goes first, so nothing draws from its strip or font any more.
void RebuildToolbar(HWND window) {
    if (toolbarWindow) {
        DestroyWindow(toolbarWindow);
        toolbarWindow = NULL;
    }
    DeleteObjectOnce(scaledStrip);
    DeleteObjectOnce(tooltipFont);
    BuildToolbar(window);
}

// The main window is a Unicode window, so the tooltips ask in UTF-16. The text is
// copied into the notification's own buffer, which outlives this call.
void SupplyTooltipText(HWND window, NMHDR* notification) {
    if (!notification || notification->code != TTN_NEEDTEXTW) {
        return;
    }
    NMTTDISPINFOW* tooltip = reinterpret_cast<NMTTDISPINFOW*>(notification);
    tooltip->hinst = InstanceOf(window);
    for (const TBBUTTON& button : ToolbarButtons) {
        if (static_cast<UINT_PTR>(button.idCommand) == notification->idFrom) {
            lstrcpynW(tooltip->szText, WideText(ToolbarButtonAt(button.iBitmap).tooltip),
                      sizeof tooltip->szText / sizeof tooltip->szText[0]);
            tooltip->lpszText = tooltip->szText;
            return;
        }
    }
}
