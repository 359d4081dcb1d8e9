// Starts Internet Explorer on the game's help page, or says that it is not there.
#include "front_end.h"

#include <cstdio>

#include "screen_texts.h"

namespace {

const char* const WebHelpBrowserPath = "C:\\Program Files\\Internet Explorer\\iexplore.exe";

constexpr int WebHelpCommandLineSize = 128;

void FormatWebHelpCommandLine(char (&commandLine)[WebHelpCommandLineSize]) {
    std::snprintf(commandLine, sizeof commandLine, "\"%s\" %s", WebHelpBrowserPath,
                  PlayerText(WebHelpAddress));
}

}  // namespace

void OpenWebHelp(HWND window) {
    char commandLine[WebHelpCommandLineSize] = {};  // CreateProcess may write into its command line
    FormatWebHelpCommandLine(commandLine);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // The browser by its path, and that path quoted: left to parse an unquoted command line,
    // CreateProcessA would try C:\Program.exe and C:\Program Files\Internet.exe first.
    if (!CreateProcessA(WebHelpBrowserPath, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &process)) {
        MessageBoxW(window, WideText(BrowserMissingText), WideText(BrowserMissingCaption), MB_OK);
        return;
    }
    // The browser runs on its own; the game never waits for it or signals it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
