// The dialog procedure: a table of contents, each message handed to its handler.

#include "app/dialog.h"

#include "app/conditions.h"
#include "app/dispatcher.h"
#include "app/panel_start.h"
#include "panel/control_ids.h"

namespace reelctl {
namespace {

constexpr std::intptr_t handled = 1;
constexpr std::intptr_t not_handled = 0;

std::intptr_t on_command(Panel& panel, int id, int code) {
    if (id == IDC_CLOSE) {  // the close button, or Enter through the default button
        close_panel(panel);
        return handled;
    }
    if (id >= IDM_BET_1 && id <= IDM_BET_3) {
        bet_command(panel, id);
        return handled;
    }
    if (id >= IDM_ORDER_FIRST && id <= IDM_ORDER_LAST) {
        stop_order_command(panel, id);
        return handled;
    }
    if (id == IDM_HELP) {
        help_command(panel);
        return not_handled;
    }
    if (is_dispatcher_command(id)) return dispatch_command(panel, id, code);
    return not_handled;  // Escape (2) and every other id do nothing
}

}  // namespace

std::intptr_t dialog_procedure(Panel& panel, std::uint32_t message, std::uintptr_t wparam, std::intptr_t) {
    switch (message) {
    case msg_initdialog:
        panel_start(panel);
        return handled;  // the dialog manager focuses the first tab stop, the close button
    case msg_setfocus:
        panel.ui.focus(IDC_ROLE_COMBO);
        return not_handled;
    case msg_command:
        return on_command(panel, static_cast<int>(wparam & 0xFFFF), static_cast<int>((wparam >> 16) & 0xFFFF));
    case msg_syscommand:
        if (wparam == syscommand_close) {
            close_panel(panel);
            return handled;
        }
        return not_handled;
    default:
        return not_handled;
    }
}

}  // namespace reelctl
