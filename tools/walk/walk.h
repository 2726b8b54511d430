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

#include <cstdio>
#include <string>

namespace reelctl::walk {

struct WalkOptions {
    // One JSON line per situation: the road to it, the table in force and, in a
    // press choice, the press positions that put another table in force.
    std::FILE* switches = nullptr;
    bool click_stops = true;  // click the shown stops of computed columns
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
