// What a window tells about the role: for a bet and a stop order, the roles
// that can show a window (or the part of it that the reels stopped so far
// show) and with what probability each shows it; and its class.
#pragma once

#include <array>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "tools/windows/windows.h"

namespace reelctl::windows {

// A window, or a part of one: the stop index of each stopped reel, -1 for a
// reel still turning.
using PartialWindow = std::array<int, 3>;

struct RoleOdds {
    int role = 0;
    Fraction probability;  // P(the reels show the part | the role)
};

// What roles 4..9 (the bonus roles) among those that can show a window say.
enum class TellClass { impossible, big_only, reg_only, bonus_only, no_bonus, mixed };
const char* class_name(TellClass c);  // "BIG-only", "REG-only", "bonus-only", "no-bonus", "mixed", "impossible"
TellClass class_of(const std::vector<RoleOdds>& roles);

// The roles of a bet and stop order that show `part`, by role, with the
// marginal probability of each (the sum over its windows that agree with it).
std::vector<RoleOdds> roles_showing(const Model& model, int bet, int stop_order, const PartialWindow& part);

struct Tell {
    int bet = 0, stop_order = 0;
    int stopped = 0;     // 1: the first reel of the stop order stopped, 2: the first two, 3: all
    PartialWindow part{};
    std::vector<RoleOdds> roles;
};

// Every window and partial window that some role can show, by bet, stop
// order, reels stopped, left, center, right.
std::vector<Tell> all_tells(const Model& model);

// windows.csv, tells.csv and tell-counts.csv (docs/windows.md gives their columns; aim.h writes aim.csv).
void write_windows_csv(std::ostream& out, const Model& model);
void write_tells_csv(std::ostream& out, const std::vector<Tell>& tells);
void write_tell_counts(std::ostream& out, const std::vector<Tell>& tells);

// Writes the four files (with aim.csv) into `dir`, each whole or not at all
// (tools/files/whole_file.h). False with `problem` set when one cannot be written.
bool write_window_files(const std::filesystem::path& dir, const Model& model, std::string& problem);

// Computes the model on two threads, timed. False with `problem` set when it met a fault.
bool compute_model(Model& model, double& seconds, std::string& problem);

// Writes the model's four files into `dir`; `summary` tells people what was
// computed (in `computed_seconds`) and how long the files took. False with
// `problem` set when a file cannot be written.
bool make_window_files(const std::filesystem::path& dir, const Model& model, double computed_seconds, std::string& summary,
                       std::string& problem);

// The whole windows of a bet and stop order that some role can show, and how
// many of them only the bonus roles can show (BIG-only and REG-only included).
struct WindowCount {
    long windows = 0;
    long bonus_only = 0;
};
WindowCount count_whole_windows(const Model& model, int bet, int stop_order);

Fraction add(const Fraction& a, const Fraction& b);

// The role's name in UTF-8.
std::string role_name(int role);

}  // namespace reelctl::windows
