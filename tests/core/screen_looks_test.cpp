// What both front ends draw alike from the core: the board's colours, the toolbar's groups and the chart's bands.
#include <gtest/gtest.h>

#include <string>

#include "board_colors.h"
#include "challenge_bands.h"
#include "game_state.h"
#include "toolbar_buttons.h"

// Codes 1 to 5 cover in white, grey, yellow, light blue and pink; every other code, the missing settings
// file's 0 and a hand-edited 6 among them, in white. The numbers stand on black: white while shown, green
// once found, red for a wrong press and the number that was due, blue when uncovered after it.
TEST(ScreenLooks, EachTargetIsPaintedInTheColoursOfItsStateAndTheCoverSetting) {
    const int32_t covers[] = {WhiteColor, WhiteColor, WhiteColor, 0x808080, 0xFFFF00, 0x00FFFF, 0xFF00FF, WhiteColor};
    for (int32_t code = -1; code <= 6; ++code) {
        const CellLook look = TargetCellLook(Hidden, code);
        const int32_t cover = covers[code + 1];
        EXPECT_TRUE(look.kind == CoverCell && look.textColor == cover && look.backgroundColor == cover) << code;
    }
    const std::pair<TargetState, int32_t> numbers[] = {
        {Shown, WhiteColor}, {Correct, 0x00FF00}, {Wrong, 0xFF0000}, {Revealed, 0x0000FF}};
    for (const auto& [state, color] : numbers) {
        const CellLook look = TargetCellLook(state, 3);
        EXPECT_TRUE(look.kind == NumberCell && look.textColor == color && look.backgroundColor == BlackColor) << state;
    }
    EXPECT_EQ(TargetCellLook(Empty, 3).kind, UnpaintedCell);
}

// Four separators before the left Start, four after it and four before the right one; a button past
// either end of the table reads as the first rather than past it.
TEST(ScreenLooks, TheToolbarGroupsItsButtonsAndTheChartShadesEachBandOverItsOwnStages) {
    std::string items;
    for (int32_t button = 0; button < ToolbarButtonCount; ++button) {
        items += std::string(ToolbarButtonAt(button).separatorsBefore, '|') + std::to_string(button);
    }
    EXPECT_EQ(items, "||||0||||12345||||6");
    EXPECT_TRUE(ToolbarButtonAt(StartRightButton).tooltip == StartTooltip && ToolbarButtonAt(-1).tooltip == StartTooltip &&
                ToolbarButtonAt(ToolbarButtonCount).tooltip == StartTooltip);
    // The beginner band holds stages 1 to 6, the intermediate 7 to 17 and the advanced 18 to 28.
    const int32_t bandEdges[] = {0, 6, 17, LastStage};
    for (int32_t band = 0; band < ChartBandCount; ++band) {
        EXPECT_TRUE(ChartBandAt(band).lowStage == bandEdges[band] && ChartBandAt(band).highStage == bandEdges[band + 1])
            << band;
    }
    EXPECT_TRUE(ChartBandAt(-1).name == BeginnerBandName && ChartBandAt(ChartBandCount).name == BeginnerBandName);
    // The splash's rule names the band by the count alone: 6 to 8 targets are intermediate, though no stage has them.
    EXPECT_TRUE(SplashBandText(6) == IntermediateSplashText && SplashBandText(8) == IntermediateSplashText);
}
