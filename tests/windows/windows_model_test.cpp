// The window model over the whole panel: every game of the 180 triples ends
// without a fault (no message box, no offer whose percents miss 100, no
// reached stop without its radio, nine pictures that show the reels' stops),
// and each triple's probabilities are exact, whole multiples of 1/296,352,
// adding up to 1.
#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "tools/windows/windows.h"

namespace reelctl::windows {
namespace {

const Model& model() {
    static const Model m = compute_windows(2);
    return m;
}

TEST(WindowModel, EveryGameEndsInAWindowWithoutAFault) {
    EXPECT_EQ(model().faults, 0) << model().first_fault;
    std::set<std::tuple<int, int, int>> triples;
    int per_bet[3] = {};
    for (const TripleWindows& t : model().triples) {
        triples.insert({t.triple.bet, t.triple.stop_order, t.triple.role});
        ++per_bet[t.triple.bet];
        EXPECT_GT(t.games, 0);
    }
    EXPECT_EQ(triples.size(), 180u);
    EXPECT_EQ(per_bet[0], 8 * 6);
    EXPECT_EQ(per_bet[1], 11 * 6);
    EXPECT_EQ(per_bet[2], 11 * 6);
}

TEST(WindowModel, ProbabilitiesAreWholeGrainsAndAddUpToOne) {
    for (const TripleWindows& t : model().triples) {
        std::uint64_t grains = 0;
        for (const WindowOdds& w : t.windows) {
            const Fraction& p = w.probability;
            ASSERT_GT(p.numerator, 0u);
            ASSERT_EQ(std::gcd(p.numerator, p.denominator), 1u);
            ASSERT_EQ(window_grain % p.denominator, 0u)
                << "bet " << t.triple.bet << " order " << t.triple.stop_order << " role " << t.triple.role;
            grains += p.numerator * (window_grain / p.denominator);
        }
        EXPECT_EQ(grains, window_grain) << "bet " << t.triple.bet << " order " << t.triple.stop_order << " role "
                                        << t.triple.role;
    }
}

TEST(WindowModel, ThreadsShareTheWorkWithoutChangingIt) {
    const Model one = compute_windows(1, 2, 0);
    ASSERT_EQ(one.faults, 0) << one.first_fault;
    std::size_t checked = 0;
    for (const TripleWindows& t : model().triples) {
        if (t.triple.bet != 2 || t.triple.stop_order != 0) continue;
        const TripleWindows& u = one.triples.at(checked++);
        ASSERT_EQ(u.triple.role, t.triple.role);
        ASSERT_EQ(u.windows.size(), t.windows.size());
        for (std::size_t i = 0; i < t.windows.size(); ++i) {
            EXPECT_EQ(u.windows[i].stops, t.windows[i].stops);
            EXPECT_EQ(u.windows[i].probability.numerator, t.windows[i].probability.numerator);
        }
    }
    EXPECT_EQ(checked, one.triples.size());
}

}  // namespace
}  // namespace reelctl::windows
