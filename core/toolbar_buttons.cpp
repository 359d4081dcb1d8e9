// Which separators group the toolbar's buttons and what each button's tooltip says.
#include "toolbar_buttons.h"

namespace {

// Four separators before the left Start, four after it, and four before the right Start.
const ToolbarButtonLook ToolbarButtonLooks[ToolbarButtonCount] = {
    {4, StartTooltip},
    {4, BrainLevelTooltip},
    {0, GameSettingsTooltip},
    {0, VersionTooltip},
    {0, WebHelpTooltip},
    {0, ExitTooltip},
    {4, StartTooltip},
};

}  // namespace

ToolbarButtonLook ToolbarButtonAt(int32_t button) {
    return ToolbarButtonLooks[button >= 0 && button < ToolbarButtonCount ? button : 0];
}
