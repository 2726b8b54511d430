// The reel-control atlas: every situation a user can reach on the panel, as
// the exhaustive walk finds it, with the shortest road to it, the state a
// dump prints, the window, and for every shown column what each press does.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/state.h"
#include "tools/walk/walk.h"

namespace reelctl::atlas {

// What one press position of one reel gives in a situation.
struct PressRow {
    int reel = 0;
    int press = 0;      // 0..20
    int slide = 0;
    int stop = 0;       // 0..20
    int mark = 0;       // of the stop row; 0 while the press is still to be chosen
    int switches_to = 0;  // the table a press of a press choice puts in force, when another
    int entries = 0;      // the entries a press of a ten-coin press choice offers
    bool greyed = false;  // the row is greyed in the press choice
};

// A row of a reel column as the dialog shows it.
struct ShownRow {
    char slide = ' ';      // the slide box's text: ' ' or a digit
    bool radio = false;    // the stop radio is shown
    bool checked = false;  // and checked
    bool greyed = false;   // the slide box is disabled
};

struct Situation {
    std::vector<walk::RoadAct> road;  // the acts from panel start (walk::road_line: their panel-script lines)
    std::string state;                // the "state" object of a dump, as JSON
    std::array<std::string, 9> window;  // picture names, top line first, left to right
    EngineState engine;
    int press_reel = 0;               // 0, or the reel whose column offers press positions
    std::vector<PressRow> rows;       // every shown column, reel by reel, press by press
    std::array<std::array<ShownRow, position_count>, reel_count> shown{};  // the columns on the dialog
    std::array<std::string, 3> combo_texts;  // role, table and pattern combo (UTF-8)
};

struct Atlas {
    std::vector<Situation> situations;  // in the order the walk first found them
    walk::WalkResult walk;
};

// Walks every situation and keeps, for each distinct one, the shortest road.
Atlas collect();

// situations.jsonl: {"road": [...], "state": {...}, "window": [...]} a line.
void write_situations(std::ostream& out, const Atlas& atlas);
// presses.csv: a row per situation, shown reel and press position.
void write_presses(std::ostream& out, const Atlas& atlas);

// The texts of a situation for people: bet, stop order, role (UTF-8), the
// table or pattern in force, the stops clicked on the road.
std::string bet_text(const Situation& s);
std::string stop_order_text(const Situation& s);
std::string role_text(const Situation& s);
std::string choice_text(const Situation& s);
std::string stops_text(const Situation& s);

}  // namespace reelctl::atlas
