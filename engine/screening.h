// Stop-conflict screening: before a center or right column is computed for a
// role whose table can switch with the press position, find the presses that
// would switch it and mark them in the conflict mask.
#pragma once

#include "engine/state.h"

namespace reelctl {

// Each rebuilds the conflict mask for its reel. With a conflict the reel is to
// be offered as a choice of press positions: awaiting_stop becomes 1 and the
// result is true. Without one nothing else changes and the result is false.
bool screen_center_conflicts(EngineState& engine);
bool screen_right_conflicts(EngineState& engine);

}  // namespace reelctl
