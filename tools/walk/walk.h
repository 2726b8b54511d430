// The exhaustive walk: every situation a user can reach through the panel,
// checked against the panel rules at every step.
//
// For every bet and stop order it picks every offered role, then every table
// or left stop pattern, every shown left stop (pattern mode), every press
// position of every press choice, every entry the table combo offers after a
// left stop or a press, and each enabled Select button once per road. Every
// node of that tree is a situation. In each computed column it also clicks
// every shown stop radio, which only draws that reel's window.
//
// A situation is the panel's whole state, what its dialog shows and what the
// road still allows (an unanswered offer or press choice, an unused Select
// button). Roads that lead to a situation already seen are not walked on:
// from the same situation the same actions lead to the same situations.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>

#include "frontends/probe/probe_panel.h"

namespace reelctl::walk {

// A user's act on the road to a situation, as a panel-script line says it:
// "menu ID", "pick ID ITEM" or "click ID".
struct RoadAct {
    enum class Verb { menu, pick, click };
    Verb verb = Verb::click;
    int id = 0;
    int item = 0;
};

// The panel-script line of an act.
std::string road_line(const RoadAct& act);

// What one press of a press choice did.
struct PressOutcome {
    bool greyed = false;
    int table = 0;    // the table in force after it
    int entries = 0;  // entries the table combo offers after it (a ten-coin composition)
};

// A distinct situation, as the walk hands it to its observer. The road starts
// with the menu commands of the bet and the stop order.
struct SituationView {
    const Panel& panel;
    const probe::ProbePanel& dialog;
    std::span<const RoadAct> road;
    std::array<std::uint64_t, 2> shown;  // a digest of the state and the display
    int press_reel;                      // 0, or the reel (1, 2) whose column offers press positions
    const std::array<PressOutcome, 21>* presses;  // what each press of that choice did
};

struct WalkOptions {
    // One JSON line per situation: the road to it, the table in force and, in a
    // press choice, the press positions that put another table in force.
    std::FILE* switches = nullptr;
    bool click_stops = true;  // click the shown stops of computed columns
    // Called once for every situation the walk walks on from.
    std::function<void(const SituationView&)> on_situation;
};

struct WalkResult {
    long roads = 0;              // roads walked to a situation
    long situations = 0;         // distinct situations among them (each walked on from once)
    long press_choices = 0;      // situations that offer press positions
    long stop_clicks = 0;        // clicks on shown stops that only draw a window
    int tables_in_force = 0;     // distinct slide tables in force over all situations
    long distinct_columns = 0;   // distinct (reel, 21 rows of slide and mark)
    long failures = 0;
    std::string first_failure;   // the road and the broken rule
};

WalkResult run_walk(const WalkOptions& options = {});

}  // namespace reelctl::walk
