// The four process-wide records and the operations that fill and clear the result figures.
#include "game_state.h"

// Static storage: all four are zero before the first line of the program runs.
GameSettings gameSettings;
TargetTable targetTable;
RoundState roundState;
ResultSnapshot resultSnapshot;

void TakeSnapshot() {
    resultSnapshot.targetCount = roundState.targetCount;
    resultSnapshot.progress = roundState.nextNumber;
    resultSnapshot.displayTime = roundState.displayTime;
    resultSnapshot.tries = gameSettings.fixedTries;
    resultSnapshot.roundsPlayed = roundState.roundsPlayed;
}

void ClearSnapshot() {
    resultSnapshot.targetCount = 0;
    resultSnapshot.progress = 0;
    resultSnapshot.displayTime = 0;
    resultSnapshot.tries = 0;
    resultSnapshot.roundsPlayed = 0;
}

void ClearTargetTable() {
    for (Target& target : targetTable.slots) {
        target = Target{0, 0, Empty};
    }
}

int32_t PlayableTargetCount() {
    return roundState.targetCount < MaxTargets ? roundState.targetCount : MaxTargets;
}

int32_t ChallengeStagesCleared() {
    return roundState.allStagesCleared != 0 ? roundState.stage : roundState.stage - 1;
}

int32_t ClampToRange(int32_t value, const FigureRange& range) {
    if (value < range.low) {
        return range.low;
    }
    return value > range.high ? range.high : value;
}
