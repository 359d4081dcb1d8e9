// The random source, target placement and the records it touches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "game_state.h"
#include "windowless_host.h"

namespace {
using Cell = std::pair<int32_t, int32_t>;  // column, row

bool AllZero(const void* record, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(record);
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

// Dynamic initialisation runs after the zero-initialisation of every static
// record and before main, so this sees the records as the game starts.
const bool recordsZeroAtStart = AllZero(&gameSettings, sizeof gameSettings) &&
                                AllZero(&targetTable, sizeof targetTable) &&
                                AllZero(&roundState, sizeof roundState) &&
                                AllZero(&resultSnapshot, sizeof resultSnapshot);

std::vector<Cell> PlacedCells() {
    std::vector<Cell> cells;
    for (int32_t number = 1; number <= roundState.targetCount; ++number) {
        cells.emplace_back(targetTable.slots[number].column, targetTable.slots[number].row);
    }
    return cells;
}

class Placement : public ::testing::Test {
protected:
    void SetUp() override {
        WindowlessHost::ResetGameRecords();
        WindowlessHost::Install();
    }
    void TearDown() override { WindowlessHost::Uninstall(); }

    void PlaceAt(int64_t seconds, int32_t count) {
        WindowlessHost::SetClock(seconds);
        roundState.targetCount = count;
        PlaceTargets();
    }
};
}  // namespace

TEST(GameRecords, AreZeroWhenTheProgramStarts) {
    EXPECT_TRUE(recordsZeroAtStart);
}

TEST(GameRandom, DrawsTheFixedSequence) {
    GameRandom::setSeed(0);
    EXPECT_EQ(GameRandom::draw(), 0);
    EXPECT_EQ(GameRandom::draw(), 346);
    EXPECT_EQ(GameRandom::draw(), 130);
    GameRandom::setSeed(1);
    EXPECT_EQ(GameRandom::draw(), 346);
    EXPECT_EQ(GameRandom::draw(), 130);
    // Seeds are taken modulo 2^32, so these two are the same as 0 and 1.
    GameRandom::setSeed(INT64_C(0x100000000));
    EXPECT_EQ(GameRandom::draw(), 0);
    GameRandom::setSeed(-INT64_C(0xFFFFFFFF));
    EXPECT_EQ(GameRandom::draw(), 346);
}

TEST(GameRandom, NeverReturnsBit31OrMore) {
    GameRandom::setSeed(0x7FFFFFFF);
    int32_t largest = 0;
    for (int i = 0; i < 100000; ++i) {
        const int32_t value = GameRandom::draw();
        ASSERT_GE(value, 0);
        largest = std::max(largest, value);
    }
    EXPECT_EQ(largest, 32767);
}

TEST_F(Placement, SeedZeroGivesTheKnownBoardWithTwoDiscardedCandidates) {
    // The candidates seed 0 yields, column drawn first: (10, 1) touches target 2
    // and (18, 1) touches target 3, so both are thrown away.
    GameRandom::setSeed(0);
    std::vector<Cell> candidates;
    for (int i = 0; i < 11; ++i) {
        const int32_t column = GameRandom::draw() % GridColumns;
        candidates.emplace_back(column, GameRandom::draw() % GridRows);
    }
    const int32_t drawAfterEleventhCandidate = GameRandom::draw();
    EXPECT_EQ(candidates, (std::vector<Cell>{{0, 1}, {10, 2}, {10, 1}, {17, 0}, {15, 13}, {6, 4},
                                             {18, 1}, {19, 12}, {0, 12}, {1, 8}, {7, 14}}));

    targetTable.slots[0] = Target{7, 7, Wrong};  // slot 0 belongs to no rule
    roundState.roundsPlayed = 2;
    roundState.nextNumber = 4;
    PlaceAt(0, 9);
    EXPECT_EQ(PlacedCells(), (std::vector<Cell>{{0, 1}, {10, 2}, {17, 0}, {15, 13}, {6, 4}, {19, 12},
                                                {0, 12}, {1, 8}, {7, 14}}));
    // Exactly eleven candidates were drawn: the next draw continues from there.
    EXPECT_EQ(GameRandom::draw(), drawAfterEleventhCandidate);
    for (int32_t number = 1; number <= 9; ++number) {
        EXPECT_EQ(targetTable.slots[number].state, Shown);
    }
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_EQ(roundState.roundsPlayed, 2);
    EXPECT_EQ(targetTable.slots[0].state, Wrong);
}

TEST_F(Placement, TouchesNoSlotAboveTheCount) {
    targetTable.slots[4] = Target{3, 3, Correct};
    PlaceAt(12345, 3);
    EXPECT_EQ(targetTable.slots[4].column, 3);
    EXPECT_EQ(targetTable.slots[4].state, Correct);
}

TEST_F(Placement, TheSameSecondGivesTheSameBoard) {
    PlaceAt(1700000000, 9);
    const std::vector<Cell> first = PlacedCells();
    PlaceAt(1700000000, 9);
    EXPECT_EQ(PlacedCells(), first);
    PlaceAt(1700000001, 9);
    EXPECT_NE(PlacedCells(), first);
}

// The placement rule stated the slow way: keep drawing (column, row) pairs
// until one lies more than one cell away from every target placed so far.
std::vector<Cell> ModelBoard(int64_t seed, int32_t count) {
    GameRandom::setSeed(seed);
    std::vector<Cell> board;
    while (static_cast<int32_t>(board.size()) < count) {
        const int32_t column = GameRandom::draw() % 20;
        const int32_t row = GameRandom::draw() % 15;
        const bool touches = std::any_of(board.begin(), board.end(), [&](const Cell& placed) {
            return std::max(std::abs(placed.first - column), std::abs(placed.second - row)) <= 1;
        });
        if (!touches) {
            board.emplace_back(column, row);
        }
    }
    return board;
}

TEST_F(Placement, MatchesTheModelAndNeverPutsTargetsSideBySide) {
    for (int64_t seed = -50; seed < 2000; ++seed) {
        const int32_t count = static_cast<int32_t>(1 + (seed + 50) % 9);
        PlaceAt(seed * 7919, count);
        const std::vector<Cell> cells = PlacedCells();
        ASSERT_EQ(cells, ModelBoard(seed * 7919, count)) << "seed " << seed * 7919;
        for (size_t i = 0; i < cells.size(); ++i) {
            ASSERT_TRUE(cells[i].first >= 0 && cells[i].first < GridColumns && cells[i].second >= 0 &&
                        cells[i].second < GridRows);
            for (size_t j = 0; j < i; ++j) {
                ASSERT_TRUE(std::abs(cells[i].first - cells[j].first) >= 2 ||
                            std::abs(cells[i].second - cells[j].second) >= 2);
            }
        }
    }
}

TEST_F(Placement, SnapshotCopiesTheFiveLiveFiguresAndKeepsTheClearedOnes) {
    roundState = RoundState{7, 12, 9, 5, 2};
    gameSettings.fixedTries = 4;
    resultSnapshot.clearedCount = 5;
    resultSnapshot.clearedTime = 7;
    TakeSnapshot();
    EXPECT_EQ(resultSnapshot.targetCount, 7);
    EXPECT_EQ(resultSnapshot.progress, 5);
    EXPECT_EQ(resultSnapshot.displayTime, 12);
    EXPECT_EQ(resultSnapshot.tries, 4);
    EXPECT_EQ(resultSnapshot.roundsPlayed, 2);
    ClearSnapshot();
    EXPECT_EQ(resultSnapshot.targetCount + resultSnapshot.progress + resultSnapshot.displayTime +
                  resultSnapshot.tries + resultSnapshot.roundsPlayed,
              0);
    EXPECT_EQ(resultSnapshot.clearedCount, 5);
    EXPECT_EQ(resultSnapshot.clearedTime, 7);

    PlaceAt(99, 9);
    ClearTargetTable();
    for (const Target& target : targetTable.slots) {
        EXPECT_TRUE(target.column == 0 && target.row == 0 && target.state == Empty);
    }
}
