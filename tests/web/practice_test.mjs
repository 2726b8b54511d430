// The practice page: presses read at their events' time stamps against the
// reels' own clock under Playwright's controlled clock (every index of every
// reel at both ends of its frame, with the animation frames and the page's
// clock well past the press), the strips against the machine's, the speed in
// the address, taps on a phone-sized screen, and 1,000 games of the panel's
// control against the native reelctl-script for the same roads.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { axeViolations, dumpsOf, runNative, source, useSiteAndBrowser } from './harness.mjs';

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

// Where the strip picture stands for a reel standing at index s: its bottom
// line (the third 24-pixel row) shows index s, 20 - s rows down the picture.
const stripOffset = (s) => `${(((48 - (20 - s) * 24) % 504) + 504) % 504}px`;

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
      // The reels slide at most 4 frames to their stops.
      await page.clock.runFor(Math.ceil(5 * frameMs));
      const state = await page.evaluate(() => window.practice.state());
      assert.deepEqual(state.presses.map((press) => press.index), [k, k, k], `index ${k}, ${end} end`);
      assert.deepEqual(state.turning, [false, false, false]);
      assert.deepEqual(state.stands, state.presses.map((press) => press.stop));
      state.presses.forEach((press) => assert.equal(press.stop, (press.index + press.slide) % 21));
      seen += 3;
    }
  }
  assert.equal(seen, 21 * 2 * 3);
  // Each reel's strip picture stands at its stop, and says the strip's symbol on its bottom line.
  const strips = machineStrips();
  const { stands } = await page.evaluate(() => window.practice.state());
  const reels = await page.$$eval('.reel', (frames) => frames.map((f) => [f.style.backgroundImage, f.style.backgroundPositionY, f.getAttribute('aria-label')]));
  assert.deepEqual(reels, [0, 1, 2].map((r) => [`url("pictures/${['VSSL', 'VSSC', 'VSSR'][r]}.bmp")`, stripOffset(stands[r]),
    `${['left', 'center', 'right'][r]} reel, ${strips[r][stands[r]]} on the bottom line`]));
  assert.deepEqual(errors, []);
  await context.close();
});

test('practice: the strips are the machine\'s and the speed is kept in the address', async () => {
  const context = await shared.browser.newContext();
  const { page } = await openPractice(context, '#rpm=60');
  assert.ok(Math.abs(await page.evaluate(() => window.practice.frameMs()) - 60000 / (60 * 21)) < 1e-9);
  // The page's strips, from the module, are those of machine/symbols.h.
  const strips = machineStrips();
  assert.equal(strips.length, 3);
  assert.deepEqual(await page.evaluate(() => window.practice.strips), strips);
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
  await page.clock.runFor(200);
  const state = await page.evaluate(() => window.practice.state());
  assert.deepEqual(state.presses.map((press) => press.reel), [2, 0, 1]);
  assert.deepEqual(state.turning, [false, false, false]);
  await page.waitForFunction(() => window.practice.state().told === 1);
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= 390), 'no sideways scrolling');
  assert.deepEqual(await axeViolations(page), [], 'the practice page after a game on a phone');
  assert.deepEqual(errors, []);
  await context.close();
});

test('practice: a fixed order refuses a press out of order; a pause freezes the reels; reduced motion steps', async () => {
  const context = await shared.browser.newContext({ reducedMotion: 'reduce' });
  const { page, errors } = await openPractice(context, '#rpm=80&order=201');
  const frameMs = await page.evaluate(() => window.practice.frameMs());
  const t0 = await page.evaluate(() => performance.now());
  await keyAt(page, ' ', t0);
  // A third of a frame into index 3 (the animation frame's own time may come a display frame later): whole rows, not between them.
  await page.clock.runFor(Math.round(3.3 * frameMs));
  const shifts = await page.$$eval('.reel', (frames) => frames.map((f) => f.style.backgroundPositionY));
  assert.ok(shifts.every((shift) => shift === shifts[0] && Number.parseFloat(shift) % 24 === 0), shifts.join(' '));
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
  // After the game: the presses, the window, what it tells and the links.
  await page.waitForFunction(() => window.practice.state().told === 1);
  assert.equal(await page.locator('#result tr').count(), 4);
  assert.equal(await page.locator('#result .window img').count(), 9);
  assert.match(await page.locator('#tells').innerText(), /What the window tells: .+; the roles that can show it: .*BIG BONUS/);
  assert.match(await page.locator('#result a', { hasText: 'viewer' }).getAttribute('href'), /^index\.html#road=menu%2040023%0Amenu%2040027%0Apick%201057%200/);
  assert.match(await page.locator('#result a', { hasText: 'judge' }).getAttribute('href'), /^judge\.html#bet=2&order=3&left=\d+&center=\d+&right=\d+$/);
  fs.mkdirSync(process.env.REELCTL_SHOTS, { recursive: true });
  await page.locator('main').screenshot({ path: path.join(process.env.REELCTL_SHOTS, 'practice-game.png') });
  assert.deepEqual(errors, []);
  await context.close();
});

// A small seeded generator for the scripted games (not the page's).
function generator(seed) {
  let x = seed >>> 0;
  return (n) => {
    x = (Math.imul(x, 1664525) + 1013904223) >>> 0;
    return Math.floor((x / 2 ** 32) * n);
  };
}
const orders = [[0, 1, 2], [0, 2, 1], [1, 0, 2], [1, 2, 0], [2, 0, 1], [2, 1, 0]];
const roleCounts = [8, 11, 11];

test('practice: 1,000 games with seeded draws and scripted presses end in the windows reelctl-script gives for their roads', { timeout: 600000 }, async () => {
  const context = await shared.browser.newContext();
  const { page, errors } = await openPractice(context);
  const pick = generator(18);
  const symbols = ['seven', 'bar', 'frog', 'moon', 'orange', 'bell', 'cherry'];
  const plans = Array.from({ length: 1000 }, () => {
    const bet = pick(3);
    return {
      bet, item: pick(roleCounts[bet]), seed: pick(2 ** 31), order: orders[pick(6)],
      presses: [pick(21), pick(21), pick(21)], inside: [0, 1, 2].map(() => (1 + pick(998)) / 1000),
      aim: { reel: pick(3), line: pick(3), symbol: symbols[pick(7)] },
    };
  });
  // Every game through the page's own keys, with time stamps at the planned presses.
  const games = await page.evaluate((plans) => {
    const fire = (key, timeStamp) => {
      const event = new KeyboardEvent('keydown', { key, bubbles: true, cancelable: true });
      Object.defineProperty(event, 'timeStamp', { value: timeStamp });
      document.body.dispatchEvent(event);
    };
    const set = (id, value) => {
      const select = document.getElementById(id);
      select.value = String(value);
      select.dispatchEvent(new Event('change'));
    };
    const frameMs = window.practice.frameMs();
    let t = performance.now();
    return plans.map((plan) => {
      set('bet', plan.bet);
      set('role', plan.item);
      set('aim-reel', plan.aim.reel);
      set('aim-line', plan.aim.line);
      set('aim-symbol', plan.aim.symbol);
      window.practice.seed(plan.seed);
      fire(' ', t);
      const { stands } = window.practice.state();  // where the reels started
      plan.order.forEach((reel, n) => {
        const frames = (((plan.presses[n] - stands[reel]) % 21) + 21) % 21 + 21 * (n + 1) + plan.inside[n];
        fire(['ArrowLeft', 'ArrowDown', 'ArrowRight'][reel], t + frames * frameMs);
      });
      const state = window.practice.state();
      t = state.presses[2].time + 6 * frameMs;
      return { word: state.word, presses: state.presses, road: state.road, aim: state.aim, stopOrder: state.stopOrder, seed: state.game.seed };
    });
  }, plans);
  let slacks = 0, hits = 0, splits = 0;
  const seeds = new Set();
  for (let g = 0; g < plans.length; ++g) {
    const plan = plans[g], game = games[g];
    const where = `game ${g} (${JSON.stringify(plan)}): ${game.word}`;
    assert.deepEqual(game.presses.map((p) => [p.reel, p.index]), plan.order.map((reel, n) => [reel, plan.presses[n]]), where);
    seeds.add(game.seed);
    // The road: the bet, the order pressed, the role, then the machine's picks and the clicks.
    const lines = game.road.trimEnd().split('\n');
    assert.deepEqual(lines.slice(0, 3), [`menu ${40021 + plan.bet}`, `menu ${40024 + orders.findIndex((o) => o[0] === plan.order[0] && o[1] === plan.order[1])}`, `pick 1057 ${plan.item}`], where);
    const clicks = lines.filter((line) => line.startsWith('click'));
    assert.equal(clicks.length, 3, where);
    if (lines.some((line, i) => i > 3 && line.startsWith('pick 1058'))) ++splits;
    // reelctl-script plays the road with a dump before each click and at the end.
    const script = lines.flatMap((line) => (line.startsWith('click') ? ['dump', line] : [line])).concat('dump').join('\n');
    const run = await runNative([], `${script}\n`);
    assert.equal(run.status, 0, where);
    assert.equal(run.stderr, '', where);  // no line ignored
    const dumps = dumpsOf(run.stdout);
    assert.equal(dumps.length, 4, where);
    plan.order.forEach((reel, n) => {
      // The column before the press: a press on a row with a slide stops at press + slide; on a press choice, its own radio.
      const controls = dumps[n].controls;
      const slideText = (row) => controls[String(1101 + 100 * reel + row)].text;
      const press = plan.presses[n];
      const shown = /^[0-4]$/.test(slideText(press));
      const game_ = game.presses[n];
      if (shown) {
        assert.equal(game_.slide, Number(slideText(press)), where);
        assert.equal(clicks[n], `click ${1122 + 100 * reel + (press + game_.slide) % 21}`, where);
      } else {
        assert.equal(dumps[n].state.awaiting_stop, 1, where);
        assert.ok([...Array(21).keys()].every((row) => slideText(row) === ' '), where);
        assert.equal(clicks[n], `click ${1122 + 100 * reel + press}`, where);
      }
      // The slack of the aim: the presses whose stop shows the target on its line, counted from the column.
      if (reel === plan.aim.reel) {
        assert.equal(game.aim.hit, game.aim.error === 0, where);
        const strip = machineStrips()[reel];
        const shows = (s) => strip[(s + 2 - plan.aim.line + 21) % 21] === plan.aim.symbol;
        assert.equal(game.aim.hit, shows(game_.stop), where);
        if (shown) {
          const reaching = [...Array(21).keys()].filter((p) => shows((p + Number(slideText(p))) % 21)).length;
          assert.equal(game.aim.slack, reaching, where);
          ++slacks;
        }
        if (game.aim.hit) ++hits;
      }
    });
    // The window: reelctl-script's stops after the road are the game's.
    const stops = [0, 1, 2].map((reel) => game.presses.find((p) => p.reel === reel).stop);
    assert.deepEqual(dumps[3].state.stop_pos, stops, where);
  }
  console.log(`# 1,000 games: ${splits} with a split drawn after a press, ${slacks} slacks counted from the column, ${hits} aims hit`);
  // The games cover the cases the replay under the true order is for, and the seeds differ.
  assert.ok(splits > 20 && slacks > 500 && hits > 10 && seeds.size > 990, `${splits} splits, ${slacks} slacks, ${hits} hits, ${seeds.size} seeds`);
  assert.deepEqual(errors, []);
  await context.close();
});

test('practice: a hidden role is drawn by the typed odds and told after the game; axe-core finds nothing', async () => {
  const context = await shared.browser.newContext({ viewport: { width: 1000, height: 900 } });
  const { page, errors } = await openPractice(context);
  assert.deepEqual(await axeViolations(page), [], 'the practice page at start');
  await page.selectOption('#bet', '1');
  await page.selectOption('#role', 'hidden');
  await page.keyboard.press('Enter');
  let state = await page.evaluate(() => window.practice.state());
  assert.equal(state.turning.some((t) => t), false);
  assert.match(state.word, /needs the odds of at least one role/);
  // Odds typed for two roles: each game's role is one of them, and shown only after the game.
  await page.locator('#odds summary, details summary').first().click();
  const inputs = page.locator('#odds input');
  assert.equal(await inputs.count(), 11);
  await inputs.nth(3).fill('1/300');  // REG BONUS
  await inputs.nth(10).fill('1/1.5');  // ﾊｽﾞﾚ
  const seen = new Set();
  await page.focus('#lever');  // keys in a field are the field's
  for (let game = 0; game < 40; ++game) {
    await page.keyboard.press('Enter');
    await page.clock.runFor(300);
    for (const key of ['1', '2', '3']) await page.keyboard.press(key);
    await page.clock.runFor(300);
    await page.waitForFunction((n) => window.practice.state().told === n, game + 1, { timeout: 5000 })
      .catch(async () => assert.fail(JSON.stringify(await page.evaluate(() => window.practice.state()))));
    state = await page.evaluate(() => window.practice.state());
    seen.add(state.game.item);
    assert.ok([3, 10].includes(state.game.item));
    assert.match(await page.locator('#result').innerText(), /The role \(drawn, hidden until now\): (REG BONUS|ﾊｽﾞﾚ)\./);
  }
  assert.ok(seen.has(10), 'the likelier role was drawn');
  assert.deepEqual(await axeViolations(page), [], 'the practice page after a game, the odds open');
  assert.deepEqual(errors, []);
  await context.close();
});
