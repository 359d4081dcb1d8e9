// The About box: the game's name, version and credits under the chimpanzee picture.
#include "front_end.h"

#include "drawn_layout.h"
#include "pictures.h"
#include "resource_ids.h"
#include "screen_texts.h"

namespace {

const ControlText AboutTexts[] = {
    {IDC_ABOUT_CLOSE, CloseButton},
    {IDC_ABOUT_NAME, AboutNameText},
    {IDC_ABOUT_VERSION, AboutVersionText},
    {IDC_ABOUT_TAGLINE, AboutTaglineText},
    {IDC_ABOUT_CHALLENGE, AboutChallengeText},
    {IDC_ABOUT_BUILD, AboutWindowsBuildText},
    {IDC_ABOUT_INTERFACE, AboutWindowsInterfaceText},
    {IDC_ABOUT_DEVELOPERS, AboutDevelopersText},
    {IDC_ABOUT_ADDRESS, AboutAddressText},
};

// Loaded when the box opens and released when it closes.
HBITMAP aboutPicture = nullptr;

void ReleaseAboutPicture() {
    if (aboutPicture) {
        DeleteObject(aboutPicture);
        aboutPicture = nullptr;
    }
}

void LoadAboutPicture(HWND dialog) {
    ReleaseAboutPicture();
    aboutPicture = LoadPicture(IDB_ABOUT_PICTURE, WindowDpi(dialog));
}

void PaintAboutPicture(HWND dialog) {
    PAINTSTRUCT paint;
    HDC deviceContext = BeginPaint(dialog, &paint);
    const int32_t dpi = WindowDpi(dialog);
    const DialogGrowth growth = DialogGrowthOf(dialog, dpi);
    DrawPicture(deviceContext, aboutPicture, GrownAcross(growth, AboutPictureX), GrownDown(growth, AboutPictureY),
                ScaledPixels(AboutPictureWidth, dpi), ScaledPixels(AboutPictureHeight, dpi));
    EndPaint(dialog, &paint);
}

}  // namespace

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowDialogTexts(dialog, AboutTitle, AboutTexts);
        LoadAboutPicture(dialog);
        return TRUE;
    case WM_PAINT:
        PaintAboutPicture(dialog);
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_CLOSE) {  // Esc (command 2) leaves the box open
            EndDialog(dialog, 1);
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 1);
        return FALSE;
    case WM_DESTROY:
        ReleaseAboutPicture();
        return FALSE;
    default:
        return FALSE;
    }
}
