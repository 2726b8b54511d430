#include "engine/press_control.h"

#include "machine/roles.h"

namespace reelctl {

bool apply_press_pair(PanelState& state, std::span<const PressPair> pairs, int press) {
    for (const PressPair& pair : pairs) {
        if (pair.press != press) continue;
        state.pattern_code = static_cast<std::int16_t>(press_pair_code(state.pattern_code, pair));
        const int table = table_for_pattern(state.pattern_code);
        const bool changed = table != state.slide_table;
        state.slide_table = static_cast<std::int16_t>(table);
        return changed;
    }
    return false;
}

std::span<const PressPair> press_pairs_for(int role_kind, std::span<const PressPair> big,
                                           std::span<const PressPair> reg) {
    if (big_kind(role_kind)) return big;
    if (reg_kind(role_kind)) return reg;
    return {};
}

void mark_chosen_stop(ReelColumn& column, std::int16_t& stop_pos) {
    const int press = stop_pos;
    if (press < 0 || press >= position_count) return;
    const int stop = stop_after_slide(press, column[press].slide);
    column[stop].mark = mark_chosen;
    stop_pos = static_cast<std::int16_t>(stop);
}

}  // namespace reelctl
