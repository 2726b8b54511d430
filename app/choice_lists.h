// The role combo and the two choice combos (tables, left stop patterns).
#pragma once

#include "app/panel.h"

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

}  // namespace reelctl
