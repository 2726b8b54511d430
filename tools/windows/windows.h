// What the window tells: for every bet, stop order and role the role combo
// offers there (a triple), the exact probability of every window the reels
// can come to rest in, when the machine draws its offers by their shares and
// the player presses each reel at a uniformly drawn moment.
//
// The games are played on the panel itself (the driven probe dialog), from a
// freshly started panel: the bet and stop-order commands, the role pick, then
// only the game's draws. After each step an enabled combo that holds entries
// and has no current text is an open offer, drawn by the percents of its
// entries' texts; otherwise the next reel of the stop order is pressed at one
// of its 21 press positions, each 1/21. On a column that shows slides the
// press stops the reel at press + slide and the road clicks that stop's
// radio; on a press choice the road clicks the press's own radio and the
// reel's stop is what the panel shows afterwards. The window of a game is the
// three stop indices after the last press. Nothing else is clicked.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace reelctl::windows {

// A probability, exact, in lowest terms.
struct Fraction {
    std::uint64_t numerator = 0;
    std::uint64_t denominator = 1;
};

// Every probability of the model is a whole multiple of 1 / (32 * 21^3): two
// offers of at most 1/4 and 1/8 steps, and three presses of 1/21.
inline constexpr std::uint64_t window_grain = 32ull * 21 * 21 * 21;  // 296,352

struct Triple {
    int bet = 0;         // 0..2, the dump's state.bet
    int stop_order = 0;  // 0..5
    int role = 0;        // 0..10, the dump's state.role
};

struct WindowOdds {
    std::array<int, 3> stops{};  // left, center, right stop index 0..20 (position = index + 1)
    Fraction probability;
    std::string road;  // the first game found that ends in it: panel-script lines, joined by '\n'
};

// The aim: for each reel, press index and stop index, the probability that
// the game presses the reel there and it comes to rest there, in grains
// (1/296,352). Over the machine's draws and the other reels' presses; a
// press's own row adds up to 1/21 (14,112 grains), so P(stop | press) is
// 21 times the entry.
using AimGrains = std::array<std::array<std::array<std::uint32_t, 21>, 21>, 3>;

struct TripleWindows {
    Triple triple;
    std::vector<WindowOdds> windows;  // every window with a probability above 0, by left, center, right
    AimGrains aim{};
    long games = 0;                   // roads played to their end (each press group once)
    long offers = 0;                  // entries picked from offers on them
};

struct Model {
    std::vector<TripleWindows> triples;  // by bet, stop order, role: 180 of them
    long faults = 0;
    std::string first_fault;  // the triple, the road and what went wrong
};

// Plays every game of every triple, or with a bet and a stop order only the
// triples of those. `threads` > 1 shares the bets and stop orders among that
// many threads; the result is the same.
Model compute_windows(int threads = 1, int bet = -1, int stop_order = -1);

// "0.000123456789012345": a fraction of at most 1 in plain decimal notation,
// correctly rounded to 20 places, without trailing zeros ("1", "0.5").
std::string decimal_text(const Fraction& f);
// "n/d".
std::string fraction_text(const Fraction& f);

}  // namespace reelctl::windows
