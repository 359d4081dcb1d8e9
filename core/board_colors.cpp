// The cover colours of the colour setting and the colours of the numbers in each state.
#include "board_colors.h"

#include "game_state.h"

namespace {

// Index = hideColor code.
const int32_t CoverColors[] = {
    WhiteColor,  // 0: the default when there is no settings file
    WhiteColor,  // 1: white
    0x808080,    // 2: grey
    0xFFFF00,    // 3: yellow
    0x00FFFF,    // 4: light blue
    0xFF00FF,    // 5: pink
};
constexpr int32_t CoverColorCount = sizeof CoverColors / sizeof CoverColors[0];

struct NumberStyle {
    int32_t state;
    int32_t textColor;
};

// The states that show their number, each on black.
const NumberStyle NumberStyles[] = {
    {Shown, WhiteColor},
    {Correct, 0x00FF00},
    {Wrong, 0xFF0000},
    {Revealed, 0x0000FF},
};

}  // namespace

int32_t CoverColor(int32_t hideColor) {
    return hideColor >= 0 && hideColor < CoverColorCount ? CoverColors[hideColor] : WhiteColor;
}

CellLook TargetCellLook(int32_t targetState, int32_t hideColor) {
    for (const NumberStyle& style : NumberStyles) {
        if (style.state == targetState) {
            return {NumberCell, style.textColor, BlackColor};
        }
    }
    if (targetState == Hidden) {
        const int32_t cover = CoverColor(hideColor);
        return {CoverCell, cover, cover};
    }
    return {UnpaintedCell, BlackColor, BlackColor};
}
