#include "app/dialog_moves.h"

namespace reelctl {

void disable_select_buttons(Panel& panel) {
    panel.ui.enable(IDC_SELECT_CENTER, false);
    panel.ui.enable(IDC_SELECT_RIGHT, false);
}

void enable_select_button(Panel& panel, int reel) {
    panel.ui.enable(reel == reel_center ? IDC_SELECT_CENTER : IDC_SELECT_RIGHT, true);
}

void enable_table_choice(Panel& panel, bool on) {
    panel.ui.enable(IDC_TABLE_COMBO, on);
    panel.ui.enable(IDC_TABLE_LABEL, on);
}

void enable_pattern_choice(Panel& panel, bool on) {
    panel.ui.enable(IDC_PATTERN_COMBO, on);
    panel.ui.enable(IDC_PATTERN_LABEL, on);
}

void withdraw_table_offer(Panel& panel) {
    panel.ui.combo_reset(IDC_TABLE_COMBO);
    enable_table_choice(panel, false);
}

}  // namespace reelctl
