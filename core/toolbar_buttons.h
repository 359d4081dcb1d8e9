// The toolbar's seven buttons in three groups: each one's tooltip and the separators before it.
#pragma once

#include <cstdint>

#include "player_texts.h"

// Left to right; button k shows picture k of the toolbar strip.
enum ToolbarButton : int32_t {
    StartButton,
    BrainLevelButton,
    GameSettingsButton,
    VersionButton,
    WebHelpButton,
    ExitButton,
    StartRightButton,
    ToolbarButtonCount
};

struct ToolbarButtonLook {
    int32_t separatorsBefore;
    TextId tooltip;
};
// Any other button reads as the first, so that no caller reads past the table.
ToolbarButtonLook ToolbarButtonAt(int32_t button);
