// Formats the counts and times that the settings and result dialogs and the stage splash show.
#include "figure_text.h"

#include <cstdio>

void FormatWhole(int32_t value, FigureText& text) {
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
}

void FormatTenths(int32_t tenths, FigureText& text) {
    std::snprintf(text, sizeof text, "%d.%d", static_cast<int>(tenths / 10), static_cast<int>(tenths % 10));
}
