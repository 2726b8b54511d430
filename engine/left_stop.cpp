#include "engine/left_stop.h"

#include "app/choice_lists.h"
#include "engine/reels.h"
#include "engine/screening.h"
#include "engine/ten_coin.h"
#include "machine/roles.h"
#include "panel/control_ids.h"
#include "panel/rendering.h"

namespace reelctl {

void enable_table_choice(Panel& panel, bool on) {
    panel.ui.enable(IDC_TABLE_COMBO, on);
    panel.ui.enable(IDC_TABLE_LABEL, on);
}

void settle_left_stop(Panel& panel) {
    panel.ui.enable(IDC_SELECT_CENTER, false);
    panel.ui.enable(IDC_SELECT_RIGHT, false);
    clear_center_column(panel);
    clear_right_column(panel);
    panel.state.awaiting_stop = 0;
    if (panel.state.role == role_ten_coin)
        offer_ten_coin_split(panel);
    else
        offer_left_stop_split(panel);
}

void offer_left_stop_split(Panel& panel) {
    panel.ui.combo_reset(IDC_TABLE_COMBO);
    if (pattern_stop_has_split(panel)) {
        panel.state.split_pending = 1;
        panel.ui.combo_add(IDC_TABLE_COMBO, "(1) 50%");
        panel.ui.combo_add(IDC_TABLE_COMBO, "(2) 50%");
        enable_table_choice(panel, true);
        panel.ui.focus(IDC_TABLE_COMBO);
        return;  // nothing is computed until one of the two is picked
    }
    panel.state.split_pending = 0;
    enable_table_choice(panel, false);
    select_pattern_stop_table(panel, 0);
    compute_center_column(panel);
    compute_right_column(panel);
}

void choose_split_table(Panel& panel) {
    select_pattern_stop_table(panel, panel.state.table_choice);
    if (panel.state.role > role_cherry4 && panel.state.stop_order == 0) {
        // The center press can still switch between the two tables.
        clear_center_column(panel);
        clear_right_column(panel);
        screen_center_conflicts(panel);
        return;
    }
    compute_center_column(panel);
    compute_right_column(panel);
}

void reselect_center(Panel& panel) {
    if (panel.state.pattern_mode == 1) {
        if (panel.state.role == role_ten_coin) {
            panel.ui.combo_reset(IDC_TABLE_COMBO);
            enable_table_choice(panel, false);
        } else {
            select_pattern_stop_table(panel, panel.state.table_choice);
        }
    } else {
        clear_left_column(panel);
        look_up_choice_table(panel);
    }
    clear_center_column(panel);
    clear_right_column(panel);
    screen_center_conflicts(panel);
}

}  // namespace reelctl
