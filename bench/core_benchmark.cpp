// What the game core costs: placing a board, judging a click and a round, a whole challenge game, the settings file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game_host.h"
#include "game_state.h"
#include "settings_file.h"
#include "windowless_host.h"

namespace {

// ---- Boards --------------------------------------------------------------
int64_t benchmarkSeconds = 0;

// A new second for every placement, so the boards and their rejected
// candidates vary as they do in play.
int64_t TickingClock() {
    return ++benchmarkSeconds;
}

// Nine covered targets with number 1 due, as after the display time.
void SetUpRecall() {
    SetGameHost(nullptr);
    SetCalendarClock(TickingClock);
    gameSettings = GameSettings{9, 10, 10, 0, FixedCourse, BeginnerLevel};
    roundState = RoundState{};
    roundState.targetCount = MaxTargets;
    PlaceTargets();
    for (int32_t number = 1; number <= MaxTargets; ++number) {
        targetTable.slots[number].state = Hidden;
    }
    roundState.nextNumber = 1;
}

uint16_t CellX(int32_t number) {
    return static_cast<uint16_t>(targetTable.slots[number].column * CellSize + 5);
}

uint16_t CellY(int32_t number) {
    return static_cast<uint16_t>(targetTable.slots[number].row * CellSize + BoardTop + 5);
}

// A cell that touches no target: placement keeps the 3 x 3 block around each
// target free of others, so the cell beside target 1 is always empty.
void EmptyCellNextToTargetOne(uint16_t& x, uint16_t& y) {
    const Target& one = targetTable.slots[1];
    const int32_t column = one.column > 0 ? one.column - 1 : one.column + 1;
    x = static_cast<uint16_t>(column * CellSize + 5);
    y = CellY(1);
}

void PlaceNineTargets(benchmark::State& state) {
    SetCalendarClock(TickingClock);
    roundState.targetCount = MaxTargets;
    for (auto _ : state) {
        PlaceTargets();
        benchmark::ClobberMemory();
    }
    SetCalendarClock(nullptr);
}
BENCHMARK(PlaceNineTargets);

// ---- Clicks --------------------------------------------------------------
void JudgeCorrectClick(benchmark::State& state) {
    SetUpRecall();
    const uint16_t x = CellX(1);
    const uint16_t y = CellY(1);
    for (auto _ : state) {
        roundState.nextNumber = 1;
        JudgeClick(x, y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(JudgeCorrectClick);

void JudgeWrongClick(benchmark::State& state) {
    SetUpRecall();
    const uint16_t x = CellX(MaxTargets);
    const uint16_t y = CellY(MaxTargets);
    for (auto _ : state) {
        roundState.nextNumber = 1;
        JudgeClick(x, y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(JudgeWrongClick);

// The longest path of a press that changes nothing: all nine cells tested.
void JudgeClickOnEmptyCell(benchmark::State& state) {
    SetUpRecall();
    uint16_t x = 0;
    uint16_t y = 0;
    EmptyCellNextToTargetOne(x, y);
    for (auto _ : state) {
        JudgeClick(x, y);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(JudgeClickOnEmptyCell);

// ---- Rounds --------------------------------------------------------------
// What every repaint pays: nothing to judge while a number is due.
void JudgeRoundWithNothingToJudge(benchmark::State& state) {
    SetUpRecall();
    for (auto _ : state) {
        JudgeRound();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(JudgeRoundWithNothingToJudge);

void DoNothingWithText(const char*, const char*) {}
void DoNothingWithNumber(int32_t) {}
void DoNothing() {}
const GameHost idleHost = {DoNothingWithText, DoNothingWithNumber, DoNothingWithNumber, DoNothing, DoNothing};

// A completed fixed round that begins the next: snapshot, message text, a new board.
void JudgeRoundThatBeginsTheNext(benchmark::State& state) {
    SetUpRecall();
    SetGameHost(&idleHost);
    for (auto _ : state) {
        roundState.nextNumber = MaxTargets + 1;
        roundState.roundsPlayed = 0;
        JudgeRound();
        benchmark::ClobberMemory();
    }
    SetGameHost(nullptr);
}
BENCHMARK(JudgeRoundThatBeginsTheNext);

// ---- A whole game --------------------------------------------------------
// Twenty-eight stages cleared without a mistake through the windowless host,
// splashes, messages and the result included; the host's own call log is part
// of the cost measured.
void ClimbAllChallengeStages() {
    WindowlessHost::Install();
    WindowlessHost::ResetGameRecords();
    gameSettings = GameSettings{3, 10, 3, 0, ChallengeCourse, BeginnerLevel};
    StartGame();
    while (WindowlessHost::DisplayTimerRunning()) {
        WindowlessHost::SetClock(++benchmarkSeconds);
        WindowlessHost::ExpireDisplayTimer();
        for (int32_t number = 1; number <= roundState.targetCount; ++number) {
            WindowlessHost::PressTarget(number);
        }
    }
}

void WholeChallengeGame(benchmark::State& state) {
    for (auto _ : state) {
        ClimbAllChallengeStages();
    }
    if (!ChallengeFullyCleared()) {
        state.SkipWithError("the simulated game did not clear all 28 stages");
    }
    state.counters["host_calls"] = static_cast<double>(WindowlessHost::Calls().size());
    WindowlessHost::Uninstall();
}
BENCHMARK(WholeChallengeGame);

// ---- The settings file ---------------------------------------------------
// A private folder becomes the working folder, as the game's is.
class SettingsFolder {
public:
    SettingsFolder() {
        char name[] = "/tmp/glimmark-bench-XXXXXX";
        folder_ = mkdtemp(name) != nullptr ? name : "";
        previous_ = getcwd(nullptr, 0);
        ok_ = !folder_.empty() && chdir(folder_.c_str()) == 0;
    }
    ~SettingsFolder() {
        std::remove(SettingsFileName);
        if (previous_ != nullptr && chdir(previous_) == 0) {
            rmdir(folder_.c_str());
        }
        std::free(previous_);
    }
    bool ok() const { return ok_; }

private:
    std::string folder_;
    char* previous_ = nullptr;
    bool ok_ = false;
};

void LoadSettingsFile(benchmark::State& state) {
    SettingsFolder folder;
    gameSettings = GameSettings{3, 10, 3, 0, 1, 1};
    SaveSettings(nullptr);
    for (auto _ : state) {
        LoadSettings(nullptr);
        benchmark::ClobberMemory();
    }
    if (!folder.ok() || gameSettings.fixedTime != 10) {
        state.SkipWithError("setdata.ini was not read back");
    }
}
BENCHMARK(LoadSettingsFile);

// Each save writes a whole file beside the old one, forces it to the disk and
// renames it into place, so this measures the disk as much as the code.
void SaveSettingsFile(benchmark::State& state) {
    SettingsFolder folder;
    gameSettings = GameSettings{3, 10, 3, 0, 1, 1};
    for (auto _ : state) {
        SaveSettings(nullptr);
    }
    if (!folder.ok()) {
        state.SkipWithError("no working folder");
    }
}
BENCHMARK(SaveSettingsFile);

}  // namespace

BENCHMARK_MAIN();
