// The player's texts: English that any Windows can show, and formats that take the same figures in both languages.
#include <gtest/gtest.h>

#include <string>

#include "brain_level.h"
#include "challenge_bands.h"
#include "game_resource_ids.h"
#include "game_state.h"
#include "player_texts.h"

namespace {

// The conversions of a printf format, in order: "%d個：%s秒" gives "ds".
std::string Conversions(const char* format) {
    std::string kinds;
    for (const char* cursor = format; *cursor != '\0'; ++cursor) {
        if (*cursor == '%' && cursor[1] != '\0') {
            kinds += *++cursor;
        }
    }
    return kinds;
}

// A '?' or a byte above ASCII in an English text would be a Japanese text left behind,
// or a character that a Western code page turns into '?'.
bool IsPlainAscii(const char* text) {
    for (const char* cursor = text; *cursor != '\0'; ++cursor) {
        if (static_cast<unsigned char>(*cursor) >= 0x80 || *cursor == '?') {
            return false;
        }
    }
    return true;
}

TEST(PlayerTexts, EnglishIsPlainAsciiAndEveryFormatTakesTheSameFiguresInBothLanguages) {
    for (int32_t id = 0; id < TextIdCount; ++id) {
        const char* japanese = PlayerTextIn(JapaneseLanguage, static_cast<TextId>(id));
        const char* english = PlayerTextIn(EnglishLanguage, static_cast<TextId>(id));
        EXPECT_TRUE(IsPlainAscii(english)) << id << ": " << english;
        EXPECT_EQ(Conversions(japanese), Conversions(english)) << id << ": " << english;
    }
}

TEST(PlayerTexts, TheLanguageChosenAtStartGivesEveryText) {
    SetPlayerLanguage(EnglishLanguage);
    EXPECT_EQ(std::string(BrainLevelText(Chimpanzee)) + PlayerText(ReadErrorCaption), "ChimpanzeeRead error");
    EXPECT_EQ(BrainLevelPictureId(SuperGenius), IDB_RATING_SUPER_GENIUS_ENGLISH);
    SetPlayerLanguage(7);  // not a language of the game: its own, Japanese
    EXPECT_EQ(std::string(BrainLevelText(SuperGenius)) + PlayerText(ReadErrorCaption), " 超天才ですリードエラー");
    EXPECT_EQ(BrainLevelPictureId(SuperGenius), IDB_RATING_SUPER_GENIUS);
}

// The splash names a stage's band from its target count alone, so every stage of the
// table must read as the band the start levels cut it into.
TEST(PlayerTexts, TheSplashNamesTheBandOfEveryStage) {
    for (int32_t stage = 1; stage <= LastStage; ++stage) {
        TextId band = BeginnerSplashText;
        if (stage > StageBeforeStartLevel(AdvancedLevel)) {
            band = AdvancedSplashText;
        } else if (stage > StageBeforeStartLevel(IntermediateLevel)) {
            band = IntermediateSplashText;
        }
        EXPECT_EQ(SplashBandText(StageTable[stage - 1].targetCount), band) << "stage " << stage;
    }
}

}  // namespace
