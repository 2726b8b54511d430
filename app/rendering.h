// How the reel columns and the 3 x 3 symbol window appear on the panel.
//
// These operations read the columns, the conflict mask and the stop
// positions and change the display only; no field of the state changes.
#pragma once

#include "app/panel.h"

namespace reelctl {

// Blank a reel's window and column; the center clear also disables both
// Select buttons, the right clear Select 102. Column data stays as it was.
void clear_left_column(Panel& panel);
void clear_center_column(Panel& panel);
void clear_right_column(Panel& panel);
void clear_all_columns(Panel& panel);  // left, center, right

// Show the three symbols of `reel` at its stop_pos, bottom line first.
void draw_window(Panel& panel, int reel);

// Show a computed column: slides as "%d", radios at the reachable stops,
// the chosen stop (center and right only) checked with its window drawn.
void render_left_column(Panel& panel);
void render_center_column(Panel& panel);
void render_right_column(Panel& panel);

// Offer the center (1) or right (2) column as a choice of its press
// positions; rows whose press would switch the table are greyed.
void render_press_choice(Panel& panel, int reel);

}  // namespace reelctl
