// The aim: where to press a reel to bring a symbol to a line, and how
// forgiving that is, at a bet, stop order and role. The machine's draws (the
// table, the patterns, the entries) and the presses of the other reels are
// the model's (windows.h); the player chooses only the press of this reel.
#pragma once

#include <iosfwd>
#include <vector>

#include "tools/windows/windows.h"

namespace reelctl::windows {

// Lines of a reel's window as window_symbol counts them.
inline constexpr int line_bottom = 0, line_middle = 1, line_top = 2;

struct AimPress {
    int press = 0;         // the press index, 0..20
    Fraction probability;  // P(the symbol comes to the line | the reel pressed there)
};

struct AimStop {
    int stop = 0;      // a stop index that brings the symbol to the line
    Fraction presses;  // how many of the 21 presses reach it, on the average over the draws
    int sure = 0;      // how many presses reach it whatever the machine draws
};

struct Aim {
    std::vector<AimPress> presses;  // the presses with a probability above 0, by index
    std::vector<AimStop> stops;     // the stops the reel reaches with the symbol on the line, by index
    Fraction hit;                   // P(the symbol comes to the line) for a press drawn evenly from the 21
};

// P(stop | press) of one reel of a triple.
Fraction stop_given_press(const TripleWindows& t, int reel, int press, int stop);

Aim aim_at(const TripleWindows& t, int reel, int line, int symbol);

// aim.csv: a row per triple, reel, press and stop with P(stop | press) above
// 0, and the symbols the stop brings to the three lines (docs/windows.md).
void write_aim_csv(std::ostream& out, const Model& model);

}  // namespace reelctl::windows
