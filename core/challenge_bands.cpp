// Which band the splash names and how the records chart shades the bands.
#include "challenge_bands.h"

TextId SplashBandText(int32_t targetCount) {
    if (targetCount < 6) {
        return BeginnerSplashText;
    }
    if (targetCount > 8) {
        return AdvancedSplashText;
    }
    return IntermediateSplashText;
}
