// Where a literal reading of the control rules would show a wrong panel, and
// inputs no user can make through the panel: what the viewer does instead.

#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

using Items = std::vector<std::string>;

// All stops reachable by `reel` under `table`.
std::vector<int> every_stop(int table, int reel = reel_center) {
    int (*const slide[])(std::uint8_t) = {left_slide, center_slide, right_slide};
    std::vector<bool> hit(21, false);
    for (int i = 0; i < 21; ++i) hit[stop_after_slide(i, slide[reel](packed_slides(table, i)))] = true;
    std::vector<int> rows;
    for (int i = 0; i < 21; ++i)
        if (hit[i]) rows.push_back(i);
    return rows;
}

// A mask left by an earlier screening does not hide center stops in stop order 1,
// nor in stop order 0 without a split.
TEST(Decisions, StaleConflictMaskIsNotReadWithoutAScreening) {
    for (int stop_order : {0, 1}) {
        Viewer v;
        v.conditions(3, 2);
        v.pick_role(role_big);
        v.pick_table(0);  // leaves the mask at presses 1, 2, 17, 18
        ASSERT_EQ(v.panel.conflict_mask[1], 1);
        v.command(order_menu(stop_order));
        v.pick_role(role_big);
        v.stop_left_at(1);  // table 24 at once, no split
        ASSERT_EQ(v.state().split_pending, 0);
        ASSERT_EQ(v.state().slide_table, 24);
        EXPECT_EQ(v.rows_marked(reel_center, mark_reachable), every_stop(24)) << stop_order;
    }
}

// Center or right first: the mask of a BIG or REG screening hides no stop of a next
// role without press rules (no list, a table list, or one table at one coin).
TEST(Decisions, MaskOfAnEarlierScreeningHidesNoStopOfTheNextRole) {
    struct Next { int coins, role, table; };
    for (int order : {2, 3, 4, 5})
        for (int screened : {role_big, role_reg})
            for (Next next : {Next{3, role_miss, 32}, Next{3, role_cherry4, 18}, Next{1, role_big, 81}}) {
                SCOPED_TRACE(::testing::Message() << "order " << order << " screened " << screened << " next " << next.role);
                Viewer v;
                v.conditions(3, order);
                v.pick_role(screened);
                v.pick_table(0);
                ASSERT_FALSE(v.rows_greyed(order < 4 ? reel_center : reel_right).empty());
                if (next.coins != 3) v.command(bet_menu(next.coins));
                v.pick_role(next.role);
                if (next.role == role_miss) v.pick_table(0);
                ASSERT_EQ(v.state().slide_table, next.table);
                for (int reel = 0; reel < reel_count; ++reel)
                    EXPECT_EQ(v.rows_shown(reel), every_stop(next.table, reel)) << reel;
            }
}

// A role pick disables both Select buttons, also where the new role's columns are
// computed at once and no column is cleared.
TEST(Decisions, RolePickDisablesBothSelectButtons) {
    for (int order : {2, 4})
        for (int next : {role_big, role_miss, role_cherry4}) {
            Viewer v;
            v.conditions(3, order);
            v.pick_role(role_big);
            v.pick_table(0);
            v.click_stop(order == 2 ? reel_center : reel_right, 18);
            ASSERT_TRUE(v.enabled(order == 2 ? IDC_SELECT_CENTER : IDC_SELECT_RIGHT));
            v.pick_role(next);
            EXPECT_FALSE(v.enabled(IDC_SELECT_CENTER)) << order << " " << next;
            EXPECT_FALSE(v.enabled(IDC_SELECT_RIGHT)) << order << " " << next;
        }
}

// A one-table role picked with the center reel first gets no list and leaves
// pattern_mode as the left-first road set it. Select 101 (a forged command: the button
// is disabled) then has no picked entry to look up: the panel shows what it shows on a
// fresh panel, the 4-coin cherry's table 18 with every reachable stop.
TEST(Decisions, CenterSelectAfterLeavingPatternModeMatchesAFreshPanel) {
    for (int coins : {2, 3}) {
        SCOPED_TRACE(coins);
        Viewer stale, fresh;
        stale.pick_role(role_big);
        stale.stop_left_at(5);
        stale.pick_table(0);  // split (1), then the center press choice
        stale.command(bet_menu(coins));
        stale.command(order_menu(2));
        stale.pick_role(role_cherry4);
        ASSERT_EQ(stale.state().pattern_mode, 1);
        fresh.conditions(coins, 2);
        fresh.pick_role(role_cherry4);
        for (Viewer* v : {&stale, &fresh}) v->command(IDC_SELECT_CENTER);

        EXPECT_EQ(stale.state().slide_table, 18);
        EXPECT_EQ(stale.state().slide_table, fresh.state().slide_table);
        EXPECT_EQ(stale.state().pattern_code, fresh.state().pattern_code);
        EXPECT_EQ(stale.state().awaiting_stop, fresh.state().awaiting_stop);
        EXPECT_EQ(stale.panel.conflict_mask, fresh.panel.conflict_mask);
        for (int reel = 0; reel < reel_count; ++reel) {
            SCOPED_TRACE(reel);
            EXPECT_EQ(stale.shown_slides(reel), fresh.shown_slides(reel));
            EXPECT_EQ(stale.rows_shown(reel), fresh.rows_shown(reel));
            EXPECT_EQ(stale.rows_greyed(reel), fresh.rows_greyed(reel));
            EXPECT_EQ(stale.window(reel), fresh.window(reel));
            EXPECT_EQ(stale.rows_shown(reel), every_stop(18, reel));
        }
        for (int id : {IDC_SELECT_CENTER, IDC_SELECT_RIGHT, IDC_TABLE_COMBO, IDC_PATTERN_COMBO})
            EXPECT_EQ(stale.enabled(id), fresh.enabled(id)) << id;
        EXPECT_EQ(stale.combo_items(IDC_TABLE_COMBO), fresh.combo_items(IDC_TABLE_COMBO));
    }
}

// The ten-coin role's left stops that name one table put it in force without a
// chosen center stop, whatever the center radio held before.
TEST(Decisions, DirectTenCoinTablesMarkNoChosenCenterStop) {
    Viewer v;
    v.pick_role(role_ten_coin);
    v.stop_left_at(1);
    v.click_stop(reel_center, 19);  // composes four entries; stop_pos[1] now 19
    v.stop_left_at(5);              // table 73 at once
    EXPECT_EQ(v.state().slide_table, 73);
    EXPECT_TRUE(v.rows_marked(reel_center, mark_chosen).empty());
    const std::string blank = small_picture(symbol_blank);
    EXPECT_EQ(v.window(reel_center), (std::vector<std::string>{blank, blank, blank}));
    for (int row = 0; row < position_count; ++row) EXPECT_FALSE(v.checked(stop_radio_id(reel_center, row)));

    Viewer one;  // the ten-coin role at one coin takes its table from its record
    one.conditions(1, 0);
    one.command(stop_radio_id(reel_center, 12));
    one.pick_role(role_ten_coin);
    EXPECT_EQ(one.state().slide_table, 83);
    EXPECT_TRUE(one.rows_marked(reel_center, mark_chosen).empty());
}

// A role picked while a press choice is open does not mark a stop the user never picked.
TEST(Decisions, RolePickEndsAnOpenPressChoice) {
    Viewer v;
    v.conditions(3, 2);
    v.pick_role(role_big);
    v.pick_table(0);
    ASSERT_EQ(v.state().awaiting_stop, 1);
    v.pick_role(role_cherry4);
    EXPECT_EQ(v.state().awaiting_stop, 0);
    EXPECT_EQ(v.state().slide_table, 18);
    EXPECT_TRUE(v.rows_marked(reel_center, mark_chosen).empty());
    EXPECT_FALSE(v.rows_marked(reel_center, mark_reachable).empty());
}

// Select 102 after a ten-coin pick at stop order 1 offers the composed tables again.
TEST(Decisions, RightSelectInPatternModeComposesAgain) {
    Viewer v;
    v.conditions(3, 1);
    v.pick_role(role_ten_coin);
    v.stop_left_at(1);
    v.pick_table(2);
    ASSERT_EQ(v.state().slide_table, 67);
    const auto left_window = v.window(reel_left);
    v.click(IDC_SELECT_RIGHT);
    EXPECT_EQ(v.combo_items(IDC_TABLE_COMBO), (Items{"(1) 25%", "(2) 25%", "(3) 25%", "(4) 25%"}));
    EXPECT_TRUE(v.enabled(IDC_TABLE_COMBO));
    EXPECT_EQ(v.state().slide_table, 67);  // nothing new in force until a pick
    EXPECT_TRUE(v.checked(stop_radio_id(reel_left, 1)));
    EXPECT_EQ(v.window(reel_left), left_window);
    EXPECT_FALSE(v.rows_shown(reel_left).empty());
    EXPECT_TRUE(v.rows_shown(reel_center).empty());
    EXPECT_TRUE(v.rows_shown(reel_right).empty());
}

// A new left stop pattern withdraws the split offered for the previous left stop.
TEST(Decisions, PatternPickWithdrawsAnOpenSplitOffer) {
    Viewer v;
    v.pick_role(role_big);
    v.stop_left_at(0);
    ASSERT_EQ(v.combo_items(IDC_TABLE_COMBO).size(), 2u);
    v.pick_pattern(1);
    EXPECT_TRUE(v.combo_items(IDC_TABLE_COMBO).empty());
    EXPECT_FALSE(v.enabled(IDC_TABLE_COMBO));
    EXPECT_FALSE(v.enabled(IDC_TABLE_LABEL));
}

// While the ten-coin composition offers entries the center press choice stays live.
TEST(Decisions, TenCoinPressChoiceStaysOpenWhileEntriesAreOffered) {
    Viewer v;
    v.pick_role(role_ten_coin);
    v.stop_left_at(1);
    v.click_stop(reel_center, 19);
    EXPECT_EQ(v.state().awaiting_stop, 1);
    EXPECT_EQ(v.rows_shown(reel_center).size(), 21u);
    EXPECT_FALSE(v.enabled(IDC_SELECT_CENTER));
    const std::string blank = small_picture(symbol_blank);
    EXPECT_EQ(v.window(reel_center), (std::vector<std::string>{blank, blank, blank}));

    v.click_stop(reel_center, 9);  // another press composes again: {67, 69} at left stop 1
    EXPECT_EQ(v.combo_items(IDC_TABLE_COMBO), (Items{"(1) 50%", "(2) 50%"}));
    EXPECT_EQ(v.panel.ten_coin.codes[0], 67);
    EXPECT_EQ(v.panel.ten_coin.codes[1], 69);
    EXPECT_EQ(v.window(reel_center), (std::vector<std::string>{blank, blank, blank}));
}

// Forged commands and typed texts never read outside a table.
TEST(Robustness, ForgedTextsAndCommandsStayInRange) {
    Viewer v;
    v.conditions(3, 2);
    v.pick_role(role_big);
    v.forge_pick(IDC_TABLE_COMBO, "(9) 25%");  // beyond the four entries
    EXPECT_EQ(v.state().table_choice, 8);
    EXPECT_TRUE(v.model.messages().empty());
    v.forge_pick(IDC_TABLE_COMBO, "(-1) 25%");  // no entry number: the table message
    EXPECT_EQ(v.state().table_choice, -1);
    EXPECT_EQ(v.model.messages().back().text, message_no_table);
    v.forge_pick(IDC_TABLE_COMBO, "(0)");
    EXPECT_EQ(v.state().table_choice, -1);

    // A role that the bet does not offer, typed into the role combo.
    Viewer w;
    w.conditions(1, 2);
    w.forge_pick(IDC_ROLE_COMBO, role_names[role_cherry4]);
    EXPECT_EQ(w.state().role, role_cherry4);

    // Table picks and Select buttons with no role at all.
    Viewer x;
    x.forge_pick(IDC_TABLE_COMBO, "(1) 50%");
    x.command(IDC_SELECT_CENTER);
    x.command(IDC_SELECT_RIGHT);
    EXPECT_EQ(x.state().role, -1);

    // The ten-coin role at a left stop it never rests at (no weight scheme): nothing is composed.
    Viewer t;
    t.pick_role(role_ten_coin);
    t.pick_pattern(0);
    t.command(stop_radio_id(reel_left, 6));  // a hidden radio, reached only by a forged command
    EXPECT_EQ(t.state().awaiting_stop, 1);
    t.command(stop_radio_id(reel_center, 4));
    EXPECT_TRUE(t.combo_items(IDC_TABLE_COMBO).empty());
    EXPECT_EQ(t.panel.ten_coin.codes[0], 0);

    // Every forged radio of every reel, in every stop order, with a controlled role.
    for (int order = 0; order < 6; ++order) {
        Viewer r;
        r.conditions(3, order);
        r.pick_role(role_reg);
        if (order < 2) r.pick_pattern(0); else r.pick_table(0);
        for (int reel = 0; reel < reel_count; ++reel)
            for (int row = 0; row < position_count; ++row) {
                r.command(stop_radio_id(reel, row));
                const PanelState& s = r.state();
                EXPECT_GE(s.slide_table, 0);
                EXPECT_LE(s.slide_table, slide_table_count);
                EXPECT_GE(s.stop_pos[reel], 0);
                EXPECT_LE(s.stop_pos[reel], 20);
            }
    }
}

}  // namespace
}  // namespace reelctl::testing
