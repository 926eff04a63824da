// What the page's browser tests share: the system's Chromium found and started headless, the
// web build served on 127.0.0.1, and a page's console lines waited for.
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, resolve, sep } from 'node:path';

export const SKIPPED = 77;
export const STEP_MS = 60000;
// Lines after which the game goes no further.
const STOPPED = /^(replay refused|Error loading|page error|WebGL shader|brawler-replay: )/;
const CHROMIUM_NAMES = ['chromium', 'chromium-browser', 'google-chrome'];
// Headless as root in a container: no sandbox, no GPU, and none of the browser's own network
// traffic (its connections are refused here, many at a time).
const CHROMIUM_FLAGS = ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--autoplay-policy=no-user-gesture-required'];
const MIME = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.png': 'image/png', '.webmanifest': 'application/manifest+json' };

export function skip(reason) {
  console.log(`skipped: ${reason}`);
  process.exit(SKIPPED);
}

// BRAWLER_CHROMIUM when set, else the first of the usual names on PATH.
function findChromium() {
  if (process.env.BRAWLER_CHROMIUM) return process.env.BRAWLER_CHROMIUM;
  for (const name of CHROMIUM_NAMES) {
    try {
      return execFileSync('which', [name], { encoding: 'utf8' }).trim();
    } catch {
      // not this one
    }
  }
  return null;
}

// The build folder's files, and nothing outside it. server.cut drops every connection, as a
// network gone would.
function serve(folder) {
  const server = createServer((request, response) => {
    if (server.cut) {
      request.socket.destroy();
      return;
    }
    const path = new URL(request.url, 'http://127.0.0.1').pathname;
    const file = resolve(folder, '.' + decodeURIComponent(path === '/' ? '/index.html' : path));
    if (!file.startsWith(folder + sep) || !existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    const body = readFileSync(file);
    response.writeHead(200, { 'Content-Type': MIME[extname(file)] || 'application/octet-stream',
      'Content-Length': body.length });
    response.end(body);
  });
  return new Promise((ready) => server.listen(0, '127.0.0.1', () => ready(server)));
}

// The web build served and a headless Chromium with a profile of its own, or the test skipped
// with the reason. close() ends both and removes the profile.
export async function startBrowser(buildFolder, protocolTimeout) {
  if (!existsSync(join(buildFolder, 'index.html')) || !existsSync(join(buildFolder, 'brawler-arcade.js')))
    skip(`no web build in ${buildFolder} (./web --build-only makes one)`);
  const chromium = findChromium();
  if (!chromium) skip('no Chromium on this machine (Debian\'s package: chromium)');
  let puppeteer;
  try {
    puppeteer = (await import('puppeteer-core')).default;
  } catch {
    skip('puppeteer-core is not installed (npm ci in tools/web)');
  }
  const server = await serve(buildFolder);
  const origin = `http://127.0.0.1:${server.address().port}`;
  const profile = mkdtempSync(join(tmpdir(), 'brawler-chromium-'));
  const browser = await puppeteer.launch({ executablePath: chromium, headless: true,
    args: [...CHROMIUM_FLAGS, `--user-data-dir=${profile}`], protocolTimeout });
  const close = async () => {
    await browser.close();
    server.close();
    rmSync(profile, { recursive: true, force: true });
  };
  return { browser, server, origin, close };
}

// Console lines of a page, and a way to wait for one.
export class ConsoleWatch {
  constructor(page) {
    this.lines = [];
    this.waiters = [];
    page.on('console', (message) => {
      const line = message.text();
      this.lines.push({ line, at: performance.now() });
      this.waiters = this.waiters.filter((w) => !w.match(line) || (w.found(line), false));
    });
    page.on('pageerror', (error) => this.lines.push({ line: `page error: ${error.message}`, at: performance.now() }));
  }

  // Resolves with the first line that matches; fails at once on a line that says the game
  // stopped, or when none has come within `ms`.
  waitFor(match, what, ms = STEP_MS) {
    const test = typeof match === 'string' ? (line) => line === match : (line) => match.test(line);
    const story = () => this.lines.slice(-20).map((l) => l.line).join('\n');
    return new Promise((found, failed) => {
      const seen = this.lines.find((l) => test(l.line) || STOPPED.test(l.line));
      if (seen) {
        if (test(seen.line)) found(seen.line);
        else failed(new Error(`the game stopped before the ${what}:\n${story()}`));
        return;
      }
      const timer = setTimeout(() => failed(new Error(`no ${what} within ${ms / 1000} s; the console said:\n${story()}`)), ms);
      this.waiters.push({
        match: (line) => test(line) || STOPPED.test(line),
        found: (line) => {
          clearTimeout(timer);
          if (test(line)) found(line);
          else failed(new Error(`the game stopped before the ${what}:\n${story()}`));
        },
      });
    });
  }
}

// Runs `steps(report)`, prints what it reported, then the verdict: `passed` as the last line, or
// FAILED with the reason and exit status 1.
export async function runReported(steps, passed) {
  const report = [];
  let failure = null;
  try {
    await steps(report);
  } catch (error) {
    failure = error;
  }
  for (const line of report) console.log(line);
  if (failure) {
    console.log(`FAILED: ${failure.message}`);
    process.exit(1);
  }
  console.log(passed);
}
