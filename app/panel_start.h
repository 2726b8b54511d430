// The panel's start (WM_INITDIALOG) and its close.
#pragma once

#include "app/panel.h"

namespace reelctl {

// Title, picture set, role list, blank columns, notice channel.
void panel_start(Panel& panel);

// Deletes the pictures, writes the close notice, closes the mailslot, ends with 1.
void close_panel(Panel& panel);

}  // namespace reelctl
