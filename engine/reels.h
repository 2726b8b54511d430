// The three column computations and the left-stop table lookups of pattern mode.
//
// Each computation rebuilds its whole ReelColumn from the state and the
// machine data, then renders it. The center and right computations may switch
// pattern_code and slide_table and move their reel's stop_pos, so the order
// in which a handler calls them is binding.
#pragma once

#include "app/state.h"

namespace reelctl {

// Left slides from the role's left stop pattern (controlled role, left reel
// first) or from the table in force; marks every reachable stop.
void compute_left_column(Panel& panel);

// Center slides, with the table switched by the center press (center first)
// or by the pair of left stop and center press (stop order 0 after a split);
// marks the reachable stops that stay valid and, after a picked press, the
// resulting stop.
void compute_center_column(Panel& panel);

// Right slides, with the table switched by the right press (right first).
void compute_right_column(Panel& panel);

// slide_table := the pattern-mode table of table choice `choice` (0, 1) for the
// role's group at the left stop. Does nothing when the role has no group or
// `choice` is not 0 or 1.
void select_pattern_stop_table(Panel& panel, int choice);

// True at three coins when the two table choices differ at the left stop.
bool pattern_stop_has_split(const Panel& panel);

}  // namespace reelctl
