// Where the result dialogs, the stage splash and the About box draw their own lines and pictures:
// pixels from the top left of the client area at 100% (96 DPI), where the templates' controls are in
// dialog units. On a screen of another scale the exe moves each place as far as the dialog has grown.
#pragma once

#include <cstdint>

// The result dialogs: the heading and the grade line in the board font, the grade's picture below.
constexpr int32_t ResultHeadingX = 5;
constexpr int32_t ResultHeadingY = 40;
constexpr int32_t ResultGradeX = 5;
constexpr int32_t ResultGradeY = 80;
constexpr int32_t ResultPictureX = 130;
constexpr int32_t ResultPictureY = 120;
constexpr int32_t ResultPictureSize = 128;

// The splash: the band line in the dialog's font, the stage line in the board font.
constexpr int32_t SplashBandX = 90;
constexpr int32_t SplashBandY = 3;
constexpr int32_t SplashStageX = 5;
constexpr int32_t SplashStageY = 30;

// The About box's picture.
constexpr int32_t AboutPictureX = 55;
constexpr int32_t AboutPictureY = 7;
constexpr int32_t AboutPictureWidth = 100;
constexpr int32_t AboutPictureHeight = 50;
