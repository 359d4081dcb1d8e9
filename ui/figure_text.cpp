// Formats the counts and times that the settings and result dialogs and the stage splash show.
#include "figure_text.h"

#include <windows.h>

void FormatWhole(int32_t value, FigureText& text) {
    wsprintfA(text, "%d", value);
}

void FormatTenths(int32_t tenths, FigureText& text) {
    wsprintfA(text, "%d.%d", tenths / 10, tenths % 10);
}
