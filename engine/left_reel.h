// The left reel's column: slides from a left stop pattern or from the table in force.
#pragma once

#include "engine/state.h"

namespace reelctl {

// Rebuilds the left column: slides from the role's left stop pattern
// (controlled role, left reel first) or from the table in force, and every
// reachable stop marked.
void compute_left_column(EngineState& engine);

}  // namespace reelctl
