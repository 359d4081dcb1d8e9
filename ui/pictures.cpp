// Loading and drawing the About picture and the brain-level pictures.
#include "pictures.h"

#include "display_scale.h"
#include "resource_ids.h"

// A DIB section keeps the bitmap's own palette colours on any screen depth. The sharp pictures are
// run-length compressed to keep the exe small, which a DIB section cannot hold: they load as
// bitmaps of the screen's depth, as true-colour as the screens that need them.
HBITMAP LoadPicture(int32_t pictureId, int32_t dpi) {
    const bool sharp = dpi > BaseDpi;
    const UINT flags = sharp ? 0 : LR_CREATEDIBSECTION;
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(sharp ? pictureId + SHARP_PICTURE_OFFSET : pictureId),
                                           IMAGE_BITMAP, 0, 0, flags));
}

// HALFTONE averages the source pixels under each drawn one, where the default mode would drop
// rows and columns; it needs the brush origin set after it.
void DrawPicture(HDC deviceContext, HBITMAP picture, int x, int y, int width, int height) {
    BITMAP size = {};
    if (!picture || !GetObjectW(picture, sizeof size, &size)) {
        return;
    }
    HDC memoryContext = CreateCompatibleDC(nullptr);
    HGDIOBJ keptBitmap = SelectObject(memoryContext, picture);
    if (size.bmWidth == width && size.bmHeight == height) {
        BitBlt(deviceContext, x, y, width, height, memoryContext, 0, 0, SRCCOPY);
    } else {
        int keptMode = SetStretchBltMode(deviceContext, HALFTONE);
        POINT keptOrigin;
        SetBrushOrgEx(deviceContext, 0, 0, &keptOrigin);
        StretchBlt(deviceContext, x, y, width, height, memoryContext, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SetBrushOrgEx(deviceContext, keptOrigin.x, keptOrigin.y, nullptr);
        SetStretchBltMode(deviceContext, keptMode);
    }
    SelectObject(memoryContext, keptBitmap);
    DeleteDC(memoryContext);
}
