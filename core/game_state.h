// The four process-wide records, the rules' data, the grid geometry, and the placing and judging of targets.
#pragma once

#include <cstdint>

// ---- Grid geometry -------------------------------------------------------
// Cell (c, r) covers 32c <= x < 32c + 32 and 32r + 40 <= y < 32r + 72 in client
// coordinates; placement, judging and painting all rely on exactly this.
constexpr int32_t GridColumns = 20;
constexpr int32_t GridRows = 15;
constexpr int32_t CellSize = 32;
constexpr int32_t BoardTop = 40;  // the toolbar lies above the board
constexpr int32_t BoardWidth = GridColumns * CellSize;             // 640
constexpr int32_t BoardBottom = BoardTop + GridRows * CellSize;    // 520

constexpr int32_t MaxTargets = 9;

// ---- Rules data ----------------------------------------------------------
// What a round can be played with; the settings file and the settings dialog hold
// the fixed course's figures to these, and a game never starts outside them.
struct FigureRange {
    int32_t low;
    int32_t high;
};
constexpr FigureRange CountRange = {1, MaxTargets};
constexpr FigureRange TimeRange = {1, 30};  // tenths of a second
constexpr FigureRange TriesRange = {1, 10};

// A value below the range becomes its low end, one above it its high end.
int32_t ClampToRange(int32_t value, const FigureRange& range);

constexpr int32_t LastStage = 28;

struct StageRow {
    int32_t targetCount;
    int32_t displayTime;  // tenths of a second
};
// Row s - 1 is challenge stage s. Each band starts where the target count changes.
extern const StageRow StageTable[LastStage];
// The last stage before the start level's band: 0 for beginner (and any unknown level),
// 6 for intermediate, 17 for advanced. The records chart shades the bands by it too.
int32_t StageBeforeStartLevel(int32_t startLevel);

// Caption of every message the core shows.
extern const char* const GameCaption;

// ---- Codes ---------------------------------------------------------------
enum TargetState : int32_t {
    Empty = 0,     // never placed since start-up; not drawn
    Shown = 1,     // number visible while the display time runs
    Hidden = 2,    // covered by a square in the hide colour
    Correct = 3,   // clicked in the right order
    Wrong = 4,     // the target that was due and the one clicked instead
    Revealed = 5,  // uncovered after a wrong click
};

enum CourseMode : int32_t { FixedCourse = 0, ChallengeCourse = 1 };  // any non-zero value plays the challenge

enum StartLevel : int32_t { BeginnerLevel = 1, IntermediateLevel = 2, AdvancedLevel = 3 };

// ---- Records -------------------------------------------------------------
// The six settings the player keeps between runs, in the order of the settings file.
struct GameSettings {
    int32_t fixedCount;   // targets in each fixed-course round, 1..9
    int32_t fixedTime;    // fixed-course display time in tenths of a second, 1..30
    int32_t fixedTries;   // rounds in one fixed-course game, 1..10
    int32_t hideColor;    // colour code of the covering squares, 1..5; 0 paints white
    int32_t courseMode;   // 0 fixed course; anything else challenge course
    int32_t startLevel;   // challenge start: 2 intermediate, 3 advanced, anything else beginner
};

struct Target {
    int32_t column;  // 0..19
    int32_t row;     // 0..14
    int32_t state;   // TargetState code
};

// Slots 1..9 carry the numbers shown on the board; slot 0 exists only so that
// a target's number is its index, and no rule reads or writes it.
struct TargetTable {
    Target slots[MaxTargets + 1];
};

struct RoundState {
    int32_t targetCount;   // N of the current round; 0 before the first game
    int32_t displayTime;   // tenths of a second
    int32_t stage;         // challenge stage, 0 before the first challenge game, else 1..28
    int32_t nextNumber;    // 0 input closed, 1..N due, N + 1 completed, -1 failed
    int32_t roundsPlayed;  // fixed-course rounds completed in this game
    // 1 when the challenge game ended by clearing the last stage, which then counts
    // as cleared although stage stays at 28; every StartGame sets it back to 0.
    int32_t allStagesCleared;
};

// The figures the result dialogs show.
struct ResultSnapshot {
    int32_t targetCount;
    int32_t progress;       // nextNumber when the snapshot was taken
    int32_t displayTime;
    int32_t tries;          // the fixedTries setting
    int32_t roundsPlayed;
    int32_t clearedCount;   // target count of the last challenge stage cleared
    int32_t clearedTime;    // display time of the last challenge stage cleared
};

extern GameSettings gameSettings;
extern TargetTable targetTable;
extern RoundState roundState;
extern ResultSnapshot resultSnapshot;

// ---- Snapshot ------------------------------------------------------------
// Copies the five live figures into the snapshot; the cleared-stage figures stay.
void TakeSnapshot();
// Zeroes the five live figures; the cleared-stage figures survive across games.
void ClearSnapshot();
// Puts every slot back to column 0, row 0, Empty, as at start-up.
void ClearTargetTable();
// targetCount kept within the table's nine slots: the number of slots a round may touch.
int32_t PlayableTargetCount();
// Stages the last challenge game cleared: the counter stays on the last stage when that
// one is cleared too, and otherwise stands on the stage that failed.
int32_t ChallengeStagesCleared();

// ---- Placement -----------------------------------------------------------
// The game's own random source, fixed exactly so that a seed always gives the same board.
namespace GameRandom {
void setSeed(int64_t value);  // the state becomes value modulo 2^32
int32_t draw();               // advances the state; returns 0..32767
}  // namespace GameRandom

// Seconds since 1970-01-01 UTC. Tests replace it so that boards are predictable;
// passing nullptr restores the real clock.
using CalendarClock = int64_t (*)();
void SetCalendarClock(CalendarClock clock);

// Reseeds from the clock and scatters targets 1..targetCount, never two in touching cells.
// Closes input (nextNumber 0).
void PlaceTargets();

// ---- Judging -------------------------------------------------------------
// Judges one left-button press at client pixel (x, y).
void JudgeClick(uint16_t x, uint16_t y);
