// A dialog that panel scripts play on, and that tests drive: what the system
// and a user can do to it, and what it shows. Each host binds it to one kind
// of dialog (the in-memory model, a Qt window, the real Windows dialog of
// another process); the script session, the user's rules and the dump are
// written once against it. Texts are code page 932 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/state.h"
#include "panel/messages.h"
#include "script/keys.h"

namespace reelctl::script {

class TracingPanel;

struct ShownMessage {
    std::string text;
    std::string caption;
};

class DialogUnderTest {
public:
    virtual ~DialogUnderTest() = default;

    // ---- the system -------------------------------------------------------
    // Opens the panel: WM_INITDIALOG, then the dialog manager's first focus.
    virtual void start() = 0;
    // A message sent to the dialog procedure and handled to its end.
    virtual void send(std::uint32_t message, std::uintptr_t wparam) = 0;
    virtual void command(int id, int code) { send(msg_command, command_param(id, code)); }
    virtual void menu(int id) { send(msg_command, command_param(id, 0)); }
    virtual void syscommand(std::uintptr_t value) { send(msg_syscommand, value); }
    virtual void setfocus() { send(msg_setfocus, 0); }
    // Lets the dialog finish what the last line started (its event loop, a
    // program in another process); called after every line that ran.
    virtual void settle() {}

    // ---- a user, once the user's rules allow the act ------------------------
    // A click on a shown, enabled push button or radio button: an auto radio
    // checks itself, then the dialog is notified (BN_CLICKED).
    virtual void click(int id) = 0;
    // A completed choice of an existing item in an enabled combo: selection
    // and text, then the notification (CBN_SELENDOK).
    virtual void pick(int id, std::size_t item) = 0;
    // A text typed into a combo: it selects nothing and notifies nobody.
    virtual void type_text(int id, std::string_view text) = 0;
    // Keys pressed on the window, handled by its dialog manager; false for a
    // host without a keyboard (the model dialog).
    virtual bool press_keys(const std::vector<KeyPress>&) { return false; }

    // ---- what it shows -------------------------------------------------------
    // False once the dialog can no longer be read (a real window after its end).
    virtual bool readable() = 0;
    // Whether the focus can be read: while readable, and on a real window
    // after its end the focus as the dialog left it.
    virtual bool focus_readable() { return readable(); }
    // True while the dialog is minimized: the user's mouse reaches no control.
    virtual bool iconic() = 0;
    virtual std::optional<int> end_value() = 0;
    virtual bool visible(int id) = 0;
    virtual bool enabled(int id) = 0;
    virtual bool checked(int id) = 0;
    virtual std::string text(int id) = 0;  // an edit box's text, a combo's current text
    virtual std::vector<std::string> items(int combo) = 0;
    virtual std::size_t item_count(int combo) { return items(combo).size(); }
    virtual std::optional<std::string> image(int id) = 0;  // the picture's resource name
    virtual std::string caption() = 0;
    virtual std::optional<int> focus() = 0;
    // The checked items of the conditions menu, ascending; none when it cannot be read.
    virtual std::optional<std::vector<int>> menu_checked() = 0;
    // The message boxes shown since the last call, oldest first.
    virtual std::vector<ShownMessage> take_messages() = 0;
    // The bytes the companion received; none when nothing was delivered.
    virtual std::optional<std::string> notice() = 0;
    // The logic's state, for hosts that run the logic in their own process.
    virtual const EngineState* engine_state() { return nullptr; }
    // The tracer between the logic and the dialog, for hosts that have one.
    virtual TracingPanel* tracer() { return nullptr; }
    // Called after a dump line was written, for checks a host makes of what
    // it showed (pictures on the screen, a screenshot).
    virtual void dumped() {}
};

}  // namespace reelctl::script
