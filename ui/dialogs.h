// What the dialog files share with each other and with their tests.
#pragma once

#include <windows.h>

#include <cstdint>

// Copies a picture onto a device context at its own size, through a memory device
// context that is gone again on return. A missing picture draws nothing, so the
// dialog's background shows in its place.
void DrawPicture(HDC deviceContext, HBITMAP picture, int x, int y, int width, int height);

// The splash's first line, by the coming stage's target count.
const char* StageLevelText(int32_t targetCount);

// The page the web-help command opens, and the whole command line that opens it.
extern const char* const WebHelpAddress;
extern const char* const WebHelpBrowserPath;
constexpr int WebHelpCommandLineSize = 128;
// Writes the browser path in quotation marks, one blank and the address into commandLine.
void FormatWebHelpCommandLine(char (&commandLine)[WebHelpCommandLineSize]);
