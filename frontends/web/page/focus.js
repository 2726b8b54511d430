// The page's DOM focus. Where the keyboard focus goes is the dialog
// manager's to say, in the WebAssembly module (panel/dialog_manager.h); this
// only moves the DOM focus there, and keeps it on an open message box: while
// the box is open the box has it, and when the box closes the DOM focus goes
// to the control that has the keyboard focus then.

export class DomFocus {
  // `view` answers focusElement(id), owns(element), messageShown() and
  // focusedId() (the module's focus query).
  constructor(view) {
    this.view = view;
    this.moving = false;  // true while the page itself moves the DOM focus
  }

  // The dialog manager moved the focus to control `id` (-1: to none).
  moved(id) {
    if (this.view.messageShown()) return;
    const element = id < 0 ? null : this.view.focusElement(id);
    this.moving = true;
    if (element) {
      if (document.activeElement !== element) element.focus({ preventScroll: true });
    } else {
      const active = document.activeElement;
      if (active && active !== document.body && this.view.owns(active)) active.blur();
    }
    this.moving = false;
  }

  // A message box closes: the browser gives the DOM focus back to what had it
  // before the box; it goes where the focus is now.
  closing(close) {
    this.moving = true;
    close();
    this.moving = false;
    this.moved(this.view.focusedId());
  }
}
