// The dialog manager's keys, as measured on the real window: Tab and
// Shift+Tab through the tab stops (focus.js); Enter presses the push button
// that has the focus, and otherwise the default button (command 1, the
// close); Escape is command 2, which the panel ignores; Space presses the
// focused push button or radio; the mnemonics: Alt+C the conditions menu,
// Alt+H help, Alt+S the next enabled Select button after the focus (focus,
// then press); and the keys of an open menu or of the focused drop-down
// list. The page handles every key itself, so that a key sent by a script
// run (a DOM event, which the browser gives no default action) does what
// the user's key does.

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
    if (!view.live() || view.messageShown()) return;  // a message box has its own keys
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
      view.menuBar.mnemonic(letter) || view.buttonMnemonic(letter);
      event.preventDefault();
      return;
    }
    switch (event.key) {
      case 'Tab':
        view.focusRules.tab(event.shiftKey);
        break;
      case 'Enter':
        // A focused push button takes Enter as its own press; anywhere else it is the default button's.
        if (view.isPushButton(focused) && view.enabled(focused)) view.userClick(focused);
        else view.sendCommand(view.messages.ok, view.messages.clicked);
        break;
      case 'Escape':
        view.sendCommand(view.messages.cancel, view.messages.clicked);
        break;
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
