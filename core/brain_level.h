// The ten-grade brain rating, its two rules, and each grade's text line and picture.
#pragma once

#include <cstdint>

enum BrainLevel : int32_t {
    Frog,
    Bird,
    Squirrel,
    Boar,
    Rabbit,
    Pig,
    Dog,
    Human,
    Chimpanzee,
    SuperGenius,
};
constexpr int32_t BrainLevelCount = 10;

BrainLevel rateFixedCourse(int32_t targetCount, int32_t progress, int32_t displayTime, int32_t roundsPlayed);
BrainLevel rateChallengeCourse(int32_t stage);

// The UTF-8 line shown under the heading in the player's language, leading spaces included.
const char* BrainLevelText(BrainLevel level);
// The bitmap resource id of the grade's 128x128 picture in the player's language.
int32_t BrainLevelPictureId(BrainLevel level);
