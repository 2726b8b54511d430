#include "app/conditions.h"

#include <cstdio>

#include "app/choice_lists.h"
#include "machine/texts.h"
#include "panel/control_ids.h"

namespace reelctl {
namespace {

// Checks `id` alone among the menu items first..last of the conditions popup.
void change_condition(Panel& panel, int first, int last, int id) {
    for (int item = first; item <= last; ++item) panel.ui.menu_check(item, false);
    panel.ui.menu_check(id, true);
}

void restart_role_selection(Panel& panel) {
    set_title(panel);
    fill_role_list(panel);
    panel.ui.focus(IDC_ROLE_COMBO);
    panel.state.awaiting_stop = 0;
}

}  // namespace

void set_title(Panel& panel) {
    char title[64];
    std::snprintf(title, sizeof title, title_format, bet_names[panel.state.bet], stop_order_names[panel.state.stop_order]);
    panel.ui.caption(title);
}

void bet_command(Panel& panel, int id) {
    change_condition(panel, IDM_BET_1, IDM_BET_3, id);
    panel.state.bet = static_cast<std::int16_t>(id - IDM_BET_1);
    restart_role_selection(panel);
}

void stop_order_command(Panel& panel, int id) {
    change_condition(panel, IDM_ORDER_FIRST, IDM_ORDER_LAST, id);
    panel.state.stop_order = static_cast<std::int16_t>(id - IDM_ORDER_FIRST);
    restart_role_selection(panel);
}

void help_command(Panel& panel) { panel.platform.help(help_file, help_context); }

}  // namespace reelctl
