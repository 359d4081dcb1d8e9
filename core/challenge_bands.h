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

// The records chart's bands from the bottom up, each shaded over the stages cleared within it.
struct ChartBand {
    int32_t color;  // 0xRRGGBB
    TextId name;
    int32_t lowStage;   // the chart's height where the band begins
    int32_t highStage;  // and where it ends
};
constexpr int32_t ChartBandCount = 3;
// Any other band reads as the first, so that no caller reads past the table.
ChartBand ChartBandAt(int32_t band);

constexpr int32_t ChartBarColor = 0x3060C8;
constexpr int32_t ChartNameMargin = 30;   // pixels left of the bars, for the band names
constexpr int32_t ChartScaleMargin = 18;  // pixels right of the bars, for the scale
