// Every shared panel scenario through the page's runScript, on the panel in
// the page's DOM, against the native reelctl-script with the same options:
// the same exit status, the same notes on standard error, the same JSON
// lines. The options and reading of bad command lines are compared too.
//
// Not compared yet: the dump's "focus", while the dialog manager's focus
// rules are being measured on the real window (the page follows its own
// provisional rules, frontends/web/page/focus.js), and the keys a scenario
// lists as unread.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { launch, openPanel, runNative, scenarioOptions, scenarios, serve } from './harness.mjs';

const uncompared = ['focus'];

let server;
let browser;
let page;
let errors;

before(async () => {
  server = await serve();
  browser = await launch();
  ({ page, errors } = await openPanel(await browser.newContext(), server.url));
});

after(async () => {
  await browser.close();
  server.close();
});

function comparable(line, keys) {
  const value = JSON.parse(line);
  if (value.dump) for (const key of keys) delete value.dump[key];
  return value;
}

async function compare(text, args, keys) {
  const [web, native] = await Promise.all([
    page.evaluate(([script, options]) => window.reelctl.runScript(script, options), [text, args]),
    runNative(args, text),
  ]);
  assert.equal(web.status, native.status, 'exit status');
  assert.equal(web.stderr, native.stderr, 'standard error');
  const webLines = web.stdout.split('\n');
  const nativeLines = native.stdout.split('\n');
  assert.equal(webLines.length, nativeLines.length, 'number of output lines');
  nativeLines.forEach((line, i) => {
    if (!line.startsWith('{')) assert.equal(webLines[i], line, `output line ${i + 1}`);  // --help, --version
    else assert.deepEqual(comparable(webLines[i], keys), comparable(line, keys), `output line ${i + 1}`);
  });
  assert.deepEqual(errors, [], 'no page errors');
  return { web, native };
}

for (const file of scenarios()) {
  test(`scenario ${path.basename(file)}`, async (t) => {
    const text = fs.readFileSync(file, 'utf8');
    // Key lines are for hosts with a keyboard; reelctl-script takes none.
    if (/^key /m.test(text)) {
      t.skip('key lines: not a reelctl-script scenario');
      return;
    }
    const { args, unread } = scenarioOptions(text);
    const { native } = await compare(text, args, [...uncompared, ...unread]);
    assert.notEqual(native.stdout, '', 'the scenario prints something');
  });
}

test('scenarios traced: every primitive call in the same order', async () => {
  // The typical road and the message boxes again, with every call of the logic printed.
  for (const name of ['typical_road.script', 'message_boxes.script', 'close_box.script']) {
    const text = fs.readFileSync(path.join(path.dirname(scenarios()[0]), name), 'utf8');
    const { args } = scenarioOptions(text);
    const { native } = await compare(`trace on\n${text}`, args, uncompared);
    assert.match(native.stdout, /"call": "set_text"/);
  }
});

test('a second stop of the same reel, traced', async () => {
  // No shared scenario stops one reel twice: the reel's other radio must be unchecked.
  await compare('menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\nclick 1240\ntrace on\nclick 1327\nclick 1335\ndump\n',
    [], uncompared);
});

test('the command line as reelctl-script reads it', async () => {
  const road = 'menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\nclick 1240\ndump\nclose\ndump\n';
  for (const args of [
    [], ['--companion'], ['--row-pixels', '30'], ['--row-pixels=26', '--companion'], ['-'],
    ['--help'], ['--version'], ['--row-pixels', 'x'], ['--row-pixels', '65536'], ['--row-pixels'],
    ['--frobnicate'], ['-q'], ['a.script', 'b.script'], ['missing.script'],
  ]) {
    await compare(road, args, uncompared);
  }
});

test('texts typed in every lead byte range round-trip through the page', async () => {
  // Code page 932 texts that the page decodes and gives back: half-width
  // katakana, symbols, kanji of both levels, NEC and IBM extensions.
  const texts = ['ﾘｰﾙ制御ｱｲｳ', '→～①Ⅻ㈱', '漢字表示', '鷗髙﨑', '∵≒≡∫', 'ABC abc 123 ~\\', '①②③④⑤⑥⑦⑧⑨⑩'];
  const lines = texts.flatMap((text) => [`settext 1057 ${text}`, 'dump', 'command 1057 9', 'dump']);
  await compare(`${lines.join('\n')}\n`, [], uncompared);
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

test('focus, by the page\'s provisional rules', async () => {
  const focusOf = async (text) => {
    const run = await page.evaluate((script) => window.reelctl.runScript(script, []), text);
    assert.equal(run.status, 0, run.stderr);
    return run.stdout.trim().split('\n').map((line) => JSON.parse(line)).filter((line) => line.dump).map((line) => line.dump.focus);
  };
  // The panel opens with the focus on the close button; the logic's call on
  // the disabled pattern combo (after the box about its text) changes nothing.
  assert.deepEqual(await focusOf('dump\nsettext 1059\ncommand 1059 9\ndump\n'), [1, 1]);
  // Disabling the table combo while it has the focus leaves no control focused
  // (another left stop pattern, chosen without a user's act on its combo).
  assert.deepEqual(await focusOf('menu 40025\npicktext 1057 10枚小役\npick 1059 1\nclick 1122\npick 1058 2\ndump\n' +
    'settext 1059 ﾊﾟﾀｰﾝ３(25%)\ncommand 1059 9\ndump\n'), [1058, null]);
  // A user's click or pick gives the control the focus.
  assert.deepEqual(await focusOf('menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\nclick 1240\ndump\nclick 1127\ndump\n'),
    [1240, 1127]);
});
