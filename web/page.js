// The page's own script: the board canvas, the toolbar, the dialogs, the display timer and the stored files around the WebAssembly game.
'use strict';

// ---- The WebAssembly side ---------------------------------------------------------
// Filled in by inline_page.py: Art (SVG data URIs by file name), PictureFiles (bitmap id -> file
// name), TextIds (the text table's names -> ids), DialogTemplate (the templates the core opens),
// ToolbarButton (toolbar_buttons.h), Figure, FigureLine, SettingsList, ChartBandPart and ToolbarPart
// (dialog_data.h), and Templates (each dialog
// template's size and its controls' places in dialog units, from the resource script), and Pixels
// (where the exe's dialogs draw their own lines and pictures, drawn_layout.h).
const game = {};
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

function say(name) {
    return game.text(TextIds[name]);
}


// ---- The board ------------------------------------------------------------------------
// The core's grid, in its client pixels: read from it once the WebAssembly runs, before any use.
let BoardWidth = 0, BoardHeight = 0, CellSize = 0, BoardTop = 0;

function readGeometry() {
    CellSize = game.figure(Figure.CellSizeFigure);
    BoardTop = game.figure(Figure.BoardTopFigure);
    BoardWidth = CellSize * game.figure(Figure.GridColumnsFigure);
    BoardHeight = CellSize * game.figure(Figure.GridRowsFigure);
}
const canvas = document.getElementById('board');
const board = canvas.getContext('2d');

function colorText(rgb) {
    return '#' + rgb.toString(16).padStart(6, '0');
}

let boardPainted = false;

const page = {
    clearBoard() {
        board.fillStyle = '#000000';
        board.fillRect(0, 0, BoardWidth, BoardHeight);
        if (!boardPainted) {
            boardPainted = true;  // the frame that shows it is marked for scripts/bench-web
            requestAnimationFrame(() => performance.mark('glimmark-board-painted'));
        }
    },
    // The number fills its cell as the exe's 32 x 32 Mincho does; 0 is the blank covering square.
    paintCell(column, row, number, textColor, backgroundColor) {
        const x = column * CellSize, y = row * CellSize;
        board.fillStyle = colorText(backgroundColor);
        board.fillRect(x, y, CellSize, CellSize);
        if (number === 0) {
            return;
        }
        board.save();
        board.font = `600 ${CellSize}px "MS Mincho", "IPAMincho", serif`;
        board.textBaseline = 'top';
        board.fillStyle = colorText(textColor);
        const text = String(number);
        const width = board.measureText(text).width;
        board.translate(x, y + 1);
        board.scale(CellSize / width, 1);
        board.fillText(text, 0, 0);
        board.restore();
    },
};

// Sharp on any screen: the canvas holds a pixel for each device pixel it covers.
function fitWindow() {
    const frame = document.getElementById('window');
    const scale = Math.min(window.innerWidth / frame.offsetWidth, window.innerHeight / frame.offsetHeight);
    document.documentElement.style.setProperty('--scale', String(Math.max(0.25, scale)));
    const rect = canvas.getBoundingClientRect();
    canvas.width = Math.round(rect.width * devicePixelRatio);
    canvas.height = Math.round(rect.height * devicePixelRatio);
    board.setTransform(canvas.width / BoardWidth, 0, 0, canvas.height / BoardHeight, 0, 0);
    if (game.paint) {
        game.paint();
    }
}

// ---- The display timer: a deadline looked at on every animation frame ------------------
let displayDeadline = null;

page.startDisplayTimer = (milliseconds) => {
    displayDeadline = performance.now() + milliseconds;
    page.timerPeriod = milliseconds;  // the last period asked for, which the play-through checks
};
page.stopDisplayTimer = () => {
    displayDeadline = null;
};

function watchDisplayTime() {
    if (displayDeadline !== null && !busy && performance.now() >= displayDeadline) {
        displayDeadline = null;
        game.endDisplayTime();
    }
    requestAnimationFrame(watchDisplayTime);
}

// ---- Input ---------------------------------------------------------------------------------
// A press is judged and painted at once, in the same frame; none is taken while a dialog is open.
canvas.addEventListener('pointerdown', (event) => {
    event.preventDefault();  // else the mouse-down after it takes the focus from a box the press opened
    if (busy || event.button !== 0 || document.querySelector('dialog[open]')) {
        return;
    }
    const rect = canvas.getBoundingClientRect();
    const x = Math.floor((event.clientX - rect.left) * BoardWidth / rect.width);
    const y = Math.floor((event.clientY - rect.top) * BoardHeight / rect.height);
    if (x >= 0 && y >= 0 && x < BoardWidth && y < BoardHeight) {
        game.press(x, y + BoardTop);
    }
});

// ---- Dialogs ---------------------------------------------------------------------------------
// Dialog units of the Windows templates in pixels, for the 9-point face the dialogs use.
const UnitX = 1.5, UnitY = 1.625;

function element(tag, className, text) {
    const made = document.createElement(tag);
    if (className) {
        made.className = className;
    }
    if (text !== undefined) {
        made.textContent = text;
    }
    return made;
}

// Places a control as the template does, in dialog units from the client area's corner.
function place(parent, made, x, y, width, height) {
    Object.assign(made.style, {left: x * UnitX + 'px', top: y * UnitY + 'px', width: width * UnitX + 'px',
                               height: height * UnitY + 'px'});
    parent.appendChild(made);
    return made;
}

// A template dialog of that client size in dialog units, with its caption (none for the splash).
function templateDialog(id, caption, [width, height]) {
    const dialog = document.getElementById(id);
    dialog.replaceChildren();
    if (caption !== null) {
        const bar = dialog.appendChild(element('div', 'caption', caption));
        const close = bar.appendChild(element('button', 'close-box', '×'));
        close.type = 'button';
        close.tabIndex = -1;
        close.addEventListener('click', () => dialog.close());
    }
    const client = dialog.appendChild(element('div', 'client'));
    client.style.width = width * UnitX + 'px';
    client.style.height = height * UnitY + 'px';
    return client;
}

// Opens a dialog modally and resolves when it closes. Esc closes only where it does on Windows.
function runModal(dialog, escapeCloses) {
    return new Promise((resolve) => {
        dialog.oncancel = (event) => {
            if (!escapeCloses) {
                event.preventDefault();
            }
        };
        dialog.addEventListener('close', () => resolve(), {once: true});
        dialog.showModal();
    });
}

function button(parent, text, x, y, width, height, action) {
    const made = place(parent, element('button', 'push', text), x, y, width, height);
    made.type = 'button';
    made.addEventListener('click', action);
    return made;
}

// Places what the exe draws itself, in pixels from the client area's corner.
function placeInPixels(parent, made, x, y, width, height) {
    Object.assign(made.style, {left: x + 'px', top: y + 'px'});
    if (width !== undefined) {
        Object.assign(made.style, {width: width + 'px', height: height + 'px'});
    }
    parent.appendChild(made);
    return made;
}

function label(parent, text, x, y, width, height, className) {
    return place(parent, element('div', className || 'label', text), x, y, width, height);
}

// ---- Messages: a box with one OK button, Enter and Esc close it ----------------------------
page.showMessage = (text, caption, isWarning) => {
    const dialog = document.getElementById('message');
    dialog.querySelector('.caption').textContent = caption;
    dialog.querySelector('p').textContent = text;
    dialog.querySelector('.icon').hidden = !isWarning;
    const ok = dialog.querySelector('.ok');
    ok.onclick = () => dialog.close();
    // Enter is the OK button's wherever the focus is, as in a Windows message box.
    dialog.onkeydown = (event) => {
        if (event.key === 'Enter') {
            event.preventDefault();
            dialog.close();
        }
    };
    const closed = runModal(dialog, true);
    ok.focus();
    return closed;
};

// ---- The dialogs the core opens: the two results and the stage splash ----------------------
page.runDialog = (templateId) => {
    switch (templateId) {
    case DialogTemplate.FIXED_RESULT:
        return showResult('fixed-result', Templates.FIXED_RESULT, say('FixedResultTitle'), fixedFigures);
    case DialogTemplate.CHALLENGE_RESULT:
        return showResult('challenge-result', Templates.CHALLENGE_RESULT, say('ChallengeResultTitle'), challengeFigures);
    case DialogTemplate.STAGE_SPLASH:
        return showSplash();
    default:
        return Promise.resolve();
    }
};

// The figures' line: groups of labels (text names) and figures, spread over the top of the dialog.
function fixedFigures(client) {
    writeFigureLine(client, [
        ['CountLabel', game.figure(Figure.ResultTargetCount), 'OfTargetsLabel', game.figure(Figure.ResultProgress),
         'TargetsLabel'],
        ['TimeLabel', game.tenthsText(game.figure(Figure.ResultTime)), 'SecondsLabel'],
        ['TriesLabel', game.figure(Figure.ResultTries), 'OfTriesLabel', game.figure(Figure.ResultRounds),
         'TimesLabel'],
    ]);
    return {grade: game.figure(Figure.FixedGrade), best: game.figureText(FigureLine.FixedBestLine)};
}

function challengeFigures(client) {
    writeFigureLine(client, [
        ['StagesClearedLabel', game.figure(Figure.StagesCleared)],
        ['CountLabel', game.figure(Figure.ClearedCount), 'TargetsLabel'],
        ['TimeLabel', game.tenthsText(game.figure(Figure.ClearedTime)), 'SecondsLabel'],
    ]);
    return {grade: game.figure(Figure.ChallengeGrade), best: game.figureText(FigureLine.ChallengeBestLine)};
}

function writeFigureLine(client, groups) {
    const line = place(client, element('div', 'figure-line'), 4, 8, 219, 8);
    for (const group of groups) {
        const parts = group.map((part) => typeof part === 'string' && part in TextIds ? say(part) : String(part));
        line.appendChild(element('span', 'label', parts.filter((part) => part !== '').join(' ')));
    }
}

// The heading, the grade line and the picture are placed in pixels, as the exe paints them.
function showResult(id, layout, caption, writeFigures) {
    const client = templateDialog(id, caption, layout.size);
    const {grade, best} = writeFigures(client);
    placeInPixels(client, element('div', 'big', say('BrainHeadingText')), Pixels.ResultHeadingX, Pixels.ResultHeadingY);
    placeInPixels(client, element('div', 'big', game.gradeText(grade)), Pixels.ResultGradeX, Pixels.ResultGradeY);
    const picture = placeInPixels(client, element('img'), Pixels.ResultPictureX, Pixels.ResultPictureY,
                                  Pixels.ResultPictureSize, Pixels.ResultPictureSize);
    picture.src = Art[PictureFiles[game.gradePicture(grade)]];
    picture.alt = '';
    label(client, best, ...layout.RESULT_BEST, 'label centered');
    const close = button(client, say('CloseButton'), ...layout.RESULT_CLOSE, () => dialog.close());
    const dialog = document.getElementById(id);
    const closed = runModal(dialog, false);
    close.focus();
    return closed;
}

function showSplash() {
    const client = templateDialog('splash', null, Templates.STAGE_SPLASH.size);
    placeInPixels(client, element('div', 'nowrap', game.figureText(FigureLine.SplashLevel)), Pixels.SplashBandX,
                  Pixels.SplashBandY);
    placeInPixels(client, element('div', 'big', game.figureText(FigureLine.SplashStage)), Pixels.SplashStageX,
                  Pixels.SplashStageY);
    const dialog = document.getElementById('splash');
    const closed = runModal(dialog, false);
    setTimeout(() => dialog.close(), game.figure(Figure.SplashMillisecondsFigure));
    return closed;
}

// ---- The game settings dialog: the course buttons act at once, OK stores the other five ----
function openSettings() {
    const layout = Templates.GAME_SETTINGS;
    const client = templateDialog('settings', say('SettingsTitle'), layout.size);
    place(client, element('div', 'etched'), ...layout.FIXED_FRAME);
    place(client, element('div', 'etched'), ...layout.CHALLENGE_FRAME);
    const lists = [
        [SettingsList.CountList, 'CountLabel', layout.COUNT_COMBO, layout.COUNT_LABEL],
        [SettingsList.TimeList, 'TimeLabel', layout.TIME_COMBO, layout.TIME_LABEL],
        [SettingsList.TriesList, 'TriesLabel', layout.TRIES_COMBO, layout.TRIES_LABEL],
        [SettingsList.ColorList, 'ColorLabel', layout.COLOR_COMBO, layout.COLOR_LABEL],
        [SettingsList.LevelList, null, layout.LEVEL_COMBO, null],
    ];
    // A combo box's height in the template takes in its drop-down list; a label may run wider
    // than its control, as the exe's static does when the text is longer.
    const selects = lists.map(([list, labelName, [x, y, width], labelPlace]) => {
        if (labelName) {
            label(client, say(labelName), labelPlace[0], labelPlace[1], 48, labelPlace[3], 'label nowrap');
        }
        const select = place(client, listSelect(list), x, y, width, 12);
        select.style.minWidth = select.style.width;  // wider where an item needs it
        select.style.width = 'max-content';
        return select;
    });
    const course = game.figure(Figure.CourseModeFigure);
    courseButton(client, say('FixedCourseButton'), layout.FIXED_COURSE_RADIO, 0, course === 0);
    courseButton(client, say('ChallengeCourseButton'), layout.CHALLENGE_COURSE_RADIO, 1, course !== 0);
    const dialog = document.getElementById('settings');
    button(client, say('OkButton'), ...layout.SETTINGS_OK, () => {
        game.storeSettings(...selects.map((select) => select.value));
        dialog.close();
    });
    const closed = runModal(dialog, false);
    selects[0].focus();
    return closed.then(() => game.saveSettings());
}

// Each list offers every value of the setting's range, from the rules the exe's dialog uses.
function listSelect(list) {
    const select = element('select', 'combo');
    const size = game.listSize(list);
    for (let index = 0; index < size; ++index) {
        const text = game.listEntry(list, index);
        select.appendChild(element('option', null, text)).value = text;
    }
    select.selectedIndex = game.listCurrent(list);
    return select;
}

function courseButton(client, text, placeInTemplate, course, checked) {
    const holder = place(client, element('label', 'radio'), ...placeInTemplate);
    const radio = holder.appendChild(element('input'));
    Object.assign(radio, {type: 'radio', name: 'course', checked});
    radio.addEventListener('change', () => game.setCourse(course));
    holder.appendChild(document.createTextNode(text));
}

// ---- The About box ------------------------------------------------------------------------------
function openAbout() {
    const layout = Templates.ABOUT;
    const client = templateDialog('about', say('AboutTitle'), layout.size);
    const picture = placeInPixels(client, element('img'), Pixels.AboutPictureX, Pixels.AboutPictureY,
                                  Pixels.AboutPictureWidth, Pixels.AboutPictureHeight);
    picture.src = Art.about;
    picture.alt = '';
    place(client, element('div', 'etched'), 0, 92, 122, 52);
    // Each line is centred across the box at its template line's height, whatever the font's width.
    const lines = [
        ['AboutTaglineText', layout.ABOUT_TAGLINE], ['AboutChallengeText', layout.ABOUT_CHALLENGE],
        ['AboutNameText', layout.ABOUT_NAME], ['AboutVersionText', layout.ABOUT_VERSION],
        ['AboutBrowserBuildText', layout.ABOUT_BUILD], ['AboutBrowserInterfaceText', layout.ABOUT_INTERFACE],
        ['AboutDevelopersText', layout.ABOUT_DEVELOPERS], ['AboutAddressText', layout.ABOUT_ADDRESS],
    ];
    for (const [name, [, y, , height]] of lines) {
        label(client, say(name), 0, y, layout.size[0], height, 'label centered nowrap');
    }
    const dialog = document.getElementById('about');
    const close = button(client, say('CloseButton'), ...layout.ABOUT_CLOSE, () => dialog.close());
    const closed = runModal(dialog, false);
    close.focus();
    return closed;
}

// ---- The records dialog, with its chart, and the history moved to and from a file ---------------
function openRecords() {
    const layout = Templates.RECORDS;
    const client = templateDialog('records', say('RecordsTitle'), layout.size);
    const dialog = document.getElementById('records');
    const played = game.figure(Figure.FixedGames) + game.figure(Figure.ChallengeGames);
    label(client, played === 0 ? say('NoHistoryText') : game.figureText(FigureLine.GamesPlayed),
          ...layout.RECORDS_GAMES, 'label records-games');
    if (played > 0) {
        label(client, game.figureText(FigureLine.RecordsBestLine), ...layout.RECORDS_CHALLENGE_BEST, 'label');
        label(client, say('FixedBestsLabel'), ...layout.RECORDS_FIXED_LABEL, 'label');
        place(client, fixedBestList(), ...layout.RECORDS_FIXED_BESTS);
        label(client, say('ChartLabel'), ...layout.RECORDS_CHART_LABEL, 'label');
        place(client, recordsChart(layout.RECORDS_CHART), ...layout.RECORDS_CHART);
    }
    button(client, say('SaveHistoryButton'), 8, 194, 72, 14, saveHistoryFile);
    button(client, say('LoadHistoryButton'), 180, 194, 72, 14, () => loadHistoryFile(dialog));
    const close = button(client, say('CloseButton'), ...layout.RECORDS_CLOSE, () => dialog.close());
    const closed = runModal(dialog, true);
    close.focus();
    return closed;
}

// Lines "count\ttime\ttries\trounds" in the order of the settings dialog's lists.
function fixedBestList() {
    const list = element('div', 'list');
    const count = game.figure(Figure.FixedBestCount);
    for (let index = 0; index < count; ++index) {
        const row = list.appendChild(element('div', 'list-row'));
        for (const cell of game.fixedBestLine(index).split('\t')) {
            row.appendChild(element('span', null, cell));
        }
    }
    if (count === 0) {
        list.appendChild(element('div', 'list-note', say('NoFixedBestsText')));
    }
    return list;
}

// The stages cleared in the last challenge games, oldest on the left, over the three bands.
function recordsChart([, , chartWidth, chartHeight]) {
    const chart = element('canvas', 'chart');
    const width = chartWidth * UnitX, height = chartHeight * UnitY;
    const scale = 2 * devicePixelRatio;  // stays sharp as the window is scaled
    Object.assign(chart, {width: width * scale, height: height * scale});
    const pen = chart.getContext('2d');
    pen.scale(scale, scale);
    pen.fillStyle = '#ffffff';
    pen.fillRect(0, 0, width, height);
    pen.font = '12px "MS PGothic", "IPAPGothic", sans-serif';
    pen.textBaseline = 'middle';
    const plot = {left: game.figure(Figure.ChartNameMarginFigure), top: 1,
                  right: width - game.figure(Figure.ChartScaleMarginFigure), bottom: height - 1};
    const lastStage = game.figure(Figure.LastStageFigure);
    const stageY = (stages) => plot.bottom - (plot.bottom - plot.top) * stages / lastStage;
    const recent = game.figure(Figure.RecentCount);
    if (recent === 0) {
        pen.fillStyle = '#000000';
        pen.fillText(say('NoChallengeChartText'), plot.left + 8, 16);
    } else {
        const bands = game.figure(Figure.ChartBandCountFigure);
        for (let band = 0; band < bands; ++band) {
            const top = stageY(game.chartBand(band, ChartBandPart.BandHighStage));
            const bottom = stageY(game.chartBand(band, ChartBandPart.BandLowStage));
            pen.fillStyle = colorText(game.chartBand(band, ChartBandPart.BandColor));
            pen.fillRect(0, top, width, bottom - top);
            pen.fillStyle = '#000000';
            pen.fillText(game.text(game.chartBand(band, ChartBandPart.BandName)), 2, (top + bottom) / 2);
        }
        pen.fillText(String(lastStage), plot.right + 3, plot.top + 6);
        pen.fillText('0', plot.right + 3, plot.bottom - 6);
        const slot = (plot.right - plot.left) / game.figure(Figure.ChartedGamesFigure);
        pen.fillStyle = colorText(game.figure(Figure.ChartBarColorFigure));
        for (let index = 0; index < recent; ++index) {
            const top = Math.min(stageY(game.recentStage(index)), plot.bottom - 2);
            pen.fillRect(plot.left + index * slot + 1, top, slot - 2, plot.bottom - top);
        }
    }
    pen.strokeStyle = '#000000';
    pen.strokeRect(0.5, 0.5, width - 1, height - 1);
    return chart;
}

// The same bytes the exe keeps, so that the file can go on in the exe's folder.
function saveHistoryFile() {
    const name = game.historyFileName();
    const bytes = storedFileBytes(name);  // empty before the first game ends
    const link = element('a');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'text/csv'}));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// Adds the good lines of a history.csv the player picks; bad ones are skipped by the history's own reader.
function loadHistoryFile(dialog) {
    const picker = element('input');
    picker.type = 'file';
    picker.accept = '.csv,text/csv';
    picker.addEventListener('change', async () => {
        if (picker.files.length === 0) {
            return;
        }
        const bytes = new Uint8Array(await picker.files[0].arrayBuffer());
        dialog.close();
        await game.addHistory(bytes);
        openRecords();
    });
    picker.click();
}

// ---- The toolbar: seven buttons in three groups, with the exe's pictures and tooltips ------------
// Image k of the strip is the picture of button k; the separators and tooltips are the exe's.
const ToolbarCommands = {
    [ToolbarButton.StartButton]: () => game.start(),
    [ToolbarButton.BrainLevelButton]: () => game.showBrainLevel(),
    [ToolbarButton.GameSettingsButton]: () => { busy = true; openSettings().finally(() => { busy = false; }); },
    [ToolbarButton.VersionButton]: () => { busy = true; openAbout().finally(() => { busy = false; }); },
    [ToolbarButton.WebHelpButton]: () => window.open(say('WebHelpAddress'), '_blank', 'noopener'),
    [ToolbarButton.ExitButton]: exitGame,
    [ToolbarButton.StartRightButton]: () => game.start(),
};

// Button k shows the strip's k-th 32 x 32 picture, cut out by its own view box, so that no edge
// of a neighbour shows however the window is scaled.
function toolbarPicture(image) {
    const strip = new DOMParser().parseFromString(atob(Art.toolbar.split(',')[1]), 'image/svg+xml');
    const root = strip.documentElement;
    const size = root.getAttribute('height');
    root.setAttribute('width', size);
    root.setAttribute('viewBox', `${size * image} 0 ${size} ${size}`);
    return 'data:image/svg+xml;base64,' + btoa(new XMLSerializer().serializeToString(strip));
}

function buildToolbar() {
    const toolbar = document.getElementById('toolbar');
    for (let button = 0; button < ToolbarButton.ToolbarButtonCount; ++button) {
        const separators = game.toolbarButton(button, ToolbarPart.SeparatorsBefore);
        for (let separator = 0; separator < separators; ++separator) {
            toolbar.appendChild(element('span', 'separator'));
        }
        const made = toolbar.appendChild(element('button', 'tool'));
        made.type = 'button';
        made.dataset.tooltip = game.toolbarButton(button, ToolbarPart.TooltipText);
        made.style.backgroundImage = `url("${toolbarPicture(button)}")`;
        made.addEventListener('click', () => {
            if (!busy && !document.querySelector('dialog[open]')) {
                ToolbarCommands[button]();
            }
        });
    }
}

// A page cannot close its own tab: Exit keeps the settings and leaves an empty board.
function exitGame() {
    game.saveSettings().then(() => {
        window.close();
        game.open();
    });
}

// ---- The system menu under the caption's icon, which holds the records ----------------------------
function buildSystemMenu() {
    const menu = document.getElementById('system-menu');
    document.getElementById('system-menu-button').style.backgroundImage = `url("${Art.glimmark}")`;
    document.getElementById('system-menu-button').addEventListener('click', (event) => {
        event.stopPropagation();
        menu.hidden = busy || !menu.hidden;
    });
    document.addEventListener('click', () => { menu.hidden = true; });
    document.getElementById('records-item').addEventListener('click', () => {
        menu.hidden = true;
        if (!busy) {
            busy = true;
            openRecords().finally(() => { busy = false; });
        }
    });
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

// ---- Start-up -------------------------------------------------------------------------------------------
var Module = {
    page,
    onRuntimeInitialized() {
        bindGame();
        readGeometry();
        buildToolbar();
        buildSystemMenu();
        useLanguage(storedLanguage() || (/^ja\b/i.test(navigator.language) ? 'ja' : 'en'));
        fitWindow();
        window.addEventListener('resize', fitWindow);
        requestAnimationFrame(watchDisplayTime);
        openStoredGame();
    },
};
