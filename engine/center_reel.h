// The center reel's column: where the machine's control reacts to the timing
// of the center stop button.
#pragma once

#include "engine/state.h"

namespace reelctl {

// Rebuilds the center column, with the table switched by the center press
// (center first) or by the pair of left stop and center press (stop order 0
// after a split); marks the reachable stops that stay valid and, after a
// picked press, the resulting stop, to which the center stop_pos moves.
void compute_center_column(EngineState& engine);

}  // namespace reelctl
