// The fixed and challenge result dialogs and the stage splash.
#include "front_end.h"

INT_PTR CALLBACK FixedResultDialog(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        EndDialog(dialog, 1);
    }
    return FALSE;
}

INT_PTR CALLBACK ChallengeResultDialog(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE) {
        EndDialog(dialog, 1);
    }
    return FALSE;
}

INT_PTR CALLBACK StageSplash(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        EndDialog(dialog, 1);
    }
    return FALSE;
}
