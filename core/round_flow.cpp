// Runs a game from Start to the result dialog: rounds, challenge stages and their judgement.
#include "game_host.h"
#include "game_state.h"
#include "player_texts.h"

#include <cstdio>

const StageRow StageTable[LastStage] = {
    // Beginner band: stages 1 to 6
    {5, 30}, {5, 20}, {5, 15}, {5, 10}, {5, 7}, {5, 5},
    // Intermediate band: stages 7 to 17
    {7, 30}, {7, 20}, {7, 15}, {7, 12}, {7, 10}, {7, 8}, {7, 6}, {7, 5}, {7, 4}, {7, 3}, {7, 2},
    // Advanced band: stages 18 to 28
    {9, 30}, {9, 20}, {9, 15}, {9, 12}, {9, 10}, {9, 8}, {9, 6}, {9, 5}, {9, 4}, {9, 3}, {9, 2},
};

const char* const GameCaption = "Glimmark";

namespace {
const GameHost* gameHost = nullptr;

// ---- Host calls ----------------------------------------------------------
// The core may run before a front end exists (tools, tests), so every missing
// operation is simply skipped.
void ShowMessage(const char* text) {
    if (gameHost != nullptr && gameHost->showMessage != nullptr) {
        gameHost->showMessage(text, GameCaption);
    }
}

void ShowNumberedMessage(const char* format, int32_t number) {
    char text[64] = {};
    std::snprintf(text, sizeof text, format, static_cast<int>(number));
    ShowMessage(text);
}

void RunDialog(int32_t templateId) {
    if (gameHost != nullptr && gameHost->runDialog != nullptr) {
        gameHost->runDialog(templateId);
    }
}

// A display time read from a settings file may be huge; the period saturates
// instead of overflowing.
void StartDisplayTimer() {
    const int64_t period = static_cast<int64_t>(roundState.displayTime) * 100;
    const int64_t largest = INT32_MAX;
    if (gameHost != nullptr && gameHost->startDisplayTimer != nullptr) {
        gameHost->startDisplayTimer(static_cast<int32_t>(period < largest ? period : largest));
    }
}

void StopDisplayTimer() {
    if (gameHost != nullptr && gameHost->stopDisplayTimer != nullptr) {
        gameHost->stopDisplayTimer();
    }
}

void Repaint() {
    if (gameHost != nullptr && gameHost->repaint != nullptr) {
        gameHost->repaint();
    }
}

// ---- Game steps ----------------------------------------------------------
void AdvanceStage() {
    roundState.stage += 1;
    if (roundState.stage >= 1 && roundState.stage <= LastStage) {
        const StageRow& row = StageTable[roundState.stage - 1];
        roundState.targetCount = row.targetCount;
        roundState.displayTime = row.displayTime;
    }
}

void BeginRound() {
    PlaceTargets();
    StartDisplayTimer();
    Repaint();
}

void ResetGameFigures() {
    ClearSnapshot();
    roundState.roundsPlayed = 0;
}

// Level 2 starts at the second band, level 3 at the third; any other level at stage 1.
int32_t BandOfStartLevel(int32_t startLevel) {
    return startLevel == IntermediateLevel || startLevel == AdvancedLevel ? startLevel - 1 : 0;
}

void StartChallengeGame() {
    roundState.stage = StageBeforeStartLevel(gameSettings.startLevel);
    AdvanceStage();
    RunDialog(StageSplashTemplate);
    ResetGameFigures();
    BeginRound();
}

// The nine-slot table and a round that lasts at least a tenth of a second
// are guarded here even though the settings store clamps on load.
void StartFixedGame() {
    roundState.targetCount = ClampToRange(gameSettings.fixedCount, CountRange);
    roundState.displayTime = gameSettings.fixedTime < TimeRange.low ? TimeRange.low : gameSettings.fixedTime;
    ResetGameFigures();
    BeginRound();
}

// ---- Judgement -----------------------------------------------------------
// nextNumber goes to 0 before any message or dialog opens: repaints during
// the modal wait run JudgeRound again and must find nothing left to judge.
void KeepClearedStageFigures() {
    resultSnapshot.clearedCount = resultSnapshot.progress;
    resultSnapshot.clearedTime = resultSnapshot.displayTime;
}

// The last stage's figures are kept like any other clear's, so the result
// reads 9 targets at 0.2 seconds. The fresh targets stay on the board, numbers
// showing, until the next Start.
void FinishClearedChallenge() {
    roundState.nextNumber = 0;
    KeepClearedStageFigures();
    roundState.allStagesCleared = 1;
    PlaceTargets();
    RunDialog(ChallengeResultTemplate);
}

void ClimbToNextStage() {
    roundState.nextNumber = 0;
    KeepClearedStageFigures();
    ShowNumberedMessage(PlayerText(StageClearedFormat), roundState.stage);
    AdvanceStage();
    RunDialog(StageSplashTemplate);
    BeginRound();
}

void EndFailedGame(int32_t resultTemplate) {
    roundState.nextNumber = 0;
    ShowMessage(PlayerText(WrongClickText));
    RunDialog(resultTemplate);
}

void JudgeChallengeRound() {
    if (roundState.nextNumber > roundState.targetCount) {
        if (roundState.stage >= LastStage) {
            FinishClearedChallenge();
        } else {
            ClimbToNextStage();
        }
    }
    if (roundState.nextNumber == -1) {
        EndFailedGame(ChallengeResultTemplate);
    }
}

void JudgeFixedRound() {
    if (roundState.nextNumber > roundState.targetCount) {
        roundState.roundsPlayed += 1;
        TakeSnapshot();
        roundState.nextNumber = 0;
        if (roundState.roundsPlayed >= gameSettings.fixedTries) {
            RunDialog(FixedResultTemplate);
        } else {
            ShowNumberedMessage(PlayerText(RoundClearedFormat), roundState.roundsPlayed);
            BeginRound();
        }
    }
    if (roundState.nextNumber == -1) {
        EndFailedGame(FixedResultTemplate);
    }
}
}  // namespace

// ---- Entry points --------------------------------------------------------
// A band begins where the target count changes.
int32_t StageBeforeStartLevel(int32_t startLevel) {
    int32_t bandsToPass = BandOfStartLevel(startLevel);
    int32_t stage = 0;
    while (bandsToPass > 0 && ++stage < LastStage) {
        if (StageTable[stage].targetCount != StageTable[stage - 1].targetCount) {
            --bandsToPass;
        }
    }
    return stage;
}

void SetGameHost(const GameHost* host) {
    gameHost = host;
}

void StartGame() {
    roundState.allStagesCleared = 0;
    // Input closes before the challenge splash: the repaints during it run JudgeRound,
    // which would otherwise judge the abandoned round against the new stage's count.
    roundState.nextNumber = 0;
    if (gameSettings.courseMode != FixedCourse) {
        StartChallengeGame();
    } else {
        StartFixedGame();
    }
}

void EndDisplayTime() {
    StopDisplayTimer();
    const int32_t count = PlayableTargetCount();
    for (int32_t number = 1; number <= count; ++number) {
        targetTable.slots[number].state = Hidden;
    }
    roundState.nextNumber = 1;
    Repaint();
}

void JudgeRound() {
    if (gameSettings.courseMode != FixedCourse) {
        JudgeChallengeRound();
    } else {
        JudgeFixedRound();
    }
}
