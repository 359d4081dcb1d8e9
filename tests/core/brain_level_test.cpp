// The two rating rules and each grade's text line and picture.
#include <gtest/gtest.h>

#include <string>

#include "brain_level.h"

namespace {
struct CompletedGame {
    int32_t targets;
    int32_t time;
    int32_t tries;
    BrainLevel grade;
};

// A completed fixed game: progress is one past the last target, every try played.
BrainLevel RateCompleted(const CompletedGame& game) {
    return rateFixedCourse(game.targets, game.targets + 1, game.time, game.tries);
}
}  // namespace

TEST(FixedCourseRating, CompletedGames) {
    const CompletedGame games[] = {
        {1, 30, 10, Frog},       {1, 1, 1, Frog},         {2, 30, 1, Bird},        {4, 1, 10, Bird},
        {5, 30, 1, Squirrel},    {6, 1, 10, Squirrel},    {7, 30, 1, Boar},        {7, 21, 1, Boar},
        {7, 20, 1, Rabbit},      {7, 15, 1, Pig},         {7, 10, 1, Pig},         {7, 10, 2, Dog},
        {7, 8, 2, Dog},          {7, 8, 3, Human},        {7, 5, 3, Human},        {7, 4, 3, Chimpanzee},
        {8, 5, 3, SuperGenius},  {8, 6, 3, Human},        {9, 6, 3, Human},        {9, 4, 2, Dog},
        {9, 1, 9, SuperGenius},
    };
    for (const CompletedGame& game : games) {
        EXPECT_EQ(RateCompleted(game), game.grade)
            << game.targets << " targets, time " << game.time << ", " << game.tries << " tries";
    }
}

TEST(FixedCourseRating, FailedAndEmptyGames) {
    EXPECT_EQ(rateFixedCourse(0, 0, 0, 0), Frog);
    EXPECT_EQ(rateFixedCourse(9, 2, 1, 0), Frog);   // failed in round 1 after one target
    EXPECT_EQ(rateFixedCourse(9, 3, 1, 0), Bird);   // ... after two
    EXPECT_EQ(rateFixedCourse(9, 9, 1, 0), Bird);   // the first round caps the grade
    EXPECT_EQ(rateFixedCourse(9, 1, 4, 3), Chimpanzee);
    EXPECT_EQ(rateFixedCourse(9, 9, 5, 3), SuperGenius);
    EXPECT_EQ(rateFixedCourse(INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX), SuperGenius);
}

TEST(ChallengeCourseRating, FollowsTheStageReached) {
    const BrainLevel byStage[] = {
        Frog,        Bird,       Squirrel,   Boar,  Rabbit, Pig,   Bird,       Squirrel,   Boar,       Rabbit,
        Pig,         Dog,        Human,      Human, Human,  Chimpanzee, Chimpanzee, Dog,   Dog,        Dog,
        Human,       Human,      Human,      Chimpanzee, Chimpanzee, Chimpanzee, SuperGenius, SuperGenius,
    };
    for (int32_t stage = 1; stage <= 28; ++stage) {
        EXPECT_EQ(rateChallengeCourse(stage), byStage[stage - 1]) << "stage " << stage;
    }
    EXPECT_EQ(rateChallengeCourse(0), Frog);
    EXPECT_EQ(rateChallengeCourse(INT32_MIN), Frog);
    EXPECT_EQ(rateChallengeCourse(29), SuperGenius);
    EXPECT_EQ(rateChallengeCourse(INT32_MAX), SuperGenius);
}

TEST(BrainLevelLook, TextLinesAreShiftJisWithTheirLeadingSpaces) {
    const char* const lines[BrainLevelCount] = {
        " \x83\x4A\x83\x47\x83\x8B\x82\xC5\x82\xB7",      // カエルです
        "   \x92\xB9\x82\xC5\x82\xB7",                    // 鳥です
        "  \x83\x8A\x83\x58\x82\xC5\x82\xB7",             // リスです
        "  \xB2\xC9\xBC\xBC\x82\xC5\x82\xB7",             // ｲﾉｼｼです, half-width
        " \x82\xA4\x82\xB3\x82\xAC\x82\xC5\x82\xB7",      // うさぎです
        "   \x93\xD8\x82\xC5\x82\xB7",                    // 豚です
        "   \x8C\xA2\x82\xC5\x82\xB7",                    // 犬です
        "  \x90\x6C\x8A\xD4\x82\xC5\x82\xB7",             // 人間です
        "\xC1\xDD\xCA\xDF\xDD\xBC\xDE\xB0\x82\xC5\x82\xB7",  // ﾁﾝﾊﾟﾝｼﾞｰです, half-width
        " \x92\xB4\x93\x56\x8D\xCB\x82\xC5\x82\xB7",      // 超天才です
    };
    const int32_t pictures[BrainLevelCount] = {3, 4, 7, 10, 9, 8, 6, 11, 5, 12};
    for (int32_t level = 0; level < BrainLevelCount; ++level) {
        const auto grade = static_cast<BrainLevel>(level);
        EXPECT_EQ(std::string(BrainLevelText(grade)), lines[level]) << "grade " << level;
        EXPECT_EQ(BrainLevelPictureId(grade), pictures[level]) << "grade " << level;
    }
    EXPECT_STREQ(BrainLevelText(rateFixedCourse(8, 9, 5, 3)), " \x92\xB4\x93\x56\x8D\xCB\x82\xC5\x82\xB7");
}
