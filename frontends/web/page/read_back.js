// What a script host (programs/web/web_script.cpp) reads back from the
// panel in the page's DOM and does there as the user, through the imports
// of frontends/web/dom_imports.js: the controls' texts, items and pictures,
// the caption, the menu's checks, the open message box, the minimized
// window; clicks, picks, menu items, title bar buttons and keys as DOM
// events; the companion of a script run. The panel view (panel_view.js)
// builds what is read here.

import { titleButtons } from './panel_view.js';

function nextTask() {
  return new Promise((resolve) => {
    const channel = new MessageChannel();
    channel.port1.onmessage = () => resolve();
    channel.port2.postMessage(0);
  });
}

export class ReadBack {
  constructor(view) {
    this.view = view;
    this.companion = null;
  }

  // ---- what it reads ------------------------------------------------------

  text(id) {
    const c = this.view.controls.get(id);
    if (!c) return '';
    if (c.combo) return c.combo.text();
    if (c.kind === 'edit' || c.kind === 'readonly_edit') return c.el.value;
    return '';
  }

  items(id) {
    const combo = this.view.combo(id);
    return combo ? [...combo.list.children].map((row) => row.textContent) : [];
  }

  image(id) {
    const c = this.view.controls.get(id);
    if (!c || c.kind !== 'bitmap' || !c.el.hasAttribute('src')) return null;
    const source = c.el.getAttribute('src');
    return source.slice(source.lastIndexOf('/') + 1).replace(/\.bmp$/i, '');
  }

  captionText() {
    return this.view.captionElement.textContent;
  }

  iconic() {
    return this.view.iconic();
  }

  menuChecked(id) {
    return this.view.menuBar.checked(id);
  }

  openMessage(field) {
    const box = this.view.openBox;
    if (!box) return null;
    return box.querySelector(field === 'caption' ? '.msgbox-caption' : '.msgbox-text').textContent;
  }

  // ---- what it does as the user ---------------------------------------------

  answerMessage() {
    const box = this.view.openBox;
    if (box) box.querySelector('.msgbox-buttons button').click();
  }

  userClick(id) {
    this.view.userClick(id);
  }

  userPick(id, index) {
    const combo = this.view.combo(id);
    if (!combo) return;
    if (!combo.isOpen()) combo.field.click();
    const row = combo.list.children[index];
    if (row) row.click();
  }

  typeText(id, text) {
    const combo = this.view.combo(id);
    if (combo) combo.setText(text);
  }

  menuCommand(id) {
    return this.view.menuBar.click(id);
  }

  // A click on a button of the title bar (reelctl_dom_title_*), if it is shown.
  titleButton(button) {
    const name = Object.keys(titleButtons).find((key) => titleButtons[key] === button);
    const element = name && this.view.titleBar ? this.view.titleBar[name] : null;
    if (!element || element.hidden) return false;
    element.click();
    return true;
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

  // ---- the companion of a script run ------------------------------------------

  // Listens on `name` until the next panel is built.
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
    this.view.cleanups.push(() => {
      companion.channel.close();
      if (this.companion === companion) this.companion = null;
    });
  }

  companionReceived() {
    return this.companion ? this.companion.bytes : null;
  }

  // Lets the page take its turn after a script line: the companion hears what was posted to it.
  async settled() {
    await nextTask();
    const started = performance.now();
    const companion = this.companion;
    const posted = this.view.posted;
    while (companion && (posted.get(companion.name) || 0) > companion.count && performance.now() - started < 2000)
      await new Promise((resolve) => setTimeout(resolve, 1));
  }
}
