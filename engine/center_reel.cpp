// The center reel: where the machine's control reacts to the timing of the
// center stop button.

#include "engine/press_control.h"
#include "engine/reels.h"
#include "machine/press_lookups.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "machine/symbols.h"
#include "panel/rendering.h"

namespace reelctl {
namespace {

// Stop order 0 after a split: the pair of left stop and center press names
// one of the two tables of the split.
bool apply_left_first_triple(PanelState& s, std::span<const StopTriple> triples) {
    const int left_stop = s.stop_pos[reel_left];
    for (const StopTriple& triple : triples) {
        if (triple.left_stop != left_stop || triple.center_press != s.stop_pos[reel_center]) continue;
        const int table = left_stop_code_rows[triple.table_code][left_stop];
        const bool changed = table != s.slide_table;
        s.slide_table = static_cast<std::int16_t>(table);
        return changed;
    }
    return false;
}

// The ten-coin role with the center reel first: presses 0..7 and 20 set bit 3
// of the pattern code, presses 8..19 clear it.
bool apply_ten_coin_press(PanelState& s) {
    const int press = s.stop_pos[reel_center];
    s.pattern_code = static_cast<std::int16_t>(press <= 7 || press >= 20 ? (s.pattern_code | 0x08) : (s.pattern_code & 0xF7));
    const int table = table_for_pattern(s.pattern_code);
    const bool changed = table != s.slide_table;
    s.slide_table = static_cast<std::int16_t>(table);
    return changed;
}

// Step 1: the press lookup; returns whether the table in force changed.
bool look_up_center_press(Panel& panel) {
    PanelState& s = panel.state;
    const int kind = s.role_kind;
    if (s.stop_order <= 1) {
        if (s.stop_order != 0 || s.split_pending != 1) return false;
        if (kind >= 4 && kind <= 6) return apply_left_first_triple(s, left_first_big_triples);
        if (kind >= 7 && kind <= 9) return apply_left_first_triple(s, left_first_reg_triples);
        if (kind == 10) return true;  // the table was composed from this very press
        panel.conflict_mask.fill(0);
        return false;
    }
    if (s.stop_order <= 3) {
        if (kind >= 4 && kind <= 9)
            return apply_press_pair(s, press_pairs_for(kind, center_first_big_pairs, center_first_reg_pairs),
                                    s.stop_pos[reel_center]);
        if (kind == 10) return apply_ten_coin_press(s);
        panel.conflict_mask.fill(0);
        return false;
    }
    return false;  // right first: the right reel has settled the table
}

}  // namespace

void compute_center_column(Panel& panel) {
    PanelState& s = panel.state;
    const bool table_changed = look_up_center_press(panel);

    ReelColumn& column = panel.columns[reel_center];
    for (int i = 0; i < position_count; ++i) {
        column[i].slide = static_cast<std::int16_t>(center_slide(packed_slides(s.slide_table, i)));
        column[i].mark = mark_none;
    }

    if (s.stop_order >= 4) {
        mark_reachable_stops(column, [](int) { return true; });
        render_center_column(panel);
        return;
    }

    // In stop order 1, and in stop order 0 with no split open, no screening of
    // the center press precedes this computation: a mask left from an earlier
    // left stop or stop order would hide reachable stops, so it reads as all zero.
    const bool mask_in_force = s.stop_order >= 2 || (s.stop_order == 0 && s.split_pending == 1);
    const auto& mask = panel.conflict_mask;
    if (s.stop_order >= 2 && s.role == role_ten_coin && table_changed) {
        // Two press groups, one table each: the picked press's group is the one marked 1.
        mark_reachable_stops(column, [&](int i) { return mask[i] == 1; });
    } else if (!table_changed) {
        mark_reachable_stops(column, [&](int i) { return !mask_in_force || mask[i] == 0; });
    }

    // The chosen stop: after a picked press, and on the ten-coin role's
    // composed-table path (stop order 0, split open), where the press was
    // picked before the composition.
    const bool composed_ten_coin = s.stop_order == 0 && s.role == role_ten_coin && s.role_kind == 10 && s.split_pending == 1;
    if (s.awaiting_stop == 1 || composed_ten_coin) mark_chosen_stop(column, s.stop_pos[reel_center]);

    render_center_column(panel);
}

}  // namespace reelctl
