// The judge for scripts: which roles can show a window, or the part of it
// that the stopped reels show, at a bet and a stop order, as JSON lines.
//
//     reelctl-atlas --judge --bet B --order O [--left L] [--center C] [--right R]
#pragma once

namespace reelctl::windows {

// True when the command line asks for the judge (it holds --judge).
bool judge_asked(int argc, char** argv);

// Runs the judge: 0 when it answered, 2 for a bad or missing value (one line
// on standard error), 1 when the model found a fault.
int judge_main(int argc, char** argv);

}  // namespace reelctl::windows
