// The fixed and challenge result dialogs, which rate the player's brain with a picture, and the stage splash.
#include "front_end.h"

#include "brain_level.h"
#include "challenge_bands.h"
#include "drawn_layout.h"
#include "figure_text.h"
#include "game_state.h"
#include "pictures.h"
#include "records.h"
#include "resource_ids.h"
#include "screen_texts.h"

namespace {

// The two templates share their control ids; the challenge one has no "of tries" or "times",
// and its tries label counts the stages cleared.
const ControlText FixedResultTexts[] = {
    {IDC_RESULT_CLOSE, CloseButton},
    {IDC_RESULT_COUNT_LABEL, CountLabel},
    {IDC_RESULT_TIME_LABEL, TimeLabel},
    {IDC_RESULT_TRIES_LABEL, TriesLabel},
    {IDC_RESULT_OF_TARGETS, OfTargetsLabel},
    {IDC_RESULT_SECONDS, SecondsLabel},
    {IDC_RESULT_OF_TRIES, OfTriesLabel},
    {IDC_RESULT_TIMES, TimesLabel},
    {IDC_RESULT_TARGETS, TargetsLabel},
};
const ControlText ChallengeResultTexts[] = {
    {IDC_RESULT_CLOSE, CloseButton},
    {IDC_RESULT_COUNT_LABEL, CountLabel},
    {IDC_RESULT_TIME_LABEL, TimeLabel},
    {IDC_RESULT_TRIES_LABEL, StagesClearedLabel},
    {IDC_RESULT_SECONDS, SecondsLabel},
    {IDC_RESULT_TARGETS, TargetsLabel},
};

// Each result dialog keeps its own ten pictures, in grade order, from opening to closing.
struct PictureSet {
    HBITMAP pictures[BrainLevelCount];
};
PictureSet fixedResultPictures;
PictureSet challengeResultPictures;

// ---- Pictures ----

void ReleasePictures(PictureSet& set) {
    for (HBITMAP& picture : set.pictures) {
        if (picture) {
            DeleteObject(picture);
            picture = nullptr;
        }
    }
}

void LoadPictures(PictureSet& set, int32_t dpi) {
    ReleasePictures(set);
    for (int32_t level = 0; level < BrainLevelCount; ++level) {
        set.pictures[level] = LoadPicture(BrainLevelPictureId(static_cast<BrainLevel>(level)), dpi);
    }
}

// ---- Texts and figures ----

void ShowWhole(HWND dialog, int controlId, int32_t value) {
    FigureText text = {};
    FormatWhole(value, text);
    SetDlgItemTextW(dialog, controlId, WideText(text));
}

void ShowTenths(HWND dialog, int controlId, int32_t tenths) {
    FigureText text = {};
    FormatTenths(tenths, text);
    SetDlgItemTextW(dialog, controlId, WideText(text));
}

void ShowFixedResult(HWND dialog) {
    ShowDialogTexts(dialog, FixedResultTitle, FixedResultTexts);
    ShowWhole(dialog, IDC_RESULT_TARGET_COUNT, resultSnapshot.targetCount);
    ShowWhole(dialog, IDC_RESULT_PROGRESS, resultSnapshot.progress);
    ShowTenths(dialog, IDC_RESULT_TIME, resultSnapshot.displayTime);
    ShowWhole(dialog, IDC_RESULT_TRIES, resultSnapshot.tries);
    ShowWhole(dialog, IDC_RESULT_ROUNDS, resultSnapshot.roundsPlayed);
    ShowPersonalBest(dialog, FixedCourse);
}

void ShowChallengeResult(HWND dialog) {
    ShowDialogTexts(dialog, ChallengeResultTitle, ChallengeResultTexts);
    ShowWhole(dialog, IDC_RESULT_TRIES, ChallengeStagesCleared());
    ShowWhole(dialog, IDC_RESULT_PROGRESS, resultSnapshot.clearedCount);
    ShowTenths(dialog, IDC_RESULT_TIME, resultSnapshot.clearedTime);
    ShowPersonalBest(dialog, ChallengeCourse);
}

// ---- Painting ----

void UseBlackTransparentText(HDC deviceContext) {
    SetTextColor(deviceContext, RGB(0, 0, 0));
    SetBkMode(deviceContext, TRANSPARENT);
}

// At the place of the 96-DPI layout, moved as the dialog has grown; the text itself is at the DPI.
void WriteText(HDC deviceContext, const DialogGrowth& growth, int x, int y, const WideText& text) {
    TextOutW(deviceContext, GrownAcross(growth, x), GrownDown(growth, y), text, text.length());
}

// The grade is worked out at every paint from the figures as they stand.
void DrawResult(HWND dialog, HDC deviceContext, const PictureSet& set, BrainLevel level) {
    const int32_t dpi = WindowDpi(dialog);
    const DialogGrowth growth = DialogGrowthOf(dialog, dpi);
    HFONT font = BoardFontAt(dpi);
    HGDIOBJ keptFont = SelectObject(deviceContext, font);
    UseBlackTransparentText(deviceContext);
    WriteText(deviceContext, growth, ResultHeadingX, ResultHeadingY, WideText(BrainHeadingText));
    WriteText(deviceContext, growth, ResultGradeX, ResultGradeY, WideText(BrainLevelText(level)));
    const int pictureSize = ScaledPixels(ResultPictureSize, dpi);
    DrawPicture(deviceContext, set.pictures[level], GrownAcross(growth, ResultPictureX),
                GrownDown(growth, ResultPictureY), pictureSize, pictureSize);
    SelectObject(deviceContext, keptFont);
    ReleaseBoardFont(font);
}

void PaintResult(HWND dialog, const PictureSet& set, BrainLevel level) {
    PAINTSTRUCT paint;
    HDC deviceContext = BeginPaint(dialog, &paint);
    DrawResult(dialog, deviceContext, set, level);
    EndPaint(dialog, &paint);
}

BrainLevel FixedGrade() {
    return rateFixedCourse(resultSnapshot.targetCount, resultSnapshot.progress, resultSnapshot.displayTime,
                           resultSnapshot.roundsPlayed);
}

BrainLevel ChallengeGrade() {
    return rateChallengeCourse(roundState.stage);
}

// The level line is small print in the dialog's own font. The device context's
// default font would do on a Japanese Windows, but under Wine it has no kanji.
void PaintSplash(HWND dialog) {
    PAINTSTRUCT paint;
    HDC deviceContext = BeginPaint(dialog, &paint);
    const int32_t dpi = WindowDpi(dialog);
    const DialogGrowth growth = DialogGrowthOf(dialog, dpi);
    HFONT font = BoardFontAt(dpi);
    HGDIOBJ keptFont = SelectObject(deviceContext, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    UseBlackTransparentText(deviceContext);
    WriteText(deviceContext, growth, SplashBandX, SplashBandY, WideText(SplashBandText(roundState.targetCount)));
    SelectObject(deviceContext, font);
    UseBlackTransparentText(deviceContext);
    FigureText time = {};
    FormatTenths(roundState.displayTime, time);
    WriteText(deviceContext, growth, SplashStageX, SplashStageY,
              FormattedText(SplashStageFormat, static_cast<int>(roundState.targetCount), time));
    SelectObject(deviceContext, keptFont);
    ReleaseBoardFont(font);
    EndPaint(dialog, &paint);
}

// Blocks the thread and handles no message. Under Wine a plain Sleep also holds
// back the window's drawing, which waits for the thread's next wait for input, so
// the splash often never reached the screen; a wait that returns at once lets the
// drawing through first.
void HoldOnScreen(DWORD milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, 0);
    Sleep(milliseconds);
}

// ---- The two result dialogs share one procedure ----

using GradeRule = BrainLevel (*)();
using ResultWriter = void (*)(HWND);  // the texts and figures

INT_PTR HandleResultMessage(HWND dialog, UINT message, WPARAM wParam, PictureSet& set, ResultWriter showResult,
                            GradeRule grade) {
    switch (message) {
    case WM_INITDIALOG:
        LoadPictures(set, WindowDpi(dialog));
        showResult(dialog);
        return TRUE;  // the focus goes to the close button, the only tab stop
    case WM_PAINT:
        PaintResult(dialog, set, grade());
        return FALSE;
    case WM_PRINTCLIENT:  // a copy of the window asked for (PrintWindow) shows the same as the screen
        DrawResult(dialog, reinterpret_cast<HDC>(wParam), set, grade());
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_RESULT_CLOSE) {  // Esc (command 2) leaves the result up
            EndDialog(dialog, 1);
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 1);
        return FALSE;
    case WM_DESTROY:
        ReleasePictures(set);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK FixedResultDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return HandleResultMessage(dialog, message, wParam, fixedResultPictures, ShowFixedResult, FixedGrade);
}

INT_PTR CALLBACK ChallengeResultDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return HandleResultMessage(dialog, message, wParam, challengeResultPictures, ShowChallengeResult,
                               ChallengeGrade);
}

// The splash never waits for the player: its first paint holds it on the screen
// for a moment and then closes it.
INT_PTR CALLBACK StageSplash(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_PAINT:
        PaintSplash(dialog);
        HoldOnScreen(SplashMilliseconds);
        EndDialog(dialog, 1);
        return FALSE;
    default:
        return FALSE;
    }
}
