// The display scale of a window on Windows: the DPI each window is drawn at, on every Windows the
// game starts on, and the system measures taken at that DPI.
#pragma once

#include <windows.h>

#include <cstdint>

#include "display_scale.h"

// The DPI of the window's own monitor where Windows tells it (Windows 10 from 1607 on), else the
// screen's; 96 at 100%.
int32_t WindowDpi(HWND window);

// The DPI of the screen a new top-level window opens on, before the window exists.
int32_t ScreenDpi();

// The outer rectangle of a window whose client area is the given rectangle, with the caption and
// frame of that DPI where Windows can say, else of the system's.
void AdjustWindowRectAtDpi(RECT* rectangle, DWORD style, DWORD extendedStyle, int32_t dpi);

// The font Windows gives tooltips, at that DPI; null where the system's own is right, at the
// system's DPI or where Windows cannot tell it for another.
HFONT CreateTooltipFontAtDpi(int32_t dpi);

// How much a dialog's template has grown against 96 DPI, across and down: its font's measures at the
// dialog's DPI against the same face's at 96. At 150% that is not quite one and a half, as a font's
// widths round to whole pixels, so what a dialog draws itself at 96-DPI places is placed by this to
// stay where it was in proportion to the dialog.
struct DialogGrowth {
    int32_t acrossNow, acrossAt96, downNow, downAt96;
};
DialogGrowth DialogGrowthOf(HWND dialog, int32_t dpi);
int32_t GrownAcross(const DialogGrowth& growth, int32_t pixels);
int32_t GrownDown(const DialogGrowth& growth, int32_t pixels);
