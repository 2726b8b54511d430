// The panel's dialog in the page's DOM, built from the one dialog layout that
// the WebAssembly module exports (frontends/web/layout_json.h), and the page's
// side of the binding: the primitives that frontends/web/dom_imports.js
// forwards here, what a script host reads back, and the user's acts, which
// leave as window messages to the panel logic.

import { Combo } from './combo.js';
import { FocusRules } from './focus.js';
import { DialogKeys } from './keys.js';
import { MenuBar, mnemonicText } from './menu_bar.js';
import { make } from './elements.js';

const tabStopKinds = new Set(['combo', 'edit', 'readonly_edit', 'radio', 'default_button']);
// Where the template's font is missing, the IPA P Gothic of fonts-ipafont-gothic and others stand in.
const standInFonts = ['MS PGothic', 'IPAPGothic', 'IPA Pゴシック', 'Noto Sans CJK JP', 'sans-serif'];

function nextTask() {
  return new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => resolve();
    channel.port2.postMessage(0);
  });
}

export class PanelView {
  // `root` is the element that holds the panel; `options.reopen()` opens a
  // fresh panel after the last one ended.
  constructor(root, options = {}) {
    this.root = root;
    this.options = options;
    this.module = null;
    this.controls = new Map();  // id -> {id, kind, box, el, combo, mnemonic}
    this.order = [];            // ids in template order
    this.channels = new Map();
    this.nextChannel = 1;
    this.posted = new Map();    // channel name -> messages posted
    this.companion = null;
    this.openBox = null;
    this.endValue = undefined;
    this.focusRules = new FocusRules(this);
    window.addEventListener('resize', () => this.fit());
  }

  attach(module) {
    this.module = module;
  }

  layoutFor(baseX, fontPixels, rowPixels) {
    return JSON.parse(this.module.UTF8ToString(this.module._reelctl_layout(baseX, fontPixels, rowPixels)));
  }

  // ---- building ----------------------------------------------------------

  // The dialog base units of the font, as the Windows dialog manager takes
  // them: the average width of the 52 letters, and the font's height.
  measure(family, points) {
    const fontPixels = Math.round((points * 96) / 72);
    const context = document.createElement('canvas').getContext('2d');
    context.font = `${fontPixels}px ${family}`;
    const letters = Math.round(context.measureText('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz').width);
    return { baseX: Math.floor((Math.floor(letters / 26) + 1) / 2), fontPixels };
  }

  build(rowPixels) {
    this.teardown();
    const names = this.layoutFor(4, 8, -1);
    const family = [names.font, ...standInFonts].map((f) => (f === 'sans-serif' ? f : `"${f}"`)).join(', ');
    const { baseX, fontPixels } = this.measure(family, names.fontPoints);
    const layout = this.layoutFor(baseX, fontPixels, rowPixels);
    this.layout = layout;
    this.messages = layout.messages;
    this.endValue = undefined;

    this.stage = document.createElement('div');
    this.stage.className = 'stage';
    this.window = document.createElement('div');
    this.window.className = 'window';
    this.window.setAttribute('role', 'dialog');
    this.window.style.font = `${fontPixels}px ${family}`;
    this.window.style.setProperty('--font-pixels', `${fontPixels}px`);

    const title = make('div', 'titlebar');
    this.captionElement = document.createElement('span');
    this.captionElement.className = 'caption';
    this.captionElement.id = 'panel-caption';
    this.window.setAttribute('aria-labelledby', this.captionElement.id);
    this.closeButton = document.createElement('button');
    this.closeButton.type = 'button';
    this.closeButton.className = 'closebox';
    this.closeButton.tabIndex = -1;
    this.closeButton.setAttribute('aria-label', 'close');
    this.closeButton.textContent = '×';
    this.closeButton.addEventListener('mousedown', (event) => event.preventDefault());
    this.closeButton.addEventListener('click', () => this.deliver(this.messages.syscommand, this.messages.close));
    title.append(this.captionElement, this.closeButton);
    this.caption(layout.caption);

    this.menuBar = new MenuBar(layout.menu, (id) => this.sendCommand(id, 0));
    this.client = document.createElement('div');
    this.client.className = 'client';
    Object.assign(this.client.style, { width: `${layout.width}px`, height: `${layout.height}px` });
    this.client.addEventListener('mousedown', (event) => this.mouseDown(event));
    this.client.addEventListener('focusin', (event) => this.focusIn(event));
    for (const entry of layout.controls) this.addControl(entry, fontPixels);

    this.window.append(title, this.menuBar.element, this.client);
    this.stage.append(this.window);
    this.ended = document.createElement('div');
    this.ended.className = 'ended';
    this.ended.hidden = true;
    const said = document.createElement('p');
    said.textContent = 'リール制御を終了しました。';
    const again = document.createElement('button');
    again.type = 'button';
    again.className = 'button';
    again.textContent = 'もう一度開く';
    again.addEventListener('click', () => this.options.reopen && this.options.reopen());
    this.ended.append(said, again);
    this.root.replaceChildren(this.stage, this.ended);
    this.keys = new DialogKeys(this);
    this.fit();
  }

  teardown() {
    if (this.openBox) this.closeMessage();
    if (this.menuBar) this.menuBar.remove();
    if (this.keys) this.keys.remove();
    for (const channel of this.channels.values()) channel.close();
    this.channels.clear();
    if (this.companion) this.companion.channel.close();
    this.companion = null;
    this.posted.clear();
    this.controls.clear();
    this.order = [];
    this.focusRules = new FocusRules(this);
  }

  addControl(entry, fontPixels) {
    const rect = entry;
    const place = (element, sized = true) => {
      Object.assign(element.style, { left: `${rect.x}px`, top: `${rect.y}px` });
      if (sized) Object.assign(element.style, { width: `${rect.width}px`, height: `${rect.height}px` });
    };
    let box = null;
    let element = null;
    let combo = null;
    let mnemonic = null;
    switch (entry.kind) {
      case 'group_box': {
        box = make('div', 'group');
        const legend = make('span', 'legend');
        legend.textContent = entry.text;
        box.append(legend);
        place(box);
        break;
      }
      case 'label':
        box = element = make('div', 'label');
        box.textContent = entry.text;
        place(box);
        break;
      case 'bitmap':
        box = element = make('img', 'bitmap');
        box.alt = '';
        box.draggable = false;
        place(box, false);
        this.setPicture(box, entry.text);
        break;
      case 'combo': {
        const closedHeight = fontPixels + 8;
        combo = new Combo(entry.id, rect, rect.height - closedHeight, {
          acted: () => this.focusRules.userActs(entry.id),
          chosen: () => this.sendCommand(entry.id, this.messages.selendok),
        });
        combo.field.style.height = `${closedHeight}px`;
        box = combo.box;
        element = combo.field;
        break;
      }
      case 'edit':
      case 'readonly_edit':
        box = element = document.createElement('input');
        box.type = 'text';
        box.className = 'edit';
        box.readOnly = true;  // the slides are shown, not typed
        box.value = entry.text;
        place(box);
        break;
      case 'radio':
        box = element = document.createElement('input');
        box.type = 'radio';
        box.className = 'radio';
        box.name = `radio-${entry.id}`;  // each radio a group of its own
        place(box);
        box.addEventListener('click', () => this.userActed(entry.id, this.messages.clicked));
        break;
      case 'default_button': {
        box = element = document.createElement('button');
        box.type = 'button';
        box.className = 'button default';
        const text = mnemonicText(entry.text);
        box.append(text.node);
        mnemonic = text.mnemonic;
        place(box);
        box.addEventListener('click', () => this.userActed(entry.id, this.messages.clicked));
        break;
      }
      default:
        return;
    }
    this.client.append(box);
    if (entry.id < 0 || !element) return;
    element.dataset.id = String(entry.id);
    if (!tabStopKinds.has(entry.kind)) element.tabIndex = -1;
    this.controls.set(entry.id, { id: entry.id, kind: entry.kind, box, el: element, combo, mnemonic });
    this.order.push(entry.id);
    if (entry.state === 'hidden') box.hidden = true;
    if (entry.state === 'disabled') this.setEnabled(this.controls.get(entry.id), false);
  }

  // The mouse button goes down: a tab stop that is shown and enabled takes
  // the focus, as the user's click gives it; elsewhere the focus stays.
  mouseDown(event) {
    const element = event.target.closest('[data-id]');
    const id = element ? Number(element.dataset.id) : NaN;
    const c = this.controls.get(id);
    if (c && c.el === element && tabStopKinds.has(c.kind) && this.enabled(id) && this.visible(id)) {
      this.focusRules.userActs(id);
      return;
    }
    event.preventDefault();
  }

  // The DOM focus came to a control by other means than the page's own
  // (assistive technology, a driver's focus call): the control has the focus.
  focusIn(event) {
    if (this.openBox || this.focusRules.following) return;
    const id = event.target.dataset ? Number(event.target.dataset.id) : NaN;
    const c = this.controls.get(id);
    if (c && c.el === event.target && tabStopKinds.has(c.kind) && this.enabled(id) && this.visible(id)) this.focusRules.userActs(id);
  }

  // On a screen narrower than the panel, the panel scales to its width.
  fit() {
    if (!this.window) return;
    const width = this.window.offsetWidth;
    const height = this.window.offsetHeight;
    const room = document.documentElement.clientWidth;
    const scale = width > room && room > 0 ? room / width : 1;
    this.window.style.transform = scale === 1 ? '' : `scale(${scale})`;
    this.stage.style.width = `${width * scale}px`;
    this.stage.style.height = `${height * scale}px`;
    this.scale = scale;
  }

  // ---- sending to the panel logic ------------------------------------------

  live() {
    return Boolean(this.module && this.window && this.endValue === undefined);
  }

  // The dialog procedure's answer; 0 when no panel is open.
  deliver(message, wparam) {
    return this.live() ? this.module._reelctl_deliver(message, wparam >>> 0) : 0;
  }

  // WM_SETFOCUS to the panel.
  setfocus() {
    return this.deliver(this.messages.setfocus, 0);
  }

  sendCommand(id, code) {
    this.deliver(this.messages.command, ((code & 0xffff) << 16) | (id & 0xffff));
  }

  // A user's click on a push button or radio button: it takes the focus, then the dialog hears of it.
  userActed(id, code) {
    this.focusRules.userActs(id);
    this.sendCommand(id, code);
  }

  // ---- the primitives --------------------------------------------------------

  control(id) {
    return this.controls.get(id);
  }

  combo(id) {
    const c = this.controls.get(id);
    return c ? c.combo : null;
  }

  setText(id, text) {
    const c = this.controls.get(id);
    if (!c) return;
    if (c.combo) c.combo.setText(text);
    else if (c.kind === 'edit' || c.kind === 'readonly_edit') c.el.value = text;
    else if (c.kind === 'label' || c.kind === 'default_button') c.el.textContent = text;
  }

  setEnabled(c, on) {
    if (c.combo) c.combo.setEnabled(on);
    else if (c.kind === 'label' || c.kind === 'bitmap') c.el.classList.toggle('disabled', !on);
    else c.el.disabled = !on;
  }

  enable(id, on) {
    const c = this.controls.get(id);
    if (!c) return;
    if (!on) this.focusRules.disabled(id);
    this.setEnabled(c, on);
  }

  show(id, on) {
    const c = this.controls.get(id);
    if (!c) return;
    if (!on) this.focusRules.hidden(id);  // the dialog takes the focus before the control goes
    c.box.hidden = !on;
  }

  check(id, on) {
    const c = this.controls.get(id);
    if (c && c.kind === 'radio') c.el.checked = on;
  }

  setPicture(image, name) {
    if (name) {
      image.src = `pictures/${name}.bmp`;
      image.classList.remove('empty');
    } else {
      image.removeAttribute('src');
      image.classList.add('empty');
    }
  }

  setImage(id, name) {
    const c = this.controls.get(id);
    if (c && c.kind === 'bitmap') this.setPicture(c.el, name);
  }

  comboReset(id) {
    const combo = this.combo(id);
    if (combo) combo.reset();
  }

  comboAdd(id, text) {
    const combo = this.combo(id);
    if (combo) combo.add(text);
  }

  comboText(id) {
    const combo = this.combo(id);
    return combo ? combo.text() : '';
  }

  focus(id) {
    this.focusRules.logicFocus(id);
  }

  // After WM_INITDIALOG: its answer.
  initialFocus(answer) {
    this.focusRules.initial(answer);
  }

  // WM_SETFOCUS to the dialog window, as the system sends it.
  dialogTakesFocus() {
    this.focusRules.dialogTakes();
  }

  caption(text) {
    this.captionElement.textContent = text;
    document.title = text;
  }

  message(text, caption) {
    const box = make('dialog', 'msgbox');
    const title = make('div', 'titlebar');
    const heading = make('span', 'caption msgbox-caption');
    heading.textContent = caption;
    title.append(heading);
    const body = make('p', 'msgbox-text');
    body.textContent = text;
    const buttons = make('div', 'msgbox-buttons');
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.className = 'button default';
    ok.textContent = 'OK';
    buttons.append(ok);
    box.append(title, body, buttons);
    ok.addEventListener('click', () => this.closeMessage());
    box.addEventListener('cancel', (event) => {
      event.preventDefault();
      this.closeMessage();
    });
    this.root.append(box);
    this.openBox = box;
    box.showModal();
    ok.focus();
    this.focusRules.messageOpened();
  }

  closeMessage() {
    const box = this.openBox;
    if (!box) return;
    this.focusRules.following = true;  // the browser gives the DOM focus back to what had it before the box
    box.close();
    box.remove();
    this.openBox = null;
    this.focusRules.following = false;
    this.focusRules.messageClosed();
  }

  messageShown() {
    return this.openBox !== null;
  }

  menuCheck(id, on) {
    this.menuBar.check(id, on);
  }

  // The top of a control in pixels of the page's layout (a phone's scaling aside).
  controlTop(id) {
    const c = this.controls.get(id);
    if (!c) return 0;
    let top = 0;
    for (let element = c.box; element; element = element.offsetParent) top += element.offsetTop;
    return top;
  }

  channelOpen(name) {
    const handle = this.nextChannel++;
    const channel = new BroadcastChannel(name);
    channel.reelctlName = name;
    this.channels.set(handle, channel);
    return handle;
  }

  channelPost(handle, bytes) {
    const channel = this.channels.get(handle);
    if (!channel) return;
    channel.postMessage(bytes);
    this.posted.set(channel.reelctlName, (this.posted.get(channel.reelctlName) || 0) + 1);
  }

  channelClose(handle) {
    const channel = this.channels.get(handle);
    if (channel) channel.close();
    this.channels.delete(handle);
  }

  help(document) {
    window.open(new URL(document, window.document.baseURI).href, '_blank', 'noopener');
  }

  // The panel has ended: the page says so and offers to open it again. The
  // controls stay as they were, hidden, for whoever reads them.
  endDialog(value) {
    this.endValue = value;
    this.menuBar.closeAll();
    for (const c of this.controls.values()) if (c.combo) c.combo.close();
    this.stage.hidden = true;
    this.ended.hidden = false;
  }

  // ---- what a script host reads ------------------------------------------------

  enabled(id) {
    const c = this.controls.get(id);
    if (!c) return false;
    if (c.combo) return !c.combo.field.disabled;
    if (c.kind === 'label' || c.kind === 'bitmap') return !c.el.classList.contains('disabled');
    return !c.el.disabled;
  }

  visible(id) {
    const c = this.controls.get(id);
    return Boolean(c && !c.box.hidden);
  }

  state(id) {
    const c = this.controls.get(id);
    if (!c) return 0;
    return 1 | (this.visible(id) ? 2 : 0) | (this.enabled(id) ? 4 : 0) | (c.kind === 'radio' && c.el.checked ? 8 : 0);
  }

  text(id) {
    const c = this.controls.get(id);
    if (!c) return '';
    if (c.combo) return c.combo.text();
    if (c.kind === 'edit' || c.kind === 'readonly_edit') return c.el.value;
    return '';
  }

  items(id) {
    const combo = this.combo(id);
    return combo ? [...combo.list.children].map((row) => row.textContent) : [];
  }

  image(id) {
    const c = this.controls.get(id);
    if (!c || c.kind !== 'bitmap' || !c.el.hasAttribute('src')) return null;
    const source = c.el.getAttribute('src');
    return source.slice(source.lastIndexOf('/') + 1).replace(/\.bmp$/i, '');
  }

  captionText() {
    return this.captionElement.textContent;
  }

  focusedId() {
    return this.focusRules.focusedId();
  }

  focused() {
    return this.focusedId();
  }

  // Whether the element is one of the panel's.
  owns(element) {
    return Boolean(this.window && this.window.contains(element));
  }

  checked(id) {
    const c = this.controls.get(id);
    return Boolean(c && c.kind === 'radio' && c.el.checked);
  }

  focusElement(id) {
    const c = this.controls.get(id);
    return c ? c.el : null;
  }

  tabStops() {
    return this.order.filter((id) => tabStopKinds.has(this.controls.get(id).kind));
  }

  isPushButton(id) {
    const c = this.controls.get(id);
    return Boolean(c && c.kind === 'default_button');
  }

  isRadio(id) {
    const c = this.controls.get(id);
    return Boolean(c && c.kind === 'radio');
  }

  menuChecked(id) {
    return this.menuBar.checked(id);
  }

  openMessage(field) {
    if (!this.openBox) return null;
    const selector = field === 'caption' ? '.msgbox-caption' : '.msgbox-text';
    return this.openBox.querySelector(selector).textContent;
  }

  // ---- what a script host and the keys do as the user --------------------------

  answerMessage() {
    if (this.openBox) this.openBox.querySelector('.msgbox-buttons button').click();
  }

  userClick(id) {
    const c = this.controls.get(id);
    if (c) c.el.click();
  }

  userPick(id, index) {
    const combo = this.combo(id);
    if (!combo) return;
    if (!combo.isOpen()) combo.field.click();
    const row = combo.list.children[index];
    if (row) row.click();
  }

  typeText(id, text) {
    const combo = this.combo(id);
    if (combo) combo.setText(text);
  }

  menuCommand(id) {
    return this.menuBar.click(id);
  }

  closeBox() {
    this.closeButton.click();
  }

  // Alt and a letter on the push buttons: the next tab stop after the focus
  // that is shown, enabled and has that mnemonic takes the focus and is pressed.
  buttonMnemonic(letter) {
    const stops = this.tabStops();
    const here = stops.indexOf(this.focusedId());
    const from = here < 0 ? stops.length - 1 : here;
    for (let step = 1; step <= stops.length; ++step) {
      const id = stops[(from + step) % stops.length];
      const c = this.controls.get(id);
      if (c.mnemonic === letter && this.enabled(id) && this.visible(id)) {
        this.userClick(id);
        return true;
      }
    }
    return false;
  }

  // A key as the user presses it (a script run's key line): keydown and
  // keyup on the element with the DOM focus, which the page's own key
  // handling takes as the user's key.
  pressKey(key, code, shift, alt) {
    const target = document.activeElement || document.body;
    const init = { key, code, shiftKey: shift, altKey: alt, bubbles: true, cancelable: true, composed: true };
    target.dispatchEvent(new KeyboardEvent('keydown', init));
    (document.activeElement || document.body).dispatchEvent(new KeyboardEvent('keyup', init));
  }

  // ---- the companion of a script run --------------------------------------------

  companionListen(name) {
    const companion = { name, channel: new BroadcastChannel(name), bytes: null, count: 0 };
    companion.channel.onmessage = (event) => {
      const bytes = new Uint8Array(event.data);
      const all = new Uint8Array((companion.bytes ? companion.bytes.length : 0) + bytes.length);
      if (companion.bytes) all.set(companion.bytes);
      all.set(bytes, all.length - bytes.length);
      companion.bytes = all;
      companion.count += 1;
    };
    this.companion = companion;
  }

  companionReceived() {
    return this.companion ? this.companion.bytes : null;
  }

  // Lets the page take its turn after a script line: the companion hears what was posted to it.
  async settled() {
    await nextTask();
    const started = performance.now();
    const companion = this.companion;
    while (companion && (this.posted.get(companion.name) || 0) > companion.count && performance.now() - started < 2000)
      await new Promise((resolve) => setTimeout(resolve, 1));
  }
}
