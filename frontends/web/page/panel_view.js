// The panel's dialog in the page's DOM, built from the one dialog layout that
// the WebAssembly module exports (frontends/web/layout_json.h), and the page's
// side of the binding: the primitives that frontends/web/dom_imports.js
// forwards here, the controls' state that the dialog manager reads, the DOM
// focus where the dialog manager puts the focus, and the user's acts, which
// leave for the module as window messages, the dialog manager's keys and
// the title bar's buttons. What a script host reads back and does is
// read_back.js.

import { Combo } from './combo.js';
import { DomFocus } from './focus.js';
import { DialogKeys } from './keys.js';
import { MenuBar, mnemonicText } from './menu_bar.js';
import { make } from './elements.js';

// Where the template's font is missing, the IPA P Gothic of fonts-ipafont-gothic and others stand in.
const standInFonts = ['MS PGothic', 'IPAPGothic', 'IPA Pゴシック', 'Noto Sans CJK JP', 'sans-serif'];
// The title bar's buttons, as frontends/web/dom.h numbers them (reelctl_dom_title_*).
export const titleButtons = { close: 0, minimize: 1, restore: 2 };
// Names for assistive technology: the reel columns, the window's lines (top
// down) and reels, and the symbols by the third letter of their pictures.
const columnNames = ['左リール / Left reel', '中リール / Center reel', '右リール / Right reel'];
const windowName = '停止出目 / Stopped window';
const lineNames = ['上段', '中段', '下段'];
const reelNames = ['左', '中', '右'];
const symbolNames = { '7': 'セブン', R: 'バー', F: 'カエル', M: '月', O: 'オレンジ', B: 'ベル', C: 'チェリー' };
const rowsPerReel = 21;
// The panel's sizes on a wide screen: whole steps up to 4, kept under this key.
const maxScale = 4;
const scaleKey = 'reelctl-scale';

export class PanelView {
  // `root` is the element that holds the panel; `options.reopen()` opens a
  // fresh panel after the last one ended.
  constructor(root, options = {}) {
    this.root = root;
    this.options = options;
    this.module = null;
    this.controls = new Map();  // id -> {id, kind, box, el, combo, reel, row, line}
    this.rows = new Map();      // 'kind reel row' -> the slide box or radio of a row
    this.channels = new Map();
    this.nextChannel = 1;
    this.posted = new Map();    // channel name -> messages posted
    this.openBox = null;
    this.endValue = undefined;
    this.domFocus = new DomFocus(this);
    this.cleanups = [];         // what a fresh panel undoes of the last one
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
    const context = make('canvas').getContext('2d');
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
    this.messages = layout.messages;
    this.endValue = undefined;

    this.stage = make('div', 'stage');
    this.window = make('div', 'window', {}, { role: 'dialog', 'aria-labelledby': 'panel-caption' });
    this.window.style.font = `${fontPixels}px ${family}`;
    this.window.style.setProperty('--font-pixels', `${fontPixels}px`);
    this.captionElement = make('span', 'caption', { id: 'panel-caption' });
    this.titleBar = { minimize: this.titleButton('minimize', '_'), restore: this.titleButton('restore', '▫'), close: this.titleButton('close', '×') };
    this.titleBar.restore.hidden = true;
    const title = make('div', 'titlebar');
    title.append(this.captionElement, make('span', 'titlebuttons'));
    title.lastChild.append(this.titleBar.minimize, this.titleBar.restore, this.titleBar.close);
    this.caption(layout.caption);

    this.menuBar = new MenuBar(layout.menu, (id) => this.sendCommand(id, 0));
    this.cleanups.push(() => this.menuBar.remove());
    this.client = make('div', 'client');
    Object.assign(this.client.style, { width: `${layout.width}px`, height: `${layout.height}px` });
    this.client.addEventListener('mousedown', (event) => this.mouseDown(event));
    this.client.addEventListener('focusin', (event) => this.focusIn(event));
    this.groups = 0;            // group boxes so far: the first frames the window, the others the reels
    this.counts = { edit: 0, radio: 0, bitmap: 0 };
    this.container = this.client;
    for (const entry of layout.controls) this.addControl(entry, fontPixels);
    for (const c of this.controls.values()) this.describe(c);

    this.window.append(title, this.menuBar.element, this.client);
    this.stage.append(this.window);
    this.ended = make('div', 'ended', { hidden: true });
    const again = make('button', 'button', { type: 'button', textContent: 'もう一度開く' });
    again.addEventListener('click', () => this.options.reopen && this.options.reopen());
    this.ended.append(make('p', '', { textContent: 'リール制御を終了しました。' }), again);
    this.root.replaceChildren(this.stage, this.ended);
    const keys = new DialogKeys(this);
    this.cleanups.push(() => keys.remove());
    this.fit();
  }

  // A button of the title bar: a click sends its system command, and it never takes the focus.
  titleButton(name, text) {
    const button = make('button', `titlebutton ${name}box`, { type: 'button', tabIndex: -1, textContent: text }, { 'aria-label': name });
    button.addEventListener('mousedown', (event) => event.preventDefault());
    button.addEventListener('click', () => {
      if (this.live()) this.module._reelctl_title_button(titleButtons[name]);
    });
    return button;
  }

  teardown() {
    if (this.openBox) this.closeMessage();
    this.cleanups.splice(0).forEach((cleanup) => cleanup());
    for (const channel of this.channels.values()) channel.close();
    this.channels.clear();
    this.posted.clear();
    this.controls.clear();
    this.rows.clear();
    this.cursor = null;
  }

  addControl(entry, fontPixels) {
    const rect = entry;
    const place = (element, sized = true) => {
      Object.assign(element.style, { left: `${rect.x}px`, top: `${rect.y}px` });
      if (sized) Object.assign(element.style, { width: `${rect.width}px`, height: `${rect.height}px` });
    };
    const clicked = () => this.userActed(entry.id, this.messages.clicked);
    let box = null;
    let element = null;
    let combo = null;
    const at = { reel: -1, row: -1, line: -1 };
    switch (entry.kind) {
      case 'group_box':
        // The frame is drawn; the named group that holds its controls is what is heard.
        box = make('div', 'group', {}, { 'aria-hidden': 'true' });
        box.append(make('span', 'legend', { textContent: entry.text }));
        place(box);
        this.container = make('div', 'named-group', {}, { role: 'group', 'aria-label': this.groups === 0 ? windowName : columnNames[this.groups - 1] });
        this.client.append(box, this.container);  // the frame below what it frames
        this.groups += 1;
        return;
      case 'label':
        box = element = make('div', 'label', { textContent: entry.text });
        if (entry.id < 0 && this.groups > 1) box.setAttribute('aria-hidden', 'true');  // a row's number: its edit box says it
        this.lastLabel = entry.text;
        place(box);
        break;
      case 'bitmap': {
        box = element = make('img', 'bitmap', { alt: '', draggable: false });
        // The window's nine pictures come first, line by line from the top, left to right; then the strips.
        const index = this.counts.bitmap++;
        if (index < 9) Object.assign(at, { reel: index % 3, line: 2 - Math.floor(index / 3) });
        place(box, false);
        this.setPicture(box, entry.text);
        break;
      }
      case 'combo': {
        const closedHeight = fontPixels + 8;
        combo = new Combo(entry.id, rect, rect.height - closedHeight, {
          acted: () => this.module._reelctl_user_acts(entry.id),
          chosen: () => this.sendCommand(entry.id, this.messages.selendok),
        });
        combo.field.style.height = `${closedHeight}px`;
        combo.field.setAttribute('aria-label', this.lastLabel || '');  // the label before a list names it
        box = combo.box;
        element = combo.field;
        break;
      }
      case 'edit':
      case 'readonly_edit':
        // The slides are shown, not typed.
        box = element = make('input', 'edit', { type: 'text', readOnly: true, value: entry.text });
        if (entry.kind === 'edit') this.placeRow(at, this.counts.edit++);
        place(box);
        break;
      case 'radio':
        box = element = make('input', 'radio', { type: 'radio', name: `radio-${entry.id}`, id: `radio-${entry.id}` });  // each radio a group of its own
        this.placeRow(at, this.counts.radio++);
        place(box);
        box.addEventListener('click', clicked);
        break;
      case 'default_button':
        box = element = make('button', 'button default', { type: 'button' });
        box.append(mnemonicText(entry.text).node);
        place(box);
        box.addEventListener('click', clicked);
        break;
      default:
        return;
    }
    const inGroup = this.groups > 0 && (this.groups === 1 ? entry.kind === 'bitmap' : !combo && entry.kind !== 'default_button');
    (inGroup ? this.container : this.client).append(box);
    if (entry.id < 0 || !element) return;
    element.dataset.id = String(entry.id);
    const c = { id: entry.id, kind: entry.kind, box, el: element, combo, ...at };
    this.controls.set(entry.id, c);
    if (at.row >= 0) this.rows.set(`${c.kind} ${c.reel} ${c.row}`, c);
    if (entry.state === 'hidden') box.hidden = true;
    if (entry.state === 'disabled') this.setEnabled(this.controls.get(entry.id), false);
  }

  // The rows of a reel column stand top down in the template: row 21 first.
  placeRow(at, index) {
    Object.assign(at, { reel: Math.floor(index / rowsPerReel), row: rowsPerReel - (index % rowsPerReel) });
  }

  // The name a control is heard by: a row says its position, slide and whether
  // it is a stop; a window picture its line, reel and symbol.
  describe(c) {
    if (!c) return;
    if (c.line >= 0) {
      const name = c.el.dataset.picture || '';
      const symbol = symbolNames[name[2]] || '空白';
      c.el.alt = `${lineNames[2 - c.line]} ${reelNames[c.reel]} ${symbol}`;
      return;
    }
    if (c.row < 0) return;
    const edit = this.rowControl('edit', c.reel, c.row);
    const radio = this.rowControl('radio', c.reel, c.row);
    if (!edit || !radio) return;
    const slide = edit.el.value.trim();
    const stop = this.visible(radio.id) && this.enabled(radio.id);
    const name = `位置${c.row} 滑り${slide === '' ? 'なし' : slide}${stop ? ' 停止可' : ''}${this.enabled(edit.id) ? '' : ' 灰色'}`;
    edit.el.setAttribute('aria-label', name);
    radio.el.setAttribute('aria-label', name);
  }

  // Looked up, not searched: every change of a row's text or state names it again.
  rowControl(kind, reel, row) {
    return this.rows.get(`${kind} ${reel} ${row}`) || null;
  }

  // The stop radios of the reel column that control `id` stands in, shown and enabled, top down.
  columnRadios(id) {
    const c = this.controls.get(id);
    if (!c || c.row < 0) return [];
    return [...this.controls.values()].filter((r) => r.kind === 'radio' && r.reel === c.reel && this.visible(r.id) && this.enabled(r.id))
      .sort((a, b) => b.row - a.row).map((r) => r.id);
  }

  // The page's keyboard cursor on a stop radio (null: none): where Space or Enter clicks.
  setCursor(id) {
    if (this.cursor != null) {
      const old = this.controls.get(this.cursor);
      if (old) old.el.classList.remove('cursor');
    }
    this.cursor = id;
    const focused = this.controls.get(this.focusedId());
    if (focused && focused.kind === 'edit') {
      if (id == null) focused.el.removeAttribute('aria-activedescendant');
      else focused.el.setAttribute('aria-activedescendant', `radio-${id}`);
    }
    if (id != null) this.controls.get(id).el.classList.add('cursor');
  }

  // The control whose element is `element`, if it is a control's.
  controlOf(element) {
    const id = element && element.dataset ? Number(element.dataset.id) : NaN;
    const c = this.controls.get(id);
    return c && c.el === element ? c : null;
  }

  // The mouse button goes down on a control that is shown and enabled: the
  // dialog manager hears of it (a tab stop takes the focus, as the user's
  // click gives it). The browser's own focus moves nowhere else.
  mouseDown(event) {
    const c = this.controlOf(event.target.closest('[data-id]'));
    if (c && this.enabled(c.id) && this.visible(c.id)) this.module._reelctl_user_acts(c.id);
    if (!c || this.focusedId() !== c.id) event.preventDefault();
  }

  // The DOM focus came to a control by other means than the page's own
  // (assistive technology, a driver's focus call): as the user's act on it.
  focusIn(event) {
    if (this.openBox || this.domFocus.moving) return;
    const c = this.controlOf(event.target);
    if (c) this.module._reelctl_user_acts(c.id);
  }

  // The size the user chose in whole steps: `?scale=N` in the address, else
  // the last choice kept in local storage, else 1.
  chosenScale() {
    const asked = Number(new URLSearchParams(window.location.search).get('scale'));
    let kept = NaN;
    try {
      kept = Number(window.localStorage.getItem(scaleKey));
    } catch {
      // no storage (a private window): the address or 1
    }
    const scale = Math.round(asked || kept || 1);
    return Math.min(Math.max(scale, 1), maxScale);
  }

  // One step larger (+1) or smaller (-1), kept for the next visit.
  zoom(step) {
    const scale = Math.min(Math.max(this.chosenScale() + step, 1), maxScale);
    try {
      window.localStorage.setItem(scaleKey, String(scale));
    } catch {
      // not kept
    }
    const address = new URL(window.location.href);
    address.searchParams.set('scale', String(scale));
    window.history.replaceState(window.history.state, '', address);
    this.fit();
  }

  // On a screen narrower than the panel, the panel scales to its width; on a
  // wider one it stands in the middle at its own size times the chosen whole
  // step that fits, drawn with nearest-neighbour scaling.
  fit() {
    if (!this.window) return;
    const width = this.window.offsetWidth;
    const height = this.window.offsetHeight;
    const room = document.documentElement.clientWidth;
    let scale = 1;
    if (width > room && room > 0) scale = room / width;
    else if (room > 0) scale = Math.max(1, Math.min(this.chosenScale(), Math.floor(room / width)));
    this.window.style.transform = scale === 1 ? '' : `scale(${scale})`;
    this.window.classList.toggle('enlarged', scale > 1);
    this.stage.classList.toggle('centred', width < room);
    this.stage.style.width = `${width * scale}px`;
    this.stage.style.height = `${height * scale}px`;
  }

  // ---- sending to the panel logic ------------------------------------------

  live() {
    return Boolean(this.module && this.window && this.endValue === undefined);
  }

  deliver(message, wparam) {
    if (this.live()) this.module._reelctl_deliver(message, wparam >>> 0);
  }

  sendCommand(id, code) {
    this.deliver(this.messages.command, ((code & 0xffff) << 16) | (id & 0xffff));
  }

  // A user's click on a push button or radio button: it takes the focus, then the dialog hears of it.
  userActed(id, code) {
    if (!this.live()) return;
    this.module._reelctl_user_acts(id);
    this.sendCommand(id, code);
  }

  // A user's click on a control, as the mouse does it (Space, a script's click).
  userClick(id) {
    const c = this.controls.get(id);
    if (c) c.el.click();
  }

  // ---- the primitives --------------------------------------------------------

  combo(id) {
    const c = this.controls.get(id);
    return c ? c.combo : null;
  }

  setText(id, text) {
    const c = this.controls.get(id);
    if (!c) return;
    if (c.combo) c.combo.setText(text);
    else if (c.kind === 'edit' || c.kind === 'readonly_edit') {
      c.el.value = text;
      this.describe(c);
    }
    else if (c.kind === 'label' || c.kind === 'default_button') c.el.textContent = text;
  }

  setEnabled(c, on) {
    if (c.combo) c.combo.setEnabled(on);
    else if (c.kind === 'label' || c.kind === 'bitmap') c.el.classList.toggle('disabled', !on);
    else c.el.disabled = !on;
  }

  enable(id, on) {
    const c = this.controls.get(id);
    if (c) {
      this.setEnabled(c, on);
      this.describe(c);
    }
  }

  show(id, on) {
    const c = this.controls.get(id);
    if (c) {
      c.box.hidden = !on;
      this.describe(c);
    }
  }

  check(id, on) {
    const c = this.controls.get(id);
    if (c && c.kind === 'radio') c.el.checked = on;
  }

  setPicture(image, name) {
    image.dataset.picture = name || '';
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
    if (c && c.kind === 'bitmap') {
      this.setPicture(c.el, name);
      this.describe(c);
    }
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

  caption(text) {
    this.captionElement.textContent = text;
    document.title = text;
  }

  // A message box: a modal alert dialog that has the DOM focus until its OK closes it.
  message(text, caption) {
    const box = make('dialog', 'msgbox', {}, { role: 'alertdialog', 'aria-labelledby': 'msgbox-caption', 'aria-describedby': 'msgbox-text' });
    const title = make('div', 'titlebar');
    title.append(make('span', 'caption msgbox-caption', { id: 'msgbox-caption', textContent: caption }));
    const buttons = make('div', 'msgbox-buttons');
    const ok = make('button', 'button default', { type: 'button', textContent: 'OK' });
    buttons.append(ok);
    box.append(title, make('p', 'msgbox-text', { id: 'msgbox-text', textContent: text }), buttons);
    ok.addEventListener('click', () => this.closeMessage());
    box.addEventListener('cancel', (event) => {
      event.preventDefault();
      this.closeMessage();
    });
    this.root.append(box);
    this.openBox = box;
    box.showModal();
    ok.focus();
  }

  closeMessage() {
    const box = this.openBox;
    if (!box) return;
    this.domFocus.closing(() => {
      box.close();
      box.remove();
      this.openBox = null;
    });
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
    this.closePopups();
    this.stage.hidden = true;
    this.ended.hidden = false;
  }

  closePopups() {
    this.menuBar.closeAll();
    for (const c of this.controls.values()) if (c.combo) c.combo.close();
  }

  // ---- the dialog manager ------------------------------------------------------

  // The focus moved to control `id` (-1: to none).
  focusMoved(id) {
    if (this.cursor != null) this.setCursor(null);
    this.domFocus.moved(id);
  }

  // The control with the keyboard focus (-1: none): the module's one answer.
  focusedId() {
    return this.module && this.window ? this.module._reelctl_focused() : -1;
  }

  // Minimized, the dialog is its title bar alone, with a button that restores it.
  showIconic(on) {
    if (on) this.closePopups();
    this.window.classList.toggle('iconic', on);
    this.titleBar.minimize.hidden = on;
    this.titleBar.restore.hidden = !on;
    this.fit();
  }

  iconic() {
    return Boolean(this.window && this.window.classList.contains('iconic'));
  }

  // ---- the controls' state, for the dialog manager and a script host ------------

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

  checked(id) {
    const c = this.controls.get(id);
    return Boolean(c && c.kind === 'radio' && c.el.checked);
  }

  // The bits of frontends/web/dom.h: exists 1, shown 2, enabled 4, checked 8.
  state(id) {
    if (!this.controls.has(id)) return 0;
    return 1 | (this.visible(id) ? 2 : 0) | (this.enabled(id) ? 4 : 0) | (this.checked(id) ? 8 : 0);
  }

  // Whether the element is one of the panel's.
  owns(element) {
    return Boolean(this.window && this.window.contains(element));
  }

  focusElement(id) {
    const c = this.controls.get(id);
    return c ? c.el : null;
  }

  isPushButton(id) {
    const c = this.controls.get(id);
    return Boolean(c && c.kind === 'default_button');
  }

  isSlideBox(id) {
    const c = this.controls.get(id);
    return Boolean(c && c.kind === 'edit' && c.row >= 0);
  }

  isRadio(id) {
    const c = this.controls.get(id);
    return Boolean(c && c.kind === 'radio');
  }
}
