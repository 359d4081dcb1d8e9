// The dialogs: the Windows templates' controls placed in dialog units, the message box, the results,
// the stage splash, the game settings and the About box.

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
        fitDialog(dialog);
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
    picture.src = artPicture(PictureFiles[game.gradePicture(grade)]);
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
    picture.src = artPicture('about');
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

