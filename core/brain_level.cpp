// The ten-grade brain rating: the fixed-course and challenge-course rules, and each grade's line and picture.
#include "brain_level.h"

#include <cstdint>

#include "game_resource_ids.h"
#include "player_texts.h"

namespace {
// Each grade's 128x128 bitmap resource, in grade order; its line is the
// grade's text, which follows FrogGradeText in the same order.
const int32_t GradePictureIds[BrainLevelCount] = {
    IDB_RATING_FROG, IDB_RATING_BIRD, IDB_RATING_SQUIRREL, IDB_RATING_BOAR, IDB_RATING_RABBIT,
    IDB_RATING_PIG, IDB_RATING_DOG, IDB_RATING_HUMAN, IDB_RATING_CHIMPANZEE, IDB_RATING_SUPER_GENIUS,
};

// A figure the rule does not test has a bound every 32-bit value passes.
constexpr int64_t NoFloor = INT64_MIN;
constexpr int64_t NoCeiling = INT64_MAX;

// One fixed-course rule; every comparison is strict.
struct FixedCourseRule {
    BrainLevel grade;
    int64_t countAbove;
    int64_t progressAbove;
    int64_t timeBelow;  // tenths of a second
    int64_t roundsAbove;
};

// Tested in order; the last rule that holds gives the grade.
const FixedCourseRule FixedCourseRules[] = {
    //  grade         targetCount  progress  displayTime  roundsPlayed
    {Bird,            NoFloor,     2,        NoCeiling,   NoFloor},
    {Squirrel,        4,           NoFloor,  NoCeiling,   0},
    {Boar,            6,           NoFloor,  NoCeiling,   0},
    {Rabbit,          6,           NoFloor,  21,          0},
    {Pig,             6,           NoFloor,  16,          0},
    {Dog,             6,           NoFloor,  11,          1},
    {Human,           6,           NoFloor,  9,           2},
    {Chimpanzee,      6,           NoFloor,  5,           2},
    {SuperGenius,     NoFloor,     8,        6,           2},
};

bool RuleHolds(const FixedCourseRule& rule, int32_t targetCount, int32_t progress, int32_t displayTime,
               int32_t roundsPlayed) {
    return targetCount > rule.countAbove && progress > rule.progressAbove && displayTime < rule.timeBelow &&
           roundsPlayed > rule.roundsAbove;
}

// Grade of each challenge stage counter from 1 to 28; below 1 is Frog, above 28 SuperGenius.
const BrainLevel StageGrades[] = {
    Frog, Bird, Squirrel, Boar, Rabbit, Pig,                                  // 1-6
    Bird, Squirrel, Boar, Rabbit, Pig,                                        // 7-11
    Dog, Human, Human, Human, Chimpanzee, Chimpanzee,                         // 12-17
    Dog, Dog, Dog, Human, Human, Human, Chimpanzee, Chimpanzee, Chimpanzee,   // 18-26
    SuperGenius, SuperGenius,                                                 // 27-28
};
constexpr int32_t GradedStages = sizeof StageGrades / sizeof StageGrades[0];

int32_t GradeIndex(BrainLevel level) {
    return level < 0 ? 0 : (level >= BrainLevelCount ? BrainLevelCount - 1 : level);
}
}  // namespace

BrainLevel rateFixedCourse(int32_t targetCount, int32_t progress, int32_t displayTime, int32_t roundsPlayed) {
    BrainLevel grade = Frog;
    for (const FixedCourseRule& rule : FixedCourseRules) {
        if (RuleHolds(rule, targetCount, progress, displayTime, roundsPlayed)) {
            grade = rule.grade;
        }
    }
    return grade;
}

BrainLevel rateChallengeCourse(int32_t stage) {
    if (stage < 1) {
        return Frog;
    }
    if (stage > GradedStages) {
        return SuperGenius;
    }
    return StageGrades[stage - 1];
}

const char* BrainLevelText(BrainLevel level) {
    return PlayerText(static_cast<TextId>(FrogGradeText + GradeIndex(level)));
}

int32_t BrainLevelPictureId(BrainLevel level) {
    const int32_t pictureId = GradePictureIds[GradeIndex(level)];
    if (pictureId == IDB_RATING_SUPER_GENIUS && PlayerLanguage() == EnglishLanguage) {
        return IDB_RATING_SUPER_GENIUS_ENGLISH;
    }
    return pictureId;
}
