// The game a result dialog ends: recorded as the dialog opens, and the best line the dialog shows.
#pragma once

#include <cstdint>

#include "player_texts.h"

// Opens a template through the front end's run, which returns once the player has closed it.
// A result dialog that the core opens ends a game, so that game goes into the history first
// and its dialog can tell whether it set a new best. The Brain level button's reopening does
// not come this way and records nothing.
using TemplateRunner = void (*)(int32_t templateId);
void RunDialogEndingGame(int32_t templateId, TemplateRunner run, void* ownerWindow);

// A result dialog's best line for its course (a CourseMode code): a format that takes the
// figure, or a text without one. Only the dialog that ends a game can say "new best".
struct BestLine {
    TextId format;
    int32_t figure;
};
BestLine ResultBestLine(int32_t course);
