#include "engine/screening.h"

#include <span>

#include "engine/reels.h"
#include "machine/press_lookups.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "machine/symbols.h"
#include "panel/rendering.h"

namespace reelctl {
namespace {

constexpr std::uint8_t conflict_big = 1;  // found through a BIG list or the ten-coin rule
constexpr std::uint8_t conflict_reg = 2;  // found through a REG list

bool is_big(int role) { return role >= role_big && role <= role_big_cherry4; }
bool is_reg(int role) { return role >= role_reg && role <= role_reg_cherry4; }

// Marks press `press` wherever a pair names it and leads to another table.
bool screen_pairs(Panel& panel, std::span<const PressPair> pairs, int press, std::uint8_t value) {
    const PanelState& s = panel.state;
    bool conflict = false;
    for (const PressPair& pair : pairs) {
        if (pair.press != press) continue;
        if (table_for_pattern((s.pattern_code & 0xF0) | pair.bits) != s.slide_table) {
            panel.conflict_mask[press] = value;
            conflict = true;
        }
    }
    return conflict;
}

bool screen_triples(Panel& panel, std::span<const StopTriple> triples, int press, std::uint8_t value) {
    const PanelState& s = panel.state;
    bool conflict = false;
    for (const StopTriple& triple : triples) {
        if (triple.left_stop != s.stop_pos[reel_left] || triple.center_press != press) continue;
        if (left_stop_code_rows[triple.table_code][triple.left_stop] != s.slide_table) {
            panel.conflict_mask[press] = value;
            conflict = true;
        }
    }
    return conflict;
}

// The ten-coin rule: presses 8..19 clear bit 3 of the pattern code, the others set it.
bool screen_ten_coin_press(Panel& panel, int press) {
    const PanelState& s = panel.state;
    const int code = (press >= 8 && press <= 19) ? (s.pattern_code & 0xF7) : (s.pattern_code | 0x08);
    if (table_for_pattern(code & 0xFF) == s.slide_table) return false;
    panel.conflict_mask[press] = conflict_big;
    return true;
}

// With a conflict the screened reel offers its press positions and the panel
// waits; without one the columns are computed at once.
void finish_screening(Panel& panel, int reel, bool conflict, bool recompute_left) {
    if (conflict) {
        render_press_choice(panel, reel);
        panel.state.awaiting_stop = 1;
        return;
    }
    if (recompute_left) compute_left_column(panel);
    compute_center_column(panel);
    compute_right_column(panel);
}

}  // namespace

void screen_center_conflicts(Panel& panel) {
    const PanelState& s = panel.state;
    bool conflict = false;
    for (int i = 0; i < position_count; ++i) {
        panel.conflict_mask[i] = 0;
        if (s.role < role_big || s.role > role_ten_coin) continue;
        if (s.stop_order == 0) {
            // The left reel has stopped: the pair of left stop and press decides.
            if (is_big(s.role)) conflict |= screen_triples(panel, left_first_big_triples, i, conflict_big);
            else if (is_reg(s.role)) conflict |= screen_triples(panel, left_first_reg_triples, i, conflict_reg);
            else conflict = true;  // ten-coin: the table is composed only after the press
        } else {
            if (is_big(s.role)) conflict |= screen_pairs(panel, center_first_big_pairs, i, conflict_big);
            else if (is_reg(s.role)) conflict |= screen_pairs(panel, center_first_reg_pairs, i, conflict_reg);
            else conflict |= screen_ten_coin_press(panel, i);
        }
    }
    // In stop order 0 the left reel has stopped before the center.
    finish_screening(panel, reel_center, conflict, s.stop_order != 0);
}

void screen_right_conflicts(Panel& panel) {
    const PanelState& s = panel.state;
    bool conflict = false;
    for (int i = 0; i < position_count; ++i) {
        panel.conflict_mask[i] = 0;
        if (is_big(s.role)) conflict |= screen_pairs(panel, right_first_big_pairs, i, conflict_big);
        else if (is_reg(s.role)) conflict |= screen_pairs(panel, right_first_reg_pairs, i, conflict_reg);
    }
    // In stop order 1 the left reel has stopped before the right.
    finish_screening(panel, reel_right, conflict, s.stop_order != 1);
}

}  // namespace reelctl
