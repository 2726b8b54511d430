// The condition menu (bet, reel stop order), the title and the help command.
#pragma once

#include "app/panel.h"

namespace reelctl {

inline constexpr const char* help_file = "VSG.HLP";
inline constexpr unsigned help_context = 2;

// "Vostrelの リール制御 [ bet stop-order ]" as the caption.
void set_title(Panel& panel);

// Menu commands 40021..40023 and 40024..40029: the new condition, then the role selection restarts.
void bet_command(Panel& panel, int id);
void stop_order_command(Panel& panel, int id);

void help_command(Panel& panel);

}  // namespace reelctl
