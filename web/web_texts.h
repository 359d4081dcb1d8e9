// The few texts only the browser game has, numbered on from the shared table's ids.
#pragma once

#include <cstdint>

#include "player_texts.h"

enum WebTextId : int32_t {
    WindowTitleText = TextIdCount,
    AboutNameText,
    AboutBuildText,
    AboutInterfaceText,
    AboutDevelopersText,
    AboutAddressText,
    WebHelpAddress,
    SaveHistoryButton,
    LoadHistoryButton,
    WebTextIdEnd
};

// A text of the shared table or of this one, in the player's language; "" for any other id.
const char* WebText(int32_t id);
