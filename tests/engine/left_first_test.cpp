// The left reel first: the left stop settles the table, offers the two tables
// of a split, and in stop order 0 the center press may still switch them.

#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

std::vector<std::string> split_offer() { return {"(1) 50%", "(2) 50%"}; }

TEST(LeftFirst, SplitIsOfferedOnlyAtThreeCoinsWhereTheTablesDiffer) {
    Viewer v;  // three coins, stop order 0
    v.pick_role(role_big);
    v.stop_left_at(5);
    EXPECT_EQ(v.state().split_pending, 1);
    EXPECT_EQ(v.combo_items(IDC_TABLE_COMBO), split_offer());
    EXPECT_TRUE(v.enabled(IDC_TABLE_COMBO));
    EXPECT_TRUE(v.enabled(IDC_TABLE_LABEL));
    EXPECT_EQ(v.model.focused_control(), IDC_TABLE_COMBO);
    EXPECT_EQ(v.shown_slides(reel_center), "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _");
    // The left window shows the stop; nothing was computed for the other reels.
    EXPECT_EQ(v.window(reel_left)[0], small_picture(reel_strips[reel_left][5]));

    Viewer two;
    two.conditions(2, 0);
    two.pick_role(role_big);
    two.stop_left_at(5);
    EXPECT_EQ(two.state().split_pending, 0);
    EXPECT_EQ(two.state().slide_table, 42);
    EXPECT_FALSE(two.enabled(IDC_TABLE_COMBO));
    EXPECT_TRUE(two.combo_items(IDC_TABLE_COMBO).empty());
    EXPECT_FALSE(two.rows_marked(reel_center, mark_reachable).empty());

    Viewer same;  // both table choices give 24 at left stop 1: no split even at three coins
    same.pick_role(role_big);
    same.stop_left_at(1);
    EXPECT_EQ(same.state().split_pending, 0);
    EXPECT_EQ(same.state().slide_table, 24);

    Viewer reg;  // REG group, left stop 0: 50 against 57
    reg.pick_role(role_reg);
    reg.stop_left_at(0);
    EXPECT_EQ(reg.combo_items(IDC_TABLE_COMBO), split_offer());
}

TEST(LeftFirst, SplitPickScreensTheCenterPressAgainstTheOtherTable) {
    Viewer v;
    v.pick_role(role_big);
    v.stop_left_at(5);
    v.pick_table(0);  // table 42
    EXPECT_EQ(v.state().slide_table, 42);
    EXPECT_EQ(v.state().awaiting_stop, 1);
    EXPECT_EQ(v.rows_greyed(reel_center), (std::vector<int>{17}));
    EXPECT_EQ(v.panel.conflict_mask[17], 1);

    v.click_stop(reel_center, 17);  // the triple (1, 5, 17) switches to table 44
    EXPECT_EQ(v.state().slide_table, 44);
    EXPECT_EQ(v.rows_marked(reel_center, mark_reachable).size(), 0u);
    EXPECT_EQ(v.rows_marked(reel_center, mark_chosen).size(), 1u);
    EXPECT_TRUE(v.enabled(IDC_SELECT_CENTER));
    // In stop order 0 the stopped left reel keeps its column and its window.
    EXPECT_TRUE(v.checked(stop_radio_id(reel_left, 5)));

    Viewer w;
    w.pick_role(role_big);
    w.stop_left_at(5);
    w.pick_table(1);  // table 44
    EXPECT_EQ(w.state().slide_table, 44);
    EXPECT_EQ(w.rows_greyed(reel_center), (std::vector<int>{12}));
    w.click_stop(reel_center, 12);  // the triple (0, 5, 12) puts table 42 back
    EXPECT_EQ(w.state().slide_table, 42);

    Viewer x;
    x.pick_role(role_big);
    x.stop_left_at(5);
    x.pick_table(0);
    x.click_stop(reel_center, 3);  // in no triple: table 42 stays and every unmasked stop shows
    EXPECT_EQ(x.state().slide_table, 42);
    EXPECT_FALSE(x.rows_marked(reel_center, mark_reachable).empty());
}

TEST(LeftFirst, CenterSelectOffersThePressChoiceAgain) {
    Viewer v;
    v.pick_role(role_big);
    v.stop_left_at(5);
    v.pick_table(0);
    v.click_stop(reel_center, 17);
    ASSERT_EQ(v.state().slide_table, 44);
    v.click(IDC_SELECT_CENTER);
    EXPECT_EQ(v.state().slide_table, 42);  // table choice 0 again
    EXPECT_EQ(v.state().awaiting_stop, 1);
    EXPECT_EQ(v.rows_greyed(reel_center), (std::vector<int>{17}));
    EXPECT_FALSE(v.enabled(IDC_SELECT_CENTER));
}

TEST(LeftFirst, StopOrderOneComputesTheCenterWithoutAnyLookup) {
    Viewer v;
    v.conditions(3, 1);
    v.pick_role(role_big);
    v.stop_left_at(5);
    v.pick_table(1);
    EXPECT_EQ(v.state().slide_table, 44);
    EXPECT_EQ(v.state().awaiting_stop, 0);
    EXPECT_TRUE(v.rows_marked(reel_center, mark_chosen).empty());
    EXPECT_FALSE(v.rows_marked(reel_center, mark_reachable).empty());
    EXPECT_FALSE(v.rows_marked(reel_right, mark_reachable).empty());
}

}  // namespace
}  // namespace reelctl::testing
