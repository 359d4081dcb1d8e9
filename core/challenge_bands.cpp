// Which band the splash names and how the records chart shades the bands.
#include "challenge_bands.h"

#include "game_state.h"

namespace {

struct BandLook {
    int32_t level;
    int32_t color;
    TextId name;
};
const BandLook BandLooks[ChartBandCount] = {
    {BeginnerLevel, 0xDEF2DE, BeginnerBandName},
    {IntermediateLevel, 0xFFF4D6, IntermediateBandName},
    {AdvancedLevel, 0xFAE0E0, AdvancedBandName},
};

}  // namespace

TextId SplashBandText(int32_t targetCount) {
    if (targetCount < 6) {
        return BeginnerSplashText;
    }
    if (targetCount > 8) {
        return AdvancedSplashText;
    }
    return IntermediateSplashText;
}

ChartBand ChartBandAt(int32_t band) {
    const BandLook& look = BandLooks[band >= 0 && band < ChartBandCount ? band : 0];
    const int32_t highStage = look.level == AdvancedLevel ? LastStage : StageBeforeStartLevel(look.level + 1);
    return {look.color, look.name, StageBeforeStartLevel(look.level), highStage};
}
