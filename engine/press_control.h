// Shared steps of the center and right computations: press lookups that
// switch the table, and the marking of reachable and chosen stops.
#pragma once

#include <span>

#include "engine/state.h"
#include "machine/press_lookups.h"
#include "machine/slide_tables.h"

namespace reelctl {

// If `press` is in `pairs` (first match in stored order), puts the pair's
// sibling pattern code and its table in force; true when the table changed.
bool apply_press_pair(PanelState& state, std::span<const PressPair> pairs, int press);

// The BIG list for the BIG kinds, the REG list for the REG kinds, else an empty list.
std::span<const PressPair> press_pairs_for(int role_kind, std::span<const PressPair> big,
                                           std::span<const PressPair> reg);

// Mark the stop reached from every press index whose filter entry is true.
template <typename Filter>
void mark_reachable_stops(ReelColumn& column, Filter&& filter) {
    for (int i = 0; i < position_count; ++i)
        if (filter(i)) column[stop_after_slide(i, column[i].slide)].mark = mark_reachable;
}

// Turns the picked press index in `stop_pos` into the resulting stop, marked 2.
void mark_chosen_stop(ReelColumn& column, std::int16_t& stop_pos);

}  // namespace reelctl
