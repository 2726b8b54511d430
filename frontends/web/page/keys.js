// The page's keys. The dialog manager's keys (Tab and Shift+Tab, Enter,
// Escape, Alt and a letter or digit) go to the WebAssembly module, which
// moves the focus and sends the commands (panel/dialog_manager.h); a mnemonic
// that no control has is the menu bar's (Alt+C the conditions menu, Alt+H
// help). The controls' own keys stay here: Space presses the focused push
// button or radio; an open menu and the focused drop-down list take their
// keys. A minimized dialog takes no key.
//
// The page's own keys, which the Windows dialog has not: with the focus on a
// slide box of a reel column (where the real window's arrows only move the
// caret), Up and Down move the page's keyboard cursor among the column's stop
// radios that are shown and enabled, and Space or Enter clicks the radio under
// it, as the mouse does. The cursor is gone as soon as the focus moves, so
// every key outside this keeps the Windows dialog's meaning. The page handles every key itself,
// so that a key sent by a script run (a DOM event, which the browser gives
// no default action) does what the user's key does.

export class DialogKeys {
  constructor(view) {
    this.view = view;
    this.listener = (event) => this.keyDown(event);
    document.addEventListener('keydown', this.listener);
  }

  remove() {
    document.removeEventListener('keydown', this.listener);
  }

  keyDown(event) {
    const view = this.view;
    if (!view.live() || view.messageShown() || view.iconic()) return;  // a message box has its own keys
    const module = view.module;
    if (view.menuBar.isOpen()) {
      view.menuBar.key(event);
      event.preventDefault();
      return;
    }
    if (event.ctrlKey && event.altKey && (event.key === 'ArrowUp' || event.key === 'ArrowDown')) {
      view.zoom(event.key === 'ArrowUp' ? 1 : -1);  // the page's own: the panel's size in whole steps
      event.preventDefault();
      return;
    }
    const focused = view.focusedId();
    const combo = view.enabled(focused) ? view.combo(focused) : null;
    if (combo && combo.key(event)) {
      event.preventDefault();
      return;
    }
    if (event.altKey && /^(Key[A-Z]|Digit[0-9])$/.test(event.code)) {
      const letter = event.code.slice(-1);
      if (!module._reelctl_key_mnemonic(letter.charCodeAt(0))) view.menuBar.mnemonic(letter);
      event.preventDefault();
      return;
    }
    if (this.cursorKey(event, focused)) {
      event.preventDefault();
      return;
    }
    switch (event.key) {
      case 'Tab': module._reelctl_key_tab(event.shiftKey ? 1 : 0); break;
      case 'Enter': module._reelctl_key_enter(); break;
      case 'Escape': module._reelctl_key_escape(); break;
      case ' ':
        if ((view.isPushButton(focused) || view.isRadio(focused)) && view.enabled(focused)) view.userClick(focused);
        break;
      case 'ArrowUp':
      case 'ArrowDown':
      case 'ArrowLeft':
      case 'ArrowRight':
        break;  // each stop radio is a group of its own: the arrows stay on it
      default:
        return;  // the browser's own keys (zoom, reload, ...) stay the browser's
    }
    event.preventDefault();
  }

  // The page's column keys: whether the key was one of them.
  cursorKey(event, focused) {
    const view = this.view;
    if (event.altKey || event.ctrlKey || event.metaKey || !view.isSlideBox(focused) || !view.enabled(focused)) return false;
    const radios = view.columnRadios(focused);
    if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
      if (radios.length === 0) return false;
      const at = radios.indexOf(view.cursor);
      const down = event.key === 'ArrowDown';
      const next = at < 0 ? (down ? 0 : radios.length - 1) : Math.min(Math.max(at + (down ? 1 : -1), 0), radios.length - 1);
      view.setCursor(radios[next]);
      return true;
    }
    if ((event.key === ' ' || event.key === 'Enter') && view.cursor != null) {
      const radio = view.cursor;
      view.setCursor(null);
      if (radios.includes(radio)) view.userClick(radio);
      return true;
    }
    return false;
  }
}
