// Serves the installable game (build/web/app) from 127.0.0.1 and checks it as a phone would keep it:
// installable, playable offline with its history kept, and replaced by a newer release.
//   node served.mjs PATH/app
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import {placement} from './placement.mjs';

// A copy, so that a newer release can be put in its place.
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'glimmark-app-'));
fs.cpSync(process.argv[2], folder, {recursive: true});
const types = {'.html': 'text/html', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json',
               '.png': 'image/png'};
const server = http.createServer((request, response) => {
    const name = path.basename(new URL(request.url, 'http://host').pathname) || 'index.html';
    fs.readFile(path.join(folder, name), (error, bytes) => {
        response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(name)] || 'text/plain'});
        response.end(error ? '' : bytes);
    });
});
await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
const address = `http://127.0.0.1:${server.address().port}/`;

const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--lang=en-US'],
});
const page = await browser.newPage();
const gameReady = () => page.waitForFunction(() => typeof game !== 'undefined' && game.text && !busy);

// Two targets, half a second, one try: one round to a result and a line in the history.
async function playRound(second) {
    await page.evaluate((second) => { Date.now = () => second * 1000; }, second);
    await (await page.$$('#toolbar .tool'))[await page.evaluate(() => ToolbarButton.StartButton)].click();
    await page.waitForFunction(() => displayDeadline === null && page.timerPeriod > 0, {timeout: 5000});
    const box = await (await page.$('#board')).boundingBox();
    for (const [column, row] of placement(second, 2)) {
        await page.mouse.click(box.x + (column * 32 + 16) * box.width / 640, box.y + (row * 32 + 16) * box.height / 480);
    }
    await page.waitForSelector('#fixed-result[open]');
    await page.keyboard.press('Enter');
    await page.waitForSelector('#fixed-result:not([open])');
}
const history = () => page.evaluate(() => localStorage.getItem('glimmark/history.csv'));

try {
    await page.goto(address);
    await page.waitForSelector('#message[open]');  // a first visit: no settings yet
    await page.keyboard.press('Enter');
    await page.evaluate(() => localStorage.setItem('glimmark/setdata.ini', '2\r\n5\r\n1\r\n4\r\n0\r\n1\r\n'));
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const session = await page.createCDPSession();
    assert.deepEqual((await session.send('Page.getInstallabilityErrors')).installabilityErrors, []);

    await page.setOfflineMode(true);
    await page.reload();
    await gameReady();
    await playRound(1765000000);
    const line = (await history()).trim().split('\r\n').pop();
    assert.match(line, /,fixed,2,\d+,0\.5,1,1,,\w+$/);
    await page.reload();
    await gameReady();
    assert.ok((await history()).includes(line));

    // A visit that finds localStorage empty, as a page opened from a file now and then does: the spare
    // copy is read, the player is told, and localStorage gets the files back.
    await page.evaluate(() => localStorage.clear());
    await page.reload();
    await page.waitForSelector('#message[open]');
    assert.equal(await page.$eval('#message p', (text) => text.textContent), await page.evaluate(() => say('StorageRestoredText')));
    await page.keyboard.press('Enter');
    await gameReady();
    assert.ok((await history()).includes(line));

    // A newer release: another page and so another worker. The untouched page moves to it at once.
    await page.setOfflineMode(false);
    const worker = path.join(folder, 'service-worker.js');
    fs.writeFileSync(worker, fs.readFileSync(worker, 'utf8').replace(/glimmark-\w+/, 'glimmark-newer'));
    const index = path.join(folder, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('</head>', '<meta name="release" content="newer"></head>'));
    await page.reload();
    await page.waitForSelector('meta[name=release]', {timeout: 10000});
    await gameReady();
    assert.deepEqual(await page.evaluate(() => caches.keys()), ['glimmark-newer']);
    assert.ok((await history()).includes(line));
    console.log('served app passed');
} finally {
    await browser.close();
    server.close();
    fs.rmSync(folder, {recursive: true, force: true});
}
