// Shared steps of the center and right computations: press lookups that
// switch the table, and the marking of reachable and chosen stops.
#pragma once

#include <span>

#include "app/state.h"
#include "machine/press_lookups.h"

namespace reelctl {

// If `press` is in `pairs` (first match in stored order), puts the pair's
// sibling pattern code and its table in force; true when the table changed.
bool apply_press_pair(PanelState& state, std::span<const PressPair> pairs, int press);

// The BIG list for role kinds 4..6, the REG list for 7..9, else an empty list.
std::span<const PressPair> press_pairs_for(int role_kind, std::span<const PressPair> big,
                                           std::span<const PressPair> reg);

// Mark the stop reached from every press index whose filter entry is true.
template <typename Filter>
void mark_reachable_stops(ReelColumn& column, Filter&& filter) {
    for (int i = 0; i < 21; ++i) {
        if (!filter(i)) continue;
        int stop = i + column[i].slide;
        if (stop >= 21) stop -= 21;
        column[stop].mark = mark_reachable;
    }
}

// Turns the picked press index in `stop_pos` into the resulting stop, marked 2.
void mark_chosen_stop(ReelColumn& column, std::int16_t& stop_pos);

}  // namespace reelctl
