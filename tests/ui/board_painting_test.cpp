// The board's pixels after painting each target state and each hide colour, and the board font.
#include "ui_test_support.h"

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Green = RGB(0, 255, 0);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

struct Cell {
    int column;
    int row;
};

// A 32-bit memory bitmap the size of the client area, erased to black like the window.
class BoardPicture {
public:
    BoardPicture() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        context_ = CreateCompatibleDC(NULL);
        bitmap_ = CreateDIBSection(context_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), NULL, 0);
        previous_ = SelectObject(context_, bitmap_);
        RECT all = {0, 0, Width, Height};
        FillRect(context_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ~BoardPicture() {
        SelectObject(context_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(context_);
    }
    BoardPicture(const BoardPicture&) = delete;
    BoardPicture& operator=(const BoardPicture&) = delete;

    HDC context() const { return context_; }

    void Paint() {
        PaintBoard(context_);
        GdiFlush();
    }

    // Reads the bits directly: a whole-board scan through GetPixel is slow under Wine.
    COLORREF At(int x, int y) const {
        DWORD pixel = bits_[y * Width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    // Pixels outside the given cells that are not black.
    int StrayPixels(const std::vector<Cell>& cells) const {
        int stray = 0;
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                if (At(x, y) != Black && !InAnyCell(cells, x, y)) {
                    ++stray;
                }
            }
        }
        return stray;
    }

    static constexpr int Width = 640;
    static constexpr int Height = 520;

private:
    static bool InAnyCell(const std::vector<Cell>& cells, int x, int y) {
        for (const Cell& cell : cells) {
            int left = cell.column * 32;
            int top = cell.row * 32 + 40;
            if (x >= left && x < left + 32 && y >= top && y < top + 32) {
                return true;
            }
        }
        return false;
    }

    HDC context_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    DWORD* bits_ = nullptr;
};

struct Ink {
    int exact = 0;  // pixels of exactly the text colour
    int foreign = 0;  // pixels neither black nor a shade of the text colour
};

// Antialiasing may blend the text colour toward black, so shades count as ink too.
bool IsShadeOf(COLORREF pixel, COLORREF color) {
    int channels[3] = {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
    int wanted[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    int level = -1;
    for (int channel = 0; channel < 3; ++channel) {
        if (wanted[channel] == 0) {
            if (channels[channel] != 0) {
                return false;
            }
        } else if (level < 0) {
            level = channels[channel];
        } else if (channels[channel] != level) {
            return false;
        }
    }
    return true;
}

Ink InkIn(const BoardPicture& board, Cell cell, COLORREF color) {
    Ink ink;
    for (int y = cell.row * 32 + 40; y < cell.row * 32 + 72; ++y) {
        for (int x = cell.column * 32; x < cell.column * 32 + 32; ++x) {
            COLORREF pixel = board.At(x, y);
            if (pixel == color) {
                ++ink.exact;
            } else if (pixel != Black && !IsShadeOf(pixel, color)) {
                ++ink.foreign;
            }
        }
    }
    return ink;
}

// Every pixel of the cell is the colour.
bool IsSolid(const BoardPicture& board, Cell cell, COLORREF color) {
    for (int y = cell.row * 32 + 40; y < cell.row * 32 + 72; ++y) {
        for (int x = cell.column * 32; x < cell.column * 32 + 32; ++x) {
            if (board.At(x, y) != color) {
                return false;
            }
        }
    }
    return true;
}

class BoardPainting : public ::testing::Test {
protected:
    void SetUp() override {
        WindowlessHost::ResetGameRecords();
        CreateBoardFont();
        ASSERT_NE(boardFont, nullptr);
    }

    static void Place(int32_t number, Cell cell, int32_t state) {
        targetTable.slots[number] = Target{cell.column, cell.row, state};
    }
};

TEST_F(BoardPainting, TheFontIsThe32PixelShiftJisMinchoMadeOnce) {
    HFONT first = boardFont;
    CreateBoardFont();
    EXPECT_EQ(boardFont, first);
    LOGFONTA font = {};
    ASSERT_EQ(GetObjectA(boardFont, sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_EQ(font.lfHeight, 32);
    EXPECT_EQ(font.lfWidth, 32);
    EXPECT_EQ(font.lfWeight, 600);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_STREQ(font.lfFaceName, "ＭＳ 明朝");
}

TEST_F(BoardPainting, BeforeTheFirstGameNothingIsDrawn) {
    Place(1, {3, 3}, Shown);  // a count of 0 leaves every slot out
    BoardPicture board;
    board.Paint();
    EXPECT_EQ(board.StrayPixels({}), 0);
}

TEST_F(BoardPainting, AHiddenTargetIsASolidSquareInTheHideColour) {
    struct Expected {
        int32_t code;
        COLORREF cover;
    };
    const Expected colours[] = {
        {0, White}, {1, White}, {2, RGB(128, 128, 128)}, {3, RGB(255, 255, 0)}, {4, RGB(0, 255, 255)},
        {5, RGB(255, 0, 255)}, {6, White}, {-1, White}, {15, White},
    };
    const Cell cell = {19, 14};  // the bottom-right corner of the board
    roundState.targetCount = 1;
    Place(1, cell, Hidden);
    for (const Expected& colour : colours) {
        gameSettings.hideColor = colour.code;
        BoardPicture board;
        board.Paint();
        EXPECT_TRUE(IsSolid(board, cell, colour.cover)) << "hide colour " << colour.code;
        EXPECT_EQ(board.At(607, 503), Black) << "hide colour " << colour.code;  // just above and left
        EXPECT_EQ(board.StrayPixels({cell}), 0) << "hide colour " << colour.code;
    }
}

TEST_F(BoardPainting, NumbersStandInTheirStateColourOnBlackInsideTheirCell) {
    struct Expected {
        int32_t state;
        COLORREF color;
    };
    const Expected styles[] = {{Shown, White}, {Correct, Green}, {Wrong, Red}, {Revealed, Blue}};
    const Cell cell = {0, 0};  // the top-left corner, right under the toolbar
    for (const Expected& style : styles) {
        for (int32_t number : {1, 8}) {
            roundState.targetCount = number;
            std::memset(&targetTable, 0, sizeof targetTable);
            for (int32_t other = 1; other < number; ++other) {
                Place(other, {other, 10}, Empty);
            }
            Place(number, cell, style.state);
            gameSettings.hideColor = 3;  // must not leak into numbers
            BoardPicture board;
            board.Paint();
            Ink ink = InkIn(board, cell, style.color);
            EXPECT_GT(ink.exact, 10) << "state " << style.state << " number " << number;
            EXPECT_EQ(ink.foreign, 0) << "state " << style.state << " number " << number;
            EXPECT_EQ(board.StrayPixels({cell}), 0) << "state " << style.state << " number " << number;
        }
    }
}

TEST_F(BoardPainting, EmptySlotsAndSlotsAboveTheCountAreNotDrawn) {
    roundState.targetCount = 3;
    Place(1, {1, 1}, Hidden);
    Place(2, {5, 5}, Empty);
    Place(3, {9, 9}, 6);  // no such state
    Place(4, {12, 3}, Hidden);  // left from a round of more targets
    Place(9, {15, 8}, Correct);
    BoardPicture board;
    board.Paint();
    EXPECT_TRUE(IsSolid(board, {1, 1}, White));
    EXPECT_EQ(board.StrayPixels({{1, 1}}), 0);
}

// Only a hand-edited settings file can bring such a count; the nine slots are
// drawn and nothing beyond them is read.
TEST_F(BoardPainting, ACountAboveNineDrawsTheNineSlots) {
    roundState.targetCount = 50;
    std::vector<Cell> cells;
    for (int32_t number = 1; number <= 9; ++number) {
        cells.push_back({2 * number, 2});
        Place(number, cells.back(), Hidden);
    }
    BoardPicture board;
    board.Paint();
    for (const Cell& cell : cells) {
        EXPECT_TRUE(IsSolid(board, cell, White)) << cell.column;
    }
    EXPECT_EQ(board.StrayPixels(cells), 0);
}

TEST_F(BoardPainting, TheDeviceContextGetsItsFontAndBackgroundModeBack) {
    BoardPicture board;
    HGDIOBJ before = GetCurrentObject(board.context(), OBJ_FONT);
    SetBkMode(board.context(), TRANSPARENT);
    roundState.targetCount = 1;
    Place(1, {7, 7}, Hidden);
    gameSettings.hideColor = 2;
    board.Paint();
    EXPECT_TRUE(IsSolid(board, {7, 7}, RGB(128, 128, 128)));  // opaque, whatever the context held
    EXPECT_EQ(GetCurrentObject(board.context(), OBJ_FONT), before);
    EXPECT_EQ(GetBkMode(board.context()), TRANSPARENT);
}

}  // namespace

namespace {

using OnScreenBoard = UiTest::MainWindowFixture;

// The same picture through the window's own paint, erased to black by the class brush.
TEST_F(OnScreenBoard, TheWindowShowsTheJudgedBoard) {
    WriteSettings("3\r\n10\r\n3\r\n5\r\n0\r\n1\r\n");
    HWND window = OpenMainWindow();
    ASSERT_NE(window, nullptr);
    roundState.targetCount = 3;
    roundState.nextNumber = 2;
    targetTable.slots[1] = Target{2, 3, Correct};
    targetTable.slots[2] = Target{10, 8, Hidden};
    targetTable.slots[3] = Target{17, 14, Hidden};
    windowsGameHost.repaint();

    HDC screen = GetDC(window);
    auto at = [screen](int x, int y) { return GetPixel(screen, x, y); };
    for (int y = 8 * 32 + 40; y < 9 * 32 + 40; y += 3) {
        for (int x = 10 * 32; x < 11 * 32; x += 3) {
            ASSERT_EQ(at(x, y), RGB(255, 0, 255)) << x << "," << y;
        }
    }
    EXPECT_EQ(at(10 * 32 - 1, 8 * 32 + 50), RGB(0, 0, 0));
    EXPECT_EQ(at(11 * 32, 8 * 32 + 50), RGB(0, 0, 0));
    EXPECT_EQ(at(17 * 32 + 31, 14 * 32 + 71), RGB(255, 0, 255));
    EXPECT_EQ(at(300, 100), RGB(0, 0, 0));
    int green = 0;
    for (int y = 3 * 32 + 40; y < 4 * 32 + 40; ++y) {
        for (int x = 2 * 32; x < 3 * 32; ++x) {
            green += at(x, y) == RGB(0, 255, 0);
        }
    }
    EXPECT_GT(green, 10);
    ReleaseDC(window, screen);
}

}  // namespace
