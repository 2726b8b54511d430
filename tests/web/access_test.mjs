// The page for everyone: every road by the keyboard alone (the page's own
// column keys where the Windows dialog has none), the names that assistive
// technology reads from Chromium's accessibility tree, and axe-core's WCAG
// 2.1 A and AA rules on the viewer and the atlas.

import assert from 'node:assert/strict';
import { test } from 'node:test';
import { axeViolations, brokenPictures, nativeDump, openPanel, pageControls, pageDump, useSiteAndBrowser } from './harness.mjs';

const shared = useSiteAndBrowser();

const focused = (page) => page.evaluate(() => {
  const id = document.activeElement && document.activeElement.dataset ? document.activeElement.dataset.id : undefined;
  return id === undefined ? null : Number(id);
});

async function tabUntil(page, wanted, what) {
  for (let i = 0; i < 200; ++i) {
    if (wanted(await focused(page))) return;
    await page.keyboard.press('Tab');
  }
  assert.fail(`Tab never reached ${what}`);
}

// The lines of a road, played by keys alone: the stop order by the menu, the
// drop-down lists by their keys, a stop radio by the column's cursor, a
// Select button by Tab and Space.
async function playByKeys(page, lines) {
  const keys = page.keyboard;
  for (const line of lines) {
    const [verb, id, ...rest] = line.split(' ');
    const control = Number(id);
    if (line === 'menu 40026') {
      for (const key of ['Alt+C', 'ArrowDown', 'ArrowRight', 'ArrowDown', 'ArrowDown', 'Enter']) await keys.press(key);
    } else if (verb === 'pick' || verb === 'picktext') {
      const items = await page.locator(`#list-${control} li`).allTextContents();
      const index = verb === 'pick' ? Number(rest[0]) : items.indexOf(rest.join(' '));
      assert.ok(index >= 0 && index < items.length, line);
      await tabUntil(page, (f) => f === control, control);
      await keys.press('Alt+ArrowDown');
      await keys.press('Home');
      for (let i = 0; i < index; ++i) await keys.press('ArrowDown');
      await keys.press('Enter');
    } else if (verb === 'click' && control > 1100) {
      const reel = Math.floor(control / 100) - 11;
      await tabUntil(page, (f) => f !== null && Math.floor(f / 100) - 11 === reel && f % 100 >= 1 && f % 100 <= 21, `a slide box of reel ${reel}`);
      const cursor = () => page.evaluate(() => {
        const radio = document.querySelector('.radio.cursor');
        return radio ? Number(radio.dataset.id) : null;
      });
      for (let i = 0; i < 22 && (await cursor()) !== control; ++i) await keys.press('ArrowDown');
      assert.equal(await cursor(), control, `the cursor reaches ${control}`);
      await keys.press('Space');
    } else if (verb === 'click') {
      await tabUntil(page, (f) => f === control, control);
      await keys.press('Space');
    } else {
      assert.fail(`no keys for: ${line}`);
    }
  }
}

const roads = {
  typical: ['menu 40026', 'picktext 1057 BIG BONUS', 'pick 1058 0', 'click 1240', 'click 1127', 'click 1327'],
  'pattern mode with its left stop and split': ['picktext 1057 BIG BONUS', 'pick 1059 0', 'click 1122', 'pick 1058 1', 'click 1223', 'click 1322'],
  'ten coins with a press choice': ['picktext 1057 10枚小役', 'pick 1059 0', 'click 1122', 'click 1225', 'pick 1058 0', 'click 1324'],
};

test('keyboard: every road by the keys alone ends as reelctl-script ends it', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 1280, height: 900 } });
  for (const [name, road] of Object.entries(roads)) {
    const { page, errors } = await openPanel(context, shared.server.url);
    await playByKeys(page, road);
    // Every key of the dump: the logic's state, the controls, the window's
    // pictures, the caption, the menu's checks and the focus.
    assert.deepEqual(await pageDump(page), await nativeDump(road), `the ${name} road`);
    assert.deepEqual(errors, []);
    await page.close();
  }
  await context.close();
});

test('names: a reel column in Chromium\'s accessibility tree', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 1280, height: 900 } });
  const { page } = await openPanel(context, shared.server.url);
  await page.evaluate(() => window.reelctl.runScript('menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\n', []));
  const cdp = await context.newCDPSession(page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  const byId = new Map(nodes.map((node) => [node.nodeId, node]));
  const nameOf = (node) => (node.name ? node.name.value : '');
  const column = nodes.find((node) => node.role.value === 'group' && nameOf(node) === '中リール / Center reel');
  assert.ok(column, 'the center column is a named group');
  const inside = [];
  const walk = (node) => {
    for (const child of node.childIds || []) {
      const found = byId.get(child);
      if (!found) continue;
      if (!found.ignored) inside.push({ role: found.role.value, name: nameOf(found) });
      walk(found);
    }
  };
  walk(column);
  const radios = inside.filter((node) => node.role === 'radio');
  assert.equal(radios.length, 21, 'the press choice shows a radio on every row');
  assert.ok(radios.some((node) => node.name === '位置21 滑りなし 停止可'), JSON.stringify(radios.slice(0, 4)));
  assert.ok(inside.some((node) => node.role === 'textbox' && /^位置2 滑りなし 停止可 灰色$/.test(node.name)), 'a greyed row says so');
  assert.ok(!inside.some((node) => node.role === 'StaticText' && /^ ?\d+$/.test(node.name)), 'row numbers are not read twice');
  const pictures = nodes.filter((node) => node.role.value === 'image' && /^(上段|中段|下段) /.test(nameOf(node)));
  assert.equal(pictures.length, 9, 'the window says its nine pictures by line');
  await context.close();
});

test('axe: no WCAG 2.1 A or AA violation on the viewer, the atlas and the judge', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 1280, height: 900 } });
  const { page } = await openPanel(context, shared.server.url);
  assert.deepEqual(await axeViolations(page), [], 'the viewer at start');
  await page.evaluate(() => window.reelctl.runScript('menu 40026\npicktext 1057 BIG BONUS\npick 1058 0\n', []));
  assert.deepEqual(await axeViolations(page), [], 'the viewer in a press choice');
  for (const file of ['index.html', 'role-0-0-0.html', 'lookup.html']) {
    await page.goto(`${shared.server.url}atlas/${file}`);
    assert.deepEqual(await axeViolations(page), [], `the atlas's ${file}`);
  }
  // The judge with a query: a first stop, so that its lists are filled.
  await page.goto(`${shared.server.url}judge.html#bet=2&order=0&left=18`);
  await page.waitForSelector('[data-query]');
  assert.deepEqual(await axeViolations(page), [], 'the judge with a query');
  await context.close();
});

// A message box as a script's `settext 1057 x` and CBN_SELENDOK open it (no
// user of the drop-down lists can type a role), left open for axe, then
// answered by the keyboard: the focus goes where the dialog manager says.
test('axe: no WCAG 2.1 A or AA violation with a message box open; answered, the focus returns as reelctl-script says', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 1280, height: 900 } });
  const { page, errors } = await openPanel(context, shared.server.url);
  const road = ['settext 1057 x', 'command 1057 9'];
  const dump = await nativeDump(road);
  assert.equal(dump.messages.length, 1, JSON.stringify(dump.messages));
  await page.evaluate(async () => {
    const { view, readBack } = await import(new URL('page.js', document.baseURI).href);
    readBack.typeText(1057, 'x');
    view.sendCommand(1057, view.messages.selendok);
  });
  const box = page.locator('dialog.msgbox[open]');
  assert.equal(await box.count(), 1, 'the box is open');
  assert.ok(await page.evaluate(() => document.activeElement.closest('dialog.msgbox') !== null), 'the box has the DOM focus');
  assert.equal(await box.getAttribute('role'), 'alertdialog');
  assert.equal(await box.locator('.msgbox-text').textContent(), dump.messages[0].text, 'the box says what reelctl-script shows');
  assert.deepEqual(await axeViolations(page), [], 'the viewer with a message box open');
  await page.keyboard.press('Enter');
  assert.equal(await page.locator('dialog.msgbox').count(), 0, 'OK closes the box');
  assert.equal(await page.evaluate(() => window.reelctl.focusedId()), dump.focus, 'the dialog manager\'s focus');
  assert.equal(await focused(page), dump.focus, 'the DOM focus follows it');
  assert.deepEqual(await pageControls(page), dump.controls, 'the panel after the box');
  assert.deepEqual(errors, []);
  await context.close();
});

test('offline: after one visit the viewer, the judge, the atlas index and a role page open and work with the network cut', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 1280, height: 900 } });
  const { page } = await openPanel(context, shared.server.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.goto(`${shared.server.url}atlas/role-0-0-0.html`);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  // The judge answering a query, with the data of its bet and stop order.
  const query = 'bet=2&order=0&left=18';
  const judge = async (on) => {
    await on.goto(`${shared.server.url}judge.html#${query}`);
    await on.waitForFunction((hash) => document.documentElement.dataset.query === hash, `#${query}`);
    return { rows: await on.locator('#roles tr[data-role]').count(), text: await on.locator('#roles').innerText() };
  };
  const online = await judge(page);
  assert.ok(online.rows > 1, 'the judge answers online');
  // A user goes offline later than a test does: wait until the worker has kept the data.
  await page.waitForFunction(() => caches.match('judge-data/judge-2-0.json').then(Boolean));
  await context.setOffline(true);

  const offline = await openPanel(context, shared.server.url);
  assert.ok(await offline.page.evaluate(() => navigator.serviceWorker.controller !== null), 'the worker answers');
  const road = ['menu 40026', 'picktext 1057 BIG BONUS', 'pick 1058 0', 'click 1240'];
  const run = await offline.page.evaluate((lines) => window.reelctl.runScript(`${lines.join('\n')}\n`, []), road);
  assert.equal(run.status, 0, run.stderr);
  assert.deepEqual(await pageControls(offline.page), (await nativeDump(road)).controls, 'the viewer works offline');
  await offline.page.waitForFunction(() => [...document.images].every((image) => image.complete));
  assert.deepEqual(await brokenPictures(offline.page), [], 'the window drawn offline, symbols not shown online included');
  for (const file of ['index.html', 'role-0-0-0.html', 'lookup.html']) {
    const answer = await offline.page.goto(`${shared.server.url}atlas/${file}`);
    assert.ok(answer && answer.ok(), `the atlas's ${file} opens offline`);
    assert.deepEqual(await brokenPictures(offline.page), [], `the pictures of the atlas's ${file} offline`);
  }
  assert.ok(await offline.page.locator('img').count() > 3, 'the role page shows its situations');
  const data = await offline.page.evaluate(() => fetch('lookup.json').then((r) => r.json()).then(() => true, () => false));
  assert.ok(data, "the lookup's data answers offline");
  const kept = [];
  offline.page.on('response', (response) => {
    if (/\/judge-data\//.test(response.url())) kept.push(response.fromServiceWorker());
  });
  assert.deepEqual(await judge(offline.page), online, 'the judge answers the same query offline');
  assert.deepEqual(kept, [true], "the judge's data came from the worker's copy");
  assert.deepEqual(offline.errors, []);
  await context.close();
});

test('installable: the manifest\'s icons load and are PNG pictures of the sizes it names', async () => {
  const manifestUrl = new URL('manifest.webmanifest', shared.server.url);
  const manifest = await (await fetch(manifestUrl)).json();
  const sizes = [];
  for (const icon of manifest.icons) {
    assert.equal(icon.type, 'image/png', icon.src);
    const answer = await fetch(new URL(icon.src, manifestUrl));
    assert.ok(answer.ok, `${icon.src} loads`);
    const bytes = Buffer.from(await answer.arrayBuffer());
    assert.deepEqual([...bytes.subarray(0, 8)], [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a], `${icon.src} is a PNG`);
    assert.equal(bytes.toString('latin1', 12, 16), 'IHDR', icon.src);
    const size = `${bytes.readUInt32BE(16)}x${bytes.readUInt32BE(20)}`;
    assert.equal(size, icon.sizes, icon.src);
    sizes.push(bytes.readUInt32BE(16));
  }
  assert.ok(sizes.some((size) => size >= 144), 'Chromium offers installation from an icon of 144 pixels or more');
});

test('size: a wide screen centres the panel; Ctrl+Alt+Up enlarges it in whole steps, kept for the next visit', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 1600, height: 1000 } });
  const { page } = await openPanel(context, shared.server.url);
  const box = () => page.locator('.window').boundingBox();
  const natural = await box();
  assert.ok(Math.abs(natural.x + natural.width / 2 - 800) <= 2, `centred (${natural.x})`);
  await page.keyboard.press('Control+Alt+ArrowUp');
  const twice = await box();
  assert.ok(Math.abs(twice.width - 2 * natural.width) <= 1, `twice as wide (${twice.width} / ${natural.width})`);
  assert.equal(await page.evaluate(() => getComputedStyle(document.querySelector('.window img')).imageRendering), 'pixelated');
  assert.equal(await focused(page), 1, 'the size keys move no focus');
  const again = await openPanel(context, shared.server.url);
  assert.ok(Math.abs((await again.page.locator('.window').boundingBox()).width - twice.width) <= 1, 'the choice is kept');
  await context.close();
});
