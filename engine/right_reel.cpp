// The right reel: with the right reel first its press may switch the table;
// in every other order it shows every reachable stop.

#include "engine/press_control.h"
#include "engine/reels.h"
#include "machine/press_lookups.h"
#include "machine/slide_tables.h"
#include "machine/symbols.h"
#include "panel/rendering.h"

namespace reelctl {

void compute_right_column(Panel& panel) {
    PanelState& s = panel.state;
    const bool right_first = s.stop_order >= 4;
    bool table_changed = false;
    if (right_first) {
        if (s.role_kind >= 4 && s.role_kind <= 9)
            table_changed = apply_press_pair(s, press_pairs_for(s.role_kind, right_first_big_pairs, right_first_reg_pairs),
                                             s.stop_pos[reel_right]);
        else
            panel.conflict_mask.fill(0);  // the ten-coin role takes the uncontrolled path here
    }

    ReelColumn& column = panel.columns[reel_right];
    for (int i = 0; i < position_count; ++i) {
        column[i].slide = static_cast<std::int16_t>(right_slide(packed_slides(s.slide_table, i)));
        column[i].mark = mark_none;
    }

    if (!right_first) {
        mark_reachable_stops(column, [](int) { return true; });
    } else {
        const auto& mask = panel.conflict_mask;
        if (!table_changed) mark_reachable_stops(column, [&](int i) { return mask[i] == 0; });
        if (s.awaiting_stop == 1) mark_chosen_stop(column, s.stop_pos[reel_right]);
    }
    render_right_column(panel);
}

}  // namespace reelctl
