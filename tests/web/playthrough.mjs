// Plays glimmark.html in Debian's Chromium as a player would: pointer clicks on the board, keys in the
// dialogs, the board read back as canvas pixels. Targets are found by replaying the game's generator
// for the clock second the page is given at each Start.
//   node playthrough.mjs PATH/glimmark.html
import assert from 'node:assert/strict';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import {placement} from './placement.mjs';

const pageUrl = 'file://' + path.resolve(process.argv[2]);
const LightBlue = [0, 255, 255], Green = [0, 255, 0], Red = [255, 0, 0];

// Whether some pixel of the cell has the colour: a cover fills the cell, a number only part of it.
function cellHasColor(column, row, color) {
    const scale = canvas.width / 640;
    const pixels = board.getImageData(column * 32 * scale, row * 32 * scale, 32 * scale, 32 * scale).data;
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

    async waitForColor([column, row], color) {
        await this.page.waitForFunction(cellHasColor, {timeout: 5000}, column, row, color);
    }

    // The judgement is painted by the time the click has been dispatched, without waiting for a frame.
    async checkColor([column, row], color) {
        assert.ok(await this.page.evaluate(cellHasColor, column, row, color), `cell ${column}, ${row}: ${color}`);
    }

    async press([column, row]) {
        const box = await (await this.page.$('#board')).boundingBox();
        await this.page.mouse.click(box.x + (column * 32 + 16) * box.width / 640,
                                    box.y + (row * 32 + 16) * box.height / 480);
    }

    // The toolbar takes no click while an entry point runs (the page's start among them), so the player waits.
    async toolbar(button) {
        await this.page.waitForFunction(() => !busy);
        const index = await this.page.evaluate((name) => ToolbarButton[name], button);
        await (await this.page.$$('#toolbar .tool'))[index].click();
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
    console.log('web play-through passed');
} catch (failure) {
    // What the player saw when it went wrong, for whoever reads the log.
    await player.page?.screenshot({path: 'playthrough-failure.png'});
    throw failure;
} finally {
    await browser.close();
}
