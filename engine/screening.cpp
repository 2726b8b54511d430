#include "engine/screening.h"

#include <span>

#include "machine/conditions.h"
#include "machine/press_lookups.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"

namespace reelctl {
namespace {

// Marks press `press` wherever a pair names it and leads to another table.
bool screen_pairs(EngineState& engine, std::span<const PressPair> pairs, int press, std::uint8_t value) {
    const PanelState& s = engine.state;
    bool conflict = false;
    for (const PressPair& pair : pairs) {
        if (pair.press != press) continue;
        if (table_for_pattern(press_pair_code(s.pattern_code, pair)) != s.slide_table) {
            engine.conflict_mask[press] = value;
            conflict = true;
        }
    }
    return conflict;
}

bool screen_triples(EngineState& engine, std::span<const StopTriple> triples, int press, std::uint8_t value) {
    const PanelState& s = engine.state;
    bool conflict = false;
    for (const StopTriple& triple : triples) {
        if (triple.left_stop != s.stop_pos[reel_left] || triple.center_press != press) continue;
        if (triple_table(triple) != s.slide_table) {
            engine.conflict_mask[press] = value;
            conflict = true;
        }
    }
    return conflict;
}

// The ten-coin role has no list: the press's own pattern code decides.
bool screen_ten_coin_press(EngineState& engine, int press) {
    const PanelState& s = engine.state;
    if (table_for_pattern(ten_coin_press_code(s.pattern_code, press)) == s.slide_table) return false;
    engine.conflict_mask[press] = conflict_big;
    return true;
}

bool awaiting_press_if(EngineState& engine, bool conflict) {
    if (conflict) engine.state.awaiting_stop = 1;
    return conflict;
}

}  // namespace

bool screen_center_conflicts(EngineState& engine) {
    const PanelState& s = engine.state;
    bool conflict = false;
    for (int i = 0; i < position_count; ++i) {
        engine.conflict_mask[i] = conflict_none;
        if (!switching_role(s.role)) continue;
        if (s.stop_order == order_left_center_right) {
            // The left reel has stopped: the pair of left stop and press decides.
            if (big_role(s.role)) conflict |= screen_triples(engine, left_first_big_triples, i, conflict_big);
            else if (reg_role(s.role)) conflict |= screen_triples(engine, left_first_reg_triples, i, conflict_reg);
            else conflict = true;  // ten-coin: the table is composed only after the press
        } else {
            if (big_role(s.role)) conflict |= screen_pairs(engine, center_first_big_pairs, i, conflict_big);
            else if (reg_role(s.role)) conflict |= screen_pairs(engine, center_first_reg_pairs, i, conflict_reg);
            else conflict |= screen_ten_coin_press(engine, i);
        }
    }
    return awaiting_press_if(engine, conflict);
}

bool screen_right_conflicts(EngineState& engine) {
    const PanelState& s = engine.state;
    bool conflict = false;
    for (int i = 0; i < position_count; ++i) {
        engine.conflict_mask[i] = conflict_none;
        if (big_role(s.role)) conflict |= screen_pairs(engine, right_first_big_pairs, i, conflict_big);
        else if (reg_role(s.role)) conflict |= screen_pairs(engine, right_first_reg_pairs, i, conflict_reg);
    }
    return awaiting_press_if(engine, conflict);
}

}  // namespace reelctl
