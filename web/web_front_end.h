// The browser front end's WebAssembly side: what its files use of one another.
#pragma once

#include <cstdint>

#include "history_file.h"

// Clears the canvas and draws every target of the round; judges nothing.
void PaintBoard();
// The colour (0xRRGGBB) that covers the targets for a hideColor code.
int32_t HideColor(int32_t code);

// The figure texts the dialogs show: counts as "%d", times in tenths as "%d.%d".
// Each returns a buffer that the next call of the same function overwrites.
const char* WholeText(int32_t value);
const char* TenthsText(int32_t tenths);

// The best a result dialog shows for its course (a CourseMode code): the game that the
// dialog ends, with whether it set the best, or else the standing best.
PersonalBest StandingBest(int32_t course);
