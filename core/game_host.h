// The five operations the game core asks of its front end, and the core's entry points that drive a game.
#pragma once

#include <cstdint>

#include "game_resource_ids.h"

constexpr int32_t DisplayTimerId = 1;

// Dialog templates the core opens through runDialog.
constexpr int32_t FixedResultTemplate = IDD_FIXED_RESULT;
constexpr int32_t StageSplashTemplate = IDD_STAGE_SPLASH;
constexpr int32_t ChallengeResultTemplate = IDD_CHALLENGE_RESULT;

// Every operation must be safe to call at any time; a windowless host makes
// repaint call JudgeRound directly.
struct GameHost {
    // A modal message box with one OK button and no icon, owned by the main window.
    void (*showMessage)(const char* text, const char* caption);
    // Runs dialog template 3, 4 or 5 modally; returns when it closes.
    void (*runDialog)(int32_t templateId);
    // Starts (or restarts from zero) timer DisplayTimerId; each expiry calls EndDisplayTime.
    void (*startDisplayTimer)(int32_t periodMilliseconds);
    void (*stopDisplayTimer)();
    // Erases and redraws the whole board before returning; every repaint ends in JudgeRound.
    void (*repaint)();
};

// Installs the host the core talks to. The front end does this once, before any game.
void SetGameHost(const GameHost* host);

// Begins a new game in the course of the settings, abandoning any round under way.
void StartGame();
// The display timer expired: cover every target and open input.
void EndDisplayTime();
// Runs after each repaint; acts only when a round has just been completed or failed.
void JudgeRound();
