// The left reel: slides from a left stop pattern or from the table in force.

#include "engine/reels.h"
#include "machine/left_patterns.h"
#include "machine/slide_tables.h"
#include "machine/symbols.h"
#include "panel/rendering.h"

namespace reelctl {

void compute_left_column(Panel& panel) {
    const PanelState& s = panel.state;
    ReelColumn& column = panel.columns[reel_left];
    // A controlled role with the left reel first slides by its left stop
    // pattern; every other case by bits 7..5 of the table in force.
    const bool pattern_source = s.role_kind >= 1 && s.stop_order <= 1;
    for (int i = 0; i < position_count; ++i) {
        column[i].slide = static_cast<std::int16_t>(
            pattern_source ? pattern_left_slide(s.role, s.left_pattern, i)
                           : left_slide(packed_slides(s.slide_table, i)));
        column[i].mark = mark_none;
    }
    // The left tables carry 7 where the left reel is already stopped; one wrap is enough.
    for (int i = 0; i < position_count; ++i) column[stop_after_slide(i, column[i].slide)].mark = mark_reachable;
    render_left_column(panel);
}

void select_pattern_stop_table(Panel& panel, int choice) {
    const int group = pattern_role_group(panel.state.role);
    if (group == 0 || choice < 0 || choice > 1) return;
    panel.state.slide_table = static_cast<std::int16_t>(pattern_stop_table(choice, group, panel.state.stop_pos[reel_left]));
}

bool pattern_stop_has_split(const Panel& panel) {
    const int group = pattern_role_group(panel.state.role);
    const int left_stop = panel.state.stop_pos[reel_left];
    return panel.state.bet == 2 && pattern_stop_table(0, group, left_stop) != pattern_stop_table(1, group, left_stop);
}

}  // namespace reelctl
