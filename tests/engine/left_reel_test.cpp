// The left reel: slides from a left stop pattern or from the table in force.

#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

TEST(LeftReel, BigBonusPatternsGiveTheirSlidesAndReachableStops) {
    Viewer v;  // three coins, left -> center -> right
    v.pick_role(role_big);
    ASSERT_EQ(v.state().pattern_mode, 1);

    v.pick_pattern(0);
    EXPECT_EQ(v.shown_slides(reel_left), "2 4 3 2 1 0 3 2 1 0 4 3 2 1 4 3 2 1 0 2 2");
    EXPECT_EQ(v.rows_marked(reel_left, mark_reachable), (std::vector<int>{0, 1, 2, 5, 9, 14, 18}));
    EXPECT_EQ(v.rows_shown(reel_left), (std::vector<int>{0, 1, 2, 5, 9, 14, 18}));

    v.pick_pattern(1);  // the last two slides become 4 and 3
    EXPECT_EQ(v.shown_slides(reel_left).substr(38), "4 3");
    EXPECT_EQ(v.rows_marked(reel_left, mark_reachable), (std::vector<int>{2, 5, 9, 14, 18}));

    v.pick_pattern(2);  // the first slide becomes 0, the last two 2 and 1
    EXPECT_EQ(v.shown_slides(reel_left).substr(0, 1), "0");
    EXPECT_EQ(v.shown_slides(reel_left).substr(38), "2 1");
    EXPECT_EQ(v.rows_marked(reel_left, mark_reachable), (std::vector<int>{0, 5, 9, 14, 18}));
}

TEST(LeftReel, ReplayPatternOneReachesItsStops) {
    Viewer v;
    v.pick_role(role_replay);
    v.pick_pattern(0);
    EXPECT_EQ(v.rows_marked(reel_left, mark_reachable), (std::vector<int>{3, 5, 9, 14, 18, 20}));
}

TEST(LeftReel, NeverChecksARadioNorDrawsTheWindowWhenComputed) {
    Viewer v;
    v.pick_role(role_big);
    v.pick_pattern(0);
    for (int row = 0; row < position_count; ++row) {
        EXPECT_FALSE(v.checked(stop_radio_id(reel_left, row)));
    }
    EXPECT_TRUE(v.rows_marked(reel_left, mark_chosen).empty());
    const std::string blank = small_picture(symbol_blank);
    EXPECT_EQ(v.window(reel_left), (std::vector<std::string>{blank, blank, blank}));
}

// With another reel first, or at one coin, the left slides are bits 7..5 of the table in force.
TEST(LeftReel, OtherOrdersAndOneCoinReadTheSlideTable) {
    struct Case { int coins, stop_order, role, entry; };
    for (Case c : {Case{3, 2, role_replay, 0}, Case{3, 4, role_cherry2, 1}, Case{1, 0, role_big, -1}, Case{2, 5, role_miss, 3}}) {
        Viewer v;
        v.conditions(c.coins, c.stop_order);
        v.pick_role(c.role);
        if (c.entry >= 0) v.pick_table(c.entry);
        const int table = v.state().slide_table;
        ASSERT_GE(table, 1);
        for (int row = 0; row < position_count; ++row)
            EXPECT_EQ(v.panel.columns[reel_left][row].slide, left_slide(packed_slides(table, row)))
                << "coins " << c.coins << " order " << c.stop_order << " row " << row;
    }
}

}  // namespace
}  // namespace reelctl::testing
