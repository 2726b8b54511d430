#include "tools/windows/aim.h"

#include <numeric>
#include <ostream>

#include "machine/symbols.h"

namespace reelctl::windows {
namespace {

// A press's row of the aim adds up to this many grains (1/21).
constexpr std::uint64_t press_grains = window_grain / position_count;

Fraction lowest(std::uint64_t numerator, std::uint64_t denominator) {
    const std::uint64_t common = std::gcd(numerator, denominator);
    return numerator == 0 ? Fraction{0, 1} : Fraction{numerator / common, denominator / common};
}

std::uint64_t grains(const TripleWindows& t, int reel, int press, int stop) {
    return t.aim[static_cast<std::size_t>(reel)][static_cast<std::size_t>(press)][static_cast<std::size_t>(stop)];
}

}  // namespace

Fraction stop_given_press(const TripleWindows& t, int reel, int press, int stop) {
    return lowest(grains(t, reel, press, stop), press_grains);
}

Aim aim_at(const TripleWindows& t, int reel, int line, int symbol) {
    Aim aim;
    std::uint64_t hit = 0;
    for (int press = 0; press < position_count; ++press) {
        std::uint64_t g = 0;
        for (int stop = 0; stop < position_count; ++stop)
            if (window_symbol(reel, stop, line) == symbol) g += grains(t, reel, press, stop);
        if (g) aim.presses.push_back({press, lowest(g, press_grains)});
        hit += g;
    }
    aim.hit = lowest(hit, window_grain);
    for (int stop = 0; stop < position_count; ++stop) {
        if (window_symbol(reel, stop, line) != symbol) continue;
        std::uint64_t g = 0;
        int sure = 0;
        for (int press = 0; press < position_count; ++press) {
            g += grains(t, reel, press, stop);
            sure += grains(t, reel, press, stop) == press_grains;
        }
        if (g) aim.stops.push_back({stop, lowest(g, press_grains), sure});
    }
    return aim;
}

void write_aim_csv(std::ostream& out, const Model& model) {
    out << "bet,stop_order,role,reel,press,stop,probability,fraction,top,middle,bottom\n";
    for (const TripleWindows& t : model.triples) {
        for (int reel = 0; reel < reel_count; ++reel) {
            for (int press = 0; press < position_count; ++press) {
                for (int stop = 0; stop < position_count; ++stop) {
                    if (grains(t, reel, press, stop) == 0) continue;
                    const Fraction p = stop_given_press(t, reel, press, stop);
                    out << t.triple.bet << ',' << t.triple.stop_order << ',' << t.triple.role << ',' << reel << ','
                        << press << ',' << stop << ',' << decimal_text(p) << ',' << fraction_text(p);
                    for (int line : {line_top, line_middle, line_bottom})
                        out << ',' << symbol_names[window_symbol(reel, stop, line)];
                    out << '\n';
                }
            }
        }
    }
}

}  // namespace reelctl::windows
