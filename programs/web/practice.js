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
// The game runs on the panel's own logic in the WebAssembly module
// (programs/web/practice_game.h): the lever starts a game at the bet and the
// role (chosen, or drawn by the odds the user typed), a press gives the module
// the press index and the module answers with the stop; the reel slides the
// frames between them at the same speed and stands there. The machine's draws
// come from a seed (window.practice.seed(n) sets the next game's).
//
// window.practice.state() tells the reels' state to whoever drives the page.

import createReelctl from './reelctl-web.js';
import { make } from './elements.js';
import { classWords, data, judge } from './judge_reading.js';

const module = await createReelctl({});
const machine = JSON.parse(module.UTF8ToString(module._reelctl_strips()));
// strips[reel][i]: the symbol at strip index i (0..20), the machine's strips (machine/symbols.h).
const strips = machine.strips.map((codes) => codes.map((code) => machine.symbols[code]));
const positions = 21;
// The strip pictures: 24 pixels a row, index 20 at the top down to index 0 at the bottom.
const rowPixels = 24;
const stripPixels = rowPixels * positions;
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
// the time its phase was `stand` (the start's time stamp); once pressed, the
// phase at which it stands (`until`, the press's index plus the slide).
const reels = [0, 1, 2].map(() => ({ stand: 0, turning: false, since: 0, pressed: false, until: null }));
let presses = [];

function rawPhase(reel, time) {
  return reel.turning ? reel.stand + (time - reel.since) / frameMs() : reel.stand;
}
// A pressed reel slides on at the same speed and stands at its stop.
function phase(reel, time) {
  const p = rawPhase(reel, time);
  if (reel.until !== null && p >= reel.until) {
    Object.assign(reel, { turning: false, stand: mod(reel.until), until: null });
    return reel.stand;
  }
  return p;
}
const mod = (n) => ((n % positions) + positions) % positions;

// ---- drawing: each reel its strip picture, shifted by the phase
const area = document.getElementById('reels');
const bands = reels.map((_, r) => {
  const frame = document.createElement('div');
  frame.className = 'reel';
  frame.setAttribute('role', 'img');
  frame.style.backgroundImage = `url(pictures/${machine.strip_pictures[r]}.bmp)`;
  area.append(frame);
  return { frame, shown: -1 };
});

// The bottom line (the window's third row) shows phase p where the picture
// holds index p: 20 - p rows down from its top.
function draw(time) {
  reels.forEach((reel, r) => {
    const p = phase(reel, time);
    const shown = reducedMotion.matches ? Math.floor(p) : p;
    const view = bands[r];
    if (view.shown !== mod(Math.floor(p))) {
      view.shown = mod(Math.floor(p));
      view.frame.setAttribute('aria-label', `${reelNames[r]} reel, ${strips[r][view.shown]} on the bottom line`);
    }
    const y = ((2 * rowPixels - (20 - shown) * rowPixels) % stripPixels + stripPixels) % stripPixels;
    view.frame.style.backgroundPositionY = `${y}px`;
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
const result = document.getElementById('result');

// ---- the game's settings: bet, role (chosen or drawn by typed odds), seeds
const betSelect = document.getElementById('bet');
const roleSelect = document.getElementById('role');
const oddsBox = document.getElementById('odds');
let roles = [];  // [role, name] of the bet, in the role combo's order
function fillRoles() {
  roles = JSON.parse(module.UTF8ToString(module._reelctl_game_roles(Number(betSelect.value))));
  const kept = roleSelect.value;
  roleSelect.replaceChildren(new Option('hidden: drawn by the odds', 'hidden'),
    ...roles.map(([role, name], item) => new Option(name, String(item))));
  roleSelect.value = [...roleSelect.options].some((o) => o.value === kept) ? kept : '0';
  oddsBox.replaceChildren(...roles.map(([role, name]) => {
    const label = document.createElement('label');
    const input = document.createElement('input');
    Object.assign(input, { type: 'text', inputMode: 'decimal', placeholder: '1/N', size: 6 });
    input.dataset.role = String(role);
    label.append(`${name} `, input);
    return label;
  }));
}
betSelect.addEventListener('change', fillRoles);

// mulberry32: the page's draws (the hidden role, the machine's seed).
let seedState = (Date.now() ^ 0x5bd1e995) >>> 0;
function random32() {
  seedState = (seedState + 0x6D2B79F5) >>> 0;
  let t = seedState;
  t = Math.imul(t ^ (t >>> 15), t | 1);
  t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
  return (t ^ (t >>> 14)) >>> 0;
}
// The odds typed per role as 1/N (or a plain probability): the hidden role is drawn among those roles by them.
function typedOdds() {
  return [...oddsBox.querySelectorAll('input')].map((input, item) => {
    const m = /^\s*1\s*\/\s*(\d+(?:\.\d+)?)\s*$/.exec(input.value);
    const p = m ? 1 / Number(m[1]) : /^\s*0?\.\d+\s*$/.test(input.value) ? Number(input.value) : 0;
    return { item, p: p > 0 && p <= 1 ? p : 0 };
  }).filter((o) => o.p > 0);
}
function drawRole() {
  if (roleSelect.value !== 'hidden') return Number(roleSelect.value);
  const odds = typedOdds();
  if (!odds.length) return -1;
  const sum = odds.reduce((s, o) => s + o.p, 0);
  let x = (random32() / 2 ** 32) * sum;
  for (const o of odds) if ((x -= o.p) < 0) return o.item;
  return odds[odds.length - 1].item;
}

// ---- aiming: a target symbol on a line of a reel
const aimReel = document.getElementById('aim-reel');
const aimLine = document.getElementById('aim-line');
const aimSymbol = document.getElementById('aim-symbol');
const aimWord = document.getElementById('aim-word');
aimSymbol.append(...machine.symbols.slice(0, 7).map((name) => new Option(name, name)));
const lineNames = ['top', 'middle', 'bottom'];
// The symbol on a line (0 top, 1 middle, 2 bottom) of a reel standing at a stop.
const lineSymbol = (r, stopAt, line) => strips[r][mod(stopAt + 2 - line)];
let hits = 0, aims = 0;
let lastAim = null;
function aim(r) {
  if (aimSymbol.value === '' || Number(aimReel.value) !== r) return;
  const line = Number(aimLine.value), symbol = aimSymbol.value;
  const press = presses[presses.length - 1];
  const reach = module.UTF8ToString(module._reelctl_game_reach(r)).split(',').map(Number);
  const reaching = reach.map((s, q) => (s >= 0 && lineSymbol(r, s, line) === symbol ? q : -1)).filter((q) => q >= 0);
  const hit = lineSymbol(r, press.stop, line) === symbol;
  // The timing error: frames from the press's phase to the nearest frame of a press that reaches the target (0 inside one).
  const x = ((press.phase % positions) + positions) % positions;
  let error = null;
  for (const q of reaching) {
    const late = (((x - q) % positions) + positions) % positions;
    const e = late < 1 ? 0 : late - 1 <= positions - late ? late - 1 : late - positions;
    if (error === null || Math.abs(e) < Math.abs(error)) error = e;
  }
  aims += 1;
  if (hit) hits += 1;
  lastAim = { reel: r, line, symbol, hit, slack: reaching.length, error };
  aimWord.textContent = `${hit ? 'Hit' : 'Missed'}: ${symbol} on the ${lineNames[line]} line of the ${reelNames[r]} reel. ` +
    `${reaching.length} of 21 presses reach it in this game` +
    (error === null ? '.' : `; the press was ${error === 0 ? 'on one of them' : `${Math.abs(error).toFixed(2)} frame ${error < 0 ? 'early' : 'late'}`}.`) +
    ` Hits: ${hits} of ${aims}.`;
}

// ---- after the game: the presses, the window, what it tells, the links
const element = (tag, text, attributes = {}) => make(tag, '', text === undefined ? {} : { textContent: text }, attributes);
let told = 0;
async function tell() {
  const played = { ...game };
  const stops = [0, 1, 2].map((r) => presses.find((p) => p.reel === r).stop);
  const order = module._reelctl_game_order();
  const road = module.UTF8ToString(module._reelctl_game_road()).trimEnd();
  const [role, name] = roles[played.item];
  const table = element('table');
  table.append(element('caption', 'The presses'));
  const head = element('tr');
  for (const h of ['reel', 'pressed at', 'slide', 'stop']) head.append(element('th', h, { scope: 'col' }));
  table.append(head);
  for (const p of presses) {
    const row = element('tr');
    for (const v of [reelNames[p.reel], p.index, p.slide, p.stop]) row.append(element('td', String(v)));
    table.append(row);
  }
  const window3 = element('div', undefined, { class: 'window', role: 'img' });
  const lines = [0, 1, 2].map((line) => [0, 1, 2].map((r) => lineSymbol(r, stops[r], line)));
  window3.setAttribute('aria-label', `the window: ${lines.map((l, i) => `${lineNames[i]} ${l.join(', ')}`).join('; ')}`);
  for (const l of lines) for (const symbol of l) window3.append(element('img', undefined, { src: `pictures/${machine.pictures[machine.symbols.indexOf(symbol)]}.bmp`, alt: '' }));
  const roleLine = element('p', `The role${played.hidden ? ' (drawn, hidden until now)' : ''}: ${name}.`);
  const tells = element('p', 'What the window tells: …', { id: 'tells' });
  const judgeAddress = `judge.html#bet=${played.bet}&order=${order}&left=${stops[0]}&center=${stops[1]}&right=${stops[2]}`;
  const links = element('p');
  links.append(element('a', 'This game in the viewer', { href: `index.html#road=${encodeURIComponent(road)}` }), ' · ',
    element('a', 'This window in the judge', { href: judgeAddress }));
  result.replaceChildren(element('h2', '結果 the result'), table, window3, roleLine, tells, links);
  const game_ = told + 1;
  try {
    const { roles: shown, cls } = judge(await data(played.bet, order), stops);
    tells.textContent = `What the window tells: ${classWords[cls]} ${cls}; the roles that can show it: ${shown.map((r) => r.name).join(', ') || 'none'}.`;
    lastTell = { cls, roles: shown.map((r) => r.role), role };
  } catch (error) {
    tells.textContent = `What the window tells: the judge's data could not be read (${error.message}).`;
    lastTell = { error: error.message };
  }
  told = game_;
  result.dataset.told = String(told);
}
let lastTell = null;

let game = null;  // {bet, item, hidden, seed}
function start(time) {
  reels.forEach((reel) => phase(reel, time));  // a reel that slid to its stop by now stands
  if (reels.some((reel) => reel.turning) || paused !== null) return;
  const item = drawRole();
  if (item < 0) {
    word.textContent = 'A hidden role needs the odds of at least one role (1/N).';
    return;
  }
  game = { bet: Number(betSelect.value), item, hidden: roleSelect.value === 'hidden', seed: random32() };
  module._reelctl_game_start(game.bet, game.item, game.seed);
  for (const reel of reels) Object.assign(reel, { turning: true, since: time, pressed: false, until: null });
  presses = [];
  list.replaceChildren();
  result.replaceChildren();
  word.textContent = 'The reels turn.';
  keepDrawing();
}

function stop(r, time) {
  const reel = reels[r];
  if (paused !== null) {
    word.textContent = 'Paused: no press is taken.';
    return;
  }
  if (!reel.turning || reel.pressed) {
    word.textContent = `The ${reelNames[r]} reel is not turning.`;
    return;
  }
  if (fixedOrder && fixedOrder[presses.length] !== r) {
    word.textContent = `Out of order: the ${reelNames[fixedOrder[presses.length]]} reel is next, not the ${reelNames[r]}.`;
    return;
  }
  const at = rawPhase(reel, time);
  const index = mod(Math.floor(at));
  const stopAt = module._reelctl_game_press(r, index);
  if (stopAt < 0) {
    word.textContent = `The panel refused the press: ${module.UTF8ToString(module._reelctl_game_fault())}.`;
    return;
  }
  const slide = mod(stopAt - index);
  reel.pressed = true;
  if (slide === 0) Object.assign(reel, { turning: false, stand: index, until: null });
  else Object.assign(reel, { stand: at, since: time, until: Math.floor(at) + slide });
  presses.push({ reel: r, index, time, slide, stop: stopAt, phase: at });
  const item = document.createElement('li');
  item.textContent = `${reelNames[r]}: pressed at ${index}, slid ${slide}, stopped at ${stopAt} (${strips[r][stopAt]} on the bottom line)`;
  list.append(item);
  word.textContent = presses.length < 3 ? '' : 'All reels stopped.';
  aim(r);
  if (presses.length === 3) tell();
  draw(time);
}

// Keys in the settings' lists and fields are theirs.
const typing = (event) => event.target instanceof Element && event.target.closest('select, input, textarea') !== null;
window.addEventListener('keydown', (event) => {
  if (event.repeat || event.altKey || event.ctrlKey || event.metaKey || typing(event)) return;
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
    pauseButton.setAttribute('aria-pressed', 'true');
    word.textContent = 'Paused.';
  } else {
    for (const reel of reels) if (reel.turning) reel.since = time;
    paused = null;
    pauseButton.setAttribute('aria-pressed', 'false');
    word.textContent = '';
    keepDrawing();
  }
}
pauseButton.addEventListener('click', (event) => togglePause(event.timeStamp));
window.addEventListener('keydown', (event) => {
  if (event.key === 'p' && !event.repeat && !typing(event)) togglePause(event.timeStamp);
});

const orderSelect = document.getElementById('order');
orderSelect.value = fixedOrder ? fixedOrder.join('') : '';
orderSelect.addEventListener('change', () => {
  fixedOrder = orderOf(`#order=${orderSelect.value}`);
  history.replaceState(null, '', address());
});

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

fillRoles();
draw(performance.now());
window.practice = {
  frameMs,
  strips,
  seed: (n) => { seedState = n >>> 0; },
  state: () => {
    const now = performance.now();
    reels.forEach((reel) => phase(reel, now));
    return {
      rpm, order: fixedOrder, paused: paused !== null, word: word.textContent, turning: reels.map((reel) => reel.turning),
      stands: reels.map((reel) => reel.stand), presses, game, hits, aims, aim: lastAim, tell: lastTell, told,
      stopOrder: module._reelctl_game_order(), role: module._reelctl_game_role(),
      road: module.UTF8ToString(module._reelctl_game_road()),
    };
  },
};
document.documentElement.dataset.ready = 'true';
