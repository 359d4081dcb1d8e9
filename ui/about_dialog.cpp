// The About box: the game's name, version and credits with the chimpanzee picture.
#include "front_end.h"

HBITMAP aboutPicture = nullptr;

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        EndDialog(dialog, 1);
    }
    return FALSE;
}
