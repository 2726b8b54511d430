// The page: loads the panel's WebAssembly module, opens the panel in the
// page, and offers script runs to whoever drives the page:
//
//   await window.reelctl.runScript(text, args)  ->  {status, stdout, stderr}
//
// plays a panel script on a fresh panel in this page, with reelctl-script's
// options in `args` (["--companion", "--row-pixels", "30"]) and `text` as its
// standard input, and gives back exactly what reelctl-script prints.

import createReelctl from './reelctl-web.js';
import { PanelView } from './panel_view.js';

const view = new PanelView(document.getElementById('desk'), { reopen: () => open() });
const module = await createReelctl({ view });
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

function output(which) {
  const pointer = module._reelctl_script_output(which);
  return decoder.decode(module.HEAPU8.slice(pointer, pointer + module._reelctl_output_size()));
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
  while (status < 0) {
    await view.settled();
    status = module._reelctl_script_step();
  }
  return { status, stdout: output(1), stderr: output(2) };
}

// One run at a time, in the order asked.
let queue = Promise.resolve();
function runScript(text, args = []) {
  const run = queue.then(() => play(text, args));
  queue = run.catch(() => {});
  return run;
}

open();
window.reelctl = { runScript, open, readyAt: performance.now() };
document.documentElement.dataset.ready = 'true';
