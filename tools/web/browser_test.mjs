// The arcade's web page in a real browser: the system's Chromium, headless, driven through
// puppeteer-core. Serves the web build on 127.0.0.1 (a port the system picks), then
//   1. loads the page and waits for "arcade: title" on the console (the time it took is printed),
//   2. presses keys through the title, character select and map to stage1 and sees its fade-in,
//   3. takes a screenshot of the stage and checks it is not blank, and measures the frames there,
//   4. goes down the title to QUIT with the cursor keys and sees the page say the game ended,
//   5. plays the golden stage3 replay in the page (headless, as fast as it goes) and checks its
//      end line against the digest the desktop wrote,
//   6. at 1024x768, 1280x720 and 390x844 sees no scrollbar and the picture at 4:3 inside the window,
//   7. on a touch screen: taps choose 1 PLAYER, a fighter and stage1 on the map, the d-pad
//      held walks player 1 to the right while a second finger presses ATTACK, and PAUSE then a
//      tap on the pause box's TITLE goes back to the title,
//   8. changes the settings (hard, one life) and saves a high score, reloads and finds both kept,
//   9. with the server gone after a visit, reloads and still reaches the title.
// Usage: node browser_test.mjs WEB_BUILD_FOLDER REPLAYS_FOLDER CONTENT_FOLDER [--measure]
// Exit status: 0 passed, 1 failed, 77 skipped (no Chromium, no web build), with the reason.
// --measure instead shows the stage3 replay at the game's pace for a while and prints how the
// browser's software renderer keeps up (the figures in docs/performance.md).
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';

import { ConsoleWatch, STEP_MS, runReported, startBrowser } from './browser_common.mjs';
import { decodePng } from './png.mjs';

const [buildFolder, replaysFolder, contentFolder] = process.argv.slice(2, 5).map((p) => resolve(p));
const MEASURE = process.argv.includes('--measure');
const MEASURE_SECONDS = 20;
const REPLAY_MS = 300000;
const HOLD_MS = 500;
// The page's window sizes: a desktop's, a wide laptop's and a portrait phone's.
const WINDOWS = [[1024, 768], [1280, 720], [390, 844]];
// How long the d-pad is held before the fighter must have moved (not a timing check: the test
// waits for the move, up to STEP_MS).
const WALK_POLL_MS = 100;
const PAUSED_PHASE = 1;  // the stage's phase while its pause box shows
const TEST_SCORE = 4321;

// A stage frame has many colours and little black; a blank canvas has one colour.
function describeScreenshot(png) {
  const image = decodePng(png);
  const colours = new Set();
  let dark = 0;
  for (let i = 0; i < image.pixels.length; i += image.channels) {
    const [r, g, b] = [image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]];
    if (colours.size < 1000) colours.add((r << 16) | (g << 8) | b);
    if (r + g + b < 24) ++dark;
  }
  return { colours: colours.size, darkShare: dark / (image.width * image.height) };
}

// Main-thread time of each of the page's frame callbacks, and how often they came.
async function measureFrames(page, seconds) {
  return page.evaluate((ms) => new Promise((done) => {
    const work = [];
    let begin = 0;
    Module.preMainLoop = () => { begin = performance.now(); };
    Module.postMainLoop = () => { work.push(performance.now() - begin); };
    setTimeout(() => {
      Module.preMainLoop = Module.postMainLoop = undefined;
      work.sort((a, b) => a - b);
      done({ frames: work.length, median: work[work.length >> 1], worst: work[work.length - 1] });
    }, ms);
  }), seconds * 1000);
}

async function playToStage1(browser, origin, report) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1100, height: 850 });
  const watch = new ConsoleWatch(page);
  const start = performance.now();
  await page.goto(`${origin}/index.html`);
  await watch.waitFor('arcade: title', 'title');
  report.push(`time to the title: ${((performance.now() - start) / 1000).toFixed(2)} s`);
  // One player (the first entry), then player 1's fighter. The map reads attack as held, and
  // its fade to the stage runs only once the key is let go.
  await page.keyboard.press('Enter');
  await watch.waitFor('arcade: select', 'character select');
  await page.keyboard.press('c');
  await watch.waitFor('arcade: map', 'map');
  await page.keyboard.press('z', { delay: HOLD_MS });
  await watch.waitFor('arcade: stage world1/stage1', 'stage1');
  await watch.waitFor('0.025', 'first fade-in step');
  await watch.waitFor('1.000', 'end of the fade-in');
  const fade = watch.lines.filter((l) => /^\d\.\d{3}$/.test(l.line));
  const fadeMs = (fade[fade.length - 1].at - fade[0].at) / (fade.length - 1);
  report.push(`fade-in on stage1: ${fade.length} steps, ${fadeMs.toFixed(1)} ms apart (the game's slot: 17 ms)`);
  const frames = await measureFrames(page, 5);
  report.push(`stage1 frame callbacks over 5 s: ${frames.frames}, main-thread work median ` +
    `${frames.median.toFixed(1)} ms, worst ${frames.worst.toFixed(1)} ms`);
  const canvas = await page.$('#canvas');
  const shot = describeScreenshot(await canvas.screenshot({ type: 'png' }));
  report.push(`stage1 screenshot: ${shot.colours} colours, ${(100 * shot.darkShare).toFixed(0)} % near black`);
  if (shot.colours < 16 || shot.darkShare > 0.9) throw new Error('the stage screenshot is blank');
  await page.close();
}

// The cursor keys reach the game (the browser numbers them otherwise), and QUIT ends it with
// the page saying so.
async function quitFromTitle(browser, origin, report) {
  const page = await browser.newPage();
  const watch = new ConsoleWatch(page);
  await page.goto(`${origin}/index.html`);
  await watch.waitFor('arcade: title', 'title');
  // Down twice: past 2 PLAYERS and the greyed CONTINUE, to QUIT.
  for (const key of ['ArrowDown', 'ArrowDown', 'Enter']) {
    await page.keyboard.press(key);
    await new Promise((later) => setTimeout(later, HOLD_MS));
  }
  await page.waitForFunction(() => /has ended/.test(document.getElementById('message').textContent),
    { timeout: STEP_MS });
  report.push('QUIT on the title ended the game and the page said so');
  await page.close();
}

async function playReplay(browser, origin, report) {
  const digest = readFileSync(join(replaysFolder, 'stage3.digest'), 'utf8').trim().split('\n');
  const expected = digest[digest.length - 1];
  const page = await browser.newPage();
  const watch = new ConsoleWatch(page);
  const start = performance.now();
  await page.goto(`${origin}/index.html?replay=stage3&headless`);
  const end = await watch.waitFor(/^end /, 'end line of the stage3 replay', REPLAY_MS);
  report.push(`stage3 replay: ${((performance.now() - start) / 1000).toFixed(1)} s`);
  if (end !== expected) throw new Error(`the replay ended on\n  ${end}\nand the desktop on\n  ${expected}`);
  await page.close();
}

// Frames of the shown stage3 replay: the work of each frame callback on the page's thread, and
// the time from one shown frame to the next, which takes in the renderer's share.
async function measureStage3(browser, origin, report) {
  const page = await browser.newPage();
  const watch = new ConsoleWatch(page);
  await page.goto(`${origin}/index.html?replay=stage3`);
  await watch.waitFor('1.000', 'end of the stage3 fade-in');
  const frames = await measureFrames(page, MEASURE_SECONDS);
  report.push(`stage3 shown, ${MEASURE_SECONDS} s: ${frames.frames} frames, ` +
    `${(1000 * MEASURE_SECONDS / frames.frames).toFixed(1)} ms apart on average; main-thread work median ` +
    `${frames.median.toFixed(1)} ms, worst ${frames.worst.toFixed(1)} ms`);
  await page.close();
}

// The point of the page where picture pixel (x, y) is shown.
async function onPicture(page, x, y) {
  return page.evaluate((px, py) => {
    const box = document.getElementById('canvas').getBoundingClientRect();
    return [box.left + (px + 0.5) * box.width / 1024, box.top + (py + 0.5) * box.height / 768];
  }, x, y);
}

async function fitsEveryWindow(browser, origin, report) {
  const page = await browser.newPage();
  const watch = new ConsoleWatch(page);
  await page.goto(`${origin}/index.html`);
  await watch.waitFor('arcade: title', 'title');
  for (const [width, height] of WINDOWS) {
    await page.setViewport({ width, height });
    const fit = await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => {
      const root = document.documentElement;
      const box = document.getElementById('canvas').getBoundingClientRect();
      done({ scrollWidth: root.scrollWidth, scrollHeight: root.scrollHeight, width: innerWidth, height: innerHeight,
        left: box.left, top: box.top, right: box.right, bottom: box.bottom });
    })));
    const where = `at ${width}x${height}`;
    if (fit.scrollWidth > fit.width || fit.scrollHeight > fit.height)
      throw new Error(`${where} the page scrolls: ${fit.scrollWidth}x${fit.scrollHeight}`);
    const [shownWidth, shownHeight] = [fit.right - fit.left, fit.bottom - fit.top];
    if (Math.abs(shownWidth * 3 - shownHeight * 4) > 4)
      throw new Error(`${where} the picture is ${shownWidth}x${shownHeight}, not 4:3`);
    if (fit.left < 0 || fit.top < 0 || fit.right > fit.width + 0.5 || fit.bottom > fit.height + 0.5)
      throw new Error(`${where} the picture leaves the window`);
    if (shownWidth < width - 1 && shownHeight < height - 1)
      throw new Error(`${where} the picture (${shownWidth}x${shownHeight}) could be larger`);
    report.push(`${where}: picture ${shownWidth.toFixed(0)}x${shownHeight.toFixed(0)}, no scrollbar`);
  }
  await page.close();
}

// The map's node of stage1 in the content's own words ("NODE n x y left right up down stage").
function stage1Node() {
  const lines = readFileSync(join(contentFolder, 'stage/world1/overworlddata.dat'), 'utf8').split('\n');
  const node = lines.map((l) => l.trim().split(/\s+/)).find((f) => f[0] === 'NODE' && f[8] === 'stage1');
  return [Number(node[2]), Number(node[3])];
}

async function touchToStage1(browser, origin, report) {
  const page = await browser.newPage();
  await page.setViewport({ width: 844, height: 390, hasTouch: true, isMobile: true });
  const watch = new ConsoleWatch(page);
  await page.goto(`${origin}/index.html`);
  await watch.waitFor('arcade: title', 'title');
  const tap = async (x, y) => page.touchscreen.tap(...await onPicture(page, x, y));
  await tap(300, 260);  // on 1 PLAYER's plate
  await watch.waitFor('arcade: select', 'character select after a tap');
  const shown = await page.$eval('#dpad', (e) => getComputedStyle(e).display !== 'none');
  if (!shown) throw new Error('the touch controls are not shown after a touch');
  await tap(245, 645);  // the first fighter's box
  await watch.waitFor('arcade: map', 'map after a tap on a fighter');
  await tap(...stage1Node());
  await watch.waitFor('arcade: stage world1/stage1', 'stage1 after a tap on its node');
  await watch.waitFor('1.000', 'end of the fade-in');
  const before = await page.evaluate(() => Module._pagePlayerX(0));
  const dpad = await page.$eval('#dpad', (e) => { const b = e.getBoundingClientRect(); return [b.left, b.top, b.width]; });
  const attack = await page.$eval('#attack', (e) => { const b = e.getBoundingClientRect(); return [b.left + b.width / 2, b.top + b.height / 2]; });
  // Right on the cross, held, while another finger presses ATTACK.
  const finger = await page.touchscreen.touchStart(dpad[0] + dpad[2] * 0.9, dpad[1] + dpad[2] / 2);
  const second = await page.touchscreen.touchStart(...attack);
  await second.end();
  await page.waitForFunction((x) => Module._pagePlayerX(0) > x + 20, { timeout: STEP_MS, polling: WALK_POLL_MS }, before);
  const after = await page.evaluate(() => Module._pagePlayerX(0));
  await finger.end();
  // PAUSE on its button, then a tap on the pause box's TITLE line.
  const pause = await page.$eval('#pause', (e) => { const b = e.getBoundingClientRect(); return [b.left + b.width / 2, b.top + b.height / 2]; });
  watch.lines = [];
  await page.touchscreen.tap(...pause);
  await page.waitForFunction((phase) => Module._pageArcadePhase() === phase, { timeout: STEP_MS, polling: WALK_POLL_MS },
    PAUSED_PHASE);
  await tap(512, 440);
  await watch.waitFor('arcade: title', 'the title after PAUSE and a tap on TITLE');
  report.push(`touch: taps chose 1 PLAYER, a fighter and stage1; the held d-pad walked player 1 from x ${before} to ${after}; PAUSE and a tap on TITLE left the stage`);
  await page.close();
}

// Every copy of the player's files into the browser's storage has finished.
async function playerFilesKept(page, atLeast) {
  await page.waitForFunction((n) => playerFiles.kept >= n && !playerFiles.copying, { timeout: STEP_MS }, atLeast);
}

async function keepsSettings(browser, origin, report) {
  const page = await browser.newPage();
  const watch = new ConsoleWatch(page);
  await page.goto(`${origin}/index.html`);
  await watch.waitFor('arcade: title', 'title');
  const press = async (keys) => {
    for (const key of keys) {
      await page.keyboard.press(key);
      await new Promise((later) => setTimeout(later, HOLD_MS));
    }
  };
  // Up from 1 PLAYER wraps to ONLINE, once more to OPTIONS; GAME is the fifth row; hard, then
  // down to one life.
  await press(['ArrowUp', 'ArrowUp', 'Enter']);
  await watch.waitFor('arcade: options', 'options');
  watch.lines = [];
  await press(['ArrowDown', 'ArrowDown', 'ArrowDown', 'ArrowDown', 'Enter', 'ArrowRight', 'ArrowDown', 'ArrowLeft',
    'ArrowLeft', 'Escape', 'Escape']);
  await playerFilesKept(page, 1);
  const path = '/home/web_user/.config/brawler/settings.txt';
  const before = await page.evaluate((p) => FS.readFile(p, { encoding: 'utf8' }), path);
  if (!/^lives 1$/m.test(before)) throw new Error(`the settings were not changed to 1 life:\n${before}`);
  // A high score, saved as the initials screen saves a run's.
  const kept = await page.evaluate(() => playerFiles.kept);
  await page.evaluate((score) => Module._pageTestHighScore(score), TEST_SCORE);
  await playerFilesKept(page, kept + 1);
  const scoresPath = '/home/web_user/.local/share/brawler/scores.txt';
  const scores = await page.evaluate((p) => FS.readFile(p, { encoding: 'utf8' }), scoresPath);
  watch.lines = [];
  await page.reload();
  await watch.waitFor('arcade: title', 'title after the reload');
  const after = await page.evaluate((p) => FS.readFile(p, { encoding: 'utf8' }), path);
  if (after !== before) throw new Error(`after a reload the settings read\n${after}\ninstead of\n${before}`);
  const scoresAfter = await page.evaluate((p) => FS.readFile(p, { encoding: 'utf8' }), scoresPath);
  if (scoresAfter !== scores || !new RegExp(`^${TEST_SCORE} TST `, 'm').test(scores))
    throw new Error(`after a reload the high scores read\n${scoresAfter}\ninstead of\n${scores}`);
  report.push('settings changed in the page and a high score were there after a reload');
  await page.close();
}

async function startsOffline(browser, origin, server, report) {
  const page = await browser.newPage();
  const watch = new ConsoleWatch(page);
  await page.goto(`${origin}/index.html`);
  await watch.waitFor('arcade: title', 'title');
  await page.evaluate(() => navigator.serviceWorker.ready);
  server.cut = true;
  try {
    const start = performance.now();
    watch.lines = [];
    await page.reload();
    await watch.waitFor('arcade: title', 'title offline');
    report.push(`offline: the title after ${((performance.now() - start) / 1000).toFixed(2)} s with the server gone`);
  } finally {
    server.cut = false;
  }
  await page.close();
}

async function main() {
  const { browser, server, origin, close } = await startBrowser(buildFolder, REPLAY_MS);
  await runReported(async (report) => {
    try {
      if (MEASURE) {
        await measureStage3(browser, origin, report);
      } else {
        await playToStage1(browser, origin, report);
        await quitFromTitle(browser, origin, report);
        await playReplay(browser, origin, report);
        await fitsEveryWindow(browser, origin, report);
        await touchToStage1(browser, origin, report);
        await keepsSettings(browser, origin, report);
        await startsOffline(browser, origin, server, report);
      }
    } finally {
      await close();
    }
  }, MEASURE ? 'measured' : 'browser test passed');
}

main();
