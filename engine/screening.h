// Stop-conflict screening: before a center or right column is computed for a
// role whose table can switch with the press position, find the presses that
// would switch it. With none the columns are computed at once; otherwise the
// column is offered as a choice of press positions and the panel waits.
#pragma once

#include "app/state.h"

namespace reelctl {

void screen_center_conflicts(Panel& panel);
void screen_right_conflicts(Panel& panel);

}  // namespace reelctl
