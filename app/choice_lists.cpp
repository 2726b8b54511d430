#include "app/choice_lists.h"

#include "app/dialog_moves.h"
#include "app/rendering.h"
#include "app/table_entries.h"
#include "engine/table_lookups.h"
#include "machine/conditions.h"
#include "machine/roles.h"
#include "machine/texts.h"
#include "panel/control_ids.h"

namespace reelctl {
namespace {

int picked_choice_count(const Panel& panel) {
    const RoleRecord* record = role_record(panel.state.bet, panel.state.role);
    return record ? record->choice_count : 0;
}

void disable_both_choices(Panel& panel) {
    enable_table_choice(panel, false);
    enable_pattern_choice(panel, false);
}

}  // namespace

void fill_role_list(Panel& panel) {
    PanelState& s = panel.state;
    s.role = role_none;
    panel.ui.combo_reset(IDC_ROLE_COMBO);
    for (int role : role_list_order)
        if (role_records[s.bet][role].choice_count != 0) panel.ui.combo_add(IDC_ROLE_COMBO, role_names[role]);
    disable_select_buttons(panel);
    fill_choice_lists(panel);
    clear_all_columns(panel);
}

void fill_choice_lists(Panel& panel) {
    PanelState& s = panel.state;
    s.left_pattern = -1;
    s.table_choice = -1;
    panel.ui.combo_reset(IDC_TABLE_COMBO);
    panel.ui.combo_reset(IDC_PATTERN_COMBO);

    const int count = picked_choice_count(panel);
    // No role, or one table with the center or right reel first: no list,
    // and pattern_mode keeps its value.
    if (s.role == role_none || (count == 1 && !left_first(s.stop_order))) {
        disable_both_choices(panel);
        return;
    }
    // A controlled role with the left reel first picks a left stop pattern.
    if (controlled_kind(s.role_kind) && left_first(s.stop_order)) {
        for (const char* name : left_pattern_names) panel.ui.combo_add(IDC_PATTERN_COMBO, name);
        enable_table_choice(panel, false);
        enable_pattern_choice(panel, true);
        panel.ui.focus(IDC_PATTERN_COMBO);
        s.pattern_mode = 1;
        return;
    }
    if (count <= 1) {
        disable_both_choices(panel);
        s.pattern_mode = 0;
        return;
    }
    const RoleRecord& record = role_records[s.bet][s.role];
    offer_table_entries(panel, count,
                        [&record](auto& entry, int n) { format_table_entry(entry, n, record.choice_share[n - 1]); });
    enable_pattern_choice(panel, false);
    s.pattern_mode = 0;
}

void select_choice_table(Panel& panel) {
    if (!look_up_choice_table(panel)) return;
    clear_all_columns(panel);
}

}  // namespace reelctl
