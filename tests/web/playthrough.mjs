// Plays glimmark.html in Debian's Chromium as a player would: pointer clicks on the board, keys in the
// dialogs, then taps on a phone; the board read back as canvas pixels. Targets are found by replaying
// the game's generator for the clock second the page is given at each Start.
//   node playthrough.mjs PATH/glimmark.html
import assert from 'node:assert/strict';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import {placement} from './placement.mjs';

const pageUrl = 'file://' + path.resolve(process.argv[2]);
const LightBlue = [0, 255, 255], Green = [0, 255, 0], Red = [255, 0, 0];

// Where the grid's cell is drawn, in cells: a board taller than wide is turned a quarter clockwise,
// the grid's top row on the right.
function drawnCell([column, row], turned) {
    return turned ? [14 - row, column] : [column, row];
}

// Whether some pixel of the drawn cell has the colour: a cover fills the cell, a number only part of it.
function cellHasColor([across, down], cellsAcross, color) {
    const size = canvas.width / cellsAcross;
    const pixels = board.getImageData(across * size, down * size, size, size).data;
    for (let at = 0; at < pixels.length; at += 4) {
        if (color.every((value, index) => pixels[at + index] === value)) {
            return true;
        }
    }
    return false;
}

class Player {
    constructor(browser) {
        this.browser = browser;
        this.touch = false;  // taps rather than clicks, as on a phone
    }

    // A visit with storage of its own, as a fresh browser profile has; `stored` is put in before the page runs.
    async visit(stored = {}, storageRefuses = false) {
        this.context = await this.browser.createBrowserContext();
        this.page = await this.context.newPage();
        if (storageRefuses) {
            await this.page.evaluateOnNewDocument(() => {
                Storage.prototype.setItem = () => { throw new DOMException('full', 'QuotaExceededError'); };
            });
        }
        // Only the first document is seeded, so that a reload reads what the game kept; a mark
        // in the session's storage let about one run in six seed the reload again.
        const seeding = await this.page.evaluateOnNewDocument((files) => {
            for (const [key, value] of Object.entries(files)) {
                localStorage.setItem(key, value);
            }
        }, stored);
        await this.open();
        await this.page.removeScriptToEvaluateOnNewDocument(seeding.identifier);
    }

    async open() {
        await this.page.goto(pageUrl);
        await this.page.waitForFunction(() => typeof game !== 'undefined' && game.text);
    }

    async reload() {
        await this.page.reload();
        await this.page.waitForFunction(() => typeof game !== 'undefined' && game.text);
    }

    say(name, ...figures) {
        return this.page.evaluate((name, figures) => figures.reduce((text, figure) =>
            text.replace(/%[ds]/, figure), say(name)), name, figures);
    }

    // Waits for the message box, checks its text and answers it with Enter.
    async answerMessage(text) {
        await this.page.waitForSelector('#message[open]');
        assert.equal(await this.page.$eval('#message p', (paragraph) => paragraph.textContent), text);
        await this.page.keyboard.press('Enter');
        await this.page.waitForSelector('#message:not([open])');
    }

    // The clock second every Start from now on places its board in.
    setClock(second) {
        return this.page.evaluate((second) => { Date.now = () => second * 1000; }, second);
    }

    async boardBox() {
        const box = await (await this.page.$('#board')).boundingBox();
        const turned = box.height > box.width;
        return {...box, turned, cellsAcross: turned ? 15 : 20};
    }

    async waitForColor(cell, color) {
        const {turned, cellsAcross} = await this.boardBox();
        await this.page.waitForFunction(cellHasColor, {timeout: 5000}, drawnCell(cell, turned), cellsAcross, color);
    }

    // The judgement is painted by the time the click has been dispatched, without waiting for a frame.
    async checkColor(cell, color) {
        const {turned, cellsAcross} = await this.boardBox();
        const painted = await this.page.evaluate(cellHasColor, drawnCell(cell, turned), cellsAcross, color);
        assert.ok(painted, `cell ${cell}: ${color}`);
    }

    // A click, or on a touch screen a tap, on the middle of the cell where it is drawn.
    async press(cell) {
        const box = await this.boardBox();
        const size = box.width / box.cellsAcross;
        const [across, down] = drawnCell(cell, box.turned);
        const x = box.x + (across + 0.5) * size;
        const y = box.y + (down + 0.5) * size;
        if (this.touch) {
            await this.page.touchscreen.tap(x, y);
        } else {
            await this.page.mouse.click(x, y);
        }
    }

    async hit(selector) {
        const target = await this.page.waitForSelector(selector);
        if (this.touch) {
            await target.tap();
        } else {
            await target.click();
        }
    }

    // The toolbar takes no click while an entry point runs (the page's start among them), so the player waits.
    async toolbar(button) {
        await this.page.waitForFunction(() => !busy);
        const index = await this.page.evaluate((name) => ToolbarButton[name], button);
        await this.hit(`#toolbar .tool:nth-of-type(${index + 1})`);
    }

    // Plays the round placed at `second`: all targets in order, or the last one when number `wrongAt` is due.
    async playRound(second, count, cover, wrongAt = 0) {
        const cells = placement(second, count);
        await this.waitForColor(cells[0], cover);
        for (let number = 1; number <= count; ++number) {
            const cell = number === wrongAt ? cells[count - 1] : cells[number - 1];
            await this.press(cell);
            await this.checkColor(cell, number === wrongAt ? Red : Green);
            if (number === wrongAt) {
                return;
            }
        }
    }

    async result(id) {
        await this.page.waitForSelector(`#${id}[open]`);
        const texts = await this.page.$$eval(`#${id} .label`, (labels) => labels.map((label) => label.textContent));
        await this.page.keyboard.press('Escape');  // leaves a result up, as on Windows
        await this.page.keyboard.press('Enter');    // presses Close, which has the focus
        await this.page.waitForSelector(`#${id}:not([open])`);
        return texts;
    }

    lastHistoryLine() {
        return this.page.evaluate(() => localStorage.getItem('glimmark/history.csv').trim().split('\r\n').pop());
    }
}

async function checkSettingsDialog(player, expected) {
    await player.toolbar('GameSettingsButton');
    await player.page.waitForSelector('#settings[open]');
    const shown = await player.page.$$eval('#settings select', (lists) => lists.map((list) => list.value));
    const fixed = await player.page.$eval('#settings input[type=radio]', (radio) => radio.checked);
    assert.deepEqual([...shown, fixed], expected);
}

// Bad stored settings read as none: the warning, then the defaults. The dialog's choices are kept.
async function settingsAreKept(player) {
    await player.visit({'glimmark/setdata.ini': '３\r\n１０\r\n'});
    await player.answerMessage(await player.say('SettingsMissingText'));
    await checkSettingsDialog(player, ['3', '1.0', '3', await player.say('PinkColorItem'),
                                       await player.say('BeginnerLevelItem'), false]);
    await player.page.click('#settings input[type=radio]');
    await player.page.select('#settings select:nth-of-type(1)', '2');
    for (const [list, value] of [[1, '0.5'], [2, '2'], [3, await player.say('LightBlueColorItem')]]) {
        await player.page.$$eval('#settings select', (lists, list, value) => {
            lists[list].value = value;
        }, list, value);
    }
    await player.page.$$eval('#settings .push', (buttons) => buttons.at(-1).click());
    await player.page.waitForFunction(() => !busy);  // saved as the dialog closes
    await player.reload();  // no warning this time: the file is there
    await checkSettingsDialog(player, ['2', '0.5', '2', await player.say('LightBlueColorItem'),
                                       await player.say('BeginnerLevelItem'), true]);
    assert.equal(await player.page.evaluate(() => localStorage.getItem('glimmark/setdata.ini')),
                 '2\r\n5\r\n2\r\n4\r\n0\r\n1\r\n');
    await player.page.$$eval('#settings .push', (buttons) => buttons.at(-1).click());
}

// Storage that takes nothing: one warning when the settings cannot be kept, none the next time.
async function storageRefused(player) {
    await player.visit({}, true);
    await player.answerMessage(await player.say('SettingsMissingText'));
    for (const warning of [await player.say('SettingsUnwritableText'), null]) {
        await player.toolbar('GameSettingsButton');
        await player.page.waitForSelector('#settings[open]');
        await player.page.$$eval('#settings .push', (buttons) => buttons.at(-1).click());
        if (warning !== null) {
            await player.answerMessage(warning);
        }
        await player.page.waitForFunction(() => !busy);
        assert.equal(await player.page.$('#message[open]'), null);
    }
}

// Two targets, 0.5 s, two tries, light blue covers: one game won, one lost.
async function fixedGames(player) {
    await player.setClock(1765000000);
    await player.toolbar('StartButton');
    assert.equal(await player.page.evaluate(() => page.timerPeriod), 500);
    await player.playRound(1765000000, 2, LightBlue);
    await player.setClock(1765000007);
    await player.answerMessage(await player.say('RoundClearedFormat', 1));
    await player.playRound(1765000007, 2, LightBlue);
    const won = await player.result('fixed-result');
    assert.ok(won.includes(await player.say('FixedBestNewFormat', 2)), won.join('|'));
    assert.match(await player.lastHistoryLine(), /^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d,fixed,2,3,0\.5,2,2,,Bird$/);
    await player.setClock(1765000100);
    await player.toolbar('StartButton');
    await player.playRound(1765000100, 2, LightBlue, 1);
    await player.answerMessage(await player.say('WrongClickText'));
    const lost = await player.result('fixed-result');
    assert.ok(lost.includes(await player.say('FixedBestFormat', 2)), lost.join('|'));
    assert.match(await player.lastHistoryLine(), /,fixed,2,1,0\.5,2,0,,Frog$/);
}

// The beginner band: stage 1 cleared, stage 2 failed.
async function challengeGame(player) {
    await player.page.evaluate(() => game.setCourse(1));
    await player.setClock(1765000200);
    await player.toolbar('StartButton');
    await player.page.waitForSelector('#splash[open]');
    await player.playRound(1765000200, 5, LightBlue);
    await player.setClock(1765000300);
    await player.answerMessage(await player.say('StageClearedFormat', 1));
    await player.page.waitForSelector('#splash[open]');
    await player.page.waitForFunction(() => page.timerPeriod === 2000, {timeout: 3000});  // after the splash
    await player.playRound(1765000300, 5, LightBlue, 3);
    await player.answerMessage(await player.say('WrongClickText'));
    const texts = await player.result('challenge-result');
    assert.ok(texts.includes(await player.say('ChallengeBestNewFormat', 1)), texts.join('|'));
    assert.match(await player.lastHistoryLine(), /,challenge,5,,3\.0,,,1,Bird$/);
}

// The counts of the games above, and then of the good lines of a file read in.
async function records(player, importedFile) {
    const openRecords = async () => {
        await player.page.click('#system-menu-button');
        await player.page.click('#records-item');
        await player.page.waitForSelector('#records[open]');
        return player.page.$eval('#records .records-games', (label) => label.textContent);
    };
    assert.equal(await openRecords(), await player.say('GamesPlayedFormat', 2, 1));
    // Saved to a file: the very bytes kept, which the exe reads as its own history.csv.
    const [name, saved] = await player.page.evaluate(async () => {
        let file = null, name = null;
        URL.createObjectURL = (blob) => { file = blob; return 'blob:kept'; };
        HTMLAnchorElement.prototype.click = function () { name = this.download; };  // no real download
        document.querySelector('#records .push').click();
        return [name, String.fromCharCode(...new Uint8Array(await file.arrayBuffer()))];
    });
    assert.equal(name, 'history.csv');
    assert.equal(saved, await player.page.evaluate(() => localStorage.getItem('glimmark/history.csv')));
    assert.equal(saved.split('\r\n').length, 5);  // the header, three games and the last line end
    const [chooser] = await Promise.all([player.page.waitForFileChooser(),
                                         player.page.$$eval('#records .push', (buttons) => buttons[1].click())]);
    await chooser.accept([importedFile]);  // its two bad lines and its header are skipped
    const expected = await player.say('GamesPlayedFormat', 3, 3);
    await player.page.waitForFunction((text) => document.querySelector('#records[open] .records-games')
        ?.textContent === text, {timeout: 5000}, expected);
    await player.page.keyboard.press('Escape');
    await player.page.waitForSelector('#records:not([open])');
}

// The page's elements that run past the screen, and the page itself where it would scroll.
function outsideScreen() {
    const outside = [...document.querySelectorAll('body *')].filter((shown) => {
        const box = shown.getBoundingClientRect();
        return box.width > 0 && (box.left < -0.5 || box.top < -0.5 || box.right > innerWidth + 0.5 ||
                                 box.bottom > innerHeight + 0.5);
    });
    const root = document.documentElement;
    if (root.scrollWidth > innerWidth || root.scrollHeight > innerHeight) {
        outside.push(root);
    }
    return outside.map((shown) => shown.id || shown.className || shown.tagName);
}

// A fixed game of two rounds by touch on a phone held upright and then on its side, and the records:
// cells a finger can hit, and the board, the bars and each box the game opens within the screen.
async function phoneGames(player) {
    player.touch = true;
    let second = 1765000400;
    for (const [width, height] of [[390, 844], [844, 390]]) {
        await player.page.setViewport({width, height, isMobile: true, hasTouch: true, deviceScaleFactor: 3});
        await player.page.waitForFunction(() => typeof game !== 'undefined' && game.text && !busy);
        await player.page.evaluate(() => game.setCourse(0));
        const box = await player.boardBox();
        assert.ok(box.width / box.cellsAcross >= 24, `${width} x ${height}: ${box.width / box.cellsAcross}`);
        await player.setClock(second += 100);
        await player.toolbar('StartButton');
        await player.playRound(second, 2, LightBlue);
        await player.setClock(second += 100);
        await player.page.waitForSelector('#message[open]');
        assert.deepEqual(await player.page.evaluate(outsideScreen), []);
        await player.hit('#message .ok');
        await player.playRound(second, 2, LightBlue);
        await player.page.waitForSelector('#fixed-result[open]');
        assert.deepEqual(await player.page.evaluate(outsideScreen), []);
        await player.hit('#fixed-result .push');
        await player.hit('#records-item');
        await player.page.waitForSelector('#records[open] .chart');
        assert.deepEqual(await player.page.evaluate(outsideScreen), []);
        await player.hit('#records .push:last-of-type');
        await player.page.waitForSelector('#records:not([open])');
    }
}

const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', '--lang=en-US'],
});
const player = new Player(browser);
try {
    await storageRefused(player);
    await settingsAreKept(player);
    await fixedGames(player);
    await challengeGame(player);
    await records(player, path.join(path.dirname(new URL(import.meta.url).pathname), 'imported-history.csv'));
    await phoneGames(player);
    console.log('web play-through passed');
} catch (failure) {
    // What the player saw when it went wrong, for whoever reads the log.
    await player.page?.screenshot({path: 'playthrough-failure.png'});
    throw failure;
} finally {
    await browser.close();
}
