// Judging single presses on a covered board.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "game_state.h"
#include "windowless_host.h"

namespace {
class Judging : public ::testing::Test {
protected:
    // Targets 1..count in a row along row 2, every third column, all covered, 1 due.
    void SetUp() override {
        WindowlessHost::ResetGameRecords();
        roundState.targetCount = 5;
        roundState.displayTime = 10;
        roundState.nextNumber = 1;
        for (int32_t number = 1; number <= MaxTargets; ++number) {
            targetTable.slots[number] = Target{3 * number, 2, Hidden};
        }
    }

    static void Click(int32_t number) {
        const Target& target = targetTable.slots[number];
        JudgeClick(static_cast<uint16_t>(target.column * 32 + 5), static_cast<uint16_t>(target.row * 32 + 45));
    }

    static std::vector<int32_t> States() {
        std::vector<int32_t> states;
        for (int32_t number = 1; number <= roundState.targetCount; ++number) {
            states.push_back(targetTable.slots[number].state);
        }
        return states;
    }
};
}  // namespace

TEST_F(Judging, CorrectClicksCompleteTheRound) {
    roundState.targetCount = 3;
    Click(1);
    Click(2);
    EXPECT_EQ(resultSnapshot.progress, 2);
    Click(3);
    EXPECT_EQ(States(), (std::vector<int32_t>{Correct, Correct, Correct}));
    EXPECT_EQ(roundState.nextNumber, 4);
    EXPECT_EQ(resultSnapshot.progress, 3);  // taken before the last increment
    EXPECT_EQ(resultSnapshot.targetCount, 3);
    EXPECT_EQ(targetTable.slots[4].state, Hidden);  // beyond the round: not judged
}

// A wrong click marks the due and the clicked target Wrong and reveals the rest,
// a correct target pressed again included.
TEST_F(Judging, AWrongClickEndsTheRound) {
    struct Case {
        std::vector<int32_t> clicks;
        std::vector<int32_t> states;
        int32_t progress;
    };
    const Case cases[] = {
        {{1, 2, 4}, {Correct, Correct, Wrong, Wrong, Revealed}, 3},
        {{1, 2, 1}, {Wrong, Correct, Wrong, Revealed, Revealed}, 3},
        {{2}, {Wrong, Wrong, Revealed, Revealed, Revealed}, 1},
    };
    for (const Case& test : cases) {
        SetUp();
        for (const int32_t number : test.clicks) {
            Click(number);
        }
        EXPECT_EQ(States(), test.states) << "after " << test.clicks.size() << " clicks";
        EXPECT_EQ(roundState.nextNumber, -1);
        EXPECT_EQ(resultSnapshot.progress, test.progress);
    }
}

TEST_F(Judging, CellEdgesBelongToTheRightCell) {
    targetTable.slots[1] = Target{4, 0, Hidden};  // x 128..159, y 40..71
    JudgeClick(160, 50);  // first pixel of column 5
    JudgeClick(127, 50);
    JudgeClick(140, 39);  // above the board
    JudgeClick(140, 72);  // row 1
    EXPECT_EQ(roundState.nextNumber, 1);
    EXPECT_EQ(resultSnapshot.progress, 0);
    JudgeClick(159, 71);
    EXPECT_EQ(roundState.nextNumber, 2);
    JudgeClick(targetTable.slots[2].column * 32, targetTable.slots[2].row * 32 + 40);
    EXPECT_EQ(roundState.nextNumber, 3);
}

TEST_F(Judging, PressesAreIgnoredWhileInputIsClosedOrTheRoundIsOver) {
    const TargetTable before = targetTable;
    for (const int32_t closed : {0, -1, 6}) {
        roundState.nextNumber = closed;
        Click(1);
        Click(2);
        EXPECT_EQ(roundState.nextNumber, closed);
    }
    roundState.nextNumber = 1;
    JudgeClick(0, 0);
    JudgeClick(639, 519);  // an empty cell is not a wrong click
    JudgeClick(65535, 65535);
    EXPECT_EQ(roundState.nextNumber, 1);
    EXPECT_EQ(resultSnapshot.progress, 0);
    EXPECT_EQ(0, memcmp(&before, &targetTable, sizeof before));
}

TEST(JudgingBeforeTheFirstGame, IgnoresEveryPress) {
    WindowlessHost::ResetGameRecords();
    JudgeClick(16, 56);  // column 0, row 0, where every Empty slot lies
    EXPECT_EQ(roundState.nextNumber, 0);
    EXPECT_EQ(targetTable.slots[1].state, Empty);
}
