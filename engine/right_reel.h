// The right reel's column: with the right reel first its press may switch
// the table; in every other order it shows every reachable stop.
#pragma once

#include "engine/state.h"

namespace reelctl {

// Rebuilds the right column, with the table switched by the right press
// (right first); after a picked press the right stop_pos moves to the stop.
void compute_right_column(EngineState& engine);

}  // namespace reelctl
