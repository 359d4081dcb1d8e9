// The real main window, its commands and the game's dialogs under Wine, driven through the Win32 GameHost.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "front_end.h"
#include "game_host.h"
#include "game_state.h"
#include "history_file.h"
#include "resource_ids.h"
#include "screen_texts.h"
#include "settings_file.h"
#include "window_scale.h"

namespace {

using Texts = std::vector<std::string>;
const char* const FixedSettings = "5\r\n20\r\n4\r\n2\r\n0\r\n3\r\n";

// What a test does with each dialog or message box once it is up; whatever it leaves open is then closed.
std::function<void(HWND)> onDialog;

// Read as the wide functions give it, whatever the code page; UTF-8 like the expected texts.
std::string Utf8(const wchar_t* text) {
    char utf8[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::string TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return Utf8(text);
}

Texts TextsOf(HWND dialog, std::vector<int> controlIds) {
    Texts texts;
    for (int id : controlIds) {
        texts.push_back(TextOf(GetDlgItem(dialog, id)));
    }
    return texts;
}

// A thread timer, run by every modal loop; a dialog paints before the timer's turn comes, so a splash has
// closed itself by then.
void CALLBACK ActOnDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = GetActiveWindow();
    char className[8] = {};
    if (GetClassNameA(dialog, className, sizeof className) == 6 && onDialog) {  // "#32770", a dialog or message box
        onDialog(dialog);
    }
    EndDialog(dialog, 1);
}

// Once for all tests: the timer that acts on each dialog, and the Win32 host under the core.
bool StartDialogTimerAndHost() {
    SetTimer(NULL, 0, 10, ActOnDialog);
    SetGameHost(&windowsGameHost);
    return true;
}

// Each test opens the game afresh in the working folder, with or without a settings file. The last
// test's window is only hidden: destroying it would post the quit message that ends every modal loop.
HWND OpenGame(const char* settingsFile, std::function<void(HWND)> actOnDialog = nullptr) {
    [[maybe_unused]] static const bool started = StartDialogTimerAndHost();
    static HWND game = NULL;
    SetSettingsWarning(ShowSettingsWarning);
    UseTheLanguageOfWindows();
    RegisterMainWindowClass(GetModuleHandleA(NULL));  // registers at the first call only
    onDialog = actOnDialog;
    ShowWindow(game, SW_HIDE);
    DeleteFileA(SettingsFileName);
    if (settingsFile) {
        std::ofstream(SettingsFileName, std::ios::binary) << settingsFile;
    }
    game = CreateMainWindow(GetModuleHandleA(NULL));
    ShowWindow(game, SW_SHOW);
    return game;
}

TEST(GameWindow, OpensAfterTheWarningThatTheSettingsFileIsMissing) {
    Texts warning;
    EXPECT_TRUE(IsWindowVisible(OpenGame(nullptr, [&](HWND box) {
        warning = {IsWindowVisible(GetWindow(box, GW_OWNER)) ? "shown" : "hidden", TextsOf(box, {0xFFFF})[0]};
    })));
    // Its owner is the window being made, not shown until the warning is answered.
    EXPECT_EQ(warning, (Texts{"hidden", "設定ファイルがありません"}));
}

// WM_CLOSE ignores the command id that the Exit command carries.
TEST(GameWindow, ClosingTheWindowSavesTheSettingsAsExitDoes) {
    for (UINT message : {WM_CLOSE, WM_COMMAND}) {
        HWND window = OpenGame(FixedSettings);
        gameSettings.fixedCount = 7;
        SendMessageA(window, message, IDM_EXIT, 0);
        MSG quit = {};
        EXPECT_TRUE(PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 0);
        std::ifstream file(SettingsFileName, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "7\r\n20\r\n4\r\n2\r\n0\r\n3\r\n")
            << message;
    }
}

TEST(GameWindow, SettingsDialogShowsTheSettingsAndOkStoresWhatIsTyped) {
    const std::vector<int> boxes = {IDC_COUNT_COMBO, IDC_TIME_COMBO, IDC_TRIES_COMBO, IDC_COLOR_COMBO, IDC_LEVEL_COMBO};
    Texts shown;
    SendMessageA(OpenGame(FixedSettings, [&](HWND dialog) {
        shown = TextsOf(dialog, boxes);
        shown.push_back(IsDlgButtonChecked(dialog, IDC_FIXED_COURSE_RADIO) ? "fixed" : "challenge");
        for (size_t box = 0; box < boxes.size(); ++box) {
            SetDlgItemTextW(dialog, boxes[box], WideText(Texts{"12", "1.25", "0", "4:水色", "2"}[box].c_str()));
        }
        SendDlgItemMessageA(dialog, IDC_CHALLENGE_COURSE_RADIO, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dialog, IDC_SETTINGS_OK, BM_CLICK, 0, 0);
    }), WM_COMMAND, IDM_GAME_SETTINGS, 0);
    EXPECT_EQ(shown, (Texts{"5", "2.0", "4", "2:灰色", "3:上級から開始", "fixed"}));
    const GameSettings stored = {9, 12, 1, 4, 1, 2};
    EXPECT_EQ(std::memcmp(&gameSettings, &stored, sizeof stored), 0);
}

// Brain level shows the snapshot, here of a won game; the challenge result
// counts 27 after a failure at the last stage, and all 28 at the full clear.
TEST(GameWindow, ResultsShowTheirFigures) {
    std::vector<Texts> shown;
    HWND window = OpenGame("3\r\n10\r\n3\r\n1\r\n1\r\n3\r\n", [&](HWND dialog) {
        shown.push_back(TextsOf(dialog, {IDC_RESULT_TARGET_COUNT, IDC_RESULT_PROGRESS, IDC_RESULT_TIME,
                                         IDC_RESULT_TRIES, IDC_RESULT_ROUNDS}));
    });
    resultSnapshot = {9, 10, 5, 3, 3, 0, 0};
    SendMessageA(window, WM_COMMAND, IDM_BRAIN_LEVEL, 0);
    SendMessageA(window, WM_COMMAND, IDM_START, 0);
    for (auto [stage, clear] : {std::pair(27, true), std::pair(28, false), std::pair(28, true)}) {
        roundState.stage = stage;  // in the advanced band, nine targets like stage 18 where Start put it
        roundState.displayTime = StageTable[stage - 1].displayTime;
        PlaceTargets();
        SendMessageA(window, WM_TIMER, DisplayTimerId, 0);
        for (int32_t number = 1; number == roundState.nextNumber; ++number) {
            const Target& cell = targetTable.slots[clear ? number : 2];
            SendMessageA(window, WM_LBUTTONDOWN, 0, MAKELPARAM(cell.column * CellSize, cell.row * CellSize + BoardTop));
        }
    }
    // The game's two messages show no figures; a splash still up after its paint would add a third.
    EXPECT_EQ(shown, (std::vector<Texts>{{"9", "10", "0.5", "3", "3"}, Texts(5), Texts(5), {"", "9", "0.3", "27", ""},
                                         {"", "9", "0.2", "28", ""}}));
}

// Only the games the core ends add a line; reopening the last result with Brain level adds none.
TEST(GameWindow, RecordsTheGamesTheCoreEndsAndShowsTheBests) {
    DeleteFileA(HistoryFileName);
    ForgetGameHistory();
    RecordGame({FixedCourse, 7, 4, 10, 3, 2, 0, Pig}, nullptr);  // the history before this run
    RecordGame({ChallengeCourse, 5, 0, 5, 0, 0, 6, Pig}, nullptr);
    Texts shown;
    HWND window = OpenGame(FixedSettings, [&](HWND dialog) {
        const bool isRecords = GetDlgItem(dialog, IDC_RESULT_BEST) == NULL;  // their ids overlap otherwise
        shown.push_back(TextsOf(dialog, {IDC_RESULT_BEST, IDC_RECORDS_GAMES})[isRecords]);
    });
    resultSnapshot = {7, 8, 10, 3, 3, 5, 7};  // all three rounds of 7 at 1.0 s, one more than before
    roundState = {7, 10, 9, 0, 0, 0};         // failed at stage 9: eight cleared, two more than before
    windowsGameHost.runDialog(IDD_FIXED_RESULT);
    windowsGameHost.runDialog(IDD_CHALLENGE_RESULT);
    SendMessageA(window, WM_COMMAND, IDM_BRAIN_LEVEL, 0);
    SendMessageA(window, WM_SYSCOMMAND, IDM_RECORDS, 0);
    EXPECT_EQ(shown, (Texts{"やったね！この設定の自己ベスト更新：3回クリア", "やったね！自己ベスト更新：8ステージクリア",
                            "この設定の自己ベスト：3回クリア", "遊んだ回数：固定コース 2回、チャレンジコース 2回"}));
    std::ifstream file(HistoryFileName, std::ios::binary);
    EXPECT_EQ(std::count(std::istreambuf_iterator<char>(file), {}, '\n'), 5);  // the header and four games
}

// This Wine's GetGuiResources counts nothing, so the objects the process can
// still make are the count: a result dialog that kept its ten pictures would
// lose 300 here, and exhaust Windows' 10,000 per process in 1,000 openings.
TEST(GameWindow, DialogsGiveBackEveryGdiObject) {
    OpenGame(FixedSettings);
    auto gdiHeadroom = [] {
        std::vector<HBRUSH> brushes;
        while (HBRUSH brush = CreateSolidBrush(0)) {
            brushes.push_back(brush);
        }
        std::for_each(brushes.begin(), brushes.end(), DeleteObject);
        return brushes.size();
    };
    const int32_t dialogs[] = {IDD_FIXED_RESULT, IDD_CHALLENGE_RESULT, IDD_ABOUT};
    size_t headroom = 0;
    for (int opening = 0; opening < 3 * 31; ++opening) {
        headroom = opening == 3 ? gdiHeadroom() : headroom;  // Wine keeps some objects it makes on first use
        windowsGameHost.runDialog(dialogs[opening % 3]);
    }
    EXPECT_GE(gdiHeadroom(), headroom);
}


// ---- At the prefix's display scale: 96, 144 or 192 DPI ----

// As asked of Windows; a substitute face may come out a pixel taller, which the cell clips.
int BoardFontHeight() {
    LOGFONTW font = {};
    GetObjectW(boardFont, sizeof font, &font);
    return font.lfHeight;
}

// A round is played by clicking each cell at its far corner; the pixel just above a cell is its empty
// neighbour's or the toolbar's. Before the last click but one the window is moved to a screen of twice
// the scale: it takes the place and size offered, and that click lands on the larger cell.
TEST(GameWindowScale, TheBoardScalesAndARoundIsPlayedOnItsCells) {
    const int32_t dpi = ScreenDpi();
    const int cell = CellSize * dpi / BaseDpi, top = BoardTop * dpi / BaseDpi;  // 32 and 40 at 96 DPI
    HWND window = OpenGame(FixedSettings);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_TRUE(client.right >= GridColumns * cell && client.right < (GridColumns + 1) * cell) << client.right;
    EXPECT_TRUE(client.bottom >= top + GridRows * cell && client.bottom < top + (GridRows + 1) * cell)
        << client.bottom;
    EXPECT_EQ(BoardFontHeight(), cell);
    SendMessageW(window, WM_COMMAND, IDM_START, 0);
    SendMessageW(window, WM_TIMER, DisplayTimerId, 0);
    const RECT offered = {10, 20, 610, 520};
    int scale = 1;
    for (int32_t number = 1; number < roundState.targetCount; ++number) {
        if (number == roundState.targetCount - 1) {
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&offered));
            scale = 2;
        }
        const Target& target = targetTable.slots[number];
        const int size = scale * cell, left = target.column * size, upper = scale * top + target.row * size;
        SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(left, upper - 1));
        EXPECT_EQ(roundState.nextNumber, number);
        SendMessageW(window, WM_LBUTTONDOWN, 0, MAKELPARAM(left + size - 1, upper + size - 1));
        EXPECT_EQ(target.state, Correct) << number;
    }
    RECT outer = {};
    GetWindowRect(window, &outer);
    EXPECT_TRUE(EqualRect(&outer, &offered));
    EXPECT_EQ(BoardFontHeight(), 2 * cell);
    // The tooltips' font, which the toolbar would leave at the system's scale.
    HWND tooltips = reinterpret_cast<HWND>(SendDlgItemMessageW(window, IDC_TOOLBAR, TB_GETTOOLTIPS, 0, 0));
    LOGFONTW tooltipFont = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tooltips, WM_GETFONT, 0, 0)), sizeof tooltipFont, &tooltipFont);
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    EXPECT_EQ(tooltipFont.lfHeight, 2 * metrics.lfStatusFont.lfHeight);
}

// The first and one past the last pixel of a row that a paint drew on; equal when it drew none.
constexpr uint32_t Ground = 0x010203;  // a colour the game never draws
std::pair<int, int> DrawnSpan(const uint32_t* row, int width) {
    int first = 0, end = width;
    while (first < width && row[first] == Ground) {
        ++first;
    }
    while (end > first && row[end - 1] == Ground) {
        --end;
    }
    return {first, end};
}

// Each band of rows that a dialog's own paint draws on (a line of text, a picture), copied onto the
// ground: its left, top, right and bottom edges as shares of the client area's width and height.
std::vector<double> DrawnBands(HWND dialog) {
    RECT client = {};
    GetClientRect(dialog, &client);
    BITMAPINFO format = {{sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    uint32_t* pixels = nullptr;
    HBITMAP copy = CreateDIBSection(NULL, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&pixels), NULL, 0);
    HDC memory = CreateCompatibleDC(NULL);
    HGDIOBJ kept = SelectObject(memory, copy);
    std::fill(pixels, pixels + client.right * client.bottom, Ground);
    SendMessageW(dialog, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    std::vector<double> bands;
    RECT band = {client.right, -1, 0, 0};
    for (int y = 0; y < client.bottom; ++y) {
        auto [first, end] = DrawnSpan(pixels + y * client.right, client.right);
        if (first < end) {
            const LONG top = band.top < 0 ? y : band.top;
            band = {std::min<LONG>(band.left, first), top, std::max<LONG>(band.right, end), y + 1};
        } else if (band.top >= 0) {
            bands.insert(bands.end(), {double(band.left) / client.right, double(band.top) / client.bottom,
                                       double(band.right) / client.right, double(band.bottom) / client.bottom});
            band = {client.right, -1, 0, 0};
        }
    }
    SelectObject(memory, kept);
    DeleteDC(memory);
    DeleteObject(copy);
    return bands;
}

// A control whose text is wider than itself shows it cut off.
void FindTextsWiderThanTheirControls(HWND dialog, Texts& overruns) {
    HDC screen = GetDC(dialog);
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        const int length = GetWindowTextW(control, text, 256);
        HGDIOBJ kept = SelectObject(screen, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
        SIZE extent = {};
        GetTextExtentPoint32W(screen, text, length, &extent);
        SelectObject(screen, kept);
        RECT box = {};
        GetClientRect(control, &box);
        if (extent.cx > box.right) {
            overruns.push_back(Utf8(text) + ": " + std::to_string(extent.cx) + " > " + std::to_string(box.right));
        }
    }
    ReleaseDC(dialog, screen);
}

// Every dialog at this scale keeps its texts inside their controls, and the result dialog's heading,
// grade line and picture stand where they stand at 96 DPI, in proportion to the dialog: the run at
// 96 DPI keeps their places for the runs at the other scales.
TEST(GameWindowScale, DialogsKeepTheirTextsInsideAndTheirDrawingInProportion) {
    Texts overruns;
    std::vector<double> bands;
    HWND window = OpenGame(FixedSettings, [&](HWND dialog) {
        FindTextsWiderThanTheirControls(dialog, overruns);
        if (GetDlgItem(dialog, IDC_RESULT_BEST) && bands.empty()) {
            bands = DrawnBands(dialog);
        }
    });
    for (WPARAM command : {IDM_GAME_SETTINGS, IDM_BRAIN_LEVEL, IDM_VERSION}) {
        SendMessageW(window, WM_COMMAND, command, 0);
    }
    RunGameDialog(IDD_CHALLENGE_RESULT);
    SendMessageW(window, WM_SYSCOMMAND, IDM_RECORDS, 0);
    EXPECT_EQ(overruns, Texts{});
    ASSERT_EQ(bands.size(), 12u);  // three bands of four edges
    if (ScreenDpi() == BaseDpi) {
        std::ofstream file("drawn-bands-96dpi.txt");
        std::for_each(bands.begin(), bands.end(), [&](double edge) { file << edge << '\n'; });
        return;
    }
    std::ifstream file("drawn-bands-96dpi.txt");
    for (size_t edge = 0; edge < bands.size(); ++edge) {
        double at96 = -1;
        file >> at96;
        // Where each begins follows the dialog; its size follows the DPI, as the board font does.
        const double tolerance = edge % 4 < 2 ? 0.01 : 0.025;
        EXPECT_NEAR(bands[edge], at96, tolerance) << "edge " << edge;
    }
}

// ---- Every text in the player's language, on any code page ----

// A combo box's or list's items, after its own text.
void AppendItems(HWND control, std::string& line) {
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const bool isList = lstrcmpiW(className, L"ListBox") == 0;
    if (!isList && lstrcmpiW(className, L"ComboBox") != 0) {
        return;
    }
    const LRESULT count = SendMessageW(control, isList ? LB_GETCOUNT : CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
        wchar_t text[256] = {};
        SendMessageW(control, isList ? LB_GETTEXT : CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text));
        line += "," + Utf8(text);
    }
}

// One line per window: its title, then each control's text.
std::string WindowTexts(HWND window) {
    std::string line = TextOf(window);
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        line += "|" + TextOf(control);
        AppendItems(control, line);
    }
    return line;
}

// Every dialog and message box the game can open but the web help's, then the tooltips and the menu item.
Texts EveryText() {
    Texts texts;
    DeleteFileA(HistoryFileName);
    ForgetGameHistory();
    HWND window = OpenGame(nullptr, [&](HWND dialog) { texts.push_back(WindowTexts(dialog)); });
    for (WPARAM command : {IDM_GAME_SETTINGS, IDM_BRAIN_LEVEL, IDM_VERSION}) {
        SendMessageW(window, WM_COMMAND, command, 0);
    }
    resultSnapshot = {};
    roundState = {};
    roundState.nextNumber = -1;  // a wrong click in the challenge course: the core's message, then the result
    JudgeRound();
    SendMessageW(window, WM_SYSCOMMAND, IDM_RECORDS, 0);
    std::string tooltips;
    for (int command = IDM_START; command <= IDM_START_RIGHT; ++command) {
        NMTTDISPINFOW tooltip = {};
        tooltip.hdr.code = TTN_NEEDTEXTW;
        tooltip.hdr.idFrom = command;
        SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tooltip));
        tooltips += Utf8(tooltip.lpszText) + "|";
    }
    wchar_t menuItem[64] = {};
    GetMenuStringW(GetSystemMenu(window, FALSE), IDM_RECORDS, menuItem, 64, MF_BYCOMMAND);
    texts.push_back(tooltips + Utf8(menuItem));
    return texts;
}

// The Japanese run (locale ja, code page 932) keeps what it read; the runs in the other locales
// follow it and compare: a Japanese display language on code page 1252 reads the very same texts,
// and an English one reads English in every window, with no character a Western code page lacks.
TEST(GameWindowTexts, ReadTheSameOnEveryCodePageInTheLanguageOfWindows) {
    const Texts texts = EveryText();
    const std::string locale = getenv("GLIMMARK_WINE_LOCALE") ? getenv("GLIMMARK_WINE_LOCALE") : "ja";
    if (locale == "ja") {
        std::ofstream file("texts-ja.txt", std::ios::binary);
        std::for_each(texts.begin(), texts.end(), [&](const std::string& line) { file << line << '\n'; });
        return;
    }
    Texts japanese;
    std::ifstream file("texts-ja.txt", std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        japanese.push_back(line);
    }
    if (locale == "ja-on-1252") {
        EXPECT_EQ(texts, japanese);
        return;
    }
    ASSERT_EQ(texts.size(), japanese.size());
    for (size_t window = 0; window < texts.size(); ++window) {
        EXPECT_NE(texts[window], japanese[window]);
        EXPECT_TRUE(std::all_of(texts[window].begin(), texts[window].end(),
                                [](char c) { return c != '?' && static_cast<unsigned char>(c) < 0x80; }))
            << texts[window];
    }
}

}  // namespace
