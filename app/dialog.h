// The panel's dialog procedure: the window messages it answers, each handed
// to its handler.
#pragma once

#include <cstdint>

#include "app/panel.h"
#include "panel/messages.h"

namespace reelctl {

// Returns 1 when the message was handled, 0 to leave it to the dialog manager.
std::intptr_t dialog_procedure(Panel& panel, std::uint32_t message, std::uintptr_t wparam,
                               std::intptr_t lparam);

}  // namespace reelctl
