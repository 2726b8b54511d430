#include "app/choice_lists.h"

#include <cstdio>

#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "panel/primitives.h"
#include "panel/rendering.h"

namespace reelctl {
namespace {

int picked_choice_count(const Panel& panel) {
    const RoleRecord* record = role_record(panel.state.bet, panel.state.role);
    return record ? record->choice_count : 0;
}

// The entry of the picked role's record that `entry` names, or nullptr.
const RoleRecord* record_with_entry(const Panel& panel, int entry) {
    const RoleRecord* record = role_record(panel.state.bet, panel.state.role);
    if (!record || entry < 0 || entry >= record->choice_count) return nullptr;
    return record;
}

void disable_both_choices(Panel& panel) {
    panel.ui.enable(IDC_TABLE_COMBO, false);
    panel.ui.enable(IDC_TABLE_LABEL, false);
    panel.ui.enable(IDC_PATTERN_COMBO, false);
    panel.ui.enable(IDC_PATTERN_LABEL, false);
}

}  // namespace

void fill_role_list(Panel& panel) {
    PanelState& s = panel.state;
    s.role = -1;
    panel.ui.combo_reset(IDC_ROLE_COMBO);
    for (int role : role_list_order)
        if (role_records[s.bet][role].choice_count != 0) panel.ui.combo_add(IDC_ROLE_COMBO, role_names[role]);
    panel.ui.enable(IDC_SELECT_CENTER, false);
    panel.ui.enable(IDC_SELECT_RIGHT, false);
    fill_choice_lists(panel);
    clear_left_column(panel);
    clear_center_column(panel);
    clear_right_column(panel);
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
    if (s.role == -1 || (count == 1 && s.stop_order > 1)) {
        disable_both_choices(panel);
        return;
    }
    // A controlled role with the left reel first picks a left stop pattern.
    if (s.role_kind > 0 && s.stop_order < 2) {
        for (const char* name : left_pattern_names) panel.ui.combo_add(IDC_PATTERN_COMBO, name);
        panel.ui.enable(IDC_TABLE_COMBO, false);
        panel.ui.enable(IDC_TABLE_LABEL, false);
        panel.ui.enable(IDC_PATTERN_COMBO, true);
        panel.ui.enable(IDC_PATTERN_LABEL, true);
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
    for (int i = 0; i < count; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "(%d) %s%%", i + 1, record.choice_share[i]);
        panel.ui.combo_add(IDC_TABLE_COMBO, entry);
    }
    panel.ui.enable(IDC_TABLE_COMBO, true);
    panel.ui.enable(IDC_TABLE_LABEL, true);
    panel.ui.focus(IDC_TABLE_COMBO);
    panel.ui.enable(IDC_PATTERN_COMBO, false);
    panel.ui.enable(IDC_PATTERN_LABEL, false);
    s.pattern_mode = 0;
}

bool look_up_choice_table(Panel& panel) {
    PanelState& s = panel.state;
    const RoleRecord* record = record_with_entry(panel, s.table_choice);
    if (!record) return false;
    s.pattern_code = record->choice_pattern[s.table_choice];
    s.slide_table = static_cast<std::int16_t>(table_for_pattern(s.pattern_code));
    return true;
}

void select_choice_table(Panel& panel) {
    if (!look_up_choice_table(panel)) return;
    clear_left_column(panel);
    clear_center_column(panel);
    clear_right_column(panel);
}

void select_direct_table(Panel& panel, int entry) {
    const RoleRecord* record = record_with_entry(panel, entry);
    if (!record) return;
    panel.state.slide_table = record->choice_table[entry];
}

}  // namespace reelctl
