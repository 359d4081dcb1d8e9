// Starts the browser on the game's help page.
#include "front_end.h"

void OpenWebHelp(HWND window)
{
    MessageBoxA(window, "Internet Explorerが見つかりませんでした。", "残念！", MB_OK);
}
