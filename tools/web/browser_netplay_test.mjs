// The page online, against desktop peers, through one lobby on 127.0.0.1: the page reaches the
// lobby's WebSocket port, the desktop's brawler-replay its UDP port, and the lobby relays the
// game's packets between the two kinds. Each side plays its column of the golden stage1 fight,
//   1. the page hosting a room and the desktop joining it by its code,
//   2. the desktop hosting and the page joining,
//   3. two desktop peers playing while the page watches the room,
// and every side, the watcher too, must end on the end line that a plain replay of the controls
// both players agreed on reaches. Then the arcade's ONLINE screens in two pages meet in a room,
// one hosting from the title and the other joining by a link with the code.
// Usage: node browser_netplay_test.mjs WEB_BUILD LOBBY_PROGRAM REPLAY_PROGRAM CONTENT REPLAYS [--measure]
// Exit status: 0 passed, 1 failed, 77 skipped (no Chromium, no web build, a lobby without a
// WebSocket port), with the reason.
// --measure instead plays the whole fight with 60 ms held on each side's packets and prints the
// page's traffic each way and the delay its player feels (the figures in docs/performance.md),
// and the page's download as a server compresses it.
import { spawn } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';

import { ConsoleWatch, STEP_MS, runReported, skip, startBrowser } from './browser_common.mjs';

const [buildFolder, lobbyProgram, replayProgram, contentFolder, replaysFolder] =
  process.argv.slice(2, 7).map((p) => resolve(p));
const MEASURE = process.argv.includes('--measure');
const FIGHT = 'stage1';
// Ten seconds of the fight: long enough for rollbacks both ways, short enough for every run.
const TICKS = 600;
const LATENCY_MS = 60;
const HOLD_MS = 500;
const FIGHT_MS = 180000;
const LOBBY_LINE = /lobby listening on port (\d+) \(\d+ rooms\), websocket port (\d+)/;
// Where the desktop sides write the agreed controls.
const scratch = mkdtempSync(join(tmpdir(), 'brawler-netplay-'));

// A program of this machine, its output kept as lines, with a way to wait for one.
class Program {
  constructor(path, args, cwd) {
    this.out = '';
    this.waiters = [];
    this.child = spawn(path, args, { cwd, stdio: ['ignore', 'pipe', 'pipe'] });
    for (const stream of [this.child.stdout, this.child.stderr]) {
      stream.setEncoding('utf8');
      stream.on('data', (text) => {
        this.out += text;
        this.waiters = this.waiters.filter((w) => !w());
      });
    }
    this.exited = new Promise((done) => this.child.on('exit', (code) => {
      this.code = code;
      this.waiters = this.waiters.filter((w) => !w());
      done(code);
    }));
  }

  // The first match of `pattern` in the output; fails when the program ends or `ms` pass first.
  waitFor(pattern, what, ms = STEP_MS) {
    return new Promise((found, failed) => {
      const timer = setTimeout(() => failed(new Error(`no ${what} within ${ms / 1000} s:\n${this.out}`)), ms);
      const look = () => {
        const match = pattern.exec(this.out);
        if (match) {
          clearTimeout(timer);
          found(match);
          return true;
        }
        if (this.code !== undefined) {
          clearTimeout(timer);
          failed(new Error(`ended (${this.code}) before the ${what}:\n${this.out}`));
          return true;
        }
        return false;
      };
      if (!look()) this.waiters.push(look);
    });
  }

  stop() {
    if (this.code === undefined) this.child.kill('SIGTERM');
    return this.exited;
  }
}

// A desktop side writes the controls both sides agreed on to `out`.
function desktopNetplay(lobby, args, out) {
  return new Program(replayProgram, ['netplay', '--lobby', `127.0.0.1:${lobby.udp}`, ...args,
    '--inputs', join(replaysFolder, `${FIGHT}.replay`), '--out', out], contentFolder);
}

// The end line a plain replay of the agreed controls reaches: every side must end on it.
async function agreedEnd(out) {
  const replay = new Program(replayProgram, ['digest', out], contentFolder);
  const [line] = await replay.waitFor(/^end .*$/m, 'digest of the agreed controls');
  await replay.exited;
  return line;
}

async function openPage(browser, origin, lobby, query) {
  const page = await browser.newPage();
  const watch = new ConsoleWatch(page);
  await page.goto(`${origin}/index.html?netplay=${FIGHT}&lobby=127.0.0.1:${lobby.ws}&${query}`);
  return { page, watch };
}

// Every side's end line, then the one the agreed controls replay to: all the same.
async function sameEnd(sides, out, name, report) {
  const ends = await Promise.all(sides.map(([, end]) => end));
  const expected = await agreedEnd(out);
  for (let i = 0; i < sides.length; ++i)
    if (ends[i] !== expected) throw new Error(`${name}: the ${sides[i][0]} ended on\n  ${ends[i]}\nnot\n  ${expected}`);
  report.push(`${name}: ${sides.map(([who]) => who).join(', ')} and the agreed controls replayed ended on ` +
    expected.split(' ').slice(0, 3).join(' '));
}

const desktopEnd = async (program) => (await program.waitFor(/^end .*$/m, 'end line', FIGHT_MS))[0];

async function pageHosts(browser, origin, lobby, report) {
  const { page, watch } = await openPage(browser, origin, lobby, `ticks=${TICKS}`);
  const code = (await watch.waitFor(/^netplay room [A-Z0-9]{4}$/, 'room code')).split(' ')[2];
  const out = join(scratch, 'page-hosts.replay');
  const joiner = desktopNetplay(lobby, ['--join-room', code], out);
  try {
    await sameEnd([['page', watch.waitFor(/^end /, 'end line', FIGHT_MS)], ['desktop', desktopEnd(joiner)]], out,
      `the page hosted room ${code}, the desktop joined over UDP`, report);
  } finally {
    await joiner.stop();
    await page.close();
  }
}

async function desktopHosts(browser, origin, lobby, report) {
  const out = join(scratch, 'desktop-hosts.replay');
  const host = desktopNetplay(lobby, ['--host-room', '--ticks', String(TICKS)], out);
  try {
    const code = (await host.waitFor(/^netplay room ([A-Z0-9]{4})$/m, 'room code'))[1];
    const { page, watch } = await openPage(browser, origin, lobby, `join=${code}`);
    await sameEnd([['desktop', desktopEnd(host)], ['page', watch.waitFor(/^end /, 'end line', FIGHT_MS)]], out,
      `the desktop hosted room ${code}, the page joined`, report);
    await page.close();
  } finally {
    await host.stop();
  }
}

async function pageWatches(browser, origin, lobby, report) {
  const out = join(scratch, 'watched.replay');
  const host = desktopNetplay(lobby, ['--host-room', '--ticks', String(TICKS)], out);
  let joiner = null;
  try {
    const code = (await host.waitFor(/^netplay room ([A-Z0-9]{4})$/m, 'room code'))[1];
    joiner = desktopNetplay(lobby, ['--join-room', code], join(scratch, 'watched-joiner.replay'));
    await host.waitFor(/^netplay playing /m, 'the fight beginning');
    const { page, watch } = await openPage(browser, origin, lobby, `watch=${code}`);
    await sameEnd([['host', desktopEnd(host)], ['joiner', desktopEnd(joiner)],
      ['watching page', watch.waitFor(/^end /, 'end line', FIGHT_MS)]],
    out, `two desktops played room ${code}, the page watched`, report);
    await page.close();
  } finally {
    await host.stop();
    if (joiner) await joiner.stop();
  }
}

// The arcade's own ONLINE screens in two pages: one hosts a room from the title's ONLINE entry,
// the other opens the link with its code and goes straight to joining; both begin the run.
async function pagesMeetInTheArcade(browser, origin, lobby, report) {
  const host = await browser.newPage();
  const hostWatch = new ConsoleWatch(host);
  await host.goto(`${origin}/index.html?lobby=127.0.0.1:${lobby.ws}`);
  await hostWatch.waitFor('arcade: title', 'title');
  const press = async (key) => {
    await host.keyboard.press(key);
    await new Promise((later) => setTimeout(later, HOLD_MS));
  };
  // Up from 1 PLAYER is ONLINE; its first row is HOST.
  await press('ArrowUp');
  await press('Enter');
  await hostWatch.waitFor('arcade: online', 'online menu');
  await press('Enter');
  await hostWatch.waitFor(/^arcade: room hosting through ws:\/\//, 'room');
  const code = (await hostWatch.waitFor(/^arcade: online room [A-Z0-9]{4}$/, 'room code')).split(' ')[3];
  // A browser of its own: a page behind another tab gets no frames, as a hidden tab does not.
  const second = await startBrowser(buildFolder, FIGHT_MS);
  try {
    const joiner = await second.browser.newPage();
    const joinerWatch = new ConsoleWatch(joiner);
    await joiner.goto(`${second.origin}/index.html?lobby=127.0.0.1:${lobby.ws}&join=${code.toLowerCase()}`);
    for (const [watch, who] of [[joinerWatch, 'joiner'], [hostWatch, 'host']]) {
      await watch.waitFor(/^arcade: online path RELAY/, `${who}'s path`);
      await watch.waitFor('arcade: select', `${who}'s character select`);
    }
    report.push(`the arcade in two pages: ONLINE, HOST gave room ${code}, a link with ?join= joined it, both relayed to select`);
  } finally {
    await second.close();
    await host.close();
  }
}

// The whole fight on a far line, each side holding back its own packets by LATENCY_MS: what
// goes each way through the page's WebSocket, and how late the page's player sees a press.
async function measureFarLine(browser, origin, lobby, report) {
  const { page, watch } = await openPage(browser, origin, lobby, `latency=${LATENCY_MS}`);
  const code = (await watch.waitFor(/^netplay room [A-Z0-9]{4}$/, 'room code')).split(' ')[2];
  const joiner = desktopNetplay(lobby, ['--join-room', code, '--latency', String(LATENCY_MS)],
    join(scratch, 'far-line.replay'));
  try {
    await watch.waitFor(/^end /, 'end line', FIGHT_MS);
    await desktopEnd(joiner);
    const said = (pattern) => (watch.lines.find((l) => pattern.test(l.line)) || { line: '(not said)' }).line;
    report.push(`${LATENCY_MS} ms held on each side's packets, ${FIGHT} whole, the page hosting:`);
    report.push(`  page: ${said(/^netplay sent /)}`);
    report.push(`  page: ${said(/^netplay out per second/)}`);
    report.push(`  page: ${said(/^netplay felt delay/)}`);
    report.push(`  desktop: ${(/^netplay felt delay.*$/m.exec(joiner.out) || ['(not said)'])[0]}`);
  } finally {
    await joiner.stop();
    await page.close();
  }
}

// What a visitor downloads: every file the page keeps, as gzip at its best sends it.
function measureDownload(report) {
  let plain = 0;
  let packed = 0;
  for (const name of readdirSync(buildFolder)) {
    if (!/\.(html|js|wasm|data|webmanifest|png)$/.test(name)) continue;
    const body = readFileSync(join(buildFolder, name));
    if (!statSync(join(buildFolder, name)).isFile()) continue;
    plain += body.length;
    packed += gzipSync(body, { level: 9 }).length;
  }
  const mb = (bytes) => (bytes / 1048576).toFixed(1);
  report.push(`the page's download: ${mb(plain)} MB, ${mb(packed)} MB compressed with gzip`);
}

async function startLobby() {
  const lobby = new Program(lobbyProgram, ['--port', '0', '--ws-port', '0', '--bind', '127.0.0.1'], contentFolder);
  try {
    const [, udp, ws] = await lobby.waitFor(LOBBY_LINE, 'lobby\'s ports', STEP_MS);
    lobby.udp = Number(udp);
    lobby.ws = Number(ws);
  } catch (error) {
    await lobby.stop();
    if (/--ws-port/.test(lobby.out)) skip(`this lobby has no WebSocket port:\n${lobby.out}`);
    throw error;
  }
  return lobby;
}

async function main() {
  const { browser, origin, close } = await startBrowser(buildFolder, FIGHT_MS);
  let lobby = null;
  await runReported(async (report) => {
    try {
      lobby = await startLobby();
      if (MEASURE) {
        measureDownload(report);
        await measureFarLine(browser, origin, lobby, report);
      } else {
        await pageHosts(browser, origin, lobby, report);
        await desktopHosts(browser, origin, lobby, report);
        await pageWatches(browser, origin, lobby, report);
        await pagesMeetInTheArcade(browser, origin, lobby, report);
      }
    } finally {
      if (lobby) await lobby.stop();
      await close();
      rmSync(scratch, { recursive: true, force: true });
    }
  }, MEASURE ? 'measured' : 'browser netplay test passed');
}

main();
