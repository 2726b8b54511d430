#include "engine/center_reel.h"

#include <span>

#include "engine/press_control.h"
#include "machine/conditions.h"
#include "machine/press_lookups.h"
#include "machine/roles.h"

namespace reelctl {
namespace {

// Stop order 0 after a split: the pair of left stop and center press names
// one of the two tables of the split.
bool apply_left_first_triple(PanelState& s, std::span<const StopTriple> triples) {
    const int left_stop = s.stop_pos[reel_left];
    for (const StopTriple& triple : triples) {
        if (triple.left_stop != left_stop || triple.center_press != s.stop_pos[reel_center]) continue;
        const int table = triple_table(triple);
        const bool changed = table != s.slide_table;
        s.slide_table = static_cast<std::int16_t>(table);
        return changed;
    }
    return false;
}

// The ten-coin role with the center reel first: the press puts its pattern code in force.
bool apply_ten_coin_press(PanelState& s) {
    s.pattern_code = static_cast<std::int16_t>(ten_coin_press_code(s.pattern_code, s.stop_pos[reel_center]));
    const int table = table_for_pattern(s.pattern_code);
    const bool changed = table != s.slide_table;
    s.slide_table = static_cast<std::int16_t>(table);
    return changed;
}

// Step 1: the press lookup; returns whether the table in force changed.
bool look_up_center_press(EngineState& engine) {
    PanelState& s = engine.state;
    const int kind = s.role_kind;
    if (left_first(s.stop_order)) {
        if (s.stop_order != order_left_center_right || s.split_pending != 1) return false;
        if (big_kind(kind)) return apply_left_first_triple(s, left_first_big_triples);
        if (reg_kind(kind)) return apply_left_first_triple(s, left_first_reg_triples);
        if (kind == ten_coin_kind) return true;  // the table was composed from this very press
        engine.conflict_mask.fill(conflict_none);
        return false;
    }
    if (center_first(s.stop_order)) {
        if (bonus_kind(kind))
            return apply_press_pair(s, press_pairs_for(kind, center_first_big_pairs, center_first_reg_pairs),
                                    s.stop_pos[reel_center]);
        if (kind == ten_coin_kind) return apply_ten_coin_press(s);
        engine.conflict_mask.fill(conflict_none);
        return false;
    }
    return false;  // right first: the right reel has settled the table
}

}  // namespace

void compute_center_column(EngineState& engine) {
    PanelState& s = engine.state;
    const bool table_changed = look_up_center_press(engine);

    ReelColumn& column = engine.columns[reel_center];
    for (int i = 0; i < position_count; ++i) {
        column[i].slide = static_cast<std::int16_t>(center_slide(packed_slides(s.slide_table, i)));
        column[i].mark = mark_none;
    }

    if (right_first(s.stop_order)) {
        mark_reachable_stops(column, [](int) { return true; });
        return;
    }

    // In stop order 1, and in stop order 0 with no split open, no screening of
    // the center press precedes this computation: a mask left from an earlier
    // left stop or stop order would hide reachable stops, so it reads as all zero.
    const bool mask_in_force = !left_first(s.stop_order) || (s.stop_order == order_left_center_right && s.split_pending == 1);
    const auto& mask = engine.conflict_mask;
    if (!left_first(s.stop_order) && s.role == role_ten_coin && table_changed) {
        // Two press groups, one table each: the picked press's group is the one marked 1.
        mark_reachable_stops(column, [&](int i) { return mask[i] == conflict_big; });
    } else if (!table_changed) {
        mark_reachable_stops(column, [&](int i) { return !mask_in_force || mask[i] == conflict_none; });
    }

    // The chosen stop: after a picked press, and on the ten-coin role's
    // composed-table path (stop order 0, split open), where the press was
    // picked before the composition.
    const bool composed_ten_coin = s.stop_order == order_left_center_right && s.role == role_ten_coin &&
                                   s.role_kind == ten_coin_kind && s.split_pending == 1;
    if (s.awaiting_stop == 1 || composed_ten_coin) mark_chosen_stop(column, s.stop_pos[reel_center]);
}

}  // namespace reelctl
