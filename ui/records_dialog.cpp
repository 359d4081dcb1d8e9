// The game history on screen: each finished game recorded, the best line of the result dialogs, and the records dialog with its chart.
#include "records.h"

#include "figure_text.h"
#include "front_end.h"
#include "game_host.h"
#include "game_state.h"
#include "history_file.h"
#include "resource_ids.h"

namespace {

// The game whose result dialog is open, from the moment it was recorded until that dialog closes.
struct FinishedGame {
    bool open;
    int32_t course;
    PersonalBest best;
};
FinishedGame finishedGame;

constexpr int32_t ChartTop = LastStage;  // the chart's scale runs from 0 to the last stage

// The three bands of the challenge, shaded by the stages cleared within each.
struct ChartBand {
    int32_t level;
    COLORREF color;
    const char* name;
};
const ChartBand ChartBands[] = {
    {BeginnerLevel, RGB(222, 242, 222), "初級"},
    {IntermediateLevel, RGB(255, 244, 214), "中級"},
    {AdvancedLevel, RGB(250, 224, 224), "上級"},
};
constexpr COLORREF BarColor = RGB(48, 96, 200);
constexpr int BandNameMargin = 30;  // pixels left of the bars
constexpr int ScaleMargin = 18;     // pixels right of the bars

// ---- The best line ----

const char* BestLineFormat(int32_t course, const PersonalBest& best) {
    if (course == FixedCourse) {
        if (best.best == NoBest) {
            return "この設定の記録はまだありません";
        }
        return best.isNew ? "やったね！この設定の自己ベスト更新：%d回クリア" : "この設定の自己ベスト：%d回クリア";
    }
    if (best.best == NoBest) {
        return "チャレンジの記録はまだありません";
    }
    return best.isNew ? "やったね！自己ベスト更新：%dステージクリア" : "チャレンジの自己ベスト：%dステージクリア";
}

PersonalBest StandingBest(int32_t course) {
    if (finishedGame.open && finishedGame.course == course) {
        return finishedGame.best;
    }
    if (course == FixedCourse) {
        return {FixedBest({resultSnapshot.targetCount, resultSnapshot.displayTime, resultSnapshot.tries}), false};
    }
    return {GameHistory().challengeBest, false};
}

// ---- The records dialog's texts ----

void ShowGamesPlayed(HWND dialog, const HistorySummary& history) {
    char text[128] = {};
    wsprintfA(text, "遊んだ回数：固定コース %d回、チャレンジコース %d回", history.fixedGames, history.challengeGames);
    SetDlgItemTextA(dialog, IDC_RECORDS_GAMES, text);
}

void ShowChallengeBest(HWND dialog, const HistorySummary& history) {
    char text[128] = {};
    if (history.challengeBest == NoBest) {
        lstrcpyA(text, "チャレンジコースの自己ベスト：まだありません");
    } else {
        wsprintfA(text, "チャレンジコースの自己ベスト：%dステージクリア", history.challengeBest);
    }
    SetDlgItemTextA(dialog, IDC_RECORDS_CHALLENGE_BEST, text);
}

void AddFixedBest(HWND list, const FixedSetting& setting, int32_t rounds) {
    FigureText time;
    FormatTenths(setting.displayTime, time);
    char line[128] = {};
    wsprintfA(line, "%d個\t%s秒\t%d回中\t%d回クリア", setting.targetCount, time, setting.tries, rounds);
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
}

// In the order of count, then time, then tries, as the settings dialog lists them.
void ListFixedBests(HWND dialog, const HistorySummary& history) {
    HWND list = GetDlgItem(dialog, IDC_RECORDS_FIXED_BESTS);
    INT tabStops[] = {36, 76, 124};
    SendMessageA(list, LB_SETTABSTOPS, 3, reinterpret_cast<LPARAM>(tabStops));
    bool anyPlayed = false;
    for (int32_t count = CountRange.low; count <= CountRange.high; ++count) {
        for (int32_t tenths = TimeRange.low; tenths <= TimeRange.high; ++tenths) {
            for (int32_t tries = TriesRange.low; tries <= TriesRange.high; ++tries) {
                int32_t rounds = history.fixedBests[FixedSettingIndex({count, tenths, tries})];
                anyPlayed = anyPlayed || rounds != NoBest;
                if (rounds != NoBest) {
                    AddFixedBest(list, {count, tenths, tries}, rounds);
                }
            }
        }
    }
    if (!anyPlayed) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("まだありません"));
    }
}

// With no history at all, one plain sentence stands in place of the figures and the chart.
void SayThereIsNoHistory(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_RECORDS_GAMES, "まだ記録がありません。ゲームを終えるたびに、ここに成績が残ります。");
    for (int control = IDC_RECORDS_CHALLENGE_BEST; control <= IDC_RECORDS_CHART; ++control) {
        ShowWindow(GetDlgItem(dialog, control), SW_HIDE);
    }
}

void FillRecords(HWND dialog) {
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

void WriteAt(HDC deviceContext, int x, int y, const char* text) {
    TextOutA(deviceContext, x, y, text, lstrlenA(text));
}

void DrawBands(HDC deviceContext, const RECT& area, const RECT& plot) {
    TEXTMETRICA metrics = {};
    GetTextMetricsA(deviceContext, &metrics);
    for (const ChartBand& band : ChartBands) {
        int32_t highest = band.level == AdvancedLevel ? LastStage : StageBeforeStartLevel(band.level + 1);
        int top = StageY(plot, highest), bottom = StageY(plot, StageBeforeStartLevel(band.level));
        FillArea(deviceContext, area.left, top, area.right, bottom, band.color);
        WriteAt(deviceContext, area.left + 2, (top + bottom - metrics.tmHeight) / 2, band.name);
    }
    WriteAt(deviceContext, plot.right + 3, plot.top, "28");
    WriteAt(deviceContext, plot.right + 3, plot.bottom - metrics.tmHeight, "0");
}

// Oldest on the left; a game that cleared nothing still shows as a thin mark.
void DrawBars(HDC deviceContext, const RECT& plot, const HistorySummary& history) {
    int slot = (plot.right - plot.left) / ChartedGames;
    for (int32_t game = 0; game < history.recentCount; ++game) {
        int left = plot.left + game * slot + 1;
        int top = StageY(plot, history.recentStages[game]);
        FillArea(deviceContext, left, top < plot.bottom - 2 ? top : plot.bottom - 2, left + slot - 2, plot.bottom,
                 BarColor);
    }
}

void DrawChart(const DRAWITEMSTRUCT& item) {
    HDC deviceContext = item.hDC;
    const RECT& area = item.rcItem;
    RECT plot = {area.left + BandNameMargin, area.top + 1, area.right - ScaleMargin, area.bottom - 1};
    FillArea(deviceContext, area.left, area.top, area.right, area.bottom, RGB(255, 255, 255));
    HGDIOBJ keptFont = SelectObject(deviceContext, reinterpret_cast<HFONT>(SendMessageA(
                                                       GetParent(item.hwndItem), WM_GETFONT, 0, 0)));
    SetBkMode(deviceContext, TRANSPARENT);
    SetTextColor(deviceContext, RGB(0, 0, 0));
    const HistorySummary& history = GameHistory();
    if (history.recentCount == 0) {
        WriteAt(deviceContext, plot.left + 8, area.top + 8, "チャレンジコースの記録はまだありません");
    } else {
        DrawBands(deviceContext, area, plot);
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
    if (templateId == IDD_FIXED_RESULT || templateId == IDD_CHALLENGE_RESULT) {
        int32_t course = templateId == IDD_FIXED_RESULT ? FixedCourse : ChallengeCourse;
        finishedGame = {true, course, RecordGame(FinishedGameRecord(course), mainWindow)};
    }
    RunGameDialog(templateId);
    finishedGame.open = false;
}

void ShowPersonalBest(HWND dialog, int32_t course) {
    PersonalBest best = StandingBest(course);
    char text[128] = {};
    wsprintfA(text, BestLineFormat(course, best), best.best);
    SetDlgItemTextA(dialog, IDC_RESULT_BEST, text);
}

void AddRecordsMenuItem(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_RECORDS, "成績の記録...");
}

LRESULT HandleSystemCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    if ((wParam & 0xFFF0) != IDM_RECORDS) {
        return DefWindowProcA(window, WM_SYSCOMMAND, wParam, lParam);
    }
    DialogBoxParamA(nullptr, MAKEINTRESOURCEA(IDD_RECORDS), window, RecordsDialog, 0);
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
