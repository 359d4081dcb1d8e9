// The colours a board cell is painted in, as 0xRRGGBB: the same in every front end.
#pragma once

#include <cstdint>

constexpr int32_t BlackColor = 0x000000;
constexpr int32_t WhiteColor = 0xFFFFFF;

// A target's cell: its number on black while the number shows, a blank square in the cover
// colour while it is hidden, and nothing at all for a target never placed.
enum CellKind : int32_t { UnpaintedCell, NumberCell, CoverCell };
struct CellLook {
    CellKind kind;
    int32_t textColor;
    int32_t backgroundColor;
};
CellLook TargetCellLook(int32_t targetState, int32_t hideColor);

// The colour of the covering squares for a hideColor code; every code outside 1..5,
// the default 0 included, covers in white.
int32_t CoverColor(int32_t hideColor);
