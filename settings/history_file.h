// Keeps "history.csv", one line for every finished game, and the player's bests drawn from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "brain_level.h"
#include "game_state.h"
#include "settings_file.h"

extern const char* const HistoryFileName;  // "history.csv", beside setdata.ini

// ---- One game ----------------------------------------------------------------

struct LocalDateTime {
    int32_t year, month, day, hour, minute, second;
};

// The figures its result dialog showed. Fixed games leave stagesCleared at 0;
// challenge games leave progress, tries and roundsCleared at 0 and give the
// count and time of the last stage cleared.
struct GameRecord {
    int32_t course;  // CourseMode: FixedCourse or ChallengeCourse
    int32_t targetCount;
    int32_t progress;
    int32_t displayTime;  // tenths of a second
    int32_t tries;
    int32_t roundsCleared;
    int32_t stagesCleared;
    BrainLevel grade;
};

// ---- What the records show ---------------------------------------------------

struct FixedSetting {
    int32_t targetCount, displayTime, tries;
};

constexpr int32_t NoBest = -1;
// Every setting the game can play: 9 counts, 30 times and 10 tries. Tables of fixed size keep
// the standard containers, and the exception machinery they bring, out of the exe.
constexpr int32_t FixedSettingCount = CountRange.high * TimeRange.high * TriesRange.high;
constexpr int32_t ChartedGames = 50;  // the records chart shows the last 50 challenge games

struct HistorySummary {
    int32_t fixedGames;
    int32_t challengeGames;
    int32_t challengeBest;                  // most stages cleared, NoBest before the first game
    int32_t fixedBests[FixedSettingCount];  // most rounds cleared, NoBest where never played
    int32_t recentStages[ChartedGames];     // stages cleared in the last challenge games, oldest first
    int32_t recentCount;
};

// The place of a setting in fixedBests, in the order count, time, tries; -1 outside the ranges.
int32_t FixedSettingIndex(const FixedSetting& setting);

// Calls visit(setting, rounds) for every setting played, in the order of count, then time,
// then tries, as the settings dialog lists them; stops once visit returns false.
template <typename Visit>
void ForEachFixedBest(const int32_t (&fixedBests)[FixedSettingCount], Visit visit) {
    for (int32_t count = CountRange.low; count <= CountRange.high; ++count) {
        for (int32_t tenths = TimeRange.low; tenths <= TimeRange.high; ++tenths) {
            for (int32_t tries = TriesRange.low; tries <= TriesRange.high; ++tries) {
                const FixedSetting setting = {count, tenths, tries};
                const int32_t rounds = fixedBests[FixedSettingIndex(setting)];
                if (rounds != NoBest && !visit(setting, rounds)) {
                    return;
                }
            }
        }
    }
}

// A best after a game, and whether that game set it.
struct PersonalBest {
    int32_t best;
    bool isNew;
};

// The history as read from the file, once, plus every game recorded since.
// Lines that do not parse (a torn last line, a hand edit), or whose figures no game writes
// together, are skipped; they stay in the file as they are.
const HistorySummary& GameHistory();
// The next use of the history reads the file again.
void ForgetGameHistory();

// Appends the game's line with one write, never rewriting the file; warns once
// per run when the file cannot be written. The game counts in this run's bests
// either way. Returns the best of the game's course (and setting) with it.
PersonalBest RecordGame(const GameRecord& game, void* ownerWindow);
// The line the game appends for a game finished at that time, CR LF included, as snprintf
// answers: its length, or what it would have been where the buffer is too small.
int FormatHistoryLine(const GameRecord& game, const LocalDateTime& at, char* line, size_t size);

// Adds the good lines of a history that another copy of the game kept, with one open and
// close of the file, and skips the rest (its header among them). They count in the bests
// at once. Returns how many lines were good, or warns as RecordGame does and returns -1
// when the file could not be written.
int32_t AddHistoryLines(const char* bytes, size_t length, void* ownerWindow);
// The best of a fixed setting, NoBest when it was never played.
int32_t FixedBest(const FixedSetting& setting);

// The game that has just ended, read from the records the result dialog shows.
GameRecord FinishedGameRecord(int32_t course);

// ---- Seams -------------------------------------------------------------------

using LocalClock = LocalDateTime (*)();
// nullptr restores the real local clock.
void SetHistoryClock(LocalClock clock);

struct HistoryFileLayer {
    // Opens an existing regular file for reading bytes; nullptr when there is none.
    FILE* (*openForReading)(const char* name);
    // True when the player marked the file read-only (checked, since root could write it anyway).
    bool (*isReadOnly)(const char* name);
    // Opens the file for reading and appending bytes, creating it when missing.
    FILE* (*openForAppending)(const char* name);
    // Writes the bytes at the end with one write and flushes them through.
    bool (*append)(FILE* file, const char* bytes, size_t length);
    bool (*close)(FILE* file);
};
const HistoryFileLayer& PlatformHistoryFileLayer();
// nullptr restores the platform's layer.
void SetHistoryFileLayer(const HistoryFileLayer* layer);

// Shown once per run when a game cannot be added to the file.
void SetHistoryWarning(SettingsWarning warning);
