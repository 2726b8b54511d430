// The practice page: presses read at their events' time stamps against the
// reels' own clock under Playwright's controlled clock (every index of every
// reel at both ends of its frame, with the animation frames and the page's
// clock well past the press), the strips against the machine's, the speed in
// the address, and taps on a phone-sized screen.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { source, useSiteAndBrowser } from './harness.mjs';

const shared = useSiteAndBrowser();

// The strips as machine/symbols.h has them: per reel the symbols of indices 0..20.
function machineStrips() {
  const text = fs.readFileSync(path.join(source, 'machine/symbols.h'), 'utf8');
  const body = text.slice(text.indexOf('reel_strips = {{'), text.indexOf('}};', text.indexOf('reel_strips = {{')));
  return body.split(/\/\/ (?:left|center|right)\n/).slice(1)
    .map((reel) => [...reel.matchAll(/symbol_(\w+)/g)].map((m) => m[1]).slice(0, 21));
}

async function openPractice(context, hash = '') {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  await page.clock.install({ time: new Date('2026-12-09T00:00:00Z') });
  await page.goto(`${shared.server.url}practice.html${hash}`);
  await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
  return { page, errors };
}

// A key event with the given time stamp (ms on the clock of performance.now).
function keyAt(page, key, timeStamp) {
  return page.evaluate(([key, timeStamp]) => {
    const event = new KeyboardEvent('keydown', { key, bubbles: true, cancelable: true });
    Object.defineProperty(event, 'timeStamp', { value: timeStamp });
    document.body.dispatchEvent(event);
  }, [key, timeStamp]);
}

test('practice: every press index of every reel at both ends of its frame, read at the event time stamp', async () => {
  const context = await shared.browser.newContext();
  const { page, errors } = await openPractice(context, '#rpm=80');
  const frameMs = await page.evaluate(() => window.practice.frameMs());
  assert.ok(Math.abs(frameMs - 60000 / (80 * 21)) < 1e-9);
  const epsilon = 1e-3;  // ms inside the frame
  const stopKey = ['ArrowLeft', '2', 'ArrowRight'];
  let seen = 0;
  for (let k = 0; k < 21; ++k) {
    for (const end of ['low', 'high']) {
      const stands = await page.evaluate(() => window.practice.state().stands);
      const t0 = await page.evaluate(() => performance.now());
      await keyAt(page, end === 'low' ? ' ' : 'Enter', t0);
      // Reel r is pressed when index k (of its own frame) stands on its bottom line,
      // turns apart so that the presses keep their order in time.
      const times = [0, 1, 2].map((r) => {
        const frames = ((k - stands[r]) % 21 + 21) % 21 + 21 * r;
        return t0 + frames * frameMs + (end === 'low' ? epsilon : frameMs - epsilon);
      });
      // The page's clock and its animation frames run past the last press before any press arrives.
      await page.clock.runFor(Math.ceil(times[2] - t0 + 3 * frameMs));
      for (let r = 0; r < 3; ++r) await keyAt(page, stopKey[r], times[r]);
      const state = await page.evaluate(() => window.practice.state());
      assert.deepEqual(state.presses.map((press) => press.index), [k, k, k], `index ${k}, ${end} end`);
      assert.deepEqual(state.turning, [false, false, false]);
      seen += 3;
    }
  }
  assert.equal(seen, 21 * 2 * 3);
  // The bottom line's picture is the strip's symbol at the stop.
  const strips = machineStrips();
  const names = { seven: 'VS7S', bar: 'VSRS', frog: 'VSFS', moon: 'VSMS', orange: 'VSOS', bell: 'VSBS', cherry: 'VSCS' };
  const bottoms = await page.$$eval('.reel .band', (bands) => bands.map((band) => band.children[3].getAttribute('src')));
  assert.deepEqual(bottoms, [0, 1, 2].map((r) => `pictures/${names[strips[r][20]]}.bmp`));
  assert.deepEqual(errors, []);
  await context.close();
});

test('practice: the strips are the machine\'s and the speed is kept in the address', async () => {
  const context = await shared.browser.newContext();
  const { page } = await openPractice(context, '#rpm=60');
  assert.ok(Math.abs(await page.evaluate(() => window.practice.frameMs()) - 60000 / (60 * 21)) < 1e-9);
  // The page's strips, read from its pictures as the reels stand at each index.
  const strips = machineStrips();
  assert.equal(strips.length, 3);
  const source = await page.evaluate(() => document.querySelector('script[src="practice.js"]').src);
  const text = await (await fetch(source.replace(/^.*\/\/[^/]+\//, shared.server.url))).text();
  const lines = [...text.matchAll(/^ {2}'([a-z ]+)',$/gm)].map((m) => m[1].split(' '));
  assert.deepEqual(lines, strips);
  await page.fill('#rpm', '72');
  await page.dispatchEvent('#rpm', 'change');
  assert.match(page.url(), /#rpm=72$/);
  await page.fill('#rpm', '95');
  await page.dispatchEvent('#rpm', 'change');
  assert.match(page.url(), /#rpm=80$/);
  await context.close();
});

test('practice: taps on a 390 px phone start and stop the reels in the order tapped', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true });
  const { page, errors } = await openPractice(context);
  await page.tap('#lever');
  await page.clock.runFor(500);
  for (const reel of [2, 0, 1]) await page.tap(`button.stop[data-reel="${reel}"]`);
  const state = await page.evaluate(() => window.practice.state());
  assert.deepEqual(state.presses.map((press) => press.reel), [2, 0, 1]);
  assert.deepEqual(state.turning, [false, false, false]);
  assert.deepEqual(errors, []);
  await context.close();
});

test('practice: a fixed order refuses a press out of order; a pause freezes the reels; reduced motion steps', async () => {
  const context = await shared.browser.newContext({ reducedMotion: 'reduce' });
  const { page, errors } = await openPractice(context, '#rpm=80&order=201');
  const frameMs = await page.evaluate(() => window.practice.frameMs());
  const t0 = await page.evaluate(() => performance.now());
  await keyAt(page, ' ', t0);
  // Half a frame into index 3: the bands stand whole rows, not between them.
  await page.clock.runFor(Math.round(3.5 * frameMs));
  const shifts = await page.$$eval('.reel .band', (bands) => bands.map((band) => band.style.transform));
  assert.deepEqual(shifts, Array(3).fill(`translateY(-${26}px)`));
  await keyAt(page, 'ArrowLeft', t0 + 3.5 * frameMs);
  let state = await page.evaluate(() => window.practice.state());
  assert.deepEqual(state.presses, []);
  assert.match(state.word, /Out of order: the right reel is next/);
  await keyAt(page, 'ArrowRight', t0 + 3.5 * frameMs);
  // Paused at 5.5 frames for ten seconds; resumed, a press 1 frame later reads index 6.
  await keyAt(page, 'p', t0 + 5.5 * frameMs);
  await keyAt(page, '1', t0 + 6 * frameMs);
  assert.equal((await page.evaluate(() => window.practice.state())).presses.length, 1);
  await keyAt(page, 'p', t0 + 5.5 * frameMs + 10000);
  await keyAt(page, '1', t0 + 6.5 * frameMs + 10000);
  await keyAt(page, '2', t0 + 7.5 * frameMs + 10000);
  state = await page.evaluate(() => window.practice.state());
  assert.deepEqual(state.presses.map((press) => [press.reel, press.index]), [[2, 3], [0, 6], [1, 7]]);
  assert.deepEqual(state.order, [2, 0, 1]);
  assert.deepEqual(errors, []);
  await context.close();
});

test('practice: the keyboard alone plays a game (Playwright keyboard), and the screenshot', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 640, height: 600 } });
  const { page, errors } = await openPractice(context);
  await page.keyboard.press('Enter');
  await page.clock.runFor(400);
  for (const key of ['ArrowDown', '3', 'ArrowLeft']) {
    await page.keyboard.press(key);
    await page.clock.runFor(150);
  }
  // A second stop of the same reel is refused with a word.
  await page.keyboard.press('1');
  const state = await page.evaluate(() => window.practice.state());
  assert.deepEqual(state.presses.map((press) => press.reel), [1, 2, 0]);
  assert.match(state.word, /left reel is not turning/);
  assert.equal(await page.locator('#presses li').count(), 3);
  fs.mkdirSync(process.env.REELCTL_SHOTS, { recursive: true });
  await page.locator('main').screenshot({ path: path.join(process.env.REELCTL_SHOTS, 'web-practice.png') });
  assert.deepEqual(errors, []);
  await context.close();
});
