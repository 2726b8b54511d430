// A panel on the model dialog, started as the dialog manager starts it, with
// the user's actions and readings that the scenario tests need.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/dialog.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "script/model_host.h"
#include "script/user.h"

namespace reelctl::testing {

// Menu ids of the conditions.
constexpr int bet_menu(int coins) { return IDM_BET_1 + coins - 1; }
constexpr int order_menu(int stop_order) { return IDM_ORDER_FIRST + stop_order; }

class Viewer {
public:
    explicit Viewer(ModelOptions options = {}) : host(options), model(host.model()), panel(host.panel()) { host.start(); }

    std::intptr_t command(int id, int code = 0) {
        return dialog_procedure(panel, msg_command, command_param(id, code), 0);
    }
    std::intptr_t syscommand(std::uintptr_t value) { return dialog_procedure(panel, msg_syscommand, value, 0); }

    // Bet (coins 1..3) and stop order (0..5) through the menu.
    void conditions(int coins, int stop_order) {
        command(bet_menu(coins));
        command(order_menu(stop_order));
    }

    // A user's click: the control must be shown and enabled.
    void click(int id) { ASSERT_EQ(script::user_click(host, id), script::UserResult::done) << "control " << id; }
    void click_stop(int reel, int row) { click(stop_radio_id(reel, row)); }

    // A user's completed choice of item `item` in a combo.
    void pick(int combo, int item) {
        ASSERT_EQ(script::user_pick(host, combo, static_cast<std::uint64_t>(item)), script::UserResult::done)
            << "combo " << combo;
    }
    void pick_role(int role) {
        ASSERT_EQ(script::user_pick_text(host, IDC_ROLE_COMBO, role_names[role]), script::UserResult::done)
            << "role " << role;
    }
    void pick_pattern(int pattern) { pick(IDC_PATTERN_COMBO, pattern); }
    void pick_table(int entry) { pick(IDC_TABLE_COMBO, entry); }

    // A text typed into a combo that selects nothing, then a completed choice.
    void forge_pick(int combo, const std::string& text) {
        ASSERT_EQ(script::user_type_text(host, combo, text), script::UserResult::done);
        command(combo, notify_selendok);
    }

    // Picks a left stop pattern under which `left_stop` is reachable, then that left stop.
    void stop_left_at(int left_stop) {
        for (int pattern = 0; pattern < 3; ++pattern) {
            pick_pattern(pattern);
            if (shown(stop_radio_id(reel_left, left_stop))) {
                click_stop(reel_left, left_stop);
                return;
            }
        }
        FAIL() << "left stop " << left_stop << " is reachable under no pattern";
    }

    PanelState& state() { return panel.state; }
    const ModelControl& control(int id) const { return *model.control(id); }
    bool shown(int id) const { return control(id).visible; }
    bool checked(int id) const { return control(id).checked; }
    bool enabled(int id) const { return control(id).enabled; }

    // Rows of a reel's column carrying `mark`.
    std::vector<int> rows_marked(int reel, int mark) const {
        std::vector<int> rows;
        for (int row = 0; row < position_count; ++row)
            if (panel.columns[reel][row].mark == mark) rows.push_back(row);
        return rows;
    }
    // Rows whose radio the panel shows.
    std::vector<int> rows_shown(int reel) const {
        std::vector<int> rows;
        for (int row = 0; row < position_count; ++row)
            if (shown(stop_radio_id(reel, row))) rows.push_back(row);
        return rows;
    }
    std::vector<int> rows_greyed(int reel) const {
        std::vector<int> rows;
        for (int row = 0; row < position_count; ++row)
            if (!enabled(slide_edit_id(reel, row))) rows.push_back(row);
        return rows;
    }
    // The slides the panel shows for a reel, as "2 4 3 ..." (blank rows as "_").
    std::string shown_slides(int reel) const {
        std::string out;
        for (int row = 0; row < position_count; ++row) {
            const std::string& text = control(slide_edit_id(reel, row)).text;
            if (!out.empty()) out += ' ';
            out += text == " " ? "_" : text;
        }
        return out;
    }
    // The picture names of a reel's window, bottom line first.
    std::vector<std::string> window(int reel) const {
        std::vector<std::string> names;
        for (int line = 0; line < 3; ++line) names.push_back(control(window_static_id(reel, line)).image.value_or("null"));
        return names;
    }
    std::vector<std::string> combo_items(int combo) const { return control(combo).items; }

    script::ModelHost host;
    ModelPanel& model;
    Panel& panel;
};

// Picture names of the small set, by symbol.
inline std::string small_picture(SymbolCode symbol) { return symbol_bitmap_names[0][symbol]; }

}  // namespace reelctl::testing
