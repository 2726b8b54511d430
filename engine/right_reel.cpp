#include "engine/right_reel.h"

#include "engine/press_control.h"
#include "machine/conditions.h"
#include "machine/roles.h"

namespace reelctl {

void compute_right_column(EngineState& engine) {
    PanelState& s = engine.state;
    const bool pressed_first = right_first(s.stop_order);
    bool table_changed = false;
    if (pressed_first) {
        if (bonus_kind(s.role_kind))
            table_changed = apply_press_pair(s, press_pairs_for(s.role_kind, right_first_big_pairs, right_first_reg_pairs),
                                             s.stop_pos[reel_right]);
        else
            engine.conflict_mask.fill(conflict_none);  // the ten-coin role takes the uncontrolled path here
    }

    ReelColumn& column = engine.columns[reel_right];
    for (int i = 0; i < position_count; ++i) {
        column[i].slide = static_cast<std::int16_t>(right_slide(packed_slides(s.slide_table, i)));
        column[i].mark = mark_none;
    }

    if (!pressed_first) {
        mark_reachable_stops(column, [](int) { return true; });
        return;
    }
    const auto& mask = engine.conflict_mask;
    if (!table_changed) mark_reachable_stops(column, [&](int i) { return mask[i] == conflict_none; });
    if (s.awaiting_stop == 1) mark_chosen_stop(column, s.stop_pos[reel_right]);
}

}  // namespace reelctl
