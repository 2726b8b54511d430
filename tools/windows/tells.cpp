#include "tools/windows/tells.h"

#include <cstdio>
#include <map>
#include <numeric>
#include <ostream>
#include <thread>
#include <time.h>

#include "machine/conditions.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "tools/windows/aim.h"
#include "text/cp932.h"
#include "tools/files/whole_file.h"

namespace reelctl::windows {
namespace {

bool big(int role) { return role >= 4 && role <= 6; }
bool reg(int role) { return role >= 7 && role <= 9; }

// The part of a window that the first `stopped` reels of the stop order show.
PartialWindow part_of(const std::array<int, 3>& stops, int stop_order, int stopped) {
    PartialWindow part{-1, -1, -1};
    for (int n = 0; n < stopped; ++n) {
        const auto reel = static_cast<std::size_t>(reel_stopped(stop_order, n));
        part[reel] = stops[reel];
    }
    return part;
}

bool agrees(const std::array<int, 3>& stops, const PartialWindow& part) {
    for (std::size_t reel = 0; reel < 3; ++reel)
        if (part[reel] >= 0 && part[reel] != stops[reel]) return false;
    return true;
}

std::string field(int stop) { return stop < 0 ? std::string() : std::to_string(stop); }

// N of "1 in N": the probability's inverse, rounded to a whole number.
std::string one_in(const Fraction& f) {
    if (f.numerator == 0) return std::string();
    return std::to_string((f.denominator + f.numerator / 2) / f.numerator);
}

// A CSV field: quoted when it holds a comma, a quote or a line end.
std::string csv(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// Seconds on the monotonic clock. (<chrono> does not build with the code
// page 932 execution character set.)
double now_seconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

Fraction add(const Fraction& a, const Fraction& b) {
    const std::uint64_t g = std::gcd(a.denominator, b.denominator);
    Fraction sum{a.numerator * (b.denominator / g) + b.numerator * (a.denominator / g), a.denominator / g * b.denominator};
    const std::uint64_t common = std::gcd(sum.numerator, sum.denominator);
    if (common > 1) sum = {sum.numerator / common, sum.denominator / common};
    if (sum.numerator == 0) sum.denominator = 1;
    return sum;
}

std::string role_name(int role) { return role >= 0 && role < role_count ? cp932_to_utf8(role_names[static_cast<std::size_t>(role)]) : std::string(); }

const char* class_name(TellClass c) {
    switch (c) {
        case TellClass::impossible: return "impossible";
        case TellClass::big_only: return "BIG-only";
        case TellClass::reg_only: return "REG-only";
        case TellClass::bonus_only: return "bonus-only";
        case TellClass::no_bonus: return "no-bonus";
        case TellClass::mixed: break;
    }
    return "mixed";
}

TellClass class_of(const std::vector<RoleOdds>& roles) {
    if (roles.empty()) return TellClass::impossible;
    int bigs = 0, regs = 0, others = 0;
    for (const RoleOdds& r : roles) (big(r.role) ? bigs : reg(r.role) ? regs : others) += 1;
    if (others == 0) return regs == 0 ? TellClass::big_only : bigs == 0 ? TellClass::reg_only : TellClass::bonus_only;
    return bigs + regs == 0 ? TellClass::no_bonus : TellClass::mixed;
}

std::vector<RoleOdds> roles_showing(const Model& model, int bet, int stop_order, const PartialWindow& part) {
    std::vector<RoleOdds> roles;
    for (const TripleWindows& t : model.triples) {
        if (t.triple.bet != bet || t.triple.stop_order != stop_order) continue;
        Fraction sum;
        for (const WindowOdds& w : t.windows)
            if (agrees(w.stops, part)) sum = add(sum, w.probability);
        if (sum.numerator) roles.push_back({t.triple.role, sum});
    }
    return roles;
}

std::vector<Tell> all_tells(const Model& model) {
    // By bet and stop order, then reels stopped and the part: the roles' sums.
    std::map<std::array<int, 6>, std::map<int, Fraction>> parts;
    for (const TripleWindows& t : model.triples)
        for (const WindowOdds& w : t.windows)
            for (int stopped = 1; stopped <= 3; ++stopped) {
                const PartialWindow part = part_of(w.stops, t.triple.stop_order, stopped);
                Fraction& sum = parts[{t.triple.bet, t.triple.stop_order, stopped, part[0], part[1], part[2]}][t.triple.role];
                sum = add(sum, w.probability);
            }
    std::vector<Tell> tells;
    tells.reserve(parts.size());
    for (const auto& [key, roles] : parts) {
        Tell tell{key[0], key[1], key[2], {key[3], key[4], key[5]}, {}};
        for (const auto& [role, p] : roles) tell.roles.push_back({role, p});
        tells.push_back(std::move(tell));
    }
    return tells;
}

void write_windows_csv(std::ostream& out, const Model& model) {
    out << "bet,stop_order,role,left,center,right,probability,fraction,"
           "top_left,top_center,top_right,middle_left,middle_center,middle_right,bottom_left,bottom_center,bottom_right,"
           "role_name,one_in\n";
    for (const TripleWindows& t : model.triples) {
        const std::string head = std::to_string(t.triple.bet) + "," + std::to_string(t.triple.stop_order) + "," +
                                 std::to_string(t.triple.role) + ",";
        const std::string name = csv(role_name(t.triple.role));
        for (const WindowOdds& w : t.windows) {
            out << head << w.stops[0] << ',' << w.stops[1] << ',' << w.stops[2] << ',' << decimal_text(w.probability)
                << ',' << fraction_text(w.probability);
            for (int line = 2; line >= 0; --line)
                for (int reel = 0; reel < reel_count; ++reel)
                    out << ',' << symbol_names[window_symbol(reel, w.stops[static_cast<std::size_t>(reel)], line)];
            out << ',' << name << ',' << one_in(w.probability) << '\n';
        }
    }
}

void write_tells_csv(std::ostream& out, const std::vector<Tell>& tells) {
    out << "bet,stop_order,stopped,left,center,right,class,roles,one_role,probabilities\n";
    for (const Tell& t : tells) {
        out << t.bet << ',' << t.stop_order << ',' << t.stopped << ',' << field(t.part[0]) << ',' << field(t.part[1])
            << ',' << field(t.part[2]) << ',' << class_name(class_of(t.roles)) << ',';
        for (std::size_t i = 0; i < t.roles.size(); ++i) out << (i ? " " : "") << t.roles[i].role;
        out << ',';
        if (t.roles.size() == 1) out << t.roles[0].role;
        out << ',';
        for (std::size_t i = 0; i < t.roles.size(); ++i)
            out << (i ? " " : "") << t.roles[i].role << ':' << fraction_text(t.roles[i].probability);
        out << '\n';
    }
}

void write_tell_counts(std::ostream& out, const std::vector<Tell>& tells) {
    out << "bet,stop_order,stopped,windows,bonus_only,big_only,reg_only,no_bonus,one_role\n";
    std::map<std::array<int, 3>, std::array<long, 6>> counts;
    for (const Tell& t : tells) {
        std::array<long, 6>& c = counts[{t.bet, t.stop_order, t.stopped}];
        const TellClass k = class_of(t.roles);
        c[0] += 1;
        c[1] += k == TellClass::big_only || k == TellClass::reg_only || k == TellClass::bonus_only;
        c[2] += k == TellClass::big_only;
        c[3] += k == TellClass::reg_only;
        c[4] += k == TellClass::no_bonus;
        c[5] += t.roles.size() == 1;
    }
    for (const auto& [key, c] : counts) {
        out << key[0] << ',' << key[1] << ',' << key[2];
        for (long n : c) out << ',' << n;
        out << '\n';
    }
}

bool write_window_files(const std::filesystem::path& dir, const Model& model, std::string& problem) {
    // windows.csv is written on a thread of its own while the tells are worked out and written.
    std::string windows_problem;
    bool windows_ok = true;
    std::thread windows([&] {
        windows_ok = files::write_whole(dir / "windows.csv", [&](std::ostream& out) { write_windows_csv(out, model); },
                                      windows_problem);
    });
    const std::vector<Tell> tells = all_tells(model);
    const bool ok =
        files::write_whole(dir / "aim.csv", [&](std::ostream& out) { write_aim_csv(out, model); }, problem) &&
        files::write_whole(dir / "tells.csv", [&](std::ostream& out) { write_tells_csv(out, tells); }, problem) &&
        files::write_whole(dir / "tell-counts.csv", [&](std::ostream& out) { write_tell_counts(out, tells); }, problem);
    windows.join();
    if (!windows_ok) problem = windows_problem;
    return ok && windows_ok;
}

bool compute_model(Model& model, double& seconds, std::string& problem) {
    const double start = now_seconds();
    model = compute_windows(2);
    seconds = now_seconds() - start;
    if (model.faults) {
        problem = "the window model found " + std::to_string(model.faults) + " faults, the first: " + model.first_fault;
        return false;
    }
    return true;
}

WindowCount count_whole_windows(const Model& model, int bet, int stop_order) {
    std::map<std::array<int, 3>, std::vector<RoleOdds>> roles;
    for (const TripleWindows& t : model.triples)
        if (t.triple.bet == bet && t.triple.stop_order == stop_order)
            for (const WindowOdds& w : t.windows) roles[w.stops].push_back({t.triple.role, w.probability});
    WindowCount count;
    for (const auto& [stops, showing] : roles) {
        const TellClass c = class_of(showing);
        ++count.windows;
        count.bonus_only += c == TellClass::big_only || c == TellClass::reg_only || c == TellClass::bonus_only;
    }
    return count;
}

bool make_window_files(const std::filesystem::path& dir, const Model& model, double computed, std::string& summary,
                       std::string& problem) {
    const double start = now_seconds();
    if (!write_window_files(dir, model, problem)) return false;
    long games = 0, windows = 0;
    for (const TripleWindows& t : model.triples) {
        games += t.games;
        windows += static_cast<long>(t.windows.size());
    }
    char text[200];
    std::snprintf(text, sizeof text, "windows: %zu triples, %ld games, %ld windows; computed in %.3f s, written in %.3f s",
                  model.triples.size(), games, windows, computed, now_seconds() - start);
    summary = text;
    return true;
}

}  // namespace reelctl::windows
