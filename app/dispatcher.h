// The panel's command dispatcher: role, table and pattern picks, the 63 stop
// radios and the two Select buttons, turned into state changes and engine calls.
#pragma once

#include <cstdint>

#include "app/state.h"

namespace reelctl {

// True for the command ids the dispatcher handles.
bool is_dispatcher_command(int id);

// Handles command `id` with notification `code`; returns the dialog procedure's result.
std::intptr_t dispatch_command(Panel& panel, int id, int code);

// The entry number n of a table combo text "(n) ...": the second character and,
// unless the third is ")", the third too, read as a decimal integer; 0 without digits.
int parse_choice_number(const char* text);

}  // namespace reelctl
