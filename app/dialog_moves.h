// The moves on the dialog that always go together, each written once: the
// Select pair, the table choice and the pattern choice (each a combo with its
// label), and the offer of entries in the table combo and its withdrawal.
#pragma once

#include "app/panel.h"
#include "app/table_entries.h"
#include "panel/control_ids.h"

namespace reelctl {

// Both Select buttons off, 101 (center) first.
void disable_select_buttons(Panel& panel);

// The Select button of `reel` (reel_center: 101, any other: 102) on, once the
// press picked on that reel has been computed.
void enable_select_button(Panel& panel, int reel);

// The table combo and its label, always together, combo first.
void enable_table_choice(Panel& panel, bool on);

// The pattern combo and its label, always together, combo first.
void enable_pattern_choice(Panel& panel, bool on);

// The table combo emptied and the table choice off: an offer withdrawn.
void withdraw_table_offer(Panel& panel);

// Adds `count` entries to the table combo, the text of entry n (1..count)
// written by write_entry(text, n); then the table choice is enabled and
// takes the focus, for the user to pick an entry next.
template <typename WriteEntry>
void offer_table_entries(Panel& panel, int count, WriteEntry&& write_entry) {
    for (int n = 1; n <= count; ++n) {
        char entry[table_entry_size];
        write_entry(entry, n);
        panel.ui.combo_add(IDC_TABLE_COMBO, entry);
    }
    enable_table_choice(panel, true);
    panel.ui.focus(IDC_TABLE_COMBO);
}

}  // namespace reelctl
