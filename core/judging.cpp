// Judges the player's presses on the covered board.
#include "game_state.h"

namespace {
// Left and top edges belong to the cell, right and bottom edges to the next one.
bool PressIsOnTarget(const Target& target, int32_t x, int32_t y) {
    const int32_t left = CellSize * target.column;
    const int32_t top = CellSize * target.row + BoardTop;
    return left <= x && x < left + CellSize && top <= y && y < top + CellSize;
}

void AcceptCorrectClick(int32_t number) {
    TakeSnapshot();
    targetTable.slots[number].state = Correct;
    roundState.nextNumber += 1;
}

// The due target and the clicked one turn Wrong, and everything after the due
// one is uncovered so the player sees the board they missed.
void RejectWrongClick(int32_t clicked, int32_t count) {
    const int32_t due = roundState.nextNumber;
    TakeSnapshot();
    targetTable.slots[due].state = Wrong;
    for (int32_t number = due + 1; number <= count; ++number) {
        targetTable.slots[number].state = Revealed;
    }
    targetTable.slots[clicked].state = Wrong;
    roundState.nextNumber = -1;
}
}  // namespace

void JudgeClick(uint16_t x, uint16_t y) {
    const int32_t count = PlayableTargetCount();
    // Input is open only while a number from 1 to N is due; 0 means closed, and
    // N + 1 or -1 wait for the judgement after the next repaint.
    if (roundState.nextNumber < 1 || roundState.nextNumber > count) {
        return;
    }
    for (int32_t number = 1; number <= count; ++number) {
        if (!PressIsOnTarget(targetTable.slots[number], x, y)) {
            continue;
        }
        if (number == roundState.nextNumber) {
            AcceptCorrectClick(number);
        } else {
            RejectWrongClick(number, count);
        }
        return;  // no two targets share a cell, so nothing else can be hit
    }
}
