// Pattern mode after the left reel has stopped: the table the left stop puts
// in force or the two it offers, a pick among them, and the center Select button.
#pragma once

#include "app/panel.h"

namespace reelctl {

// A left stop radio while a controlled role is played with the left reel first.
void settle_left_stop(Panel& panel);

// Every role but the ten-coin role: put the left stop's table in force, or
// offer the two tables of a split in the table combo.
void offer_left_stop_split(Panel& panel);

// A "(1) 50%" / "(2) 50%" pick after a left stop.
void choose_split_table(Panel& panel);

// Select 101: start the center press choice again for the table picked.
void reselect_center(Panel& panel);

}  // namespace reelctl
