// Paints the board through the page: each target of the round as one 32 x 32 cell on black.
#include "web_front_end.h"

#include "board_colors.h"
#include "game_state.h"

extern "C" {
void glimmark_clear_board();
void glimmark_paint_cell(int32_t column, int32_t row, int32_t number, int32_t textColor, int32_t backgroundColor);
}

// Number 0 asks for a blank cell: the covering square.
void PaintBoard() {
    glimmark_clear_board();
    const int32_t count = PlayableTargetCount();
    for (int32_t number = 1; number <= count; ++number) {
        const Target& target = targetTable.slots[number];
        const CellLook look = TargetCellLook(target.state, gameSettings.hideColor);
        if (look.kind != UnpaintedCell) {
            glimmark_paint_cell(target.column, target.row, look.kind == NumberCell ? number : 0, look.textColor,
                                look.backgroundColor);
        }
    }
}
