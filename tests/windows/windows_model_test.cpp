// The window model over the whole panel: every game of the 180 triples ends
// without a fault (no message box, no offer whose percents miss 100, no
// reached stop without its radio, nine pictures that show the reels' stops),
// and each triple's probabilities are exact, whole multiples of 1/296,352,
// adding up to 1; the uncontrolled roles' windows, worked out from the data
// sheet alone, are the model's.
#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <set>
#include <string_view>

#include "machine/roles.h"
#include "machine/slide_tables.h"
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

// A share text of the role catalogue, a percent ("6.25"), in ten-thousandths of the whole.
std::uint64_t share_of(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    std::uint64_t value = 0;
    for (char c : text)
        if (c != '.') value = value * 10 + static_cast<std::uint64_t>(c - '0');
    for (std::size_t d = decimals.size(); d < 2; ++d) value *= 10;
    return value;
}

// An uncontrolled role (role kind 0: every role at one coin, ﾊｽﾞﾚ at every
// bet) has no press that switches its table: the machine draws a table by
// its share in the catalogue, and each reel stops where its press slides to
// in that table. Worked out here from the data sheet alone, the windows must
// be the model's, played on the panel.
TEST(WindowModel, UncontrolledRolesAreTheirTablesPressedAtRandom) {
    int checked = 0;
    for (const TripleWindows& t : model().triples) {
        const int bet = t.triple.bet, role = t.triple.role;
        if (role_kind_of(bet, role) != 0) continue;
        ++checked;
        const RoleRecord& record = *role_record(bet, role);
        // Weights in units of 1 / (10000 * 21^3).
        std::map<std::array<int, 3>, std::uint64_t> expected;
        for (int choice = 0; choice < record.choice_count; ++choice) {
            std::array<std::array<std::uint64_t, 21>, 3> reached{};
            for (int press = 0; press < 21; ++press) {
                const std::uint8_t b = packed_slides(record.choice_table[static_cast<std::size_t>(choice)], press);
                ++reached[0][static_cast<std::size_t>(stop_after_slide(press, left_slide(b)))];
                ++reached[1][static_cast<std::size_t>(stop_after_slide(press, center_slide(b)))];
                ++reached[2][static_cast<std::size_t>(stop_after_slide(press, right_slide(b)))];
            }
            const std::uint64_t share =
                record.choice_count == 1 ? 10000 : share_of(record.choice_share[static_cast<std::size_t>(choice)]);
            for (int l = 0; l < 21; ++l)
                for (int c = 0; c < 21; ++c)
                    for (int r = 0; r < 21; ++r)
                        if (const std::uint64_t n = reached[0][static_cast<std::size_t>(l)] *
                                                    reached[1][static_cast<std::size_t>(c)] *
                                                    reached[2][static_cast<std::size_t>(r)])
                            expected[{l, c, r}] += share * n;
        }
        ASSERT_EQ(t.windows.size(), expected.size()) << "bet " << bet << " order " << t.triple.stop_order << " role " << role;
        for (const WindowOdds& w : t.windows) {
            const auto found = expected.find(w.stops);
            ASSERT_NE(found, expected.end());
            EXPECT_EQ(w.probability.numerator * 10000 * 9261, found->second * w.probability.denominator)
                << "bet " << bet << " order " << t.triple.stop_order << " role " << role << " window " << w.stops[0] << ","
                << w.stops[1] << "," << w.stops[2];
        }
    }
    EXPECT_EQ(checked, 8 * 6 + 2 * 6);  // every role at one coin, ﾊｽﾞﾚ at two and three
}

}  // namespace
}  // namespace reelctl::windows
