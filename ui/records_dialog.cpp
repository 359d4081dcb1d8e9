// The game history on screen: each finished game recorded, the best line of the result dialogs, and the records dialog with its chart.
#include "records.h"

#include "challenge_bands.h"
#include "figure_text.h"
#include "front_end.h"
#include "game_host.h"
#include "game_state.h"
#include "history_file.h"
#include "resource_ids.h"
#include "result_best.h"
#include "screen_texts.h"

namespace {

constexpr int32_t ChartTop = LastStage;  // the chart's scale runs from 0 to the last stage

const ControlText RecordsTexts[] = {
    {IDC_RECORDS_FIXED_LABEL, FixedBestsLabel},
    {IDC_RECORDS_CHART_LABEL, ChartLabel},
    {IDC_RECORDS_CLOSE, CloseButton},
};

// ---- The records dialog's texts ----

void ShowGamesPlayed(HWND dialog, const HistorySummary& history) {
    SetDlgItemTextW(dialog, IDC_RECORDS_GAMES, FormattedText(GamesPlayedFormat, static_cast<int>(history.fixedGames),
                                                             static_cast<int>(history.challengeGames)));
}

void ShowChallengeBest(HWND dialog, const HistorySummary& history) {
    if (history.challengeBest == NoBest) {
        SetDlgItemTextW(dialog, IDC_RECORDS_CHALLENGE_BEST, WideText(RecordsChallengeBestNoneText));
    } else {
        SetDlgItemTextW(dialog, IDC_RECORDS_CHALLENGE_BEST,
                        FormattedText(RecordsChallengeBestFormat, static_cast<int>(history.challengeBest)));
    }
}

void AddFixedBest(HWND list, const FixedSetting& setting, int32_t rounds) {
    FigureText time;
    FormatTenths(setting.displayTime, time);
    WideText line = FormattedText(FixedBestLineFormat, static_cast<int>(setting.targetCount), time,
                                  static_cast<int>(setting.tries), static_cast<int>(rounds));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text));
}

void ListFixedBests(HWND dialog, const HistorySummary& history) {
    HWND list = GetDlgItem(dialog, IDC_RECORDS_FIXED_BESTS);
    INT tabStops[] = {36, 76, 124};
    SendMessageW(list, LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(tabStops));
    bool anyPlayed = false;
    ForEachFixedBest(history.fixedBests, [list, &anyPlayed](const FixedSetting& setting, int32_t rounds) {
        anyPlayed = true;
        AddFixedBest(list, setting, rounds);
        return true;
    });
    if (!anyPlayed) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideText(NoFixedBestsText).text));
    }
}

// With no history at all, one plain sentence stands in place of the figures and the chart.
void SayThereIsNoHistory(HWND dialog) {
    SetDlgItemTextW(dialog, IDC_RECORDS_GAMES, WideText(NoHistoryText));
    for (int control = IDC_RECORDS_CHALLENGE_BEST; control <= IDC_RECORDS_CHART; ++control) {
        ShowWindow(GetDlgItem(dialog, control), SW_HIDE);
    }
}

void FillRecords(HWND dialog) {
    ShowDialogTexts(dialog, RecordsTitle, RecordsTexts);
    const HistorySummary& history = GameHistory();
    if (history.fixedGames + history.challengeGames == 0) {
        SayThereIsNoHistory(dialog);
        return;
    }
    ShowGamesPlayed(dialog, history);
    ShowChallengeBest(dialog, history);
    ListFixedBests(dialog, history);
}

// ---- The chart ----

int StageY(const RECT& plot, int32_t stages) {
    return plot.bottom - static_cast<int>((plot.bottom - plot.top) * stages / ChartTop);
}

void FillArea(HDC deviceContext, int left, int top, int right, int bottom, COLORREF color) {
    RECT area = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(deviceContext, &area, brush);
    DeleteObject(brush);
}

void WriteAt(HDC deviceContext, int x, int y, const WideText& text) {
    TextOutW(deviceContext, x, y, text, text.length());
}

void DrawBands(HDC deviceContext, const RECT& area, const RECT& plot, int32_t dpi) {
    TEXTMETRICW metrics = {};
    GetTextMetricsW(deviceContext, &metrics);
    for (int32_t index = 0; index < ChartBandCount; ++index) {
        const ChartBand band = ChartBandAt(index);
        int top = StageY(plot, band.highStage), bottom = StageY(plot, band.lowStage);
        FillArea(deviceContext, area.left, top, area.right, bottom, ScreenColor(band.color));
        WriteAt(deviceContext, area.left + ScaledPixels(2, dpi), (top + bottom - metrics.tmHeight) / 2,
                WideText(band.name));
    }
    FigureText scaleTop = {};
    FormatWhole(ChartTop, scaleTop);
    WriteAt(deviceContext, plot.right + ScaledPixels(3, dpi), plot.top, WideText(scaleTop));
    WriteAt(deviceContext, plot.right + ScaledPixels(3, dpi), plot.bottom - metrics.tmHeight, WideText("0"));
}

// Oldest on the left; a game that cleared nothing still shows as a thin mark.
void DrawBars(HDC deviceContext, const RECT& plot, const HistorySummary& history) {
    int slot = (plot.right - plot.left) / ChartedGames;
    for (int32_t game = 0; game < history.recentCount; ++game) {
        int left = plot.left + game * slot + 1;
        int top = StageY(plot, history.recentStages[game]);
        FillArea(deviceContext, left, top < plot.bottom - 2 ? top : plot.bottom - 2, left + slot - 2, plot.bottom,
                 ScreenColor(ChartBarColor));
    }
}

// The margins for the band names and the scale are pixels at 100%, as wide again as the text at 150%.
void DrawChart(const DRAWITEMSTRUCT& item) {
    HDC deviceContext = item.hDC;
    const RECT& area = item.rcItem;
    const int32_t dpi = WindowDpi(item.hwndItem);
    RECT plot = {area.left + ScaledPixels(ChartNameMargin, dpi), area.top + 1,
                 area.right - ScaledPixels(ChartScaleMargin, dpi), area.bottom - 1};
    FillArea(deviceContext, area.left, area.top, area.right, area.bottom, RGB(255, 255, 255));
    HGDIOBJ keptFont = SelectObject(deviceContext, reinterpret_cast<HFONT>(SendMessageW(
                                                       GetParent(item.hwndItem), WM_GETFONT, 0, 0)));
    SetBkMode(deviceContext, TRANSPARENT);
    SetTextColor(deviceContext, RGB(0, 0, 0));
    const HistorySummary& history = GameHistory();
    if (history.recentCount == 0) {
        WriteAt(deviceContext, plot.left + ScaledPixels(8, dpi), area.top + ScaledPixels(8, dpi),
                WideText(NoChallengeChartText));
    } else {
        DrawBands(deviceContext, area, plot, dpi);
        DrawBars(deviceContext, plot, history);
    }
    FrameRect(deviceContext, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(deviceContext, keptFont);
}

void CloseOn(HWND dialog, WORD command) {
    if (command == IDC_RECORDS_CLOSE || command == IDCANCEL) {
        EndDialog(dialog, 1);
    }
}

}  // namespace

void RunDialogOfGame(int32_t templateId) {
    RunDialogEndingGame(templateId, RunGameDialog, mainWindow);
}

void ShowPersonalBest(HWND dialog, int32_t course) {
    BestLine best = ResultBestLine(course);
    SetDlgItemTextW(dialog, IDC_RESULT_BEST, FormattedText(best.format, static_cast<int>(best.figure)));
}

void AddRecordsMenuItem(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDM_RECORDS, WideText(RecordsMenuItem));
}

LRESULT HandleSystemCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if ((wParam & 0xFFF0) != IDM_RECORDS) {
        return DefWindowProcW(window, WM_SYSCOMMAND, wParam, lParam);
    }
    DialogBoxParamW(nullptr, MAKEINTRESOURCEW(IDD_RECORDS), window, RecordsDialog, 0);
    return 0;
}

INT_PTR CALLBACK RecordsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FillRecords(dialog);
        return TRUE;
    case WM_DRAWITEM:
        DrawChart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_COMMAND:
        CloseOn(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 1);
        return TRUE;
    default:
        return FALSE;
    }
}
