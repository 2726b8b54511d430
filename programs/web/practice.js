// The practice page: three reels turning at the machine's speed, started by
// Space, Enter or the lever and stopped by each reel's key or button.
//
// The reels' own clock is the time stamps of the page's events: the start
// event's time stamp is the moment the reels start, and a press is read at
// its event's time stamp (event.timeStamp, the clock of performance.now),
// never at the next animation frame. A reel at phase p (in frames since
// strip index 0 stood on the bottom line) shows index floor(p) on the bottom
// line and index floor(p) + 1 coming down onto it: the reels turn downward.
//
// The address keeps the settings: practice.html#rpm=N (60..80, default 80)
// and, for practice in a fixed stop order, &order=ABC (the reels 0 left,
// 1 center, 2 right in the order they must be pressed: order=021).
//
// Pause freezes the turning reels (no press is read meanwhile); with
// prefers-reduced-motion the reels step from index to index instead of gliding.
//
// window.practice.state() tells the reels' state to whoever drives the page.

// strips[reel][i]: the symbol at strip index i (0..20), the machine's strips.
const strips = [
  'bell orange bar bell orange moon bell seven cherry frog orange moon bell orange moon bell frog cherry seven orange moon',
  'cherry moon bar bell cherry bar moon frog bell cherry bar moon orange cherry moon bar cherry orange seven moon orange',
  'moon cherry bar moon cherry orange bell frog moon cherry orange bell moon seven cherry orange bell moon seven orange bell',
].map((line) => line.split(' '));
const pictureOf = { seven: 'VS7S', bar: 'VSRS', frog: 'VSFS', moon: 'VSMS', orange: 'VSOS', bell: 'VSBS', cherry: 'VSCS' };
const positions = 21;
const rowPixels = 26;
const reelNames = ['left', 'center', 'right'];
const stopKeys = { ArrowLeft: 0, ArrowDown: 1, ArrowRight: 2, 1: 0, 2: 1, 3: 2 };

function rpmOf(hash) {
  const found = /(?:^#|&)rpm=(\d+)/.exec(hash);
  const rpm = found ? Number(found[1]) : 80;
  return Math.min(80, Math.max(60, rpm));
}

function orderOf(hash) {
  const found = /(?:^#|&)order=([012]{3})(?:&|$)/.exec(hash);
  return found && new Set(found[1]).size === 3 ? [...found[1]].map(Number) : null;
}

let rpm = rpmOf(window.location.hash);
let fixedOrder = orderOf(window.location.hash);
let paused = null;  // the time the pause began, while paused
const reducedMotion = window.matchMedia('(prefers-reduced-motion: reduce)');
// Milliseconds per frame: one turn of 21 frames takes 60000 / rpm ms.
const frameMs = () => 60000 / (rpm * positions);

// Per reel: the index on the bottom line where it stands, and while it turns
// the time its phase was `stand` (the start's time stamp).
const reels = [0, 1, 2].map(() => ({ stand: 0, turning: false, since: 0 }));
let presses = [];

function phase(reel, time) {
  return reel.turning ? reel.stand + (time - reel.since) / frameMs() : reel.stand;
}
const mod = (n) => ((n % positions) + positions) % positions;

// ---- drawing: four pictures per reel, the band shifted by the phase's fraction
const area = document.getElementById('reels');
const bands = reels.map((_, r) => {
  const frame = document.createElement('div');
  frame.className = 'reel';
  frame.setAttribute('role', 'img');
  frame.setAttribute('aria-label', `${reelNames[r]} reel`);
  const band = document.createElement('div');
  band.className = 'band';
  const pictures = [0, 1, 2, 3].map(() => {
    const img = document.createElement('img');
    img.alt = '';
    band.append(img);
    return img;
  });
  frame.append(band);
  area.append(frame);
  return { frame, band, pictures, shown: -1 };
});

function draw(time) {
  reels.forEach((reel, r) => {
    const p = phase(reel, time);
    const bottom = Math.floor(p);
    const view = bands[r];
    if (view.shown !== mod(bottom)) {
      view.shown = mod(bottom);
      // top to bottom: the index coming in above the window, then the top, center and bottom lines
      view.pictures.forEach((img, k) => { img.src = `pictures/${pictureOf[strips[r][mod(bottom + 3 - k)]]}.bmp`; });
      view.frame.setAttribute('aria-label', `${reelNames[r]} reel, ${strips[r][mod(bottom)]} on the bottom line`);
    }
    const fraction = reducedMotion.matches ? 0 : p - bottom;
    view.band.style.transform = `translateY(${(fraction - 1) * rowPixels}px)`;
  });
}

let drawing = false;
function frameLoop(time) {
  draw(time);
  if (reels.some((reel) => reel.turning) && paused === null) requestAnimationFrame(frameLoop);
  else drawing = false;
}
function keepDrawing() {
  if (drawing) return;
  drawing = true;
  requestAnimationFrame(frameLoop);
}

const word = document.getElementById('word');
const list = document.getElementById('presses');

function start(time) {
  if (reels.some((reel) => reel.turning) || paused !== null) return;
  for (const reel of reels) Object.assign(reel, { turning: true, since: time });
  presses = [];
  list.replaceChildren();
  word.textContent = 'The reels turn.';
  keepDrawing();
}

function stop(r, time) {
  const reel = reels[r];
  if (paused !== null) {
    word.textContent = 'Paused: no press is taken.';
    return;
  }
  if (!reel.turning) {
    word.textContent = `The ${reelNames[r]} reel is not turning.`;
    return;
  }
  if (fixedOrder && fixedOrder[presses.length] !== r) {
    word.textContent = `Out of order: the ${reelNames[fixedOrder[presses.length]]} reel is next, not the ${reelNames[r]}.`;
    return;
  }
  const index = mod(Math.floor(phase(reel, time)));
  Object.assign(reel, { turning: false, stand: index });
  presses.push({ reel: r, index, time });
  const item = document.createElement('li');
  item.textContent = `${reelNames[r]}: pressed at ${index} (${strips[r][index]} on the bottom line)`;
  list.append(item);
  word.textContent = reels.some((other) => other.turning) ? '' : 'All reels stopped.';
  draw(time);
}

window.addEventListener('keydown', (event) => {
  if (event.repeat || event.altKey || event.ctrlKey || event.metaKey) return;
  if (event.key === ' ' || event.key === 'Enter') {
    event.preventDefault();
    start(event.timeStamp);
  } else if (event.key in stopKeys) {
    event.preventDefault();
    stop(stopKeys[event.key], event.timeStamp);
  }
});
// The buttons act as the pointer goes down (a touch's time, not its release's).
document.getElementById('lever').addEventListener('pointerdown', (event) => start(event.timeStamp));
for (const button of document.querySelectorAll('button.stop'))
  button.addEventListener('pointerdown', (event) => stop(Number(button.dataset.reel), event.timeStamp));
// Keys on a focused button go through the window's handler; no click of its own.
for (const button of document.querySelectorAll('#buttons button'))
  button.addEventListener('keydown', (event) => { if (event.key === ' ' || event.key === 'Enter') event.preventDefault(); });

const address = () => `#rpm=${rpm}${fixedOrder ? `&order=${fixedOrder.join('')}` : ''}`;

// Pause and resume: the reels' phases stand still meanwhile.
const pauseButton = document.getElementById('pause');
function togglePause(time) {
  if (paused === null) {
    if (!reels.some((reel) => reel.turning)) return;
    paused = time;
    for (const reel of reels) if (reel.turning) reel.stand = phase(reel, time);
    pauseButton.textContent = 'Resume';
    pauseButton.setAttribute('aria-pressed', 'true');
    word.textContent = 'Paused.';
  } else {
    for (const reel of reels) if (reel.turning) reel.since = time;
    paused = null;
    pauseButton.textContent = 'Pause';
    pauseButton.setAttribute('aria-pressed', 'false');
    word.textContent = '';
    keepDrawing();
  }
}
pauseButton.addEventListener('click', (event) => togglePause(event.timeStamp));
window.addEventListener('keydown', (event) => {
  if (event.key === 'p' && !event.repeat) togglePause(event.timeStamp);
});

const orderSelect = document.getElementById('order');
orderSelect.value = fixedOrder ? fixedOrder.join('') : '';
orderSelect.addEventListener('change', () => {
  fixedOrder = orderOf(`#order=${orderSelect.value}`);
  history.replaceState(null, '', address());
});
orderSelect.addEventListener('keydown', (event) => event.stopPropagation());

const rpmInput = document.getElementById('rpm');
rpmInput.value = String(rpm);
rpmInput.addEventListener('change', () => {
  if (reels.some((reel) => reel.turning)) {
    rpmInput.value = String(rpm);
    word.textContent = 'The speed is set while the reels stand.';
    return;
  }
  rpm = rpmOf(`#rpm=${rpmInput.value}`);
  rpmInput.value = String(rpm);
  history.replaceState(null, '', address());
});
rpmInput.addEventListener('keydown', (event) => event.stopPropagation());

draw(performance.now());
window.practice = {
  frameMs,
  state: () => ({ rpm, order: fixedOrder, paused: paused !== null, word: word.textContent, turning: reels.map((reel) => reel.turning), stands: reels.map((reel) => reel.stand), presses }),
};
document.documentElement.dataset.ready = 'true';
