// What the browser tests share: the site served on a port of this machine,
// Debian's Chromium through playwright-core, the native reelctl-script, and
// the panel read back from the page's DOM in the shape of a dump's controls.
//
// Environment: REELCTL_SITE (the site folder), REELCTL_SCRIPT (the native
// reelctl-script), REELCTL_SOURCE (the source tree), CHROMIUM (default
// /usr/bin/chromium).

import { execFile, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';

export const site = process.env.REELCTL_SITE;
export const nativeScript = process.env.REELCTL_SCRIPT;
export const source = process.env.REELCTL_SOURCE;

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.bmp': 'image/bmp',
  '.png': 'image/png',
  '.json': 'application/json',
};

// The site on 127.0.0.1, on a port of the system's choosing.
export async function serve(folder = site) {
  const server = http.createServer((request, response) => {
    const wanted = decodeURIComponent(new URL(request.url, 'http://site').pathname);
    const root = path.resolve(folder);  // a relative REELCTL_SITE too
    const file = path.join(root, path.normalize(wanted.endsWith('/') ? `${wanted}index.html` : wanted));
    if (!file.startsWith(root)) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      response.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

// Headless Chromium as these machines run it.
export function launch() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
}

// A page with the panel open; page errors fail the test that reads `errors`.
// Serves the site and starts Chromium before a test file's tests, and stops
// both after them; the returned object holds them as `server` and `browser`.
// `ready(shared)`, when given, runs in the same hook once both are up (a
// second top-level hook of the file may run before this one has finished).
export function useSiteAndBrowser(ready = async () => {}) {
  const shared = {};
  before(async () => {
    shared.server = await serve();
    shared.browser = await launch();
    await ready(shared);
  });
  after(async () => {
    await shared.browser.close();
    shared.server.close();
  });
  return shared;
}

export async function openPanel(context, url) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  return { page, errors };
}

// reelctl-script natively: {status, stdout, stderr}; `env` adds to the environment.
export function runNative(args, scriptText, env = {}) {
  return new Promise((resolve, reject) => {
    const options = { encoding: 'utf8', maxBuffer: 64 << 20, env: { ...process.env, ...env } };
    const child = execFile(nativeScript, args, options, (error, stdout, stderr) => {
      if (error && typeof error.code !== 'number') reject(error);
      else resolve({ status: error ? error.code : 0, stdout, stderr });
    });
    child.stdin.on('error', () => {});  // --help and bad options end before reading the script
    child.stdin.end(scriptText);
  });
}

// The last dump a native run of `lines` prints.
export async function nativeDump(lines, args = []) {
  const run = await runNative(args, `${lines.join('\n')}\ndump\n`);
  const dumps = run.stdout.trim().split('\n').map((line) => JSON.parse(line)).filter((line) => line.dump);
  return dumps[dumps.length - 1].dump;
}

// The panel as the page shows it now, as reelctl-script's dump line has it
// (the page's own read-back: window.reelctl.dump()).
export const pageDump = (page) => page.evaluate(() => window.reelctl.dump());

// The headers of shared scenarios, read by the one reader every front end's
// comparison uses (tests/support/scenarios.py): for each file, {both, model,
// env, unread, rows, keys, twin, focus, ...} as read_header gives them.
export function readHeaders(files) {
  const program = [
    'import json, sys',
    `sys.path.insert(0, ${JSON.stringify(path.join(source, 'tests/support'))})`,
    'from scenarios import read_header',
    'print(json.dumps([read_header(f) for f in sys.argv[1:]]))',
  ].join('\n');
  const result = spawnSync(process.env.PYTHON || 'python3', ['-c', program, ...files], { encoding: 'utf8', maxBuffer: 64 << 20 });
  if (result.status !== 0) throw new Error(`reading the scenario headers: ${result.stderr}`);
  return JSON.parse(result.stdout);
}

// The options of a scenario for reelctl-script's command line, from its header.
export function headerOptions(header) {
  return [...header.both, ...(header.rows === null ? [] : ['--row-pixels', String(header.rows)])];
}

// The generated user sessions of tests/recorded/generate_scripts.py: their files.
export function generatedSessions(count, seed = 9) {
  const folder = freshDirectory();
  const result = spawnSync(process.env.PYTHON || 'python3',
    [path.join(source, 'tests/recorded/generate_scripts.py'), '--out', folder, '--count', String(count), '--seed', String(seed)],
    { encoding: 'utf8' });
  if (result.status !== 0) throw new Error(`generating sessions: ${result.stderr}`);
  return fs.readdirSync(folder).sort().map((name) => path.join(folder, name));
}

// The dumps of a program's output.
export function dumpsOf(stdout) {
  return stdout.split('\n').filter((line) => line.startsWith('{"dump"')).map((line) => JSON.parse(line).dump);
}

// The focus of each dump against the measured one (`-` matches anything):
// a message when they differ, else null (as focus_failures in scenarios.py).
export function focusFailure(expected, dumps) {
  if (expected === null) return null;
  const shown = dumps.map((dump) => ('focus' in dump ? dump.focus : '-'));
  const same = shown.length === expected.length && expected.every((e, i) => e === '-' || e === shown[i]);
  return same ? null : `focus of the dumps: web ${JSON.stringify(shown)}, measured ${JSON.stringify(expected)}`;
}

// The shared scenarios: the window tests' and the documented example.
export function scenarios() {
  const folder = path.join(source, 'tests/window/scenarios');
  return [
    ...fs.readdirSync(folder).filter((name) => name.endsWith('.script')).sort().map((name) => path.join(folder, name)),
    path.join(source, 'docs/example.script'),
  ];
}

// The panel's controls as the page shows them, keyed and shaped as in a dump.
export function pageControls(page) {
  return page.evaluate(() => {
    const controls = {};
    for (const element of document.querySelectorAll('.client [data-id]')) {
      const id = element.dataset.id;
      if (id === '1001') continue;  // the spare edit box, which no dump shows
      const enabled = !(element.disabled || element.classList.contains('disabled'));
      if (element.classList.contains('edit')) controls[id] = { text: element.value, enabled };
      else if (element.classList.contains('radio')) controls[id] = { visible: !element.hidden, checked: element.checked };
      else if (element.classList.contains('bitmap')) {
        const source = element.getAttribute('src');
        controls[id] = { image: source ? source.replace(/^.*\//, '').replace(/\.bmp$/, '') : null };
      } else if (element.classList.contains('combo-field')) {
        const items = [...element.parentElement.querySelectorAll('li')].map((row) => row.textContent);
        controls[id] = { items, text: element.querySelector('.combo-text').textContent, enabled };
      } else controls[id] = { enabled };
    }
    return controls;
  });
}

// The pictures of the page that are not loaded and drawn: their addresses.
export const brokenPictures = (page) => page.evaluate(() =>
  [...document.images].filter((image) => !image.complete || image.naturalWidth === 0).map((image) => image.src));

export function freshDirectory() {
  return fs.mkdtempSync(path.join(os.tmpdir(), 'reelctl-web-'));
}

// axe-core's WCAG 2.1 A and AA rules on the page as it stands: one line per violation.
const axeScript = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
export async function axeViolations(page) {
  await page.addScriptTag({ path: axeScript });
  return page.evaluate(async () => {
    const result = await window.axe.run(document, { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } });
    return result.violations.map((v) => `${v.id}: ${v.nodes.length} (${v.nodes.slice(0, 2).map((n) => n.target.join(' ')).join(', ')})`);
  });
}
