#include "engine/table_lookups.h"

#include "machine/left_patterns.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"

namespace reelctl {
namespace {

// The picked role's record when `entry` names one of its entries, or nullptr.
const RoleRecord* record_with_entry(const PanelState& s, int entry) {
    const RoleRecord* record = role_record(s.bet, s.role);
    if (!record || entry < 0 || entry >= record->choice_count) return nullptr;
    return record;
}

}  // namespace

bool look_up_choice_table(EngineState& engine) {
    PanelState& s = engine.state;
    const RoleRecord* record = record_with_entry(s, s.table_choice);
    if (!record) return false;
    s.pattern_code = record->choice_pattern[s.table_choice];
    s.slide_table = static_cast<std::int16_t>(table_for_pattern(s.pattern_code));
    return true;
}

void select_direct_table(EngineState& engine, int entry) {
    const RoleRecord* record = record_with_entry(engine.state, entry);
    if (!record) return;
    engine.state.slide_table = record->choice_table[entry];
}

void select_pattern_stop_table(EngineState& engine, int choice) {
    const int group = pattern_role_group(engine.state.role);
    if (group == group_none || choice < 0 || choice >= pattern_split_count) return;
    engine.state.slide_table =
        static_cast<std::int16_t>(pattern_stop_table(choice, group, engine.state.stop_pos[reel_left]));
}

bool pattern_stop_has_split(const EngineState& engine) {
    const PanelState& s = engine.state;
    return pattern_split_at(s.bet, pattern_role_group(s.role), s.stop_pos[reel_left]);
}

}  // namespace reelctl
