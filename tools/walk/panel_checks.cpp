#include "tools/walk/panel_checks.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <string_view>

#include "app/dialog.h"
#include "machine/left_patterns.h"
#include "machine/press_lookups.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "frontends/probe/probe_panel.h"

namespace reelctl::check {
namespace {

constexpr int left_stopped_slide = 7;

bool fail(Failure& failure, const char* format, ...) {
    if (failure.failed) return false;
    failure.failed = true;
    std::va_list args;
    va_start(args, format);
    std::vsnprintf(failure.what, sizeof failure.what, format, args);
    va_end(args);
    return false;
}

bool in(int value, int low, int high) { return value >= low && value <= high; }

bool is_combo(int id) { return id == IDC_ROLE_COMBO || id == IDC_TABLE_COMBO || id == IDC_PATTERN_COMBO; }

constexpr std::array<bool, 21> sevens_from_left_stop_tables() {
    std::array<bool, 21> allowed{};
    auto mark_table = [&](int table) {
        for (int row = 0; row < 21; ++row)
            if (left_slide(packed_slides(table, row)) == left_stopped_slide) allowed[row] = true;
    };
    for (const auto& choice : pattern_stop_tables)
        for (const auto& group : choice)
            for (int table : group) mark_table(table);
    for (const auto& row : left_stop_code_rows)
        for (int table : row) mark_table(table);
    return allowed;
}

constexpr std::array<bool, 21> left_sevens = sevens_from_left_stop_tables();

bool check_ranges(const Panel& panel, const Context& context, Failure& f) {
    const PanelState& s = panel.state;
    if (!in(s.bet, 0, 2)) return fail(f, "bet %d", s.bet);
    if (!in(s.stop_order, 0, 5)) return fail(f, "stop_order %d", s.stop_order);
    if (!in(s.role, -1, 10)) return fail(f, "role %d", s.role);
    if (!in(s.role_kind, 0, 10)) return fail(f, "role_kind %d", s.role_kind);
    if (!in(s.pattern_code, 0, 255)) return fail(f, "pattern_code %d", s.pattern_code);
    if (!in(s.slide_table, 0, slide_table_count)) return fail(f, "slide_table %d", s.slide_table);
    if (!in(s.left_pattern, -1, 2)) return fail(f, "left_pattern %d", s.left_pattern);
    const int choice_limit = context.user_only ? context.entries_at_pick - 1 : forged_choice_limit;
    if (s.table_choice != -1 && !in(s.table_choice, 0, choice_limit))
        return fail(f, "table_choice %d names no entry (%d offered)", s.table_choice, context.entries_at_pick);
    if (!in(s.awaiting_stop, 0, 1)) return fail(f, "awaiting_stop %d", s.awaiting_stop);
    if (!in(s.split_pending, 0, 1)) return fail(f, "split_pending %d", s.split_pending);
    if (!in(s.pattern_mode, 0, 1)) return fail(f, "pattern_mode %d", s.pattern_mode);
    if (!in(s.layout_variant, 0, 1)) return fail(f, "layout_variant %d", s.layout_variant);
    for (int reel = 0; reel < reel_count; ++reel)
        if (!in(s.stop_pos[reel], 0, 20)) return fail(f, "stop_pos[%d] %d", reel, s.stop_pos[reel]);
    for (int row = 0; row < position_count; ++row)
        if (!in(panel.conflict_mask[row], 0, 2)) return fail(f, "conflict_mask[%d] %d", row, panel.conflict_mask[row]);
    const TenCoinWork& t = panel.ten_coin;
    for (int e = 0; e < 4; ++e) {
        if (t.codes[e] != 0 && !in(t.codes[e], 65, 77)) return fail(f, "ten-coin code %d: %d", e, t.codes[e]);
        if (!in(t.weights[e], 0, 1000)) return fail(f, "ten-coin weight %d: %d", e, t.weights[e]);
    }
    // A composition offers its distinct tables first, and their weights add up to 100 %.
    int weights = 0;
    for (int e = 0; e < 4; ++e) {
        if (t.codes[e] == 0) continue;
        if (e > 0 && t.codes[e - 1] == 0) return fail(f, "ten-coin code %d follows an empty one", e);
        weights += t.weights[e];
    }
    if (t.codes[0] != 0 && weights != 1000) return fail(f, "the ten-coin weights add up to %d tenths of a percent", weights);
    if (!in(t.saved_center_pos, 0, 20) || !in(t.saved_right_pos, 0, 20))
        return fail(f, "ten-coin saved positions %d %d", t.saved_center_pos, t.saved_right_pos);
    return true;
}

bool check_columns(const Panel& panel, Failure& f) {
    for (int reel = 0; reel < reel_count; ++reel) {
        int chosen = 0;
        for (int row = 0; row < position_count; ++row) {
            const ReelRow& r = panel.columns[reel][row];
            const bool seven = reel == reel_left && r.slide == left_stopped_slide && left_sevens[row];
            if (!in(r.slide, 0, 4) && !seven) return fail(f, "reel %d row %d slide %d", reel, row, r.slide);
            if (!in(r.mark, 0, 2)) return fail(f, "reel %d row %d mark %d", reel, row, r.mark);
            if (r.mark == mark_chosen) ++chosen;
        }
        // A reel rests only where some press comes to rest.
        std::array<bool, 21> reached{};
        for (int row = 0; row < position_count; ++row)
            if (in(panel.columns[reel][row].slide, 0, left_stopped_slide))
                reached[static_cast<std::size_t>(stop_after_slide(row, panel.columns[reel][row].slide))] = true;
        for (int row = 0; row < position_count; ++row)
            if (panel.columns[reel][row].mark != mark_none && !reached[static_cast<std::size_t>(row)])
                return fail(f, "reel %d row %d is marked but no press comes to rest there", reel, row);
        if (reel == reel_left && chosen > 0) return fail(f, "the left column carries a chosen stop");
        if (chosen > 1) return fail(f, "reel %d has %d chosen stops", reel, chosen);
    }
    return true;
}

bool same_column(const ReelColumn& a, const ReelColumn& b) {
    for (int row = 0; row < position_count; ++row)
        if (a[row].slide != b[row].slide || a[row].mark != b[row].mark) return false;
    return true;
}

// How a reel's column appears.
enum class Look { cleared, press_choice, computed };

template <typename Shown>
bool row_shows_slide(const Shown& shown, int reel, int row, int slide) {
    const std::string_view text = shown.text(slide_edit_id(reel, row));
    if (slide >= 0 && slide <= 9) return text.size() == 1 && text[0] == '0' + slide;
    char expected[8];
    std::snprintf(expected, sizeof expected, "%d", slide);
    return text == expected;
}

template <typename Shown>
bool window_is_blank(const Panel& panel, const Shown& shown, int reel) {
    const int blank = symbol_count * panel.state.layout_variant + symbol_blank;
    for (int line = 0; line < 3; ++line)
        if (shown.picture(window_static_id(reel, line)) != blank) return false;
    return true;
}

template <typename Shown>
bool window_shows_stop(const Panel& panel, const Shown& shown, int reel) {
    const int stop = panel.state.stop_pos[reel];
    for (int line = 0; line < 3; ++line)
        if (shown.picture(window_static_id(reel, line)) != symbol_count * panel.state.layout_variant + window_symbol(reel, stop, line))
            return false;
    return true;
}

template <typename Shown>
bool reel_look(const Panel& panel, const Shown& shown, int reel, Look& look, Failure& f) {
    int blank_rows = 0, slide_rows = 0, visible_radios = 0;
    for (int row = 0; row < position_count; ++row) {
        if (shown.text(slide_edit_id(reel, row)) == " ") ++blank_rows;
        else if (row_shows_slide(shown, reel, row, panel.columns[reel][row].slide)) ++slide_rows;
        if (shown.visible(stop_radio_id(reel, row))) ++visible_radios;
    }
    if (slide_rows == position_count) {
        look = Look::computed;
        return true;
    }
    if (blank_rows != position_count)
        return fail(f, "reel %d shows %d slides of its column and %d blank rows", reel, slide_rows, blank_rows);
    if (visible_radios == 0) {
        look = Look::cleared;
        return true;
    }
    if (visible_radios == position_count && reel != reel_left) {
        look = Look::press_choice;
        return true;
    }
    return fail(f, "reel %d: a blank column with %d radios shown", reel, visible_radios);
}

template <typename Shown>
bool check_reel_display(const Panel& panel, const Shown& shown, int reel, Look look, Failure& f) {
    const PanelState& s = panel.state;
    const ReelColumn& column = panel.columns[reel];
    int checked = 0, checked_row = -1, chosen_row = -1;
    for (int row = 0; row < position_count; ++row) {
        if (shown.checked(stop_radio_id(reel, row))) {
            ++checked;
            checked_row = row;
        }
        if (column[row].mark == mark_chosen) chosen_row = row;
    }
    switch (look) {
    case Look::cleared:
        if (!window_is_blank(panel, shown, reel)) return fail(f, "reel %d is cleared but its window is not blank", reel);
        for (int row = 0; row < position_count; ++row)
            if (!shown.enabled(slide_edit_id(reel, row))) return fail(f, "reel %d is cleared but row %d is greyed", reel, row);
        return true;
    case Look::press_choice:
        if (checked > 1) return fail(f, "reel %d press choice with %d radios checked", reel, checked);
        if (!window_is_blank(panel, shown, reel)) return fail(f, "reel %d press choice with a window shown", reel);
        for (int row = 0; row < position_count; ++row)
            if (shown.enabled(slide_edit_id(reel, row)) != (panel.conflict_mask[row] == 0))
                return fail(f, "reel %d press choice: row %d greyed %d, mask %d", reel, row,
                            !shown.enabled(slide_edit_id(reel, row)), panel.conflict_mask[row]);
        return true;
    case Look::computed:
        break;
    }
    for (int row = 0; row < position_count; ++row)
        if (shown.visible(stop_radio_id(reel, row)) != (column[row].mark != mark_none))
            return fail(f, "reel %d row %d: radio shown %d, mark %d", reel, row, shown.visible(stop_radio_id(reel, row)),
                        column[row].mark);
    if (checked > 1) return fail(f, "reel %d: %d radios checked", reel, checked);
    if (checked == 1) {
        if (checked_row != s.stop_pos[reel]) return fail(f, "reel %d: row %d checked, stop_pos %d", reel, checked_row, s.stop_pos[reel]);
        if (!window_shows_stop(panel, shown, reel)) return fail(f, "reel %d: the window does not show stop %d", reel, s.stop_pos[reel]);
    } else if (!window_is_blank(panel, shown, reel)) {
        return fail(f, "reel %d: no stop checked but the window is not blank", reel);
    }
    if (chosen_row >= 0 && checked != 1) return fail(f, "reel %d: chosen stop %d without a checked radio", reel, chosen_row);
    return true;
}

template <typename Shown>
bool check_display(const Panel& panel, const Shown& shown, Failure& f) {
    const PanelState& s = panel.state;
    std::array<Look, 3> looks{};
    bool press_choice = false;
    for (int reel = 0; reel < reel_count; ++reel) {
        if (!reel_look(panel, shown, reel, looks[reel], f)) return false;
        if (!check_reel_display(panel, shown, reel, looks[reel], f)) return false;
        press_choice |= looks[reel] == Look::press_choice;
    }
    if ((s.awaiting_stop == 1) != press_choice)
        return fail(f, "awaiting_stop %d while %s press choice is shown", s.awaiting_stop, press_choice ? "a" : "no");
    if (shown.enabled(IDC_SELECT_CENTER) && looks[reel_center] != Look::computed)
        return fail(f, "Select 101 enabled without a computed center column");
    if (shown.enabled(IDC_SELECT_RIGHT) && looks[reel_right] != Look::computed)
        return fail(f, "Select 102 enabled without a computed right column");
    if (shown.enabled(IDC_TABLE_COMBO) != shown.enabled(IDC_TABLE_LABEL)) return fail(f, "table combo and label differ");
    if (shown.enabled(IDC_PATTERN_COMBO) != shown.enabled(IDC_PATTERN_LABEL)) return fail(f, "pattern combo and label differ");
    if (shown.enabled(IDC_TABLE_COMBO) != (shown.item_count(IDC_TABLE_COMBO) >= 2))
        return fail(f, "the table combo is %s with %d entries", shown.enabled(IDC_TABLE_COMBO) ? "enabled" : "disabled",
                    shown.item_count(IDC_TABLE_COMBO));
    for (int e = 0; e < shown.item_count(IDC_TABLE_COMBO); ++e) {
        const std::string_view entry = shown.item(IDC_TABLE_COMBO, e);
        char number[8];
        const int length = std::snprintf(number, sizeof number, "(%d) ", e + 1);
        if (entry.substr(0, static_cast<std::size_t>(length)) != std::string_view(number, static_cast<std::size_t>(length)))
            return fail(f, "table entry %d does not begin with its number", e + 1);
    }
    for (int id = IDM_BET_1; id <= IDM_ORDER_LAST; ++id) {
        const bool in_force = id <= IDM_BET_3 ? id - IDM_BET_1 == s.bet : id - IDM_ORDER_FIRST == s.stop_order;
        if (shown.menu_checked(id) != in_force) return fail(f, "menu item %d checked %d", id, shown.menu_checked(id));
    }
    if (shown.enabled(IDC_PATTERN_COMBO) && shown.item_count(IDC_PATTERN_COMBO) != left_pattern_count)
        return fail(f, "the pattern combo is enabled with %d entries", shown.item_count(IDC_PATTERN_COMBO));
    return true;
}

template <typename Shown>
bool check_all(const Panel& panel, const Shown& shown, const Context& context, Failure& failure) {
    if (!check_ranges(panel, context, failure)) return false;
    if (!check_columns(panel, failure)) return false;
    if (context.user_only && !check_display(panel, shown, failure)) return false;
    return true;
}

}  // namespace

bool left_seven_allowed(int row) { return row >= 0 && row < position_count && left_sevens[row]; }

bool forged_command(const ShownControls& shown, int id, int code) {
    if (radio_reel(id) >= 0 || id == IDC_SELECT_CENTER || id == IDC_SELECT_RIGHT)
        return !(shown.visible(id) && shown.enabled(id));
    if (is_combo(id)) return code == notify_selendok && !(shown.enabled(id) && shown.text_is_item(id));
    return false;  // the close button, menu commands and ids the dialog ignores
}

void note_command(Context& context, const ShownControls& shown, int id, int code) {
    if (forged_command(shown, id, code)) context.user_only = false;
    else if (id == IDC_TABLE_COMBO && code == notify_selendok) context.entries_at_pick = shown.item_count(IDC_TABLE_COMBO);
}

bool check_panel(const Panel& panel, const ShownControls& shown, const Context& context, Failure& failure) {
    return check_all(panel, shown, context, failure);
}

bool check_panel(const Panel& panel, const probe::ProbePanel& shown, const Context& context, Failure& failure) {
    return check_all(panel, shown, context, failure);
}

void PickWatch::before(const Panel& panel, int id, int code) {
    columns_ = panel.columns;
    const int reel = radio_reel(id);
    const bool answers = reel == reel_center || reel == reel_right;
    press_reel_ = answers && panel.state.awaiting_stop == 1 ? reel : -1;
    press_row_ = press_reel_ >= 0 ? id - stop_radio_id(reel, 0) : -1;
    table_pick_ = id == IDC_TABLE_COMBO && code == notify_selendok;
}

bool PickWatch::after(const Panel& panel, const ShownControls& shown, const Context& context, Failure& f) const {
    if (!context.user_only) return true;
    const PanelState& s = panel.state;
    auto chosen_row = [](const ReelColumn& column) {
        for (int row = 0; row < position_count; ++row)
            if (column[row].mark == mark_chosen) return row;
        return -1;
    };
    // The ten-coin role at stop order 0 computes its center column from the press picked before the composition.
    const bool composed = s.stop_order == 0 && s.role == role_ten_coin && s.split_pending == 1;
    for (int reel = reel_center; reel <= reel_right; ++reel) {
        const ReelColumn& column = panel.columns[reel];
        const int chosen = chosen_row(column);
        if (chosen < 0 || same_column(column, columns_[reel])) continue;
        // A press pick on this reel, or the pick of a table composed from the center press.
        if (reel != press_reel_ && !(reel == reel_center && composed && table_pick_))
            return fail(f, "reel %d shows a chosen stop (row %d) that no press pick brought", reel, chosen);
    }
    int press = -1, reel = -1;
    if (press_reel_ >= 0 && s.awaiting_stop == 0) {
        reel = press_reel_;
        press = press_row_;
    } else if (table_pick_ && composed && s.table_choice >= 0) {
        reel = reel_center;
        press = panel.ten_coin.saved_center_pos;
    }
    if (reel < 0) return true;
    const int stop = stop_after_slide(press, panel.columns[reel][press].slide);
    if (chosen_row(panel.columns[reel]) != stop || s.stop_pos[reel] != stop)
        return fail(f, "the press at row %d of reel %d should stop at row %d; chosen row %d, stop_pos %d", press, reel, stop,
                    chosen_row(panel.columns[reel]), s.stop_pos[reel]);
    // The reel's Select button offers the press choice again.
    const int select = reel == reel_center ? IDC_SELECT_CENTER : IDC_SELECT_RIGHT;
    if (!shown.enabled(select)) return fail(f, "Select %d stays disabled after the press at row %d", select, press);
    return true;
}

}  // namespace reelctl::check
