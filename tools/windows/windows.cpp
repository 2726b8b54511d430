#include "tools/windows/windows.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <string_view>
#include <thread>
#include <tuple>

#include "app/dialog.h"
#include "app/draw_rule.h"
#include "machine/conditions.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "tools/walk/driven_probe.h"
#include "tools/walk/walk.h"

namespace reelctl::windows {
namespace {

using probe::Snapshot;

// A game's weight counts in units of 1 / (10000^3 * 21^3): up to three offers
// and the three presses divide it exactly.
constexpr std::uint64_t presses_whole = 21ull * 21 * 21;
constexpr std::uint64_t weight_whole = percent_whole * percent_whole * percent_whole * presses_whole;
constexpr int max_offers = 3;

constexpr int window_cells = position_count * position_count * position_count;

class Player final : public probe::DrivenProbe {
public:
    // Plays every triple of the conditions (bet * 6 + stop order) first,
    // first + step, ... below last.
    void run(int first, int last, int step, Model& out) {
        probe.reset();
        start();
        Snapshot fresh;
        probe::save(panel, probe, fresh);
        for (int conditions = first; conditions < last; conditions += step) {
            const int bet = conditions / stop_order_count, order = conditions % stop_order_count;
            probe::restore(panel, probe, fresh);
            command(IDM_BET_1 + bet, 0);
            command(IDM_ORDER_FIRST + order, 0);
            Snapshot conditions_set;
            probe::save(panel, probe, conditions_set);
            const int roles = item_count(IDC_ROLE_COMBO);
            for (int item = 0; item < roles; ++item) {
                probe::restore(panel, probe, conditions_set);
                road_[0] = {walk::RoadAct::Verb::menu, IDM_BET_1 + bet, 0};
                road_[1] = {walk::RoadAct::Verb::menu, IDM_ORDER_FIRST + order, 0};
                road_[2] = {walk::RoadAct::Verb::pick, IDC_ROLE_COMBO, item};
                depth_ = 3;
                triple_ = {bet, order, -1};
                if (!user_pick(IDC_ROLE_COMBO, static_cast<std::size_t>(item))) {
                    fault("the role combo's item cannot be picked");
                    continue;
                }
                triple_.role = panel.state.role;
                TripleWindows result;
                result.triple = triple_;
                cells_.fill(0);
                aim_ = {};
                for (std::string& road : roads_) road.clear();
                games_ = offers_ = 0;
                play(0, 0, weight_whole);
                result.games = games_;
                result.offers = offers_;
                std::uint64_t total = 0;
                for (int cell = 0; cell < window_cells; ++cell) {
                    const std::uint64_t w = cells_[static_cast<std::size_t>(cell)];
                    if (w == 0) continue;
                    total += w;
                    const std::uint64_t common = std::gcd(w, weight_whole);
                    result.windows.push_back({{cell / (position_count * position_count),
                                               cell / position_count % position_count, cell % position_count},
                                              {w / common, weight_whole / common},
                                              std::move(roads_[static_cast<std::size_t>(cell)])});
                }
                if (total != weight_whole) fault("the games' weights do not add up to 1");
                for (const auto& reel : aim_)
                    for (const auto& press : reel)
                        if (std::accumulate(press.begin(), press.end(), 0u) != window_grain / position_count)
                            fault("a press's stops do not add up to 1/21");
                result.aim = aim_;
                out.triples.push_back(std::move(result));
            }
        }
        out.faults += faults_;
        if (out.first_fault.empty()) out.first_fault = first_fault_;
    }

private:
    void play(int presses, int offers, std::uint64_t weight);
    void play_offer(int combo, int presses, int offers, std::uint64_t weight, const Snapshot& here);
    void play_press(int reel, int presses, int offers, std::uint64_t weight, const Snapshot& here);
    void finish(std::uint64_t weight);

    // The open offer (draw_rule.h): 0 when there is none.
    int open_offer() {
        int open = 0;
        const int combo = reelctl::open_offer(probe, open);
        if (open > 1) fault("two combos offer entries at once");
        return combo;
    }

    // Divides a weight by `whole` and multiplies it by `part`, exactly.
    bool scale(std::uint64_t& weight, std::uint64_t part, std::uint64_t whole) {
        if (weight % whole != 0) {
            fault("a weight is not divisible exactly");
            return false;
        }
        weight = weight / whole * part;
        return true;
    }

    void fault(const char* what) {
        ++faults_;
        if (!first_fault_.empty()) return;
        first_fault_ = "bet " + std::to_string(triple_.bet) + ", stop order " + std::to_string(triple_.stop_order) +
                       ", role " + std::to_string(triple_.role) + ", road";
        for (int i = 0; i < depth_; ++i) first_fault_ += (i ? "; " : " ") + walk::road_line(road_[static_cast<std::size_t>(i)]);
        first_fault_ += std::string(": ") + what;
    }

    Triple triple_;
    std::array<walk::RoadAct, 16> road_{};
    int depth_ = 0;
    std::array<std::uint64_t, window_cells> cells_{};
    // The presses of each reel on the road being played (a bit per press
    // index): the presses that reach the stop its road clicked.
    std::array<std::uint32_t, reel_count> press_group_{};
    AimGrains aim_{};
    std::array<std::string, window_cells> roads_{};
    long games_ = 0, offers_ = 0, faults_ = 0;
    std::string first_fault_;
};

void Player::play(int presses, int offers, std::uint64_t weight) {
    if (probe.display.messages != 0) return fault("the road shows a message box");
    if (depth_ + 1 >= static_cast<int>(road_.size())) return fault("the road is too long");
    const int combo = open_offer();
    if (!combo && presses == reel_count) return finish(weight);
    Snapshot here;
    probe::save(panel, probe, here);
    if (combo) return play_offer(combo, presses, offers, weight, here);
    play_press(reel_stopped(triple_.stop_order, presses), presses, offers, weight, here);
}

// The machine draws one entry of the offer, by the percent of its text.
void Player::play_offer(int combo, int presses, int offers, std::uint64_t weight, const Snapshot& here) {
    if (offers == max_offers) return fault("more offers than the weights can divide");
    const int entries = probe.item_count(combo);
    const OfferFault offer = offer_fault(probe, combo);
    if (offer == OfferFault::no_percent) return fault("an offered entry names no percent");
    if (offer == OfferFault::not_whole) return fault("an offer's percents do not add up to 100");
    for (int e = 0; e < entries; ++e) {
        const long percent = percent_of(probe.item(combo, e));
        if (percent == 0) continue;
        if (e) probe::restore(panel, probe, here);
        road_[static_cast<std::size_t>(depth_++)] = {walk::RoadAct::Verb::pick, combo, e};
        std::uint64_t w = weight;
        ++offers_;
        if (!user_pick(combo, static_cast<std::size_t>(e))) fault("an offered entry cannot be picked");
        else if (scale(w, static_cast<std::uint64_t>(percent), percent_whole)) play(presses, offers + 1, w);
        --depth_;
    }
}

// The player presses the reel at one of its 21 press positions.
void Player::play_press(int reel, int presses, int offers, std::uint64_t weight, const Snapshot& here) {
    std::array<std::uint32_t, position_count> group{};  // the presses that stop the reel at each row, a bit each
    const bool press_choice = shows_press_choice(probe, panel.state, reel);
    for (int press = 0; press < position_count; ++press) {
        const int stop = press_radio_row(probe, panel.state, reel, press);
        if (stop < 0) return fault("the reel to press shows neither slides nor a press choice");
        group[static_cast<std::size_t>(stop)] |= 1u << press;  // on a press choice, the radio of each press, greyed or not
    }
    bool first = true;
    for (int row = 0; row < position_count; ++row) {
        const int count = std::popcount(group[static_cast<std::size_t>(row)]);
        if (count == 0) continue;
        if (!first) probe::restore(panel, probe, here);
        first = false;
        const int radio = stop_radio_id(reel, row);
        road_[static_cast<std::size_t>(depth_++)] = {walk::RoadAct::Verb::click, radio, 0};
        press_group_[static_cast<std::size_t>(reel)] = group[static_cast<std::size_t>(row)];
        std::uint64_t w = weight;
        if (!user_click(radio)) fault(press_choice ? "a press radio cannot be clicked" : "a reached stop's radio cannot be clicked");
        else if (scale(w, static_cast<std::uint64_t>(count), position_count)) play(presses + 1, offers, w);
        --depth_;
    }
}

// The game is over: its window is where the three reels stand.
void Player::finish(std::uint64_t weight) {
    ++games_;
    const auto& stops = panel.state.stop_pos;
    for (int reel = 0; reel < reel_count; ++reel) {
        if (stops[reel] < 0 || stops[reel] >= position_count) return fault("a stop index out of range");
        for (int line = 0; line < 3; ++line) {
            const int shown = probe.picture(window_static_id(reel, line));
            if (shown != symbol_count * panel.state.layout_variant + window_symbol(reel, stops[reel], line))
                return fault("the window does not show the reels' stops");
        }
    }
    // The aim: the game's weight shared evenly among the presses of each reel
    // that would have ended it the same way.
    constexpr std::uint64_t weight_per_grain = weight_whole / window_grain;
    if (weight % weight_per_grain != 0) return fault("a game's weight is not a whole number of grains");
    const std::uint64_t grains = weight / weight_per_grain;
    for (int reel = 0; reel < reel_count; ++reel) {
        const std::uint32_t group = press_group_[static_cast<std::size_t>(reel)];
        const auto presses = static_cast<std::uint64_t>(std::popcount(group));
        if (presses == 0 || grains % presses != 0) return fault("a game's grains do not share among its presses");
        for (int press = 0; press < position_count; ++press)
            if (group >> press & 1u)
                aim_[static_cast<std::size_t>(reel)][static_cast<std::size_t>(press)][static_cast<std::size_t>(stops[reel])] +=
                    static_cast<std::uint32_t>(grains / presses);
    }
    const auto cell = static_cast<std::size_t>((stops[0] * position_count + stops[1]) * position_count + stops[2]);
    if (cells_[cell] == 0) {
        for (int i = 0; i < depth_; ++i) roads_[cell] += (i ? "\n" : "") + walk::road_line(road_[static_cast<std::size_t>(i)]);
    }
    cells_[cell] += weight;
}

}  // namespace


Model compute_windows(int threads, int bet, int stop_order) {
    // The conditions (bet * 6 + stop order) to play, dealt to the threads in
    // turn: the two- and three-coin ones, the heavy ones, are shared out.
    const bool one = bet >= 0 && stop_order >= 0;
    const int begin = one ? bet * stop_order_count + stop_order : 0;
    const int conditions = one ? 1 : bet_count * stop_order_count;
    threads = std::clamp(threads, 1, conditions);
    std::vector<Model> parts(static_cast<std::size_t>(threads));
    auto work = [&](int t) {
        Player player;
        player.run(begin + t, begin + conditions, threads, parts[static_cast<std::size_t>(t)]);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(work, t);
    work(0);
    for (std::thread& thread : pool) thread.join();
    Model model;
    for (Model& part : parts) {
        model.faults += part.faults;
        if (model.first_fault.empty()) model.first_fault = part.first_fault;
        for (TripleWindows& t : part.triples) model.triples.push_back(std::move(t));
    }
    std::sort(model.triples.begin(), model.triples.end(), [](const TripleWindows& a, const TripleWindows& b) {
        return std::tie(a.triple.bet, a.triple.stop_order, a.triple.role) <
               std::tie(b.triple.bet, b.triple.stop_order, b.triple.role);
    });
    return model;
}

std::string decimal_text(const Fraction& f) {
    if (f.numerator >= f.denominator) return "1";
    constexpr int places = 20;
    std::array<int, places> digits{};
    std::uint64_t rest = f.numerator;
    for (int i = 0; i < places; ++i) {
        rest *= 10;  // rest < denominator, far below 2^60
        digits[static_cast<std::size_t>(i)] = static_cast<int>(rest / f.denominator);
        rest %= f.denominator;
    }
    // Round to nearest, ties to even.
    const bool up = 2 * rest > f.denominator || (2 * rest == f.denominator && digits[places - 1] % 2 == 1);
    int i = places - 1;
    if (up) {
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == 9) digits[static_cast<std::size_t>(i--)] = 0;
        if (i < 0) return "1";
        ++digits[static_cast<std::size_t>(i)];
    }
    int last = places - 1;
    while (last >= 0 && digits[static_cast<std::size_t>(last)] == 0) --last;
    std::string text = "0";
    if (last >= 0) text += '.';
    for (int k = 0; k <= last; ++k) text += static_cast<char>('0' + digits[static_cast<std::size_t>(k)]);
    return text;
}

std::string fraction_text(const Fraction& f) {
    return std::to_string(f.numerator) + "/" + std::to_string(f.denominator);
}

}  // namespace reelctl::windows
