// The entry points the page calls, and the GameHost realised through the page: the same core as on Windows.
#include <emscripten.h>

#include "figure_text.h"
#include "file_storage.h"
#include "game_host.h"
#include "game_state.h"
#include "history_file.h"
#include "result_best.h"
#include "settings_file.h"
#include "web_front_end.h"

// The page's host calls (host_library.js). The first two return only when the
// player has closed what they opened, as modal boxes do on Windows.
extern "C" {
void glimmark_show_message(const char* text, const char* caption, int32_t isWarning);
void glimmark_run_dialog(int32_t templateId);
void glimmark_start_display_timer(int32_t periodMilliseconds);
void glimmark_stop_display_timer();
}

namespace {

// ---- The GameHost -------------------------------------------------------------

void ShowGameMessage(const char* text, const char* caption) {
    glimmark_show_message(text, caption, 0);
}

void RunDialogOfGame(int32_t templateId) {
    RunDialogEndingGame(templateId, glimmark_run_dialog, nullptr);
}

// The board is drawn before the round is judged, so the player sees the judged
// board behind any message that the judgement brings up.
void RepaintBoard() {
    PaintBoard();
    JudgeRound();
}

const GameHost browserGameHost = {
    ShowGameMessage,
    RunDialogOfGame,
    glimmark_start_display_timer,
    glimmark_stop_display_timer,
    RepaintBoard,
};

// ---- Warnings of the settings store ---------------------------------------------

void ShowWarning(void*, const char* text, const char* caption) {
    glimmark_show_message(text, caption, 1);
}

// Storage that is full or forbidden would otherwise warn at every save: the player hears of it once.
void WarnOnce(void* owner, const char* text, const char* caption) {
    static bool warned = false;
    if (!warned) {
        warned = true;
        ShowWarning(owner, text, caption);
    }
}

FigureText wholeText;
FigureText tenthsText;

}  // namespace

const char* WholeText(int32_t value) {
    FormatWhole(value, wholeText);
    return wholeText;
}

const char* TenthsText(int32_t tenths) {
    FormatTenths(tenths, tenthsText);
    return tenthsText;
}

// ---- Entry points -------------------------------------------------------------------
// Those that can reach a message or a dialog are called asynchronously by the page,
// which takes no click or command until they have returned.
extern "C" {

// The settings are read before anything else uses them; the first visit warns, as the exe's first start does.
EMSCRIPTEN_KEEPALIVE void glimmark_open() {
    SetGameHost(&browserGameHost);
    UseStoredFiles();
    SetSettingsWarning(ShowWarning);
    LoadSettings(nullptr);
    SetSettingsWarning(WarnOnce);
    SetHistoryWarning(WarnOnce);
    ClearTargetTable();
    ClearSnapshot();
    PaintBoard();
}

EMSCRIPTEN_KEEPALIVE void glimmark_start() {
    StartGame();
}

EMSCRIPTEN_KEEPALIVE void glimmark_press(int32_t x, int32_t y) {
    JudgeClick(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
    RepaintBoard();
}

EMSCRIPTEN_KEEPALIVE void glimmark_end_display_time() {
    EndDisplayTime();
}

EMSCRIPTEN_KEEPALIVE void glimmark_paint() {
    PaintBoard();
}

// The Brain level button reopens the last fixed result; it records nothing.
EMSCRIPTEN_KEEPALIVE void glimmark_show_brain_level() {
    glimmark_run_dialog(FixedResultTemplate);
}

EMSCRIPTEN_KEEPALIVE void glimmark_save_settings() {
    SaveSettings(nullptr);
}

EMSCRIPTEN_KEEPALIVE const char* glimmark_history_file_name() {
    return HistoryFileName;
}

EMSCRIPTEN_KEEPALIVE int32_t glimmark_add_history(const char* bytes, int32_t length) {
    return AddHistoryLines(bytes, length > 0 ? static_cast<size_t>(length) : 0, nullptr);
}

}  // extern "C"
