// The ten-coin role's tables on the panel: what a ten-coin left stop shows,
// the composed tables offered with their weights, and a pick among them.
#pragma once

#include "app/panel.h"

namespace reelctl {

// After a ten-coin left stop: a single table at once, or the press choice
// (stop order 0) or the composition (stop order 1).
void offer_ten_coin_split(Panel& panel);

// Compose the candidate tables and offer them, or compute with the only one.
// Does nothing where the composition composes nothing.
void offer_ten_coin_tables(Panel& panel);

// A composed entry picked in the table combo.
void choose_ten_coin_entry(Panel& panel);

}  // namespace reelctl
