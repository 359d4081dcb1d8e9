// The game's own random source and the scattering of targets over the grid.
#include "game_state.h"

#include <ctime>

// ---- Random source -------------------------------------------------------
namespace {
uint32_t randomState = 1;
}

void GameRandom::setSeed(int64_t value) {
    randomState = static_cast<uint32_t>(value);  // conversion to unsigned is modulo 2^32
}

int32_t GameRandom::draw() {
    randomState = randomState * 22695477u + 1u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFFu);
}

// ---- Clock seam ----------------------------------------------------------
namespace {
int64_t SystemCalendarClock() {
    return static_cast<int64_t>(std::time(nullptr));
}

CalendarClock calendarClock = SystemCalendarClock;
}  // namespace

void SetCalendarClock(CalendarClock clock) {
    calendarClock = clock != nullptr ? clock : SystemCalendarClock;
}

// ---- Placement -----------------------------------------------------------
namespace {
// True when the cell lies in the 3 by 3 block centred on the target.
bool Touches(const Target& target, int32_t column, int32_t row) {
    return target.column - 2 < column && column < target.column + 2 &&
           target.row - 2 < row && row < target.row + 2;
}

bool ClashesWithEarlierTargets(int32_t number, int32_t column, int32_t row) {
    for (int32_t earlier = 1; earlier < number; ++earlier) {
        if (Touches(targetTable.slots[earlier], column, row)) {
            return true;
        }
    }
    return false;
}

void PlaceTarget(int32_t number) {
    for (;;) {
        // The column is always drawn first: the order decides the board a seed gives.
        const int32_t column = GameRandom::draw() % GridColumns;
        const int32_t row = GameRandom::draw() % GridRows;
        if (!ClashesWithEarlierTargets(number, column, row)) {
            targetTable.slots[number] = Target{column, row, Shown};
            return;
        }
    }
}
}  // namespace

void PlaceTargets() {
    roundState.nextNumber = 0;
    GameRandom::setSeed(calendarClock());
    const int32_t count = PlayableTargetCount();
    for (int32_t number = 1; number <= count; ++number) {
        PlaceTarget(number);
    }
}
