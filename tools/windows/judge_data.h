// The judge page's data: for each bet and stop order a small JSON file with
// the roles, the reels' window symbols and every window of every role in
// whole grains (1/296,352), with the road of one game that ends in it.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

#include "tools/windows/windows.h"

namespace reelctl::windows {

// judge-B-O.json for a bet and a stop order (docs/windows.md gives its fields).
void write_judge_data(std::ostream& out, const Model& model, int bet, int stop_order);

// The 18 files into `dir`; false with `problem` set when one cannot be written.
bool write_judge_files(const std::filesystem::path& dir, const Model& model, std::string& problem);

}  // namespace reelctl::windows
