// Measures glimmark.html in headless Chromium, each figure against a yardstick from the same run:
// its size, opening it to the first painted board against a page that draws one canvas, and a
// click to the frame that shows its judgement against the frame interval. Given the served app's
// folder, also a repeat visit of it from its service worker, against the floor page served alike.
//   node web_bench.mjs GLIMMARK_HTML FLOOR_HTML RUNS [APP_FOLDER]
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import {createRequire} from 'node:module';
import {placement} from '../tests/web/placement.mjs';

const require = createRequire(path.resolve('tests/web/package.json'));
const puppeteer = (await import(require.resolve('puppeteer-core'))).default;
const [gamePage, floorPage, runs] = [path.resolve(process.argv[2]), path.resolve(process.argv[3]),
                                     Number(process.argv[4] || 11)];
const appFolder = process.argv[5] && path.resolve(process.argv[5]);
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run'],
});

// From the start of the navigation to the frame that first shows the board; stored settings spare the warning.
async function openToBoard(address) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => localStorage.setItem('glimmark/setdata.ini', '9\r\n30\r\n10\r\n4\r\n0\r\n1\r\n'));
    await page.goto(address);
    const time = await boardPaintedTime(page);
    return {page, context, time};
}

async function boardPaintedTime(page) {
    await page.waitForFunction(() => performance.getEntriesByName('glimmark-board-painted').length > 0);
    return page.evaluate(() => performance.getEntriesByName('glimmark-board-painted')[0].startTime);
}

// The app's folder and the floor page from one server on 127.0.0.1, so that both are served alike.
async function serve() {
    const types = {'.html': 'text/html', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json',
                   '.png': 'image/png'};
    const server = http.createServer((request, response) => {
        const name = path.basename(new URL(request.url, 'http://host').pathname) || 'index.html';
        const file = name === 'floor.html' ? floorPage : path.join(appFolder, name);
        fs.readFile(file, (error, bytes) => {
            response.writeHead(error ? 404 : 200, {'Content-Type': types[path.extname(name)] || 'text/plain'});
            response.end(error ? '' : bytes);
        });
    });
    await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
    return server;
}

// Each a repeat visit: the app's worker is installed, and the floor page has been loaded once.
async function repeatVisits(address) {
    const first = await openToBoard(address);
    await first.page.evaluate(() => document.querySelector('link[rel=manifest]') && navigator.serviceWorker.ready);
    await first.page.reload();
    const times = [];
    for (let run = 0; run < runs; ++run) {
        await first.page.goto(address);
        times.push(await boardPaintedTime(first.page));
    }
    await first.context.close();
    return times;
}

// Each press on the due target, from the event to the next animation frame, which shows its judgement.
async function clicksToFrames(page) {
    await page.evaluate(() => {
        window.clickFrames = [];
        canvas.addEventListener('pointerdown', (event) => requestAnimationFrame(
            (frame) => window.clickFrames.push(frame - event.timeStamp)), {capture: true});
        Date.now = () => 1765000000000;
    });
    await page.click('#toolbar .tool');
    await page.waitForFunction(() => displayDeadline === null && page.timerPeriod > 0, {timeout: 10000});
    const box = await (await page.$('#board')).boundingBox();
    for (const [column, row] of placement(1765000000, 9)) {
        await page.mouse.click(box.x + (column * 32 + 16) * box.width / 640, box.y + (row * 32 + 16) * box.height / 480);
    }
    await page.waitForFunction(() => window.clickFrames.length === 9);
    return page.evaluate(() => window.clickFrames);
}

async function frameInterval(page) {
    return page.evaluate(() => new Promise((resolve) => {
        const frames = [];
        const next = (time) => {
            frames.push(time);
            if (frames.length < 31) {
                requestAnimationFrame(next);
            } else {
                resolve(frames.slice(1).map((time, index) => time - frames[index]).sort((a, b) => a - b)[15]);
            }
        };
        requestAnimationFrame(next);
    }));
}

const gameTimes = [], floorTimes = [];
let clicks = [], interval = 0;
for (let run = 0; run < runs; ++run) {  // alternating, so that a busy moment weighs on both
    const game = await openToBoard('file://' + gamePage);
    gameTimes.push(game.time);
    if (run === 0) {
        clicks = await clicksToFrames(game.page);
        interval = await frameInterval(game.page);
    }
    await game.context.close();
    const floor = await openToBoard('file://' + floorPage);
    floorTimes.push(floor.time);
    await floor.context.close();
}
let served = null;
if (appFolder) {
    const server = await serve();
    const address = `http://127.0.0.1:${server.address().port}/`;
    const [appTimes, floorServed] = [await repeatVisits(address), await repeatVisits(address + 'floor.html')];
    served = {app: median(appTimes), floor: median(floorServed)};
    server.close();
}
await browser.close();

const size = fs.statSync(gamePage).size, floorSize = fs.statSync(floorPage).size;
const [gameOpen, floorOpen, click] = [median(gameTimes), median(floorTimes), median(clicks)];
console.log(`size: glimmark.html ${size} bytes, floor page ${floorSize} bytes; ${(size / 204800).toFixed(2)} of 200 KB`);
console.log(`open to first painted board, median of ${runs}: glimmark.html ${gameOpen.toFixed(1)} ms, ` +
            `floor ${floorOpen.toFixed(1)} ms; ratio ${(gameOpen / floorOpen).toFixed(2)}`);
if (served) {
    console.log(`repeat visit of the served app from its service worker, median of ${runs}: ${served.app.toFixed(1)} ms, ` +
                `floor served ${served.floor.toFixed(1)} ms; ratio ${(served.app / served.floor).toFixed(2)}`);
}
console.log(`click to painted judgement, median of ${clicks.length}: ${click.toFixed(1)} ms, ` +
            `frame interval ${interval.toFixed(1)} ms; ratio ${(click / interval).toFixed(2)}, ` +
            `longest ${Math.max(...clicks).toFixed(1)} ms`);
