#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "machine/left_patterns.h"
#include "machine/press_lookups.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"

namespace reelctl {
namespace {

std::vector<int> pattern_slides(int role, int pattern) {
    std::vector<int> v;
    for (int i = 0; i < 21; ++i) v.push_back(pattern_left_slide(role, pattern, i));
    return v;
}

// The left stops at which `role` can come to rest under `pattern`.
std::set<int> pattern_reach(int role, int pattern) {
    std::set<int> s;
    for (int i = 0; i < 21; ++i) s.insert(stop_after_slide(i, pattern_left_slide(role, pattern, i)));
    return s;
}

TEST(LeftPatternSlides, EveryPackedSlideIsAtMostFour) {
    for (int role = role_replay; role <= role_ten_coin; ++role)
        for (int i = 0; i < 21; ++i) {
            EXPECT_LE(left_pattern_slides[role - role_replay][i] & 0x1F, 24) << role << " " << i;
            EXPECT_LE(pattern_left_slide(role, 0, i), 4) << role << " " << i;
        }
}

TEST(LeftPatternSlides, BigBonusAndReplayExamples) {
    EXPECT_EQ(pattern_slides(4, 0), (std::vector<int>{2, 4, 3, 2, 1, 0, 3, 2, 1, 0, 4, 3, 2, 1, 4, 3, 2, 1, 0, 2, 2}));
    std::vector<int> p1 = pattern_slides(4, 1), p2 = pattern_slides(4, 2);
    EXPECT_EQ(p1[19], 4);
    EXPECT_EQ(p1[20], 3);
    EXPECT_EQ(p2[0], 0);
    EXPECT_EQ(p2[19], 2);
    EXPECT_EQ(p2[20], 1);
    EXPECT_EQ(pattern_reach(4, 0), (std::set<int>{0, 1, 2, 5, 9, 14, 18}));
    EXPECT_EQ(pattern_reach(4, 1), (std::set<int>{2, 5, 9, 14, 18}));
    EXPECT_EQ(pattern_reach(4, 2), (std::set<int>{0, 5, 9, 14, 18}));
    EXPECT_EQ(pattern_reach(1, 0), (std::set<int>{3, 5, 9, 14, 18, 20}));
    EXPECT_EQ(pattern_left_slide(0, 0, 0), 0);
    EXPECT_EQ(pattern_left_slide(11, 0, 0), 0);
    EXPECT_EQ(pattern_left_slide(4, 3, 1), 0);
    EXPECT_EQ(pattern_left_slide(4, 0, 21), 0);
}

TEST(PatternRoleGroups, RolesOutsideTheTableHaveNoGroup) {
    EXPECT_EQ(pattern_role_group(role_big), group_big);
    EXPECT_EQ(pattern_role_group(role_none), group_none);
    EXPECT_EQ(pattern_role_group(role_count), group_none);
}

// An entry is 0 exactly where no pattern of any role of the group comes to rest.
TEST(PatternStopTables, ZeroExactlyAtUnreachableLeftStops) {
    for (int group = group_replay; group <= group_reg; ++group) {
        std::set<int> reach;
        for (int role = role_replay; role <= role_ten_coin; ++role)
            if (pattern_role_group(role) == group)
                for (int pattern = 0; pattern < 3; ++pattern) reach.merge(pattern_reach(role, pattern));
        for (int choice = 0; choice < 2; ++choice)
            for (int stop = 0; stop < 21; ++stop) {
                SCOPED_TRACE(testing::Message() << "choice " << choice << " group " << group << " stop " << stop);
                int t = pattern_stop_table(choice, group, stop);
                EXPECT_EQ(t != 0, reach.count(stop) == 1);
                EXPECT_LE(t, slide_table_count);
            }
    }
}

TEST(PatternStopTables, IndicesOutsideTheTableReadZero) {
    EXPECT_EQ(pattern_stop_table(1, 3, 5), 44);
    EXPECT_EQ(pattern_stop_table(2, 3, 5), 0);
    EXPECT_EQ(pattern_stop_table(0, 0, 5), 0);
    EXPECT_EQ(pattern_stop_table(0, 3, 21), 0);
}

// Each triple names a left stop where the group's two tables differ, both table codes
// occur there, and the left stops covered are exactly those the machine data lists.
void check_triples(const StopTriple* begin, const StopTriple* end, int group, const std::set<int>& covered) {
    std::set<int> stops, codes_at[21];
    for (const StopTriple* t = begin; t != end; ++t) {
        ASSERT_LE(t->table_code, 1);
        ASSERT_LE(t->left_stop, 20);
        EXPECT_LE(t->center_press, 20);
        stops.insert(t->left_stop);
        codes_at[t->left_stop].insert(t->table_code);
    }
    EXPECT_EQ(stops, covered);
    for (int stop : stops) {
        EXPECT_NE(pattern_stop_table(0, group, stop), pattern_stop_table(1, group, stop)) << stop;
        EXPECT_EQ(codes_at[stop].size(), 2u) << stop;
    }
}

TEST(PressLookups, TriplesCoverTheSplitLeftStops) {
    check_triples(left_first_big_triples.begin(), left_first_big_triples.end(), 3, {5, 7, 9, 14, 16, 18});
    check_triples(left_first_reg_triples.begin(), left_first_reg_triples.end(), 4, {0, 2});
}

// The presses that leave a code's table: for BIG at 0x20 (table 34) the variants 3 and 1
// lead to table 35; for REG at 0x28 (table 49) only the right presses 2 and 17 switch.
template <std::size_t N>
std::set<int> switching_presses(const std::array<PressPair, N>& pairs, int code) {
    std::set<int> s;
    for (const PressPair& p : pairs) {
        EXPECT_LE(p.press, 20);
        EXPECT_LE(p.bits, 15);
        if (table_for_pattern(press_pair_code(code, p)) != table_for_pattern(code)) s.insert(p.press);
    }
    return s;
}

TEST(PressLookups, PairsSwitchTablesAtTheKnownPresses) {
    EXPECT_EQ(switching_presses(center_first_big_pairs, 0x20), (std::set<int>{1, 2, 17, 18}));
    EXPECT_EQ(switching_presses(right_first_big_pairs, 0x20), (std::set<int>{1, 2, 17, 18}));
    EXPECT_EQ(switching_presses(right_first_reg_pairs, 0x28), (std::set<int>{2, 17}));
    EXPECT_EQ(table_for_pattern(0x20 | right_first_big_pairs[0].bits), 35);
    EXPECT_EQ(table_for_pattern(0x28 | right_first_reg_pairs[1].bits), 50);
    EXPECT_EQ(table_for_pattern(0x28 | right_first_reg_pairs[2].bits), 51);
    for (const PressPair& p : center_first_reg_pairs) EXPECT_NE(p.bits & 0x08, 0);
}

}  // namespace
}  // namespace reelctl
