// Where the keyboard focus goes: the dialog manager's rules, all in this one
// place, so that the rules measured on the real window can be applied here.
//
//   the logic's focus call     on a control that is disabled: nothing changes;
//                              on an id the dialog has not: no control keeps
//                              the focus (as SetFocus(NULL)); while a message
//                              box is open: kept until the box closes
//   disabling or hiding the    leaves no control focused
//   focused control
//   a user's click or pick     gives the control the focus
//   the panel opens            the first tab stop of the template takes it
//   a message box closes       the control the logic asked for in the
//                              meantime, else the one that had the focus
//   Tab, Shift+Tab             the next or previous tab stop in template
//                              order that is shown and enabled, round
//   WM_SETFOCUS handled        nothing beyond the logic's own call

export class FocusRules {
  // `view` answers control(id), enabled(id), visible(id), focusElement(id),
  // tabStops() (ids in template order) and focusedId().
  constructor(view) {
    this.view = view;
    this.messageOpen = false;
    this.pending = undefined;  // the id the logic asked for while a message box was open
  }

  logicFocus(id) {
    if (this.messageOpen) {
      this.pending = id;
      return;
    }
    if (!this.view.control(id)) {
      this.clear();
      return;
    }
    if (!this.view.enabled(id)) return;
    this.put(id);
  }

  disabled(id) {
    if (this.view.focusedId() === id) this.clear();
  }

  hidden(id) {
    if (this.view.focusedId() === id) this.clear();
  }

  userActs(id) {
    this.put(id);
  }

  initial() {
    const first = this.view.tabStops().find((id) => this.view.enabled(id) && this.view.visible(id));
    if (first !== undefined) this.put(first);
  }

  messageOpened() {
    this.messageOpen = true;
    this.pending = undefined;
  }

  // After the box has closed and the browser gave the focus back to the control that had it.
  messageClosed() {
    this.messageOpen = false;
    const id = this.pending;
    this.pending = undefined;
    if (id !== undefined) this.logicFocus(id);
  }

  setfocusHandled() {}

  tab(backwards) {
    const stops = this.view.tabStops().filter((id) => this.view.enabled(id) && this.view.visible(id));
    if (stops.length === 0) return;
    const at = stops.indexOf(this.view.focusedId());
    const next = at < 0 ? (backwards ? stops.length - 1 : 0) : (at + (backwards ? stops.length - 1 : 1)) % stops.length;
    this.put(stops[next]);
  }

  put(id) {
    const element = this.view.focusElement(id);
    if (element) element.focus({ preventScroll: true });
  }

  clear() {
    const active = document.activeElement;
    if (active && active !== document.body) active.blur();
  }
}
