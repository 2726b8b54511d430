// The dialog manager's keys: Tab and Shift+Tab through the tab stops, the
// mnemonics (Alt+C the conditions menu, Alt+H help, Alt+S the Select
// buttons), Enter as the default button's command 1 unless the focus is on
// another push button, Escape as command 2 (which the panel ignores), and
// the keys of an open menu or of the focused combo.

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
    const combo = view.combo(focused);
    if (combo && combo.key(event)) {
      event.preventDefault();
      return;
    }
    if (event.altKey && /^Key[A-Z]$/.test(event.code)) {
      const letter = event.code.slice(3);
      if (view.menuBar.mnemonic(letter) || view.buttonMnemonic(letter)) event.preventDefault();
      return;
    }
    switch (event.key) {
      case 'Tab':
        view.focusRules.tab(event.shiftKey);
        event.preventDefault();
        break;
      case 'Enter':
        // A focused push button takes Enter as its own click; anywhere else it is the default button's.
        if (view.isPushButton(focused)) break;
        view.sendCommand(view.messages.ok, view.messages.clicked);
        event.preventDefault();
        break;
      case 'Escape':
        view.sendCommand(view.messages.cancel, view.messages.clicked);
        event.preventDefault();
        break;
      case 'ArrowUp':
      case 'ArrowDown':
      case 'ArrowLeft':
      case 'ArrowRight':
        // Each stop radio is a group of its own: the arrows stay on it.
        if (view.isRadio(focused)) event.preventDefault();
        break;
      default:
        break;
    }
  }
}
