// The page: loads the panel's WebAssembly module, opens the panel in the
// page, and offers script runs to whoever drives the page:
//
//   await window.reelctl.runScript(text, args)  ->  {status, stdout, stderr}
//
// plays a panel script on a fresh panel in this page, with reelctl-script's
// options in `args` (["--companion", "--row-pixels", "30"]) and `text` as its
// standard input, and gives back exactly what reelctl-script prints; with
// "--key-lines" it also takes the keyboard tests' `key KEY...` lines.
// `window.reelctl.dump()` is the panel as the page shows it now (the user's,
// or the last run's), as reelctl-script's `dump` line has it.
//
// The module's own `view` (the PanelView) and `readBack` (what a script run
// reads and does through the DOM) are exported for tests that must reach a
// state no user can make, e.g. a combo's text that matches no item:
// `const { view } = await import('./page.js')` gives this page's instances.
//
// An address ending in #road=<lines, percent-encoded as encodeURIComponent
// does> opens a fresh panel and plays the lines on it as the user's clicks,
// picks and menu commands (the atlas links to its situations so); the panel
// then stays the user's.

import createReelctl from './reelctl-web.js';
import { PanelView } from './panel_view.js';
import { ReadBack } from './read_back.js';

const view = new PanelView(document.getElementById('desk'), { reopen: () => open() });
const readBack = new ReadBack(view);
const module = await createReelctl({ view, readBack });
view.attach(module);

function open() {
  module._reelctl_open();
}

const encoder = new TextEncoder();
const decoder = new TextDecoder('utf-8');

function allocate(text) {
  const bytes = encoder.encode(text);
  const pointer = module._malloc(bytes.length + 1);
  module.HEAPU8.set(bytes, pointer);
  module.HEAPU8[pointer + bytes.length] = 0;
  return pointer;
}

// A text of the module's output buffer, `pointer` its start.
function outputAt(pointer) {
  return decoder.decode(module.HEAPU8.slice(pointer, pointer + module._reelctl_output_size()));
}

function output(which) {
  return outputAt(module._reelctl_script_output(which));
}

// The panel as it is now, as reelctl-script's dump shows it (null: none open).
function dump() {
  const line = outputAt(module._reelctl_dump());
  return line === '' ? null : JSON.parse(line).dump;
}

// Runs the lines of a begun run or road to its end: its exit status.
async function finish(status) {
  while (status < 0) {
    await readBack.settled();
    status = module._reelctl_script_step();
  }
  return status;
}

async function play(text, args) {
  const strings = [String(text), ...args.map(String)].map(allocate);
  const argv = module._malloc(4 * Math.max(args.length, 1));
  strings.slice(1).forEach((pointer, i) => module.HEAPU32.set([pointer], argv / 4 + i));
  let status;
  try {
    status = module._reelctl_script_begin(strings[0], args.length, argv);
  } finally {
    strings.forEach((pointer) => module._free(pointer));
    module._free(argv);
  }
  status = await finish(status);
  return { status, stdout: output(1), stderr: output(2) };
}

async function playRoad(lines) {
  const pointer = allocate(lines);
  let status;
  try {
    status = module._reelctl_road_begin(pointer);
  } finally {
    module._free(pointer);
  }
  status = await finish(status);
  if (status !== 0) console.warn(`road: exit status ${status}\n${output(2)}`);
  return status;
}

// The road in the address, if it names one: its lines.
function roadOf(hash) {
  const found = /^#road=(.*)$/s.exec(hash);
  if (!found) return null;
  try {
    const lines = decodeURIComponent(found[1]);
    return lines.endsWith('\n') ? lines : `${lines}\n`;
  } catch {
    return null;
  }
}

// One run at a time, in the order asked.
let queue = Promise.resolve();
function runScript(text, args = []) {
  const run = queue.then(() => play(text, args));
  queue = run.catch(() => {});
  return run;
}

// Plays the address's road, after the runs asked before it; `road` on the
// root element tells its exit status once played.
function followAddress() {
  const lines = roadOf(window.location.hash);
  if (lines === null) return null;
  delete document.documentElement.dataset.road;
  const played = queue.then(() => playRoad(lines));
  queue = played.catch(() => {});
  played.then((status) => { document.documentElement.dataset.road = String(status); });
  return played;
}

const road = followAddress();
if (road === null) open();
window.addEventListener('hashchange', () => followAddress());
// focusedId(): the control with the keyboard focus, as the dialog manager keeps it (-1: none).
window.reelctl = { runScript, open, road, dump, focusedId: () => view.focusedId(), readyAt: performance.now() };
export { view, readBack };
document.documentElement.dataset.ready = 'true';
// Kept for opening offline (sw.js); a service worker needs http: or https:.
if ('serviceWorker' in navigator && window.isSecureContext && /^https?:$/.test(window.location.protocol)) {
  navigator.serviceWorker.register('sw.js').catch((error) => console.warn(`offline copy: ${error.message}`));
}
