// A column computation followed by its rendering, and the screenings with
// what the panel shows after them: the pairs the panel logic calls.
#pragma once

#include "app/panel.h"

namespace reelctl {

// Compute a reel's column, then show it.
void update_left_column(Panel& panel);
void update_center_column(Panel& panel);
void update_right_column(Panel& panel);

// Left, center, right, in that order.
void update_all_columns(Panel& panel);

// Screen the center (right) press. With a conflict the reel is offered as a
// choice of press positions; without one the columns are computed at once:
// the left first unless it has already stopped (stop order 0 for the center
// screening, 1 for the right), then center and right.
void screen_center(Panel& panel);
void screen_right(Panel& panel);

}  // namespace reelctl
