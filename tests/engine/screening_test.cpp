// Stop-conflict screening: the masks of the press positions that would
// switch the table, and the press choice they lead to.

#include "app/column_updates.h"
#include "machine/roles.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

std::vector<int> masked(const Viewer& v, int value) {
    std::vector<int> rows;
    for (int i = 0; i < position_count; ++i)
        if (v.panel.conflict_mask[i] == value) rows.push_back(i);
    return rows;
}

struct MaskCase {
    int stop_order, role, entry, value;
    std::vector<int> rows;
};

TEST(Screening, MasksOfTheCenterAndRightPressLists) {
    const std::vector<MaskCase> cases = {
        {2, role_big, 0, 1, {1, 2, 17, 18}},  // 0x20, table 34
        {4, role_big, 0, 1, {1, 2, 17, 18}},
        {3, role_big, 1, 1, {6, 7, 12, 13}},  // 0x21, table 35
        {5, role_big, 1, 1, {6, 7, 8}},
        {2, role_reg, 0, 2, {15, 17}},  // 0x28, table 49
        {4, role_reg, 0, 2, {2, 17}},
        {2, role_ten_coin, 0, 1, {0, 1, 2, 3, 4, 5, 6, 7, 20}},         // 0x40, table 65
        {3, role_ten_coin, 5, 1, {8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},  // 0x48, table 73
    };
    for (const MaskCase& c : cases) {
        Viewer v;
        v.conditions(3, c.stop_order);
        v.pick_role(c.role);
        v.pick_table(c.entry);
        const int reel = c.stop_order >= 4 ? reel_right : reel_center;
        EXPECT_EQ(masked(v, c.value), c.rows) << "order " << c.stop_order << " role " << c.role;
        EXPECT_EQ(masked(v, 0).size() + c.rows.size(), 21u);
        EXPECT_EQ(v.rows_greyed(reel), c.rows);
        EXPECT_EQ(v.rows_shown(reel).size(), 21u);
        EXPECT_EQ(v.state().awaiting_stop, 1);
        // The press choice shows no slides and no checked radio.
        for (int row = 0; row < position_count; ++row) {
            EXPECT_EQ(v.control(slide_edit_id(reel, row)).text, " ");
            EXPECT_FALSE(v.checked(stop_radio_id(reel, row)));
        }
    }
}

TEST(Screening, TenCoinAtStopOrderZeroAlwaysAsksForThePress) {
    Viewer v;
    v.pick_role(role_ten_coin);
    v.stop_left_at(0);
    EXPECT_EQ(v.state().awaiting_stop, 1);
    EXPECT_EQ(masked(v, 0).size(), 21u);
    EXPECT_TRUE(v.rows_greyed(reel_center).empty());
    EXPECT_EQ(v.rows_shown(reel_center).size(), 21u);
}

// Roles without a press rule, and the ten-coin role on the right reel, never conflict:
// the columns are computed at once.
TEST(Screening, RolesWithoutPressRulesComputeAtOnce) {
    for (int role : {-1, 0, 1, 2, 3}) {
        for (bool right : {false, true}) {
            Viewer v;
            v.conditions(3, right ? 4 : 2);
            v.state().role = static_cast<std::int16_t>(role);
            v.state().slide_table = 1;
            v.panel.conflict_mask.fill(2);
            right ? screen_right(v.panel) : screen_center(v.panel);
            EXPECT_EQ(masked(v, 0).size(), 21u) << role;
            EXPECT_EQ(v.state().awaiting_stop, 0);
            EXPECT_EQ(v.shown_slides(reel_center).find('_'), std::string::npos) << role;
            EXPECT_EQ(v.shown_slides(reel_right).find('_'), std::string::npos) << role;
        }
    }
    Viewer t;
    t.conditions(3, 4);
    t.state().role = role_ten_coin;
    t.state().role_kind = 10;
    t.state().pattern_code = 0x40;
    t.state().slide_table = 65;
    screen_right(t.panel);
    EXPECT_EQ(t.state().awaiting_stop, 0);
    EXPECT_EQ(masked(t, 0).size(), 21u);
}

TEST(Screening, TriplesOfAnotherLeftStopMarkNothing) {
    Viewer v;
    v.pick_role(role_big);
    v.stop_left_at(9);  // the BIG triples at left stop 9 are (0, 9, 7) and (1, 9, 2)
    v.pick_table(0);
    EXPECT_EQ(v.state().slide_table, 46);
    EXPECT_EQ(masked(v, 1), (std::vector<int>{2}));
}

TEST(Screening, NoConflictLeavesTheStoppedLeftReelAlone) {
    // Stop order 0, BIG, left stop 1: table 24 at once, no split; the center screening
    // is not involved and the left reel keeps its stop.
    Viewer v;
    v.pick_role(role_big);
    v.stop_left_at(1);
    EXPECT_TRUE(v.checked(stop_radio_id(reel_left, 1)));
    EXPECT_EQ(v.window(reel_left)[0], small_picture(reel_strips[reel_left][1]));

    // Stop order 1, the right screening without conflict: the left column is not recomputed.
    Viewer w;
    w.conditions(3, 1);
    w.pick_role(role_replay);
    w.stop_left_at(3);
    const ReelColumn left = w.panel.columns[reel_left];
    w.state().role = role_replay;
    screen_right(w.panel);
    EXPECT_TRUE(w.checked(stop_radio_id(reel_left, 3)));
    for (int row = 0; row < position_count; ++row) EXPECT_EQ(w.panel.columns[reel_left][row].mark, left[row].mark);
}

}  // namespace
}  // namespace reelctl::testing
