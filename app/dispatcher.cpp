#include "app/dispatcher.h"

#include <cstring>

#include "app/choice_lists.h"
#include "app/column_updates.h"
#include "app/dialog_moves.h"
#include "app/left_stop.h"
#include "app/rendering.h"
#include "app/table_entries.h"
#include "app/ten_coin_offers.h"
#include "engine/table_lookups.h"
#include "machine/conditions.h"
#include "machine/roles.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "panel/messages.h"

namespace reelctl {
namespace {

constexpr std::intptr_t handled = 1;
constexpr std::intptr_t not_handled = 0;
constexpr std::size_t combo_text_size = 64;  // at most 63 bytes and the terminator

void read_combo(Panel& panel, int id, char (&text)[combo_text_size]) {
    text[0] = '\0';
    panel.ui.combo_text(id, text, sizeof text);
    text[combo_text_size - 1] = '\0';
}

void complain(Panel& panel, const char* message, int combo) {
    panel.ui.message(message, message_caption);
    panel.ui.focus(combo);
}

template <std::size_t N>
int find_name(const std::array<const char*, N>& names, const char* text) {
    for (std::size_t i = 0; i < N; ++i)
        if (std::strcmp(names[i], text) == 0) return static_cast<int>(i);
    return -1;
}

void role_pick(Panel& panel) {
    PanelState& s = panel.state;
    // A press choice left open must not turn into a chosen stop of the new role.
    s.awaiting_stop = 0;
    char text[combo_text_size];
    read_combo(panel, IDC_ROLE_COMBO, text);
    s.role = static_cast<std::int16_t>(find_name(role_names, text));
    if (s.role == role_none) {
        complain(panel, message_no_role, IDC_ROLE_COMBO);
        return;
    }
    disable_select_buttons(panel);
    s.role_kind = static_cast<std::int16_t>(role_kind_of(s.bet, s.role));
    const int count = role_records[s.bet][s.role].choice_count;
    if (count > 1 || (controlled_kind(s.role_kind) && left_first(s.stop_order))) {
        clear_all_columns(panel);
        fill_choice_lists(panel);  // the user picks a table or a left stop pattern next
    } else {
        fill_choice_lists(panel);
        select_direct_table(panel, 0);
        update_all_columns(panel);
    }
    s.awaiting_stop = 0;
}

void table_pick(Panel& panel) {
    PanelState& s = panel.state;
    s.awaiting_stop = 0;
    char text[combo_text_size];
    read_combo(panel, IDC_TABLE_COMBO, text);
    const int number = parse_table_entry_number(text);
    // Entries count from (1); no number, or none that could name an entry, is no pick.
    s.table_choice = static_cast<std::int16_t>(number >= 1 ? number - 1 : -1);
    if (s.table_choice == -1) {
        complain(panel, message_no_table, IDC_TABLE_COMBO);
        return;
    }
    disable_select_buttons(panel);
    if (s.pattern_mode == 1) {
        // An entry offered after the left stop.
        if (s.role == role_ten_coin)
            choose_ten_coin_entry(panel);
        else
            choose_split_table(panel);
        return;
    }
    // A role whose table switches with the first press screens that press.
    if (switching_kind(s.role_kind) && center_first(s.stop_order)) {
        select_choice_table(panel);
        screen_center(panel);
    } else if (bonus_kind(s.role_kind) && right_first(s.stop_order)) {
        select_choice_table(panel);
        screen_right(panel);
    } else {
        select_direct_table(panel, s.table_choice);
        update_all_columns(panel);
    }
}

void pattern_pick(Panel& panel) {
    PanelState& s = panel.state;
    char text[combo_text_size];
    read_combo(panel, IDC_PATTERN_COMBO, text);
    s.left_pattern = static_cast<std::int16_t>(find_name(left_pattern_names, text));
    if (s.left_pattern == -1) {
        complain(panel, message_no_pattern, IDC_PATTERN_COMBO);
    } else {
        clear_all_columns(panel);
        // A split or ten-coin offer made for the previous left stop goes with it.
        withdraw_table_offer(panel);
        update_left_column(panel);
    }
    s.awaiting_stop = 0;
}

// The radios each form a group of their own, so the reel's other radios are
// unchecked here. For the center and right reels: false when the click only
// drew the window (a reachable stop picked), true when `row` is the press
// position picked after a screening.
bool take_stop(Panel& panel, int reel, int row) {
    panel.ui.check_radio(stop_radio_id(reel, 0), stop_radio_id(reel, 20), stop_radio_id(reel, row));
    panel.state.stop_pos[reel] = static_cast<std::int16_t>(row);
    if (reel == reel_left || panel.state.awaiting_stop == 1) return true;
    draw_window(panel, reel);
    return false;
}

void left_stop(Panel& panel, int row) {
    PanelState& s = panel.state;
    take_stop(panel, reel_left, row);
    if (controlled_kind(s.role_kind) && left_first(s.stop_order)) settle_left_stop(panel);
    draw_window(panel, reel_left);
}

void center_stop(Panel& panel, int row) {
    PanelState& s = panel.state;
    if (!take_stop(panel, reel_center, row)) return;
    if (s.stop_order == order_left_center_right && s.role == role_ten_coin) {
        // The composition ends the press choice only when it puts a single
        // table in force; while it offers entries the press may be picked again.
        offer_ten_coin_tables(panel);
        return;
    }
    update_center_column(panel);
    if (s.stop_order != order_left_center_right) update_left_column(panel);  // the left reel has not stopped
    update_right_column(panel);
    enable_select_button(panel, reel_center);
    s.awaiting_stop = 0;
}

void right_stop(Panel& panel, int row) {
    PanelState& s = panel.state;
    if (!take_stop(panel, reel_right, row)) return;
    update_right_column(panel);
    update_left_column(panel);
    update_center_column(panel);
    enable_select_button(panel, reel_right);
    s.awaiting_stop = 0;
}

void right_reselect(Panel& panel) {
    if (panel.state.pattern_mode == 1) {
        // Only the ten-coin role at stop order 1 enables Select 102 here: offer
        // its composed tables again; the stopped left reel stays.
        clear_center_column(panel);
        clear_right_column(panel);
        offer_ten_coin_tables(panel);
        return;
    }
    select_choice_table(panel);
    screen_right(panel);
}

}  // namespace

bool is_dispatcher_command(int id) {
    return id == IDC_SELECT_CENTER || id == IDC_SELECT_RIGHT || id == IDC_ROLE_COMBO || id == IDC_TABLE_COMBO ||
           id == IDC_PATTERN_COMBO || radio_reel(id) >= 0;
}

std::intptr_t dispatch_command(Panel& panel, int id, int code) {
    switch (id) {
    case IDC_ROLE_COMBO:
        if (code == notify_selendok) role_pick(panel);
        return handled;
    case IDC_TABLE_COMBO:
        if (code == notify_selendok) table_pick(panel);
        return handled;
    case IDC_PATTERN_COMBO:
        if (code == notify_selendok) pattern_pick(panel);
        return handled;
    case IDC_SELECT_CENTER:
        reselect_center(panel);
        return not_handled;
    case IDC_SELECT_RIGHT:
        right_reselect(panel);
        return not_handled;
    default:
        break;
    }
    const int reel = radio_reel(id);
    if (reel < 0) return not_handled;
    const int row = id - stop_radio_id(reel, 0);
    if (reel == reel_left) left_stop(panel, row);
    else if (reel == reel_center) center_stop(panel, row);
    else right_stop(panel, row);
    return not_handled;
}

}  // namespace reelctl
