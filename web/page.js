// The page's start-up and glue: the WebAssembly game's entry points, the stored files and the language.
'use strict';

// ---- The WebAssembly side ---------------------------------------------------------
// Filled in by inline_page.py: ArtText (the SVG pictures the dialogs show, by file name), PictureFiles
// (bitmap id -> file name), TextIds (the text table's names -> ids), DialogTemplate (the templates the core opens),
// ToolbarButton (toolbar_buttons.h), Figure, FigureLine, SettingsList, ChartBandPart and ToolbarPart
// (dialog_data.h), and Templates (each dialog
// template's size and its controls' places in dialog units, from the resource script), and Pixels
// (where the exe's dialogs draw their own lines and pictures, drawn_layout.h).
const game = {};
// The calls the WebAssembly side makes of the page (host_library.js), filled in by the page's other scripts.
const page = {};
let busy = false;  // an entry point is running, maybe waiting in one of its dialogs

function bindGame() {
    game.open = asyncCall('open');
    game.start = asyncCall('start');
    game.press = asyncCall('press', ['number', 'number']);
    game.endDisplayTime = asyncCall('end_display_time');
    game.showBrainLevel = asyncCall('show_brain_level');
    game.saveSettings = asyncCall('save_settings');
    game.addHistory = addHistory;
    game.paint = syncCall('paint');
    game.text = syncCall('text', 'string');
    game.setLanguage = syncCall('set_language');
    game.figure = syncCall('figure');
    game.figureText = syncCall('figure_text', 'string');
    game.tenthsText = syncCall('tenths_text', 'string');
    game.listSize = syncCall('list_size');
    game.listEntry = syncCall('list_entry', 'string');
    game.listCurrent = syncCall('list_current');
    game.setCourse = syncCall('set_course');
    game.storeSettings = syncCall('store_settings', 'number', ['string', 'string', 'string', 'string', 'string']);
    game.recentStage = syncCall('recent_stage');
    game.chartBand = syncCall('chart_band');
    game.toolbarButton = syncCall('toolbar_button');
    game.fixedBestLine = syncCall('fixed_best_line', 'string');
    game.historyFileName = syncCall('history_file_name', 'string');
    game.gradeText = syncCall('grade_text', 'string');
    game.gradePicture = syncCall('grade_picture');
}

// Runs an entry point that may wait for the player; input stays closed until it returns.
function asyncCall(name, args = []) {
    return (...values) => {
        busy = true;
        return Module.ccall('glimmark_' + name, null, args, values, {async: true}).finally(() => { busy = false; });
    };
}

// Calls an entry point that never waits, straight into the export: the dialogs read their figures
// while the game waits in them, when a wrapped call would wait for the game to go on first.
function syncCall(name, result = 'number', args = []) {
    const exported = Module['_glimmark_' + name];
    return (...values) => {
        const stack = Module.stackSave();
        try {
            const passed = values.map((value, index) => args[index] === 'string' ? Module.allocateUTF8OnStack(value)
                                                                                 : value);
            const answer = exported(...passed);
            return result === 'string' ? Module.UTF8ToString(answer) : answer;
        } finally {
            Module.stackRestore(stack);
        }
    };
}

// The bytes go in as they are: through the heap, not the stack. A file too big for the
// memory is read as no file at all rather than written over the game's own data.
function addHistory(bytes) {
    const copy = Module._malloc(Math.max(1, bytes.length));
    if (copy === 0) {
        return Promise.resolve();
    }
    Module.HEAPU8.set(bytes, copy);
    return asyncCall('add_history', ['number', 'number'])(copy, bytes.length).finally(() => Module._free(copy));
}

// An SVG picture as an image's address, made as a dialog shows it rather than all of them at start-up.
function artPicture(name) {
    return 'data:image/svg+xml;base64,' + btoa(String.fromCharCode(...new TextEncoder().encode(ArtText[name])));
}

function say(name) {
    return game.text(TextIds[name]);
}

// ---- Language: the browser's, until the player picks one --------------------------------------------
function useLanguage(language) {
    document.documentElement.lang = language;
    document.getElementById('language').value = language;
    game.setLanguage(language === 'ja' ? 0 : 1);
    for (const tool of document.querySelectorAll('.tool')) {
        tool.title = game.text(Number(tool.dataset.tooltip));
    }
    document.getElementById('records-item').textContent = say('RecordsMenuItem');
    document.title = document.getElementById('title').textContent = say('WindowTitleText');
}

document.getElementById('language').addEventListener('change', (event) => {
    useLanguage(event.target.value);
    keepLanguage(event.target.value);
});

// The WebAssembly comes as base64 in the script. Decoding it a byte at a time through a callback
// took longer than compiling it.
function programBytes(base64) {
    if (Uint8Array.fromBase64) {
        return Uint8Array.fromBase64(base64);
    }
    const text = atob(base64);
    const bytes = new Uint8Array(text.length);
    for (let index = 0; index < text.length; ++index) {
        bytes[index] = text.charCodeAt(index);
    }
    return bytes;
}

// ---- Start-up -------------------------------------------------------------------------------------------
var Module = {
    page,
    onRuntimeInitialized() {
        bindGame();
        readGeometry();
        measureDesktopWindow();
        buildToolbar();
        buildSystemMenu();
        useLanguage(languageAtStart() || (/^ja\b/i.test(navigator.language) ? 'ja' : 'en'));
        fitWindow();
        window.addEventListener('resize', fitWindow);
        requestAnimationFrame(watchDisplayTime);
        openStoredGame();
    },
};
