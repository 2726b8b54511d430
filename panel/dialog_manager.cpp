#include "panel/dialog_manager.h"

#include "panel/layout_metrics.h"
#include "panel/messages.h"

namespace reelctl {
namespace {

// The controls with an id that the Tab key stops at, in template order.
struct TabStops {
    int ids[layout::control_count] = {};
    int count = 0;
};

constexpr TabStops make_tab_stops() {
    TabStops stops;
    for (const layout::Control& c : layout::controls)
        if (c.id >= 0 && layout::is_tab_stop(c.kind)) stops.ids[stops.count++] = c.id;
    return stops;
}

constexpr TabStops tab_stops = make_tab_stops();

constexpr int tab_index(std::optional<int> id) {
    if (!id) return -1;
    for (int i = 0; i < tab_stops.count; ++i)
        if (tab_stops.ids[i] == *id) return i;
    return -1;
}

constexpr bool is_radio(int id) { return layout::has_kind(id, layout::Kind::radio); }
constexpr bool is_push_button(int id) { return layout::has_kind(id, layout::Kind::default_button); }

// The letter after "&" in a control's text, upper case; 0 when it has none.
// (The controls are searched by id here, not through a pointer from
// find_control: GCC's sanitizers make a null test of such a pointer no
// constant expression.)
constexpr char mnemonic_of(int id) {
    for (const layout::Control& c : layout::controls) {
        if (c.id != id) continue;
        for (const char8_t* p = c.text; *p; ++p) {
            if (*p != u8'&' || p[1] == 0) continue;
            const char letter = static_cast<char>(p[1]);
            return letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
        }
        return 0;
    }
    return 0;
}

static_assert(tab_stops.count > 0 && tab_stops.ids[0] == IDC_CLOSE, "the close button is the first tab stop");
static_assert(mnemonic_of(IDC_SELECT_CENTER) == 'S' && mnemonic_of(IDC_CLOSE) == 0);

}  // namespace

// What follows was measured on the real dialog under Wine, with the probe
// of the window tests logging every WM_SETFOCUS and WM_KILLFOCUS of the
// dialog and the focus before and after (tests/window/probe_protocol.h).

void DialogManager::put(std::optional<int> id) {
    focus_ = id;
    dialog_focused_ = false;
    dialog_.focus_moved(id);
}

char DialogManager::mnemonic_letter(int id) { return mnemonic_of(id); }

std::optional<int> DialogManager::first_tab_stop() const {
    for (int i = 0; i < tab_stops.count; ++i) {
        const int id = tab_stops.ids[i];
        if (dialog_.visible(id) && dialog_.enabled(id)) return id;
    }
    return std::nullopt;
}

// Each stop radio is a group of its own: Tab goes to a group's checked radio only.
bool DialogManager::takes_tab(int id) const {
    return dialog_.visible(id) && dialog_.enabled(id) && (!is_radio(id) || dialog_.checked(id));
}

void DialogManager::started(std::intptr_t answer) {
    if (answer != 0) put(first_tab_stop());
}

// A focus call on a disabled control changes nothing, nor one on any control
// of a minimized dialog; one on an id the dialog does not have takes the
// focus away from every control, as SetFocus(NULL) does.
void DialogManager::focus_call(int id) {
    if (ended_) return;
    if (!layout::find_control(id)) {
        put(std::nullopt);
        return;
    }
    if (iconic_ || !dialog_.enabled(id)) return;
    put(id);
}

// A disabled control loses the focus to nobody.
void DialogManager::disabling(int id) {
    if (focus_ == id) put(std::nullopt);
}

// A hidden control gives the focus to the dialog itself, before it goes.
// A minimized dialog cannot take it: the hidden control keeps the focus,
// and no WM_SETFOCUS comes.
void DialogManager::hiding(int id) {
    if (focus_ == id && !iconic_) dialog_takes_focus();
}

// The dialog procedure answers first; where it leaves the message to the
// dialog manager, the first tab stop takes the focus. A minimized dialog
// keeps the focus where it is (a WM_SETFOCUS sent to it then leaves the
// focus on the control that had it).
void DialogManager::setfocus_message() {
    const std::intptr_t answer = dialog_.send_setfocus();
    if (answer == 0 && !iconic_) put(first_tab_stop());
}

void DialogManager::dialog_takes_focus() {
    put(std::nullopt);  // the dialog window itself, which is no control
    dialog_focused_ = true;
    setfocus_message();
}

// The control that had the focus when the box opened gets it back; where
// none had it, the dialog takes it. On a minimized dialog the dialog takes
// it in any case: it gets WM_SETFOCUS (the logic's focus call fails) and no
// control has the focus afterwards.
void DialogManager::message_box_closed(std::optional<int> focus_when_opened) {
    if (focus_when_opened && !iconic_) put(focus_when_opened);
    else dialog_takes_focus();
}

// As Windows does, the low four bits of the value are not looked at
// (0xF021 minimizes, 0xF12F restores).
void DialogManager::system_command(std::uintptr_t value) {
    const std::uintptr_t command = value & 0xFFF0;
    if (command == syscommand_minimize) minimized();
    else if (command == syscommand_restore) restored();
}

// Minimizing leaves the focus where it was, also when it is minimized again.
void DialogManager::minimized() {
    if (ended_) return;
    iconic_ = true;
}

// Restoring a minimized dialog gives it the focus: where the dialog itself
// had it, nothing more happens (no control has the focus); otherwise, a
// control's or nobody's, the dialog takes it as from a hidden control
// (WM_SETFOCUS, the logic's focus call, then the first tab stop). Restoring
// a dialog that is not minimized does nothing.
void DialogManager::restored() {
    if (ended_ || !iconic_) return;
    iconic_ = false;
    if (!dialog_focused_) dialog_takes_focus();
}

// With the focus on a control, EndDialog gives it to the dialog first, which
// sends it WM_SETFOCUS (the logic's focus call takes effect, the dialog
// manager does nothing more); on a minimized dialog that fails and no
// WM_SETFOCUS comes. The ended dialog is hidden, and no control has the focus.
void DialogManager::ending() {
    if (ended_) return;
    if (focus_ && !iconic_) dialog_.send_setfocus();
    ended_ = true;
    put(std::nullopt);
}

void DialogManager::user_acts(int id) {
    if (!reachable() || tab_index(id) < 0) return;
    put(id);
}

// The next or previous tab stop in template order that is shown, enabled
// and, for a radio, checked; round.
void DialogManager::tab(bool backwards) {
    if (!reachable()) return;
    const int count = tab_stops.count;
    const int here = tab_index(focus_);
    int at = here < 0 ? (backwards ? 0 : count - 1) : here;
    for (int step = 0; step < count; ++step) {
        at = backwards ? (at + count - 1) % count : (at + 1) % count;
        if (takes_tab(tab_stops.ids[at])) {
            put(tab_stops.ids[at]);
            return;
        }
    }
}

KeyAction DialogManager::enter() const {
    if (!reachable()) return {};
    if (focus_ && is_push_button(*focus_) && dialog_.enabled(*focus_)) return {KeyAction::Kind::press, *focus_};
    return {KeyAction::Kind::command, id_ok};  // the default button, the close button
}

KeyAction DialogManager::escape() const {
    if (!reachable()) return {};
    return {KeyAction::Kind::command, id_cancel};
}

KeyAction DialogManager::mnemonic(char letter) {
    if (!reachable()) return {};
    if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
    const int count = tab_stops.count;
    const int here = tab_index(focus_);
    const int from = here < 0 ? count - 1 : here;
    for (int step = 1; step <= count; ++step) {
        const int id = tab_stops.ids[(from + step) % count];
        if (mnemonic_of(id) != letter || !dialog_.visible(id) || !dialog_.enabled(id)) continue;
        put(id);
        return {KeyAction::Kind::press, id};
    }
    return {};
}

}  // namespace reelctl
