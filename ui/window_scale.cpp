// The DPI functions of Windows 10 are looked up in the USER32 the game already imports, never
// imported themselves: the game must still start on the Windows that lack them, where the whole
// system has one DPI and the older calls give it.
#include "window_scale.h"

#include "system_library.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

HMODULE User32() {
    return GetModuleHandleW(L"user32.dll");
}

int32_t DeviceDpi(HWND window) {
    HDC deviceContext = GetDC(window);
    int32_t dpi = deviceContext ? GetDeviceCaps(deviceContext, LOGPIXELSY) : 0;
    ReleaseDC(window, deviceContext);
    return dpi > 0 ? dpi : BaseDpi;
}

}  // namespace

int32_t WindowDpi(HWND window) {
    const auto getDpiForWindow = LibraryFunction<GetDpiForWindowFunction>(User32(), "GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) {
            return static_cast<int32_t>(dpi);
        }
    }
    return DeviceDpi(window);
}

int32_t ScreenDpi() {
    return DeviceDpi(NULL);
}

void AdjustWindowRectAtDpi(RECT* rectangle, DWORD style, DWORD extendedStyle, int32_t dpi) {
    const auto adjustForDpi =
        LibraryFunction<AdjustWindowRectExForDpiFunction>(User32(), "AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(rectangle, style, FALSE, extendedStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(rectangle, style, FALSE, extendedStyle);
    }
}

HFONT CreateTooltipFontAtDpi(int32_t dpi) {
    const auto parametersForDpi =
        LibraryFunction<SystemParametersInfoForDpiFunction>(User32(), "SystemParametersInfoForDpi");
    if (!parametersForDpi || dpi == ScreenDpi()) {
        return NULL;
    }
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
        return NULL;
    }
    return CreateFontIndirectW(&metrics.lfStatusFont);
}

namespace {

// The dialog base units Windows lays a template out by: the average width of the letters, and the height.
SIZE DialogBaseUnits(HFONT font) {
    HDC screen = GetDC(NULL);
    HGDIOBJ kept = SelectObject(screen, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(screen, &metrics);
    const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent = {};
    GetTextExtentPoint32W(screen, letters, 52, &extent);
    SelectObject(screen, kept);
    ReleaseDC(NULL, screen);
    SIZE units = {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
    return units;
}

}  // namespace

DialogGrowth DialogGrowthOf(HWND dialog, int32_t dpi) {
    DialogGrowth none = {1, 1, 1, 1};
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW face = {};
    if (dpi == BaseDpi || !font || !GetObjectW(font, sizeof face, &face)) {
        return none;
    }
    face.lfHeight = MulDiv(face.lfHeight, BaseDpi, dpi);
    HFONT fontAt96 = CreateFontIndirectW(&face);
    const SIZE now = DialogBaseUnits(font), at96 = DialogBaseUnits(fontAt96);
    DeleteObject(fontAt96);
    if (now.cx <= 0 || now.cy <= 0 || at96.cx <= 0 || at96.cy <= 0) {
        return none;
    }
    DialogGrowth growth = {now.cx, at96.cx, now.cy, at96.cy};
    return growth;
}

int32_t GrownAcross(const DialogGrowth& growth, int32_t pixels) {
    return MulDiv(pixels, growth.acrossNow, growth.acrossAt96);
}

int32_t GrownDown(const DialogGrowth& growth, int32_t pixels) {
    return MulDiv(pixels, growth.downNow, growth.downAt96);
}
