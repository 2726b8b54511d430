// The lookups that put a picked table in force: a table entry of the role
// catalogue, or, in pattern mode, the table that the left stop names.
#pragma once

#include "engine/state.h"

namespace reelctl {

// pattern_code and slide_table from the picked table entry (table_choice);
// false when role or table_choice names no entry (nothing is changed then).
bool look_up_choice_table(EngineState& engine);

// slide_table := the table of entry `entry` of the role; pattern_code stays.
// Does nothing when role or entry names no entry.
void select_direct_table(EngineState& engine, int entry);

// slide_table := the pattern-mode table of table choice `choice` (0, 1) for the
// role's group at the left stop. Does nothing when the role has no group or
// `choice` is not 0 or 1.
void select_pattern_stop_table(EngineState& engine, int choice);

// True at three coins when the two table choices differ at the left stop.
bool pattern_stop_has_split(const EngineState& engine);

}  // namespace reelctl
