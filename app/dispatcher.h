// The panel's command dispatcher: role, table and pattern picks, the 63 stop
// radios and the two Select buttons, turned into state changes and engine calls.
#pragma once

#include <cstdint>

#include "app/panel.h"

namespace reelctl {

// True for the command ids the dispatcher handles.
bool is_dispatcher_command(int id);

// Handles command `id` with notification `code`; returns the dialog procedure's result.
std::intptr_t dispatch_command(Panel& panel, int id, int code);

}  // namespace reelctl
