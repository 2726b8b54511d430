// The dialog manager: what the Windows dialog manager does around the
// panel's dialog procedure, written once for every front end that is not the
// real Windows dialog. Where the keyboard focus goes (at start, on the
// logic's focus calls, when the focused control is disabled or hidden, on
// WM_SETFOCUS, around a message box, on the user's clicks), the tab order,
// Enter and the default button, the mnemonics, the minimized (iconic) and
// restored dialog, and the end of the dialog. The rules were measured on the
// real window under Wine and are written down in docs/panel-script.md
// ("Focus"); the window tests hold every front end to them.
//
// A front end gives the manager its controls (ManagedDialog) and calls it
// where the system or the user acts; the manager keeps the focus and tells
// the front end where it moved, so that a front end with a real keyboard
// focus (a Qt window, the page's DOM) moves it there. The manager reads the
// kinds, the template order and the mnemonics from the one dialog layout.
#pragma once

#include <cstdint>
#include <optional>

namespace reelctl {

// What the dialog manager asks of a front end's dialog.
class ManagedDialog {
public:
    virtual ~ManagedDialog() = default;
    virtual bool visible(int id) const = 0;
    virtual bool enabled(int id) const = 0;
    virtual bool checked(int id) const = 0;  // radio buttons; false for any other control
    // WM_SETFOCUS handed to the dialog procedure: its answer (0: the dialog
    // manager goes on with its own handling).
    virtual std::intptr_t send_setfocus() = 0;
    // The focus is now on control `id`, or on no control.
    virtual void focus_moved(std::optional<int> id) { (void)id; }
};

// What a key comes to once the dialog manager has read it.
struct KeyAction {
    enum class Kind {
        none,     // nothing happens
        press,    // the control `id` is pressed as by a click: WM_COMMAND (id, BN_CLICKED)
        command,  // WM_COMMAND (id, BN_CLICKED) with no control pressed (the default button's id)
    };
    Kind kind = Kind::none;
    int id = 0;
    bool operator==(const KeyAction&) const = default;
};

class DialogManager {
public:
    explicit DialogManager(ManagedDialog& dialog) : dialog_(dialog) {}
    DialogManager(const DialogManager&) = delete;
    DialogManager& operator=(const DialogManager&) = delete;

    // The control with the keyboard focus; none while the dialog itself or
    // nothing has it.
    std::optional<int> focus() const { return focus_; }
    // The dialog window itself has the focus (no control has it).
    bool dialog_focused() const { return dialog_focused_; }
    bool iconic() const { return iconic_; }
    bool ended() const { return ended_; }
    // Whether the user's mouse and keys reach the controls: not while the
    // dialog is minimized, nor after its end.
    bool reachable() const { return !iconic_ && !ended_; }

    // ---- the system ------------------------------------------------------
    // WM_INITDIALOG returned `answer`: nonzero asks for the first tab stop.
    void started(std::intptr_t answer);
    // The logic's focus call on `id` (SetFocus on the control of that id).
    void focus_call(int id);
    // Before control `id` is disabled, hidden.
    void disabling(int id);
    void hiding(int id);
    // WM_SETFOCUS sent to the dialog.
    void setfocus_message();
    // The dialog window itself takes the focus (SetFocus on the dialog).
    void dialog_takes_focus();
    // A message box of the logic has closed (a front end whose box stays
    // open after the logic's call says so at once: the focus it gives back
    // is the one kept here meanwhile).
    void message_box_closed(std::optional<int> focus_when_opened);
    // A system command that the dialog procedure left to the dialog manager
    // (it answered 0): SC_MINIMIZE makes the dialog iconic, SC_RESTORE brings
    // it back. As Windows does, the low four bits of the value are not looked at.
    void system_command(std::uintptr_t value);
    void minimized();
    void restored();
    // EndDialog: the last thing the dialog does.
    void ending();

    // ---- the user --------------------------------------------------------
    // The user's mouse goes down on control `id` (a click, or the list of a
    // pick): a tab stop takes the focus before the dialog hears of the act.
    void user_acts(int id);
    // Tab and Shift+Tab.
    void tab(bool backwards);
    // Enter: the focused push button is pressed, otherwise the default button's command.
    KeyAction enter() const;
    // Escape: the command of the cancel button, IDCANCEL, which the panel has not.
    KeyAction escape() const;
    // Alt and a letter: the next control after the focus that is shown,
    // enabled and has that mnemonic takes the focus and is pressed; none
    // when no control has it (the menu bar's mnemonics then).
    KeyAction mnemonic(char letter);

    // The first tab stop in template order that is shown and enabled.
    std::optional<int> first_tab_stop() const;
    // The letter after "&" in control `id`'s text, upper case; 0 when it has none.
    static char mnemonic_letter(int id);

private:
    void put(std::optional<int> id);
    bool takes_tab(int id) const;

    ManagedDialog& dialog_;
    std::optional<int> focus_;
    bool dialog_focused_ = false;  // no control has the focus, but the dialog window itself
    bool iconic_ = false;
    bool ended_ = false;
};

}  // namespace reelctl
