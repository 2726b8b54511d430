// The judge for scripts: which roles can show a window, or the part of it
// that the stopped reels show, at a bet and a stop order, as JSON lines.
//
//     reelctl-atlas --judge --bet B --order O [--left L] [--center C] [--right R]
//
// And the aim: where to press a reel to bring a symbol to a line at a role.
//
//     reelctl-atlas --aim --bet B --order O --role R --reel REEL --line LINE --symbol SYMBOL
#pragma once

namespace reelctl::windows {

// True when the command line asks for the judge or the aim (it holds --judge or --aim).
bool judge_asked(int argc, char** argv);

// Runs the judge or the aim: 0 when it answered, 2 for a bad or missing value (one line
// on standard error), 1 when the model found a fault.
int judge_main(int argc, char** argv);

}  // namespace reelctl::windows
