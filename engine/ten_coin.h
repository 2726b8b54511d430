// The ten-coin role in pattern mode: the left stop selects candidate tables
// and a weight scheme, the center press (stop order 0) narrows them, and the
// distinct tables are composed with their weights.
#pragma once

#include "engine/state.h"

namespace reelctl {

// What a ten-coin left stop leads to.
enum class TenCoinLeftStop {
    not_a_stop,        // the left stop index is out of range: nothing changed but split_pending
    single_table,      // the left stop names one table, now in force
    center_press_next, // stop order 0: the center press is asked for first
    composition_next,  // stop order 1: the tables are composed at once
    nothing_next,      // any other stop order
};

// After a ten-coin left stop: split_pending, the candidate sets of the left
// stop, and the table when the left stop names only one.
TenCoinLeftStop take_ten_coin_left_stop(EngineState& engine);

// Composes the candidate tables of the left stop (narrowed by the center press
// in stop order 0) into the distinct tables with their summed weights and
// returns how many there are. With one, it is put in force and awaiting_stop
// is 0. Returns 0, composing nothing, at a left stop that has no weight scheme
// or before a ten-coin left stop has named candidate tables.
int compose_ten_coin_tables(EngineState& engine);

// A composed entry (table_choice) put in force, and the stop position that the
// last computation turned from press into stop put back to the press.
void choose_ten_coin_table(EngineState& engine);

}  // namespace reelctl
