// The ten-coin role in pattern mode: the left stop selects candidate tables
// and a weight scheme, the center press (stop order 0) narrows them, and the
// distinct tables are offered with their weights or, when one remains, put
// in force at once.
#pragma once

#include "app/state.h"

namespace reelctl {

// After a ten-coin left stop: a single table at once, or the press choice
// (stop order 0) or the composition (stop order 1).
void offer_ten_coin_split(Panel& panel);

// Compose the candidate tables and offer them, or compute with the only one.
// Does nothing at a left stop that has no weight scheme, nor before a ten-coin
// left stop has named candidate tables.
void compose_ten_coin_tables(Panel& panel);

// A composed entry picked in the table combo.
void choose_ten_coin_table(Panel& panel);

}  // namespace reelctl
