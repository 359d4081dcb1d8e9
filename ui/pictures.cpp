// Loading and drawing the About picture and the brain-level pictures.
#include "pictures.h"

// A DIB section keeps the bitmap's own palette colours on any screen depth.
HBITMAP LoadPicture(int32_t pictureId) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(pictureId), IMAGE_BITMAP, 0,
                                           0, LR_CREATEDIBSECTION));
}

void DrawPicture(HDC deviceContext, HBITMAP picture, int x, int y, int width, int height) {
    if (!picture) {
        return;
    }
    HDC memoryContext = CreateCompatibleDC(nullptr);
    HGDIOBJ keptBitmap = SelectObject(memoryContext, picture);
    BitBlt(deviceContext, x, y, width, height, memoryContext, 0, 0, SRCCOPY);
    SelectObject(memoryContext, keptBitmap);
    DeleteDC(memoryContext);
}
