// The page's keys. The dialog manager's keys (Tab and Shift+Tab, Enter,
// Escape, Alt and a letter or digit) go to the WebAssembly module, which
// moves the focus and sends the commands (panel/dialog_manager.h); a mnemonic
// that no control has is the menu bar's (Alt+C the conditions menu, Alt+H
// help). The controls' own keys stay here: Space presses the focused push
// button or radio; an open menu and the focused drop-down list take their
// keys. A minimized dialog takes no key. The page handles every key itself,
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
}
