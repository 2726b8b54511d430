// The role combo, the two choice combos (tables, left stop patterns) and the
// two lookups that put a picked table in force.
#pragma once

#include "app/state.h"

namespace reelctl {

// role := -1, the role combo refilled for the bet, both Select buttons and
// both choice combos disabled, the three columns cleared.
void fill_role_list(Panel& panel);

// Offers the picked role's tables or left stop patterns, or neither; sets
// left_pattern and table_choice to -1 and pattern_mode where it matters.
void fill_choice_lists(Panel& panel);

// pattern_code and slide_table from the picked table entry, then the three
// columns cleared. Does nothing when role or table_choice names no entry.
void select_choice_table(Panel& panel);

// The two lookup steps of select_choice_table without its clears; false when
// role or table_choice names no entry (nothing is changed then).
bool look_up_choice_table(Panel& panel);

// slide_table := the table of entry `entry` of the role; pattern_code stays.
// Does nothing when role or entry names no entry.
void select_direct_table(Panel& panel, int entry);

}  // namespace reelctl
