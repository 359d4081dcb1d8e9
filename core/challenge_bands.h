// The challenge's three bands as the screens show them: the stage splash's band line and the
// records chart's shading, with the chart's colours and margins.
#pragma once

#include <cstdint>

#include "player_texts.h"

// The splash's first line, by the coming stage's target count: the stage
// table's 5, 7 and 9 give beginner, intermediate and advanced.
TextId SplashBandText(int32_t targetCount);

// How long the splash stays up before the stage begins.
constexpr int32_t SplashMilliseconds = 800;
