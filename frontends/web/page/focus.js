// Where the keyboard focus goes: the dialog manager's rules as they were
// measured on the real window, all in this one place. The focus is kept
// here, as the dialog manager keeps it, and the page's DOM focus follows it
// (while a message box is open the box has the DOM focus, and the control
// gets it back when the box closes).
//
//   the panel opens            WM_INITDIALOG's answer asks for it: the first
//                              tab stop that is shown and enabled
//   the logic's focus call     the control takes it; a disabled one changes
//                              nothing; an id the dialog has not: no control
//                              has the focus
//   disabling the focused      no control has the focus
//   control
//   hiding the focused         the dialog takes the focus (below)
//   control
//   the dialog takes the       no control has it, the panel gets WM_SETFOCUS;
//   focus (`setfocus` too)     where that answers 0, the first tab stop that
//                              is shown and enabled takes it
//   a message box              the focus stays with the control that had it;
//                              where none had it, the dialog takes it, as the
//                              box closes (in the page the box stays open
//                              after the logic's call: the logic's calls
//                              meanwhile are applied here at once)
//   a user's click or pick     the control takes it, before the dialog hears
//                              of the act
//   Tab, Shift+Tab             the next or previous tab stop in template
//                              order that is shown, enabled and, for a
//                              radio, checked; round

export class FocusRules {
  // `view` answers control(id), enabled(id), visible(id), checked(id),
  // focusElement(id), tabStops() (ids in template order), messageShown()
  // and setfocus() (WM_SETFOCUS to the panel: its answer).
  constructor(view) {
    this.view = view;
    this.current = null;  // the id of the control with the focus; null: none
    this.following = false;  // true while the DOM focus moves after the focus kept here
  }

  focusedId() {
    return this.current === null ? -1 : this.current;
  }

  logicFocus(id) {
    if (!this.view.control(id)) this.put(null);
    else if (this.view.enabled(id)) this.put(id);
  }

  // Before the control is disabled.
  disabled(id) {
    if (this.current === id) this.put(null);
  }

  // Before the control is hidden.
  hidden(id) {
    if (this.current === id) this.dialogTakes();
  }

  userActs(id) {
    if (this.view.control(id)) this.put(id);
  }

  initial(initDialogAnswer) {
    if (initDialogAnswer !== 0) this.put(this.firstTabStop());
  }

  dialogTakes() {
    this.put(null);  // the dialog window itself, which is no control
    if (this.view.setfocus() === 0) this.put(this.firstTabStop());
  }

  // The logic has shown a message box.
  messageOpened() {
    if (this.current === null) this.dialogTakes();
  }

  // The box has closed: the DOM focus goes back to the control that has the focus.
  messageClosed() {
    this.follow();
  }

  firstTabStop() {
    const first = this.view.tabStops().find((id) => this.view.visible(id) && this.view.enabled(id));
    return first === undefined ? null : first;
  }

  takesTab(id) {
    const view = this.view;
    return view.visible(id) && view.enabled(id) && (!view.isRadio(id) || view.checked(id));
  }

  tab(backwards) {
    const stops = this.view.tabStops();
    const count = stops.length;
    const here = stops.indexOf(this.current);
    let at = here < 0 ? (backwards ? 0 : count - 1) : here;
    for (let step = 0; step < count; ++step) {
      at = backwards ? (at + count - 1) % count : (at + 1) % count;
      if (this.takesTab(stops[at])) {
        this.put(stops[at]);
        return;
      }
    }
  }

  put(id) {
    this.current = id;
    this.follow();
  }

  // The DOM focus after the focus kept here, unless a message box has it.
  follow() {
    if (this.view.messageShown()) return;
    const element = this.current === null ? null : this.view.focusElement(this.current);
    this.following = true;
    if (element) {
      if (document.activeElement !== element) element.focus({ preventScroll: true });
    } else {
      const active = document.activeElement;
      if (active && active !== document.body && this.view.owns(active)) active.blur();
    }
    this.following = false;
  }
}
