// Paints the board through the page: each target of the round as one 32 x 32 cell on black.
#include "web_front_end.h"

#include "game_state.h"

extern "C" {
void glimmark_clear_board();
void glimmark_paint_cell(int32_t column, int32_t row, int32_t number, int32_t textColor, int32_t backgroundColor);
}

namespace {

// Colours as 0xRRGGBB, the same as the Windows game paints.
constexpr int32_t Black = 0x000000;
constexpr int32_t White = 0xFFFFFF;

// Index = hideColor code; every code outside 1..5, the default 0 included, covers in white.
const int32_t HideColors[] = {White, White, 0x808080, 0xFFFF00, 0x00FFFF, 0xFF00FF};
constexpr int32_t HideColorCount = sizeof HideColors / sizeof HideColors[0];

struct NumberStyle {
    int32_t state;
    int32_t textColor;
};

// The states that show their number, each on black.
const NumberStyle NumberStyles[] = {
    {Shown, White},
    {Correct, 0x00FF00},
    {Wrong, 0xFF0000},
    {Revealed, 0x0000FF},
};

const NumberStyle* NumberStyleFor(int32_t state) {
    for (const NumberStyle& style : NumberStyles) {
        if (style.state == state) {
            return &style;
        }
    }
    return nullptr;
}

}  // namespace

int32_t HideColor(int32_t code) {
    return code >= 0 && code < HideColorCount ? HideColors[code] : White;
}

// Number 0 asks for a blank cell: the covering square.
void PaintBoard() {
    glimmark_clear_board();
    const int32_t count = PlayableTargetCount();
    for (int32_t number = 1; number <= count; ++number) {
        const Target& target = targetTable.slots[number];
        if (const NumberStyle* style = NumberStyleFor(target.state)) {
            glimmark_paint_cell(target.column, target.row, number, style->textColor, Black);
        } else if (target.state == Hidden) {
            const int32_t cover = HideColor(gameSettings.hideColor);
            glimmark_paint_cell(target.column, target.row, 0, cover, cover);
        }
    }
}
