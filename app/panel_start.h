// The panel's life: start (WM_INITDIALOG), the condition menu, help and close.
#pragma once

#include "app/state.h"

namespace reelctl {

inline constexpr const char* mailslot_name = "\\\\.\\mailslot\\vsg\\vsreel";
inline constexpr const char* help_file = "VSG.HLP";
inline constexpr unsigned help_context = 2;

// Title, picture set, role list, blank columns, notice channel.
void panel_start(Panel& panel);

// Deletes the pictures, writes the close notice, closes the mailslot, ends with 1.
void close_panel(Panel& panel);

// "Vostrelの リール制御 [ bet stop-order ]" as the caption.
void set_title(Panel& panel);

// Menu commands 40021..40023 and 40024..40029: the new condition, then the role selection restarts.
void bet_command(Panel& panel, int id);
void stop_order_command(Panel& panel, int id);

void help_command(Panel& panel);

}  // namespace reelctl
