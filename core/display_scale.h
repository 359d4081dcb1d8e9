// Drawing at a display scale. The board, the toolbar and the places the dialogs draw at are laid
// out in pixels of a 100% screen (96 DPI); on a screen at 150% or 200% each of them is drawn that
// much larger, and a click on the larger board is taken back to the board the rules know.
#pragma once

#include <cstdint>

#include "game_state.h"

constexpr int32_t BaseDpi = 96;

// A length of a 96-DPI layout at another DPI, to the nearest pixel (a half rounds up), so that
// 150% gives exactly 48 for a 32-pixel cell and 96 DPI gives every length back unchanged.
constexpr int32_t ScaledPixels(int32_t pixels, int32_t dpi) {
    const int64_t product = static_cast<int64_t>(pixels) * dpi;
    const int64_t rounded = product >= 0 ? (product + BaseDpi / 2) / BaseDpi : -((-product + BaseDpi / 2) / BaseDpi);
    return static_cast<int32_t>(rounded);
}

// Every cell is drawn the same whole number of pixels wide, so that no column is a pixel wider
// than its neighbour at scales such as 110%; the board's top edge is scaled on its own.
constexpr int32_t ScaledCellSize(int32_t dpi) {
    return ScaledPixels(CellSize, dpi) > 0 ? ScaledPixels(CellSize, dpi) : 1;
}

// A pixel of the board as drawn at that DPI, taken to the same place of the same cell of the
// 96-DPI board that placement and judging work in; above the board, to the band above it.
constexpr int32_t BoardXAtBaseScale(int32_t x, int32_t dpi) {
    const int32_t cell = ScaledCellSize(dpi);
    return x / cell * CellSize + x % cell * CellSize / cell;
}

constexpr int32_t BoardYAtBaseScale(int32_t y, int32_t dpi) {
    const int32_t top = ScaledPixels(BoardTop, dpi);
    if (y < top) {
        return top > 0 ? y * BoardTop / top : 0;
    }
    return BoardTop + BoardXAtBaseScale(y - top, dpi);
}
