// Measures the practice page on the real clock (not a test: the figures go
// into docs/web.md): how far a synthetic key press's time stamp lies after
// the moment the driver sent it, in reel frames at 80 rpm, and the page's
// frame times (animation frame intervals and the work in each) while the
// reels turn.
//
//   REELCTL_SITE=build/web/site REELCTL_SOURCE=. node tests/web/practice_measure.mjs

import { performance } from 'node:perf_hooks';
import { launch, serve } from './harness.mjs';

const server = await serve();
const browser = await launch();
const page = await browser.newPage();
await page.goto(`${server.url}practice.html#rpm=80`);
await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
await page.evaluate(() => {
  window.stamps = [];
  window.addEventListener('keydown', (event) => window.stamps.push(performance.timeOrigin + event.timeStamp));
});
const frameMs = await page.evaluate(() => window.practice.frameMs());
const errors = [];
for (let game = 0; game < 100; ++game) {
  const sent = [];
  for (const key of [' ', 'ArrowLeft', 'ArrowDown', 'ArrowRight']) {
    sent.push(performance.timeOrigin + performance.now());
    await page.keyboard.down(key);
    await page.keyboard.up(key);
  }
  const stamps = await page.evaluate(() => window.stamps.splice(0));
  stamps.forEach((stamp, i) => errors.push((stamp - sent[i]) / frameMs));
}
errors.sort((a, b) => a - b);
const at = (q) => errors[Math.min(errors.length - 1, Math.floor(q * errors.length))].toFixed(4);
console.log(`key presses: ${errors.length}; time stamp after sending, in frames: min ${at(0)} median ${at(0.5)} 95% ${at(0.95)} max ${at(1)}`);

await new Promise((resolve) => setTimeout(resolve, 300));  // the last game's reels have slid to their stops
// Frame times: 3 s of turning reels, the intervals between animation frames and the page's work per frame.
const frames = await page.evaluate(async () => {
  const intervals = [];
  const works = [];
  const original = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => original((time) => {
    const begin = performance.now();
    callback(time);
    works.push(performance.now() - begin);
  });
  let last = null;
  const watch = (time) => {
    if (last !== null) intervals.push(time - last);
    last = time;
    if (intervals.length < 180) original(watch);
  };
  document.body.dispatchEvent(new KeyboardEvent('keydown', { key: ' ', bubbles: true }));
  original(watch);
  await new Promise((resolve) => setTimeout(resolve, 3200));
  return { intervals, works };
});
const summary = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return `median ${sorted[Math.floor(sorted.length / 2)].toFixed(2)} ms, max ${sorted[sorted.length - 1].toFixed(2)} ms (${sorted.length})`;
};
console.log(`animation frame intervals: ${summary(frames.intervals)}; work per frame: ${summary(frames.works)}`);
await browser.close();
server.close();
