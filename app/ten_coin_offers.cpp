#include "app/ten_coin_offers.h"

#include "app/choice_lists.h"
#include "app/column_updates.h"
#include "app/table_entries.h"
#include "engine/ten_coin.h"
#include "machine/conditions.h"
#include "panel/control_ids.h"

namespace reelctl {

void offer_ten_coin_split(Panel& panel) {
    const TenCoinLeftStop next = take_ten_coin_left_stop(panel);
    if (next == TenCoinLeftStop::not_a_stop) return;
    panel.ui.combo_reset(IDC_TABLE_COMBO);
    enable_table_choice(panel, false);
    switch (next) {
    case TenCoinLeftStop::single_table:
        update_center_column(panel);
        update_right_column(panel);
        break;
    case TenCoinLeftStop::center_press_next:
        screen_center(panel);  // asks for the center press first
        break;
    case TenCoinLeftStop::composition_next:
        offer_ten_coin_tables(panel);
        break;
    case TenCoinLeftStop::not_a_stop:
    case TenCoinLeftStop::nothing_next:
        break;
    }
}

void offer_ten_coin_tables(Panel& panel) {
    const int count = compose_ten_coin_tables(panel);
    if (count == 0) return;
    panel.ui.combo_reset(IDC_TABLE_COMBO);
    if (count >= 2) {
        for (int e = 0; e < count; ++e) {
            char entry[table_entry_size];
            format_weight_entry(entry, e + 1, panel.ten_coin.weights[e]);
            panel.ui.combo_add(IDC_TABLE_COMBO, entry);
        }
        enable_table_choice(panel, true);
        panel.ui.focus(IDC_TABLE_COMBO);
        return;  // the user picks an entry next
    }
    enable_table_choice(panel, false);
    update_center_column(panel);
    update_right_column(panel);
    if (panel.state.stop_order == order_left_center_right) panel.ui.enable(IDC_SELECT_CENTER, true);
}

void choose_ten_coin_entry(Panel& panel) {
    choose_ten_coin_table(panel);
    panel.ui.enable(panel.state.stop_order == order_left_center_right ? IDC_SELECT_CENTER : IDC_SELECT_RIGHT, true);
    update_center_column(panel);
    update_right_column(panel);
}

}  // namespace reelctl
