// Center-first and right-first control: the press picked in the press choice
// may switch the table; the column then shows the stops that stay valid.

#include <algorithm>
#include <memory>

#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

// Three coins, `stop_order`, `role`, table entry `entry`.
std::unique_ptr<Viewer> started(int stop_order, int role, int entry, int coins = 3) {
    auto v = std::make_unique<Viewer>();
    v->conditions(coins, stop_order);
    v->pick_role(role);
    v->pick_table(entry);
    return v;
}

// The stops reached from the presses `presses` under `table`, computed from the packed bytes.
std::vector<int> stops_of(int table, int reel, const std::vector<int>& presses) {
    std::vector<bool> hit(21, false);
    for (int press : presses) {
        const std::uint8_t b = packed_slides(table, press);
        const int slide = reel == reel_center ? center_slide(b) : right_slide(b);
        hit[stop_after_slide(press, slide)] = true;
    }
    std::vector<int> rows;
    for (int row = 0; row < 21; ++row)
        if (hit[row]) rows.push_back(row);
    return rows;
}

std::vector<int> all_presses_but(std::vector<int> excluded) {
    std::vector<int> presses;
    for (int i = 0; i < 21; ++i)
        if (std::find(excluded.begin(), excluded.end(), i) == excluded.end()) presses.push_back(i);
    return presses;
}

TEST(CenterFirst, TypicalRoadSwitchesToTable35AtPress19) {
    auto v = started(2, role_big, 0);
    EXPECT_EQ(v->state().pattern_code, 0x20);
    EXPECT_EQ(v->state().slide_table, 34);
    EXPECT_EQ(v->state().awaiting_stop, 1);
    EXPECT_EQ(v->rows_greyed(reel_center), (std::vector<int>{1, 2, 17, 18}));  // positions 2, 3, 18, 19
    EXPECT_EQ(v->rows_shown(reel_center).size(), 21u);
    EXPECT_EQ(v->shown_slides(reel_center), "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _");

    v->click(1240);  // the center radio of position 19
    const PanelState& s = v->state();
    EXPECT_EQ(s.pattern_code, 0x23);
    EXPECT_EQ(s.slide_table, 35);
    EXPECT_EQ(s.stop_pos[1], 18);
    EXPECT_EQ(s.awaiting_stop, 0);
    EXPECT_TRUE(v->rows_marked(reel_center, mark_reachable).empty());
    EXPECT_EQ(v->rows_marked(reel_center, mark_chosen), (std::vector<int>{18}));
    EXPECT_TRUE(v->checked(1240));
    EXPECT_EQ(v->window(reel_center), (std::vector<std::string>{"VS7S", "VSMS", "VSOS"}));  // seven, moon, orange
    EXPECT_TRUE(v->enabled(IDC_SELECT_CENTER));
    EXPECT_FALSE(v->enabled(IDC_SELECT_RIGHT));
    // The greyed rows stay greyed, now with their slides shown.
    EXPECT_EQ(v->rows_greyed(reel_center), (std::vector<int>{1, 2, 17, 18}));
    EXPECT_EQ(v->control(slide_edit_id(reel_center, 18)).text, "0");
    // The other reels follow table 35.
    for (int row = 0; row < 21; ++row) {
        EXPECT_EQ(v->panel.columns[reel_left][row].slide, left_slide(packed_slides(35, row)));
        EXPECT_EQ(v->panel.columns[reel_right][row].slide, right_slide(packed_slides(35, row)));
    }
    EXPECT_EQ(v->rows_marked(reel_right, mark_reachable), stops_of(35, reel_right, all_presses_but({})));
}

TEST(CenterFirst, PressThatKeepsTheTableShowsEveryValidStop) {
    auto v = started(2, role_big, 0);
    v->click_stop(reel_center, 13);
    EXPECT_EQ(v->state().pattern_code, 0x20);
    EXPECT_EQ(v->state().slide_table, 34);
    EXPECT_EQ(v->rows_marked(reel_center, mark_chosen), (std::vector<int>{16}));  // 13 + slide 3
    std::vector<int> expected = stops_of(34, reel_center, all_presses_but({1, 2, 17, 18}));
    std::erase(expected, 16);
    EXPECT_EQ(v->rows_marked(reel_center, mark_reachable), expected);

    auto w = started(3, role_big, 0);
    w->click_stop(reel_center, 5);  // in no pair: nothing switches
    EXPECT_EQ(w->state().pattern_code, 0x20);
    EXPECT_EQ(w->state().slide_table, 34);
}

TEST(CenterFirst, TenCoinPressGroupsSetOrClearBit3) {
    auto v = started(2, role_ten_coin, 0);
    ASSERT_EQ(v->state().pattern_code, 0x40);
    ASSERT_EQ(v->state().slide_table, 65);
    v->click_stop(reel_center, 7);
    EXPECT_EQ(v->state().pattern_code, 0x48);
    EXPECT_EQ(v->state().slide_table, 73);
    EXPECT_EQ(v->rows_marked(reel_center, mark_reachable), (std::vector<int>{2}));
    EXPECT_EQ(v->rows_marked(reel_center, mark_chosen), (std::vector<int>{7}));

    auto w = started(2, role_ten_coin, 0);
    w->click_stop(reel_center, 8);
    EXPECT_EQ(w->state().pattern_code, 0x40);
    EXPECT_EQ(w->state().slide_table, 65);
    EXPECT_EQ(w->rows_marked(reel_center, mark_reachable), (std::vector<int>{16, 19}));
    EXPECT_EQ(w->rows_marked(reel_center, mark_chosen), (std::vector<int>{11}));

    for (int press : {0, 20}) {
        auto x = started(3, role_ten_coin, 0);
        x->click_stop(reel_center, press);
        EXPECT_EQ(x->state().pattern_code, 0x48) << press;
    }
    auto y = started(3, role_ten_coin, 0);
    y->click_stop(reel_center, 19);
    EXPECT_EQ(y->state().pattern_code, 0x40);
}

TEST(RightFirst, BigPressesSwitchOrKeepTable34) {
    struct Case { int press, code, table, chosen; bool others_shown; };
    for (Case c : {Case{18, 0x23, 35, 18, false}, Case{6, 0x20, 34, 7, true}, Case{8, 0x20, 34, 11, true}}) {
        auto v = started(4, role_big, 0);
        ASSERT_EQ(v->state().awaiting_stop, 1);
        EXPECT_EQ(v->rows_greyed(reel_right), (std::vector<int>{1, 2, 17, 18}));
        v->click_stop(reel_right, c.press);
        EXPECT_EQ(v->state().pattern_code, c.code) << c.press;
        EXPECT_EQ(v->state().slide_table, c.table) << c.press;
        EXPECT_EQ(v->state().stop_pos[2], c.chosen) << c.press;
        EXPECT_EQ(v->rows_marked(reel_right, mark_chosen), (std::vector<int>{c.chosen}));
        EXPECT_EQ(v->rows_marked(reel_right, mark_reachable).empty(), !c.others_shown) << c.press;
        EXPECT_TRUE(v->enabled(IDC_SELECT_RIGHT));
        EXPECT_FALSE(v->enabled(IDC_SELECT_CENTER));
        // With the right reel first the center shows every reachable stop and no chosen one.
        EXPECT_TRUE(v->rows_marked(reel_center, mark_chosen).empty());
        EXPECT_EQ(v->rows_marked(reel_center, mark_reachable), stops_of(c.table, reel_center, all_presses_but({})));
    }
}

TEST(RightFirst, RegPressesWrapAndSwitchVariants) {
    struct Case { int press, code, table, stop; };
    for (Case c : {Case{17, 0x2A, 50, 0}, Case{18, 0x29, 49, 1}, Case{2, 0x2B, 51, -1}, Case{5, 0x28, 49, 6}}) {
        auto v = started(5, role_reg, 0);
        ASSERT_EQ(v->state().slide_table, 49);
        EXPECT_EQ(v->panel.conflict_mask[2], 2);
        EXPECT_EQ(v->panel.conflict_mask[17], 2);
        v->click_stop(reel_right, c.press);
        EXPECT_EQ(v->state().pattern_code, c.code) << c.press;
        EXPECT_EQ(v->state().slide_table, c.table) << c.press;
        if (c.stop >= 0) {
            EXPECT_EQ(v->state().stop_pos[2], c.stop) << c.press;
        }
    }
}

TEST(RightFirst, TenCoinIsComputedAtOnceWithEveryStop) {
    auto v = started(4, role_ten_coin, 0);
    EXPECT_EQ(v->state().awaiting_stop, 0);
    for (std::uint8_t entry : v->panel.conflict_mask) EXPECT_EQ(entry, 0);
    const int table = v->state().slide_table;
    EXPECT_EQ(v->rows_marked(reel_right, mark_reachable), stops_of(table, reel_right, all_presses_but({})));
    EXPECT_EQ(v->rows_marked(reel_center, mark_reachable), stops_of(table, reel_center, all_presses_but({})));
}

}  // namespace
}  // namespace reelctl::testing
