#include "engine/left_reel.h"

#include "machine/conditions.h"
#include "machine/left_patterns.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"

namespace reelctl {

void compute_left_column(EngineState& engine) {
    const PanelState& s = engine.state;
    ReelColumn& column = engine.columns[reel_left];
    // A controlled role with the left reel first slides by its left stop
    // pattern; every other case by bits 7..5 of the table in force.
    const bool pattern_source = controlled_kind(s.role_kind) && left_first(s.stop_order);
    for (int i = 0; i < position_count; ++i) {
        column[i].slide = static_cast<std::int16_t>(
            pattern_source ? pattern_left_slide(s.role, s.left_pattern, i)
                           : left_slide(packed_slides(s.slide_table, i)));
        column[i].mark = mark_none;
    }
    // The left tables carry 7 where the left reel is already stopped; one wrap is enough.
    for (int i = 0; i < position_count; ++i) column[stop_after_slide(i, column[i].slide)].mark = mark_reachable;
}

}  // namespace reelctl
