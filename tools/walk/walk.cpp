#include "tools/walk/walk.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_set>
#include <utility>

#include "app/dialog.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "machine/symbols.h"
#include "panel/control_ids.h"
#include "tools/walk/driven_probe.h"
#include "tools/walk/panel_checks.h"

namespace reelctl::walk {
namespace {

using probe::Snapshot;

// A column's contents or a situation's digest.
struct Key128 {
    std::uint64_t low = 0, high = 0;
    bool operator==(const Key128&) const = default;
};

struct Key128Hash {
    std::size_t operator()(const Key128& k) const { return static_cast<std::size_t>(k.low * 0x9E3779B97F4A7C15ull ^ k.high); }
};

// 21 rows of 3 bits of slide and 2 bits of mark, and the reel.
Key128 column_key(int reel, const ReelColumn& column) {
    Key128 key;
    for (int row = 0; row < position_count; ++row) {
        const std::uint64_t bits = static_cast<std::uint64_t>((column[row].slide & 7) | ((column[row].mark & 3) << 3));
        if (row < 12) key.low |= bits << (5 * row);
        else key.high |= bits << (5 * (row - 12));
    }
    key.high |= static_cast<std::uint64_t>(reel) << 60;
    return key;
}

// A 128-bit digest of a situation: the panel's state, what its dialog shows
// and what the road still allows. Two situations with the same digest have
// the same subtree, which is walked once.
class Digest {
public:
    void add(std::uint64_t value) {
        a_ = (a_ ^ value) * 0x9E3779B97F4A7C15ull;
        a_ ^= a_ >> 29;
        b_ = (b_ + value) * 0xC2B2AE3D27D4EB4Full;
        b_ ^= b_ >> 31;
    }
    void add_bytes(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        std::size_t i = 0;
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i, 8);
            add(word);
        }
        std::uint64_t tail = size;
        for (; i < size; ++i) tail = tail << 8 | bytes[i];
        add(tail);
    }
    Key128 key() const { return {a_, b_}; }

private:
    std::uint64_t a_ = 0x243F6A8885A308D3ull;
    std::uint64_t b_ = 0x13198A2E03707344ull;
};

struct Flags {
    bool pattern = false;  // a left stop pattern was picked on this road
    bool left = false;     // a left stop was picked
    bool press = false;    // the open press choice has been answered
    int answered_offer = -1;  // the table combo fill whose entries were tried on this road
    bool select_center = false;
    bool select_right = false;
};

// What a user sees and the panel holds: its whole state and its dialog.
Key128 shown_key(const Panel& panel, const probe::ProbeDisplay& d) {
    Digest h;
    const PanelState& s = panel.state;
    for (int v : {int{s.bet}, int{s.stop_order}, int{s.role}, int{s.pattern_code}, int{s.slide_table}, int{s.role_kind},
                  int{s.left_pattern}, int{s.table_choice}, s.awaiting_stop, s.split_pending, s.pattern_mode,
                  int{s.layout_variant}, int{s.stop_pos[0]}, int{s.stop_pos[1]}, int{s.stop_pos[2]}})
        h.add(static_cast<std::uint64_t>(v));
    for (const ReelColumn& column : panel.columns)
        for (const ReelRow& row : column) h.add(static_cast<std::uint64_t>(row.slide << 8 | row.mark));
    h.add_bytes(panel.conflict_mask.data(), panel.conflict_mask.size());
    const TenCoinWork& t = panel.ten_coin;
    h.add_bytes(t.codes.data(), t.codes.size());
    for (int v : {int{t.candidates_a}, int{t.candidates_b}, int{t.weights[0]}, int{t.weights[1]}, int{t.weights[2]},
                  int{t.weights[3]}, int{t.saved_center_pos}, int{t.saved_right_pos}})
        h.add(static_cast<std::uint64_t>(v));

    // The dialog's arrays hold bools, bytes and zero-padded texts only: their bytes are the display.
    static_assert(sizeof(probe::ProbeControl) == 3);
    static_assert(sizeof(probe::ProbeCombo) ==
                  3 + probe::combo_item_capacity * probe::combo_item_size + 2 + probe::combo_text_size);
    h.add_bytes(d.radios.data(), sizeof d.radios);
    h.add_bytes(d.edits.data(), sizeof d.edits);
    h.add_bytes(d.edit_texts.data(), sizeof d.edit_texts);
    h.add_bytes(d.windows.data(), sizeof d.windows);
    h.add_bytes(d.strips.data(), sizeof d.strips);
    h.add_bytes(d.buttons.data(), sizeof d.buttons);
    h.add_bytes(d.labels.data(), sizeof d.labels);
    h.add_bytes(d.combos.data(), sizeof d.combos);
    h.add_bytes(d.menu_checked.data(), sizeof d.menu_checked);
    h.add_bytes(d.caption.data(), sizeof d.caption);
    h.add(static_cast<std::uint64_t>(d.focus));
    return h.key();
}

// A situation of the walk: what is shown, and what the road still allows.
Key128 situation_key(const Key128& shown, const probe::ProbeDisplay& d, const Flags& flags,
                     const check::Context& context) {
    Digest h;
    h.add(shown.low);
    h.add(shown.high);
    h.add(static_cast<std::uint64_t>(context.entries_at_pick) << 1 | context.user_only);
    h.add(flags.pattern | flags.left << 1 | flags.press << 2 | (flags.answered_offer == d.table_combo_fills) << 3 |
          flags.select_center << 4 | flags.select_right << 5);
    return h.key();
}

class Walker final : public probe::DrivenProbe {
public:
    explicit Walker(const WalkOptions& options) : options_(options) {}

    WalkResult run() {
        probe.reset();
        dialog_procedure(panel, msg_initdialog, 0, 0);
        check();
        Snapshot start;
        probe::save(panel, probe, start);
        const check::Context fresh = context_;
        for (int bet = 0; bet < bet_count; ++bet) {
            for (int order = 0; order < stop_order_count; ++order) {
                probe::restore(panel, probe, start);
                context_ = fresh;
                command(IDM_BET_1 + bet, 0);
                command(IDM_ORDER_FIRST + order, 0);
                check();
                Snapshot conditions;
                probe::save(panel, probe, conditions);
                const int roles = probe.item_count(IDC_ROLE_COMBO);
                for (int item = 0; item < roles; ++item) {
                    probe::restore(panel, probe, conditions);
                    context_ = fresh;
                    pick(IDC_ROLE_COMBO, item);
                    push("role", panel.state.role, {RoadAct::Verb::pick, IDC_ROLE_COMBO, item});
                    visit(Flags{});
                    pop();
                }
            }
        }
        int tables = 0;
        for (bool in_force : tables_) tables += in_force;
        result_.tables_in_force = tables;
        result_.distinct_columns = static_cast<long>(columns_.size());
        return result_;
    }

private:
    struct Step {
        const char* kind;
        int value;
        RoadAct act;
    };

    void command(int id, int code) override {
        dirty_ = true;
        check::note_command(context_, probe, id, code);
        watch_.before(panel, id, code);
        dialog_procedure(panel, msg_command, command_param(id, code), 0);
        check::Failure failure;
        if (!watch_.after(panel, probe, context_, failure)) fail(failure.what);
    }
    bool click(int id) { return user_click(id); }
    bool pick(int combo, int item) { return user_pick(combo, static_cast<std::size_t>(item)); }

    void push(const char* kind, int value, RoadAct act) { road_[static_cast<std::size_t>(depth_++)] = {kind, value, act}; }
    void pop() { --depth_; }

    std::string road() const {
        std::string text = "bet " + std::to_string(panel_bet_) + ", order " + std::to_string(panel_order_);
        for (int i = 0; i < depth_; ++i) text += std::string(", ") + road_[static_cast<std::size_t>(i)].kind + " " + std::to_string(road_[static_cast<std::size_t>(i)].value);
        return text;
    }

    void fail(const char* what) {
        ++result_.failures;
        if (result_.first_failure.empty()) result_.first_failure = road() + ": " + what;
    }

    void check() {
        check::Failure failure;
        if (!check::check_panel(panel, probe, context_, failure)) fail(failure.what);
        const int table = panel.state.slide_table;
        if (table >= 0 && table < static_cast<int>(tables_.size())) tables_[static_cast<std::size_t>(table)] = true;
    }

    // The reel (1 center, 2 right) whose column offers press positions, or 0.
    int press_choice_reel() const {
        for (int reel = reel_center; reel <= reel_right; ++reel) {
            bool offered = true;
            for (int row = 0; row < position_count && offered; ++row)
                offered = probe.visible(stop_radio_id(reel, row)) && probe.text(slide_edit_id(reel, row)) == " ";
            if (offered) return reel;
        }
        return 0;
    }

    bool column_computed(int reel) const {
        for (int row = 0; row < position_count; ++row)
            if (probe.text(slide_edit_id(reel, row)) == " ") return false;
        return true;
    }

    // The situation a branch returns to, and the context of the rules there.
    struct Back {
        const Snapshot& here;
        const check::Context& context;
    };

    void visit(Flags flags);
    // Puts the panel back into the situation when a step changed it.
    void go_back(const Back& back);
    // One branch of the tree: from the situation, the act; when the panel
    // takes it, the walk goes on from where it leads with the road's new flags.
    void branch(const Back& back, const char* kind, int value, const RoadAct& act, const Flags& next);
    void answer_press_choice(int reel, const Flags& flags, const Snapshot& here, const check::Context& context);
    void click_shown_stops(const Snapshot& here, const check::Context& context);
    void write_situation(int reel, const std::array<PressOutcome, 21>* presses);

    const WalkOptions& options_;
    check::Context context_;
    check::PickWatch watch_;
    std::array<Step, 32> road_{};
    int depth_ = 0;
    bool dirty_ = true;  // the panel changed since the situation's snapshot
    int panel_bet_ = 0, panel_order_ = 0;
    WalkResult result_;
    std::array<bool, slide_table_count + 1> tables_{};
    std::unordered_set<Key128, Key128Hash> columns_;
    std::unordered_set<Key128, Key128Hash> clicked_columns_;
    std::unordered_set<Key128, Key128Hash> situations_;
};

void Walker::visit(Flags flags) {
    ++result_.roads;
    const Key128 shown = shown_key(panel, probe.display);
    if (!situations_.insert(situation_key(shown, probe.display, flags, context_)).second) return;  // walked before
    ++result_.situations;
    panel_bet_ = panel.state.bet;
    panel_order_ = panel.state.stop_order;
    check();
    for (int reel = 0; reel < reel_count; ++reel) columns_.insert(column_key(reel, panel.columns[reel]));

    Snapshot here;
    probe::save(panel, probe, here);
    const check::Context context = context_;
    dirty_ = false;
    const Back back{here, context};

    const int press_reel = press_choice_reel();
    if (press_reel != 0 && !flags.press) answer_press_choice(press_reel, flags, here, context);
    else write_situation(0, nullptr);

    go_back(back);
    const int offer = probe.display.table_combo_fills;
    if (probe.enabled(IDC_TABLE_COMBO) && offer != flags.answered_offer) {
        Flags next = flags;
        next.answered_offer = offer;
        next.press = false;
        const int entries = probe.item_count(IDC_TABLE_COMBO);
        for (int entry = 0; entry < entries; ++entry)
            branch(back, "entry", entry, {RoadAct::Verb::pick, IDC_TABLE_COMBO, entry}, next);
    }
    go_back(back);
    if (probe.enabled(IDC_PATTERN_COMBO) && !flags.pattern) {
        Flags next = flags;
        next.pattern = true;
        next.left = false;
        for (int pattern = 0; pattern < probe.item_count(IDC_PATTERN_COMBO); ++pattern)
            branch(back, "pattern", pattern, {RoadAct::Verb::pick, IDC_PATTERN_COMBO, pattern}, next);
    }
    go_back(back);
    const bool left_stop_settles = panel.state.role_kind > 0 && panel.state.stop_order < 2;
    if (left_stop_settles && !flags.left && column_computed(reel_left)) {
        Flags next = flags;
        next.left = true;
        next.press = false;
        for (int row = 0; row < position_count; ++row)
            branch(back, "left", row, {RoadAct::Verb::click, stop_radio_id(reel_left, row), 0}, next);
    }
    for (const auto& [button, used] : {std::pair{IDC_SELECT_CENTER, &Flags::select_center},
                                       std::pair{IDC_SELECT_RIGHT, &Flags::select_right}}) {
        go_back(back);
        if (!probe.enabled(button) || flags.*used) continue;
        Flags next = flags;
        next.*used = true;
        next.press = false;
        branch(back, "select", button, {RoadAct::Verb::click, button, 0}, next);
    }
    if (options_.click_stops) click_shown_stops(here, context);
    go_back(back);
}

void Walker::go_back(const Back& back) {
    if (!dirty_) return;
    probe::restore(panel, probe, back.here);
    context_ = back.context;
    dirty_ = false;
}

void Walker::branch(const Back& back, const char* kind, int value, const RoadAct& act, const Flags& next) {
    go_back(back);
    const bool taken = act.verb == RoadAct::Verb::pick ? pick(act.id, act.item) : click(act.id);
    if (!taken) return;
    push(kind, value, act);
    visit(next);
    dirty_ = true;
    pop();
}

void Walker::answer_press_choice(int reel, const Flags& flags, const Snapshot& here, const check::Context& context) {
    ++result_.press_choices;
    std::array<PressOutcome, 21> presses{};
    const PanelState& s = panel.state;
    const int before = s.slide_table;
    // At stop order 0 the ten-coin role composes its tables from the press; no row is greyed.
    const bool composed = s.stop_order == 0 && s.role == role_ten_coin;
    for (int row = 0; row < position_count; ++row) {
        probe::restore(panel, probe, here);
        context_ = context;
        presses[static_cast<std::size_t>(row)].greyed = !probe.enabled(slide_edit_id(reel, row));
        if (!click(stop_radio_id(reel, row))) {
            fail("a press position of the press choice cannot be clicked");
            continue;
        }
        PressOutcome& outcome = presses[static_cast<std::size_t>(row)];
        outcome.table = panel.state.slide_table;
        outcome.entries = probe.enabled(IDC_TABLE_COMBO) && panel.state.awaiting_stop == 1 ? probe.item_count(IDC_TABLE_COMBO) : 0;
        push(reel == reel_center ? "center" : "right", row, {RoadAct::Verb::click, stop_radio_id(reel, row), 0});
        if (!composed && outcome.greyed != (outcome.table != before)) fail("a greyed row and the table switch disagree");
        Flags next = flags;
        next.press = true;
        visit(next);
        dirty_ = true;
        pop();
    }
    probe::restore(panel, probe, here);
    context_ = context;
    write_situation(reel, &presses);
}

void Walker::click_shown_stops(const Snapshot& here, const check::Context& context) {
    const bool left_stop_settles = panel.state.role_kind > 0 && panel.state.stop_order < 2;
    for (int reel = 0; reel < reel_count; ++reel) {
        if (reel == reel_left && left_stop_settles) continue;  // a decision, walked above
        if (!column_computed(reel)) continue;
        // A click there only checks the radio and draws the reel's window, which
        // depend on the column alone: each distinct column is clicked through once.
        if (!clicked_columns_.insert(column_key(reel, panel.columns[reel])).second) continue;
        for (int row = 0; row < position_count; ++row) {
            if (!probe.visible(stop_radio_id(reel, row))) continue;
            if (!click(stop_radio_id(reel, row))) continue;
            ++result_.stop_clicks;
            check();
            probe::restore(panel, probe, here);
            context_ = context;
        }
    }
}

void Walker::write_situation(int reel, const std::array<PressOutcome, 21>* presses) {
    if (options_.on_situation) {
        std::array<RoadAct, 34> road{};
        road[0] = {RoadAct::Verb::menu, IDM_BET_1 + panel_bet_, 0};
        road[1] = {RoadAct::Verb::menu, IDM_ORDER_FIRST + panel_order_, 0};
        for (int i = 0; i < depth_; ++i) road[static_cast<std::size_t>(i) + 2] = road_[static_cast<std::size_t>(i)].act;
        const Key128 shown = shown_key(panel, probe.display);
        options_.on_situation({panel, probe, std::span<const RoadAct>(road.data(), static_cast<std::size_t>(depth_) + 2),
                               {shown.low, shown.high}, reel, presses});
    }
    std::FILE* out = options_.switches;
    if (!out) return;
    std::fprintf(out, "{\"bet\": %d, \"stop_order\": %d, \"road\": [", panel_bet_, panel_order_);
    for (int i = 0; i < depth_; ++i)
        std::fprintf(out, "%s[\"%s\", %d]", i ? ", " : "", road_[static_cast<std::size_t>(i)].kind, road_[static_cast<std::size_t>(i)].value);
    std::fprintf(out, "], \"table\": %d, \"press_reel\": %d, \"greyed\": [", panel.state.slide_table, reel);
    bool first = true;
    if (presses)
        for (int row = 0; row < position_count; ++row)
            if ((*presses)[static_cast<std::size_t>(row)].greyed) {
                std::fprintf(out, "%s%d", first ? "" : ", ", row);
                first = false;
            }
    std::fputs("], \"switches\": [", out);
    first = true;
    if (presses)
        for (int row = 0; row < position_count; ++row) {
            const PressOutcome& p = (*presses)[static_cast<std::size_t>(row)];
            if (p.table == panel.state.slide_table && p.entries == 0) continue;
            std::fprintf(out, "%s[%d, %d, %d]", first ? "" : ", ", row, p.table, p.entries);
            first = false;
        }
    std::fputs("]}\n", out);
}

}  // namespace

std::string road_line(const RoadAct& act) {
    switch (act.verb) {
        case RoadAct::Verb::menu: return "menu " + std::to_string(act.id);
        case RoadAct::Verb::pick: return "pick " + std::to_string(act.id) + " " + std::to_string(act.item);
        case RoadAct::Verb::click: break;
    }
    return "click " + std::to_string(act.id);
}

WalkResult run_walk(const WalkOptions& options) {
    Walker walker(options);
    return walker.run();
}

}  // namespace reelctl::walk
