#include "tools/atlas/atlas.h"

#include <ostream>
#include <unordered_map>

#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "script/dump.h"
#include "text/cp932.h"
#include "text/json_writer.h"

namespace reelctl::atlas {
namespace {

struct DigestHash {
    std::size_t operator()(const std::array<std::uint64_t, 2>& d) const {
        return static_cast<std::size_t>(d[0] * 0x9E3779B97F4A7C15ull ^ d[1]);
    }
};

bool column_shown(const probe::ProbePanel& dialog, int reel) {
    const std::string_view text = dialog.text(slide_edit_id(reel, 0));
    return !text.empty() && text != " ";
}

// The slide of `reel` at `press` under slide table `table`.
int table_slide(int reel, int table, int press) {
    const std::uint8_t packed = packed_slides(table, press);
    return reel == reel_left ? left_slide(packed) : reel == reel_center ? center_slide(packed) : right_slide(packed);
}

std::vector<PressRow> press_rows(const walk::SituationView& view) {
    std::vector<PressRow> rows;
    const EngineState& e = view.panel;
    for (int reel = 0; reel < reel_count; ++reel) {
        if (reel == view.press_reel && view.presses) {
            for (int press = 0; press < position_count; ++press) {
                const walk::PressOutcome& outcome = (*view.presses)[static_cast<std::size_t>(press)];
                PressRow row{reel, press, 0, 0, 0, 0, outcome.entries, outcome.greyed};
                row.slide = table_slide(reel, outcome.table, press);
                row.stop = stop_after_slide(press, row.slide);
                if (outcome.table != e.state.slide_table) row.switches_to = outcome.table;
                rows.push_back(row);
            }
        } else if (column_shown(view.dialog, reel)) {
            const ReelColumn& column = e.columns[reel];
            for (int press = 0; press < position_count; ++press) {
                PressRow row{reel, press, column[press].slide, 0, 0, 0, 0, false};
                row.stop = stop_after_slide(press, row.slide);
                row.mark = column[row.stop].mark;
                rows.push_back(row);
            }
        }
    }
    return rows;
}

Situation situation_of(const walk::SituationView& view) {
    Situation s;
    s.road.assign(view.road.begin(), view.road.end());
    JsonWriter json;
    script::write_state(json, view.panel);
    s.state = json.str();
    for (int line = 2, i = 0; line >= 0; --line)
        for (int reel = 0; reel < reel_count; ++reel, ++i)
            s.window[static_cast<std::size_t>(i)] =
                std::string(probe::probe_bitmap_name(view.dialog.display.windows[static_cast<std::size_t>(window_static_id(reel, line) - IDC_WINDOW_FIRST)]));
    s.engine = view.panel;
    s.press_reel = view.press_reel;
    s.rows = press_rows(view);
    for (int reel = 0; reel < reel_count; ++reel)
        for (int row = 0; row < position_count; ++row) {
            const std::string_view text = view.dialog.text(slide_edit_id(reel, row));
            const int radio = stop_radio_id(reel, row);
            s.shown[reel][row] = {text.empty() ? ' ' : text[0], view.dialog.visible(radio), view.dialog.checked(radio),
                                  !view.dialog.enabled(slide_edit_id(reel, row))};
        }
    const int combos[] = {IDC_ROLE_COMBO, IDC_TABLE_COMBO, IDC_PATTERN_COMBO};
    for (std::size_t i = 0; i < s.combo_texts.size(); ++i) s.combo_texts[i] = cp932_to_utf8(view.dialog.text(combos[i]));
    return s;
}

const char* reel_name(int reel) { return reel == reel_left ? "left" : reel == reel_center ? "center" : "right"; }

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string csv(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

Atlas collect() {
    Atlas atlas;
    std::unordered_map<std::array<std::uint64_t, 2>, std::size_t, DigestHash> index;
    walk::WalkOptions options;
    options.on_situation = [&](const walk::SituationView& view) {
        auto [it, added] = index.emplace(view.shown, atlas.situations.size());
        if (added) {
            atlas.situations.push_back(situation_of(view));
        } else if (view.road.size() < atlas.situations[it->second].road.size()) {
            atlas.situations[it->second].road.assign(view.road.begin(), view.road.end());
        }
    };
    atlas.walk = walk::run_walk(options);
    return atlas;
}

void write_situations(std::ostream& out, const Atlas& atlas) {
    for (const Situation& s : atlas.situations) {
        JsonWriter json;
        json.begin_object().key("road").begin_array();
        for (const walk::RoadAct& act : s.road) json.value(walk::road_line(act));
        json.end_array().key("state").json(s.state).key("window").begin_array();
        for (const std::string& picture : s.window) json.value(picture);
        json.end_array().end_object();
        out << json.str() << '\n';
    }
}

std::string bet_text(const Situation& s) { return cp932_to_utf8(bet_names[s.engine.state.bet]); }
std::string stop_order_text(const Situation& s) { return cp932_to_utf8(stop_order_names[s.engine.state.stop_order]); }

std::string role_text(const Situation& s) {
    const int role = s.engine.state.role;
    return role >= 0 && role < role_count ? cp932_to_utf8(role_names[role]) : std::string();
}

std::string choice_text(const Situation& s) {
    const PanelState& st = s.engine.state;
    if (st.left_pattern >= 0) return cp932_to_utf8(left_pattern_names[st.left_pattern]) + " table " + std::to_string(st.slide_table);
    return "table " + std::to_string(st.slide_table);
}

std::string stops_text(const Situation& s) {
    std::string text;
    for (const walk::RoadAct& act : s.road) {
        const int reel = radio_reel(act.id);
        if (act.verb != walk::RoadAct::Verb::click || reel < 0) continue;
        text += (text.empty() ? "" : " ") + std::string(reel_name(reel)) + " " +
                std::to_string(act.id - stop_radio_id(reel, 0) + 1);
    }
    return text;
}

void write_presses(std::ostream& out, const Atlas& atlas) {
    out << "situation,bet,stop_order,role,table,stops_taken,reel,press,slide,stop,mark,"
           "window_bottom,window_middle,window_top,switches_to_table,offers_entries\n";
    for (std::size_t n = 0; n < atlas.situations.size(); ++n) {
        const Situation& s = atlas.situations[n];
        const std::string head = std::to_string(n + 1) + "," + csv(bet_text(s)) + "," + csv(stop_order_text(s)) + "," +
                                 csv(role_text(s)) + "," + csv(choice_text(s)) + "," + csv(stops_text(s)) + ",";
        for (const PressRow& row : s.rows) {
            out << head << reel_name(row.reel) << ',' << row.press + 1 << ',' << row.slide << ',' << row.stop + 1 << ','
                << row.mark;
            for (int line = 0; line < 3; ++line) out << ',' << symbol_names[window_symbol(row.reel, row.stop, line)];
            out << ',';
            if (row.switches_to) out << row.switches_to;
            out << ',';
            if (row.entries) out << row.entries;
            out << '\n';
        }
    }
}

}  // namespace reelctl::atlas
