#include "app/ten_coin_offers.h"

#include "app/choice_lists.h"
#include "app/column_updates.h"
#include "app/dialog_moves.h"
#include "app/table_entries.h"
#include "engine/ten_coin.h"
#include "machine/conditions.h"
#include "panel/control_ids.h"

namespace reelctl {

void offer_ten_coin_split(Panel& panel) {
    const TenCoinLeftStop next = take_ten_coin_left_stop(panel);
    if (next == TenCoinLeftStop::not_a_stop) return;
    withdraw_table_offer(panel);
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
    if (count >= 2) {
        panel.ui.combo_reset(IDC_TABLE_COMBO);
        const auto& weights = panel.ten_coin.weights;
        offer_table_entries(panel, count,
                            [&weights](auto& entry, int n) { format_weight_entry(entry, n, weights[n - 1]); });
        return;  // the user picks an entry next
    }
    withdraw_table_offer(panel);
    update_center_column(panel);
    update_right_column(panel);
    if (panel.state.stop_order == order_left_center_right) enable_select_button(panel, reel_center);
}

void choose_ten_coin_entry(Panel& panel) {
    choose_ten_coin_table(panel);
    // The reel whose press the composition followed: the center in stop order 0, else the right.
    enable_select_button(panel, panel.state.stop_order == order_left_center_right ? reel_center : reel_right);
    update_center_column(panel);
    update_right_column(panel);
}

}  // namespace reelctl
