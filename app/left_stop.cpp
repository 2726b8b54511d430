#include "app/left_stop.h"

#include "app/choice_lists.h"
#include "app/column_updates.h"
#include "app/dialog_moves.h"
#include "app/rendering.h"
#include "app/table_entries.h"
#include "app/ten_coin_offers.h"
#include "engine/table_lookups.h"
#include "machine/conditions.h"
#include "machine/left_patterns.h"
#include "machine/roles.h"
#include "panel/control_ids.h"

namespace reelctl {

void settle_left_stop(Panel& panel) {
    disable_select_buttons(panel);
    clear_center_column(panel);
    clear_right_column(panel);
    panel.state.awaiting_stop = 0;
    if (panel.state.role == role_ten_coin)
        offer_ten_coin_split(panel);
    else
        offer_left_stop_split(panel);
}

void offer_left_stop_split(Panel& panel) {
    if (pattern_stop_has_split(panel)) {
        panel.state.split_pending = 1;
        panel.ui.combo_reset(IDC_TABLE_COMBO);
        offer_table_entries(panel, pattern_split_count,
                            [](auto& entry, int n) { format_table_entry(entry, n, pattern_split_share); });
        return;  // nothing is computed until one of the two is picked
    }
    panel.state.split_pending = 0;
    withdraw_table_offer(panel);
    select_pattern_stop_table(panel, 0);
    update_center_column(panel);
    update_right_column(panel);
}

void choose_split_table(Panel& panel) {
    select_pattern_stop_table(panel, panel.state.table_choice);
    if (switching_role(panel.state.role) && panel.state.stop_order == order_left_center_right) {
        // The center press can still switch between the two tables.
        clear_center_column(panel);
        clear_right_column(panel);
        screen_center(panel);
        return;
    }
    update_center_column(panel);
    update_right_column(panel);
}

void reselect_center(Panel& panel) {
    if (panel.state.pattern_mode == 1) {
        if (panel.state.role == role_ten_coin) {
            withdraw_table_offer(panel);
        } else {
            select_pattern_stop_table(panel, panel.state.table_choice);
        }
    } else {
        clear_left_column(panel);
        look_up_choice_table(panel);
    }
    clear_center_column(panel);
    clear_right_column(panel);
    screen_center(panel);
}

}  // namespace reelctl
