// The browser front end's WebAssembly side: what its files use of one another.
#pragma once

#include <cstdint>

// Clears the canvas and draws every target of the round; judges nothing.
void PaintBoard();

// The figure texts the dialogs show: counts as "%d", times in tenths as "%d.%d".
// Each returns a buffer that the next call of the same function overwrites.
const char* WholeText(int32_t value);
const char* TenthsText(int32_t tenths);
