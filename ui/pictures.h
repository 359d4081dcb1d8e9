// The bitmaps the dialogs show: loaded from the game's own resources and copied onto a dialog,
// at their own size at 100% and smoothly scaled from the sharp pictures above it.
#pragma once

#include <windows.h>

#include <cstdint>

// A bitmap resource of the game's own exe for a window at that DPI: above 96 DPI the one drawn at
// twice the size; null when it is missing.
HBITMAP LoadPicture(int32_t pictureId, int32_t dpi);

// Copies a picture onto a device context at the given size, through a memory device context that
// is gone again on return: unchanged when the sizes agree, smoothly scaled otherwise. A missing
// picture draws nothing, so the dialog's background shows in its place.
void DrawPicture(HDC deviceContext, HBITMAP picture, int x, int y, int width, int height);
