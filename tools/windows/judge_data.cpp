#include "tools/windows/judge_data.h"

#include <map>
#include <ostream>

#include "machine/symbols.h"
#include "tools/files/whole_file.h"
#include "tools/windows/tells.h"

namespace reelctl::windows {
namespace {

void json_string(std::ostream& out, const std::string& text) {
    out << '"';
    for (char c : text) {
        if (c == '"' || c == '\\') out << '\\' << c;
        else if (c == '\n') out << "\\n";
        else out << c;
    }
    out << '"';
}

}  // namespace

void write_judge_data(std::ostream& out, const Model& model, int bet, int stop_order) {
    out << "{\"bet\":" << bet << ",\"stop_order\":" << stop_order << ",\"grain\":" << window_grain << ",\"symbols\":[";
    for (int s = 0; s < symbol_count - 1; ++s) out << (s ? "," : "") << '"' << symbol_names[static_cast<std::size_t>(s)] << '"';
    // strips[reel][stop]: the symbols of the bottom, middle and top lines.
    out << "],\"strips\":[";
    for (int reel = 0; reel < reel_count; ++reel) {
        out << (reel ? "," : "") << '[';
        for (int stop = 0; stop < position_count; ++stop) {
            out << (stop ? "," : "") << '[';
            for (int line = 0; line < 3; ++line) out << (line ? "," : "") << static_cast<int>(window_symbol(reel, stop, line));
            out << ']';
        }
        out << ']';
    }
    out << "],\"roles\":[";
    // windows[cell] = the roles' grains and the first road found.
    std::map<int, std::pair<std::string, std::string>> windows;
    int index = 0;
    for (const TripleWindows& t : model.triples) {
        if (t.triple.bet != bet || t.triple.stop_order != stop_order) continue;
        out << (index ? "," : "") << '[' << t.triple.role << ',';
        json_string(out, role_name(t.triple.role));
        out << ']';
        for (const WindowOdds& w : t.windows) {
            const int cell = (w.stops[0] * position_count + w.stops[1]) * position_count + w.stops[2];
            auto& [grains, road] = windows[cell];
            grains += (grains.empty() ? "" : ",") + std::to_string(index) + "," +
                      std::to_string(w.probability.numerator * (window_grain / w.probability.denominator));
            if (road.empty()) road = w.road;
        }
        ++index;
    }
    // The aim: aim[role index][reel][press] = [stop, n, stop, n, ...] with
    // P(stop | press) = n / aim_grain.
    out << "],\"aim_grain\":" << window_grain / position_count << ",\"aim\":[";
    index = 0;
    for (const TripleWindows& t : model.triples) {
        if (t.triple.bet != bet || t.triple.stop_order != stop_order) continue;
        out << (index++ ? ",\n" : "") << '[';
        for (int reel = 0; reel < reel_count; ++reel) {
            out << (reel ? "," : "") << '[';
            for (int press = 0; press < position_count; ++press) {
                out << (press ? "," : "") << '[';
                bool any = false;
                for (int stop = 0; stop < position_count; ++stop) {
                    const std::uint32_t n = t.aim[static_cast<std::size_t>(reel)][static_cast<std::size_t>(press)][static_cast<std::size_t>(stop)];
                    if (n == 0) continue;
                    out << (any ? "," : "") << stop << ',' << n;
                    any = true;
                }
                out << ']';
            }
            out << ']';
        }
        out << ']';
    }
    // A window: [left, center, right, [role index, grains, ...], road].
    out << "],\"windows\":[";
    bool first = true;
    for (const auto& [cell, entry] : windows) {
        out << (first ? "" : ",\n") << '[' << cell / (position_count * position_count) << ','
            << cell / position_count % position_count << ',' << cell % position_count << ",[" << entry.first << "],";
        json_string(out, entry.second);
        out << ']';
        first = false;
    }
    out << "]}\n";
}

bool write_judge_files(const std::filesystem::path& dir, const Model& model, std::string& problem) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    for (int bet = 0; bet < 3; ++bet) {
        for (int order = 0; order < 6; ++order) {
            const auto path = dir / ("judge-" + std::to_string(bet) + "-" + std::to_string(order) + ".json");
            if (!files::write_whole(path, [&](std::ostream& out) { write_judge_data(out, model, bet, order); }, problem))
                return false;
        }
    }
    return true;
}

}  // namespace reelctl::windows
