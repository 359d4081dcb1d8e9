// The board's paint asks the heap for nothing and makes no font: checked on a memory device context under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "counting_allocator.h"
#include "front_end.h"
#include "game_state.h"

namespace {

// Nine targets, every state that draws and the covered one, on a 640 x 560 bitmap.
class PaintAllocation : public ::testing::Test {
protected:
    void SetUp() override {
        screen = GetDC(NULL);
        memory = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, BoardWidth, BoardBottom);
        previousBitmap = SelectObject(memory, bitmap);
        CreateBoardFont();
        const int32_t states[MaxTargets] = {Shown, Hidden, Correct, Wrong, Revealed, Hidden, Shown, Correct, Hidden};
        for (int32_t number = 1; number <= MaxTargets; ++number) {
            targetTable.slots[number] = Target{2 * number, number, states[number - 1]};
        }
        roundState.targetCount = MaxTargets;
        gameSettings.hideColor = 3;
    }

    void TearDown() override {
        SelectObject(memory, previousBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(NULL, screen);
        ClearTargetTable();
        roundState = RoundState{};
    }

    HDC screen = NULL;
    HDC memory = NULL;
    HBITMAP bitmap = NULL;
    HGDIOBJ previousBitmap = NULL;
};

TEST_F(PaintAllocation, PaintsAllocateNothingAndKeepTheOneFont) {
    ASSERT_NE(boardFont, nullptr);
    const HFONT fontBefore = boardFont;
    PaintBoard(memory);  // the first paint may let GDI settle its caches
    const int64_t newCallsBefore = CountingAllocator::OperatorNewCalls();
    const int64_t heapBlocksBefore = CountingAllocator::HeapBlocks();
    for (int paint = 0; paint < 200; ++paint) {
        PaintBoard(memory);
    }
    EXPECT_EQ(CountingAllocator::OperatorNewCalls() - newCallsBefore, 0);
    EXPECT_EQ(CountingAllocator::HeapBlocks() - heapBlocksBefore, 0) << CountingAllocator::Method();
    EXPECT_EQ(boardFont, fontBefore);
}

// The paint really drew: the covered target 2 is a yellow square, the shown 1 has white in its cell.
TEST_F(PaintAllocation, ThePaintUnderTestDraws) {
    PaintBoard(memory);
    EXPECT_EQ(GetPixel(memory, 4 * CellSize + 16, 2 * CellSize + BoardTop + 16), RGB(255, 255, 0));
    bool whiteFound = false;
    for (int y = 0; y < CellSize && !whiteFound; ++y) {
        for (int x = 0; x < CellSize && !whiteFound; ++x) {
            whiteFound = GetPixel(memory, 2 * CellSize + x, CellSize + BoardTop + y) == RGB(255, 255, 255);
        }
    }
    EXPECT_TRUE(whiteFound);
}

}  // namespace
