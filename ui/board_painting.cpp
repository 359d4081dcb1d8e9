// Paints the board: each target of the round as one character cell on the black client area,
// 32 x 32 pixels at 100% and larger in proportion on a screen at a higher scale.
#include "front_end.h"

#include "board_colors.h"
#include "game_state.h"

HFONT boardFont;
int32_t boardFontDpi;

namespace {

// One character with an opaque background: a blank in the hide colour is the
// covering square. The board font's character cell is meant to be the board
// cell, but a substitute face can be a pixel wider or narrower, so the text is
// clipped to the cell and the whole cell takes the background colour.
void PaintCell(HDC deviceContext, const Target& target, const wchar_t* text, COLORREF textColor,
               COLORREF backgroundColor) {
    const int cellSize = ScaledCellSize(mainWindowDpi);
    int x = target.column * cellSize;
    int y = target.row * cellSize + ScaledPixels(BoardTop, mainWindowDpi);
    RECT cell = {x, y, x + cellSize, y + cellSize};
    SetTextColor(deviceContext, textColor);
    SetBkColor(deviceContext, backgroundColor);
    ExtTextOutW(deviceContext, x, y, ETO_OPAQUE | ETO_CLIPPED, &cell, text, 1, NULL);
}

void PaintTarget(HDC deviceContext, int32_t number, const Target& target) {
    const CellLook look = TargetCellLook(target.state, gameSettings.hideColor);
    const COLORREF textColor = ScreenColor(look.textColor);
    const COLORREF backgroundColor = ScreenColor(look.backgroundColor);
    if (look.kind == NumberCell) {
        const wchar_t digit[] = {static_cast<wchar_t>(L'0' + number % 10), L'\0'};  // a slot number, 1 to 9
        PaintCell(deviceContext, target, digit, textColor, backgroundColor);
    } else if (look.kind == CoverCell) {
        PaintCell(deviceContext, target, L" ", textColor, backgroundColor);
    }
}

// Full-width Ｍ and Ｓ, an ASCII blank, then Mincho: the Japanese serif face, its character cell
// the board's cell.
HFONT CreateBoardFontAtDpi(int32_t dpi) {
    const int size = ScaledCellSize(dpi);
    return CreateFontW(size, size, 0, 0, 600, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ 明朝");
}

}  // namespace

// Made again only when the main window moves to a screen of another scale, between paints.
void CreateBoardFont() {
    if (boardFont && boardFontDpi == mainWindowDpi) {
        return;
    }
    HFONT previous = boardFont;
    boardFont = CreateBoardFontAtDpi(mainWindowDpi);
    boardFontDpi = mainWindowDpi;
    if (previous) {
        DeleteObject(previous);
    }
}

HFONT BoardFontAt(int32_t dpi) {
    return dpi == boardFontDpi ? boardFont : CreateBoardFontAtDpi(dpi);
}

void ReleaseBoardFont(HFONT font) {
    if (font && font != boardFont) {
        DeleteObject(font);
    }
}

// A count above nine, possible only from a hand-edited settings file, still
// draws just the nine slots the table has.
void PaintBoard(HDC deviceContext) {
    HGDIOBJ previousFont = SelectObject(deviceContext, boardFont);
    int previousMode = SetBkMode(deviceContext, OPAQUE);
    int32_t count = PlayableTargetCount();
    for (int32_t number = 1; number <= count; ++number) {
        PaintTarget(deviceContext, number, targetTable.slots[number]);
    }
    SetBkMode(deviceContext, previousMode);
    SelectObject(deviceContext, previousFont);
}
