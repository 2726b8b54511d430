// Every shared panel scenario through the page's runScript, on the panel in
// the page's DOM, against the native reelctl-script with the same options:
// the same exit status, the same notes on standard error, the same JSON
// lines, every key of every dump (the focus included). The scenarios that
// press keys (`# keys`) run with --key-lines: their dumps must be those that
// reelctl-script gives for their mouse twin (`# twin:`), and their focus the
// one measured on the real window (`# focus:`). Then generated user sessions
// (tests/recorded/generate_scripts.py), traced, and the reading of command
// lines.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import {
  dumpsOf, focusFailure, generatedSessions, headerOptions, openPanel, readHeaders, runNative, scenarios, useSiteAndBrowser,
} from './harness.mjs';

// Generated sessions played besides the scenarios (REELCTL_WEB_GENERATED overrides).
const generatedCount = Number(process.env.REELCTL_WEB_GENERATED || 100);

let page;
let errors;

useSiteAndBrowser(async ({ browser, server }) => {
  ({ page, errors } = await openPanel(await browser.newContext(), server.url));
});

function comparable(line, keys) {
  const value = JSON.parse(line);
  if (value.dump) for (const key of keys) delete value.dump[key];
  return value;
}

const runWeb = (text, args) => page.evaluate(([script, options]) => window.reelctl.runScript(script, options), [text, args]);

// After a run, while the panel is shown (not minimized, not ended): the DOM
// focus is on the control where the dialog manager has the focus, or on none.
async function assertDomFollows() {
  const focus = await page.evaluate(() => {
    const active = document.activeElement;
    const inPanel = active && active.closest('.client') && active.dataset.id !== undefined;
    const shown = !document.querySelector('.window.iconic, .stage[hidden], dialog.msgbox');
    return { manager: window.reelctl.focusedId(), dom: inPanel ? Number(active.dataset.id) : -1, shown };
  });
  if (focus.shown) assert.equal(focus.dom, focus.manager, 'the DOM focus is where the dialog manager has the focus');
}

// The page's run and reelctl-script's of the same text and options: every line alike.
async function compare(text, args, unread = [], env = {}) {
  const [web, native] = await Promise.all([runWeb(text, args), runNative(args, text, env)]);
  assert.equal(web.status, native.status, 'exit status');
  assert.equal(web.stderr, native.stderr, 'standard error');
  const webLines = web.stdout.split('\n');
  const nativeLines = native.stdout.split('\n');
  assert.equal(webLines.length, nativeLines.length, 'number of output lines');
  nativeLines.forEach((line, i) => {
    if (!line.startsWith('{')) assert.equal(webLines[i], line, `output line ${i + 1}`);  // --help, --version
    else assert.deepEqual(comparable(webLines[i], unread), comparable(line, unread), `output line ${i + 1}`);
  });
  assert.deepEqual(errors, [], 'no page errors');
  if (dumpsOf(web.stdout).length > 0) await assertDomFollows();  // a run that started a panel
  return { web, native };
}

const envOf = (header) => Object.fromEntries(header.env.map((item) => [item.slice(0, item.indexOf('=')), item.slice(item.indexOf('=') + 1)]));

// A scenario as every front end's comparison plays it (tests/qt/compare_qt.py).
async function playScenario(file, header) {
  const text = fs.readFileSync(file, 'utf8');
  const options = headerOptions(header);
  if (!header.keys && !header.twin) {
    const { native } = await compare(text, [...options, ...header.model], header.unread, envOf(header));
    assert.notEqual(native.stdout, '', 'the scenario prints something');
    assert.equal(focusFailure(header.focus, dumpsOf(native.stdout)), null, 'reelctl-script\'s focus as measured');
    return;
  }
  // Keys: the page takes them; reelctl-script plays the mouse twin, whose dumps must be the same.
  const web = await runWeb(text, [...options, ...(header.keys ? ['--key-lines'] : [])]);
  assert.deepEqual(errors, [], 'no page errors');
  await assertDomFollows();
  const dumps = dumpsOf(web.stdout);
  assert.ok(dumps.length > 0, 'the scenario dumps');
  assert.equal(focusFailure(header.focus, dumps), null, 'the focus as measured on the real window');
  if (!header.twin) {
    assert.equal(web.status, 0, `exit status (${web.stderr})`);
    return;
  }
  const native = await runNative([...options, ...header.model], fs.readFileSync(header.twin, 'utf8'), envOf(header));
  assert.equal(web.status, native.status, 'exit status');
  const stripped = (list) => list.map((dump) => Object.fromEntries(Object.entries(dump).filter(([key]) => !header.unread.includes(key))));
  assert.deepEqual(stripped(dumps), stripped(dumpsOf(native.stdout)), `the dumps of the twin ${path.basename(header.twin)}`);
}

const files = scenarios();
const headers = readHeaders(files);
files.forEach((file, i) => {
  test(`scenario ${path.basename(file)}`, () => playScenario(file, headers[i]));
});

test('scenarios traced: every primitive call in the same order', async () => {
  // Roads with message boxes, hidden and disabled controls that had the focus and
  // WM_SETFOCUS, with every call of the logic printed (the panel's own focus calls too).
  for (const name of ['typical_road.script', 'message_boxes.script', 'close_box.script', 'focus_message_box.script',
    'focus_hidden_control.script', 'focus_after_disable.script', 'setfocus.script']) {
    const file = files.find((f) => path.basename(f) === name);
    const header = headers[files.indexOf(file)];
    const { native } = await compare(`trace on\n${fs.readFileSync(file, 'utf8')}`, headerOptions(header));
    assert.match(native.stdout, /"call": "set_text"/);
  }
});

test(`${generatedCount} generated user sessions, traced`, async () => {
  const sessions = generatedSessions(generatedCount);
  const sessionHeaders = readHeaders(sessions);
  const failed = [];
  let traced = 0;
  for (const [i, file] of sessions.entries()) {
    const text = fs.readFileSync(file, 'utf8');
    if (/^trace on$/m.test(text)) traced += 1;
    try {
      await compare(text, headerOptions(sessionHeaders[i]));
    } catch (error) {
      failed.push(`${path.basename(file)}: ${error.message.split('\n').slice(0, 12).join('\n')}`);
    }
  }
  assert.deepEqual(failed, [], 'every session alike');
  assert.ok(traced > generatedCount / 2, 'most sessions are traced');
});

test('key lines: Space presses the focused push button as a click does', async () => {
  // The Select button is the last tab stop: Shift+Tab from the close button reaches it.
  const road = 'menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\nclick 1240\nsetfocus\n';
  const web = await runWeb(`${road}key Shift+Tab\ndump\nkey Space\ndump\n`, ['--key-lines']);
  const native = await runNative([], `${road}dump\nclick 101\ndump\n`);
  assert.equal(web.status, 0, web.stderr);
  const [before, pressed] = dumpsOf(web.stdout);
  assert.equal(before.focus, 101, 'Shift+Tab: the Select button');
  const expected = dumpsOf(native.stdout);
  expected[0].focus = 101;  // before the press, the native run's focus is the close button's
  assert.deepEqual([before, pressed], expected);
  assert.notDeepEqual(pressed.controls, before.controls, 'the press changed the panel');
});

test('minimized and restored, traced: the mouse reaches no control, the focus as the dialog manager keeps it', async () => {
  // SC_MINIMIZE and SC_CLOSE are clicks on the title bar's buttons; 0xF12F
  // (SC_RESTORE with low bits set) goes to the dialog as a message.
  const road = 'menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\nclick 1240\ntrace on\n';
  await compare(`${road}syscommand 0xF020\ndump\nclick 1127\npick 1058 0\npicktext 1057 BIG BONUS\nsetfocus\ndump\n`
    + 'settext 1057\ncommand 1057 9\ndump\nsyscommand 0xF12F\ndump\nclick 1127\nsyscommand 0xF020\nsyscommand 0xF020\n'
    + 'syscommand 0xF120\nsyscommand 0xF120\ndump\nsyscommand 0xF020\nclose\ndump\n', ['--companion']);
});

test('a second stop of the same reel, traced', async () => {
  // No shared scenario stops one reel twice: the reel's other radio must be unchecked.
  await compare('menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\nclick 1240\ntrace on\nclick 1327\nclick 1335\ndump\n',
    []);
});

test('the command line as reelctl-script reads it', async () => {
  const road = 'menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\nclick 1240\ndump\nclose\ndump\n';
  for (const args of [
    [], ['--companion'], ['--row-pixels', '30'], ['--row-pixels=26', '--companion'], ['-'],
    ['--help'], ['--version'], ['--row-pixels', 'x'], ['--row-pixels', '65536'], ['--row-pixels'],
    ['--frobnicate'], ['-q'], ['a.script', 'b.script'], ['missing.script'],
  ]) {
    await compare(road, args);
  }
  // Key lines are no part of the language: without --key-lines they are malformed, as in reelctl-script.
  await compare('dump\nkey Tab\ndump\n', []);
  await compare('dump\nkey Tab\ndump\n', ['--', '--key-lines']);
});

test('texts typed in every lead byte range round-trip through the page', async () => {
  // Code page 932 texts that the page decodes and gives back: half-width
  // katakana, symbols, kanji of both levels, NEC and IBM extensions.
  const texts = ['ﾘｰﾙ制御ｱｲｳ', '→～①Ⅻ㈱', '漢字表示', '鷗髙﨑', '∵≒≡∫', 'ABC abc 123 ~\\', '①②③④⑤⑥⑦⑧⑨⑩'];
  const lines = texts.flatMap((text) => [`settext 1057 ${text}`, 'dump', 'command 1057 9', 'dump']);
  await compare(`${lines.join('\n')}\n`, []);
});

test('a message box is a modal dialog with the caption ﾘｰﾙ制御 and OK', async () => {
  // Each box as it opens: the script's host answers it before the page could look again.
  await page.evaluate(() => {
    window.shownBoxes = [];
    const showModal = HTMLDialogElement.prototype.showModal;
    HTMLDialogElement.prototype.showModal = function shown() {
      showModal.call(this);
      window.shownBoxes.push({
        modal: this.matches(':modal'),
        caption: this.querySelector('.msgbox-caption').textContent,
        text: this.querySelector('.msgbox-text').textContent,
        buttons: [...this.querySelectorAll('button')].map((b) => b.textContent),
      });
    };
  });
  const run = await page.evaluate(() => window.reelctl.runScript('settext 1057\ncommand 1057 9\ndump\n', []));
  assert.equal(run.status, 0);
  const boxes = await page.evaluate(() => window.shownBoxes);
  assert.ok(boxes.length >= 1, 'a box was shown');
  assert.deepEqual(boxes[0], { modal: true, caption: 'ﾘｰﾙ制御', text: '成立役を選択して下さい．', buttons: ['OK'] });
  assert.equal(await page.locator('dialog.msgbox').count(), 0, 'answered and gone');
});
