// The game core asks the heap for nothing while a game runs: not per click, not per round, not per stage.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "counting_allocator.h"
#include "game_host.h"
#include "game_state.h"

namespace {

// ---- A host that needs no heap -------------------------------------------
// The shared windowless host keeps a log of strings, which would hide the
// core's own allocations among the host's; this one keeps only counts.
struct HostCounts {
    int messages;
    int dialogs;
    int repaints;
    bool timerRunning;
};
HostCounts hostCounts;
int64_t clockSeconds;

void CountMessage(const char*, const char*) {
    ++hostCounts.messages;
}

void CountDialog(int32_t) {
    ++hostCounts.dialogs;
}

void StartTimer(int32_t) {
    hostCounts.timerRunning = true;
}

void StopTimer() {
    hostCounts.timerRunning = false;
}

void RepaintAndJudge() {
    ++hostCounts.repaints;
    JudgeRound();
}

const GameHost countingHost = {CountMessage, CountDialog, StartTimer, StopTimer, RepaintAndJudge};

// Each placement reads a new second, so every round has a board of its own.
int64_t TickingClock() {
    return ++clockSeconds;
}

void ExpireTimer() {
    if (hostCounts.timerRunning) {
        EndDisplayTime();
    }
}

void Press(int32_t x, int32_t y) {
    JudgeClick(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    RepaintAndJudge();
}

void PressTarget(int32_t number) {
    const Target& target = targetTable.slots[number];
    Press(target.column * CellSize + 5, target.row * CellSize + BoardTop + 5);
}

void PlayPerfectRound() {
    ExpireTimer();
    for (int32_t number = 1; number <= roundState.targetCount; ++number) {
        PressTarget(number);
    }
}

// Two targets found, then the first pressed again: the wrong-click path.
void PlayFailedRound() {
    ExpireTimer();
    PressTarget(1);
    PressTarget(2);
    PressTarget(1);
}

// Presses that judge nothing still run the whole click path: the strip above
// the board, beyond the last column, and every cell of the top row.
void PressAround() {
    Press(10, 10);
    Press(BoardWidth + 3, BoardTop + 3);
    for (int32_t column = 0; column < GridColumns; ++column) {
        Press(column * CellSize + 1, BoardTop + 1);
    }
}

class CoreAllocation : public ::testing::Test {
protected:
    void SetUp() override {
        hostCounts = HostCounts{};
        clockSeconds = 1000;
        gameSettings = GameSettings{9, 10, 10, 0, FixedCourse, BeginnerLevel};
        roundState = RoundState{};
        resultSnapshot = ResultSnapshot{};
        ClearTargetTable();
        SetCalendarClock(TickingClock);
        SetGameHost(&countingHost);
        newCallsBefore = CountingAllocator::OperatorNewCalls();
        heapBlocksBefore = CountingAllocator::HeapBlocks();
    }

    void TearDown() override {
        SetGameHost(nullptr);
        SetCalendarClock(nullptr);
    }

    void ExpectNoAllocationSinceSetUp() {
        const int64_t newCalls = CountingAllocator::OperatorNewCalls() - newCallsBefore;
        const int64_t heapBlocks = CountingAllocator::HeapBlocks() - heapBlocksBefore;
        EXPECT_EQ(newCalls, 0) << "operator new calls";
        EXPECT_EQ(heapBlocks, 0) << "heap blocks (" << CountingAllocator::Method() << ")";
    }

    int64_t newCallsBefore = 0;
    int64_t heapBlocksBefore = 0;
};

// Without this the zero counts below could come from a counter that never counts.
TEST_F(CoreAllocation, CounterSeesOperatorNewAndMalloc) {
    static void* volatile kept;
    kept = ::operator new(24);
    ::operator delete(kept);
    kept = std::malloc(24);
    std::free(kept);
    EXPECT_EQ(CountingAllocator::OperatorNewCalls() - newCallsBefore, 1);
    EXPECT_GE(CountingAllocator::HeapBlocks() - heapBlocksBefore, 2) << CountingAllocator::Method();
}

TEST_F(CoreAllocation, FixedGamesAllocateNothingPerClickOrRound) {
    StartGame();
    PressAround();  // while the numbers are on display
    for (int round = 1; round <= gameSettings.fixedTries; ++round) {
        PlayPerfectRound();
        PressAround();
    }
    StartGame();
    PlayPerfectRound();
    PlayFailedRound();
    ExpectNoAllocationSinceSetUp();
    // The games really ran: ten perfect rounds, one more, then a failure.
    EXPECT_EQ(hostCounts.messages, 9 + 1 + 1);
    EXPECT_EQ(hostCounts.dialogs, 2);
    EXPECT_GT(hostCounts.repaints, 11 * 9);
}

TEST_F(CoreAllocation, ChallengeClimbAllocatesNothingPerStage) {
    gameSettings.courseMode = ChallengeCourse;
    StartGame();
    while (roundState.nextNumber == 0 && hostCounts.timerRunning) {
        PlayPerfectRound();
    }
    const bool climbedToTheTop = ChallengeFullyCleared() && roundState.stage == LastStage;
    gameSettings.startLevel = AdvancedLevel;
    StartGame();
    PlayFailedRound();
    ExpectNoAllocationSinceSetUp();
    EXPECT_TRUE(climbedToTheTop);
    EXPECT_EQ(roundState.stage, 18);
    // 27 stage messages and the failure; 28 splashes, the two results and the second game's splash.
    EXPECT_EQ(hostCounts.messages, 27 + 1);
    EXPECT_EQ(hostCounts.dialogs, 28 + 1 + 1 + 1);
}

}  // namespace
