// The bitmaps the dialogs show: loaded from the game's own resources and copied onto a dialog at their own size.
#pragma once

#include <windows.h>

#include <cstdint>

// A bitmap resource of the game's own exe; null when it is missing.
HBITMAP LoadPicture(int32_t pictureId);

// Copies a picture onto a device context at its own size, through a memory device
// context that is gone again on return. A missing picture draws nothing, so the
// dialog's background shows in its place.
void DrawPicture(HDC deviceContext, HBITMAP picture, int x, int y, int width, int height);
