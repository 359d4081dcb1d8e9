// The texts of the figures the dialogs show: counts as "%d", times in tenths as "%d.%d".
#pragma once

#include <cstdint>

// Room for any 32-bit figure in either form, "-214748364.-8" included.
constexpr int FigureTextSize = 16;
using FigureText = char[FigureTextSize];

void FormatWhole(int32_t value, FigureText& text);
// Truncating division, so 5 tenths read 0.5 and 30 read 3.0.
void FormatTenths(int32_t tenths, FigureText& text);
