// The command dispatcher: combo picks, stop radios, Select buttons, and what
// they leave on the panel.

#include "app/dispatcher.h"
#include "app/table_entries.h"
#include "machine/roles.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

using Items = std::vector<std::string>;

TEST(ParseChoiceNumber, ReadsOneOrTwoDigitsAfterTheParenthesis) {
    EXPECT_EQ(parse_table_entry_number("(1) 25%"), 1);
    EXPECT_EQ(parse_table_entry_number("(3) 12.5%"), 3);
    EXPECT_EQ(parse_table_entry_number("(10) 12.5%"), 10);
    EXPECT_EQ(parse_table_entry_number(""), 0);
    EXPECT_EQ(parse_table_entry_number("("), 0);
    EXPECT_EQ(parse_table_entry_number("(x) 50%"), 0);
    EXPECT_EQ(parse_table_entry_number("( 7)"), 7);
    EXPECT_EQ(parse_table_entry_number("(-1)"), -1);
    EXPECT_EQ(parse_table_entry_number("x12345"), 12);
}

TEST(RolePick, ChoiceListsFollowKindCountAndStopOrder) {
    Viewer v;  // three coins, left first: controlled roles get the pattern list
    v.pick_role(role_big);
    EXPECT_EQ(v.combo_items(IDC_PATTERN_COMBO),
              (Items{left_pattern_names[0], left_pattern_names[1], left_pattern_names[2]}));
    EXPECT_TRUE(v.combo_items(IDC_TABLE_COMBO).empty());
    EXPECT_TRUE(v.enabled(IDC_PATTERN_COMBO));
    EXPECT_TRUE(v.enabled(IDC_PATTERN_LABEL));
    EXPECT_FALSE(v.enabled(IDC_TABLE_COMBO));
    EXPECT_EQ(v.model.focused_control(), IDC_PATTERN_COMBO);

    v.command(order_menu(3));
    v.pick_role(role_big);
    EXPECT_EQ(v.combo_items(IDC_TABLE_COMBO), (Items{"(1) 25%", "(2) 25%", "(3) 25%", "(4) 25%"}));
    EXPECT_EQ(v.state().pattern_mode, 0);
    EXPECT_EQ(v.model.focused_control(), IDC_TABLE_COMBO);

    v.pick_role(role_ten_coin);
    const Items ten = v.combo_items(IDC_TABLE_COMBO);
    ASSERT_EQ(ten.size(), 10u);
    EXPECT_EQ(ten[9], "(10) 12.5%");
    v.pick_table(9);
    EXPECT_EQ(v.state().table_choice, 9);

    v.command(bet_menu(2));
    v.pick_role(role_ten_coin);
    EXPECT_EQ(v.combo_items(IDC_TABLE_COMBO), (Items{"(1) 37.5%", "(2) 6.25%", "(3) 6.25%", "(4) 37.5%", "(5) 6.25%", "(6) 6.25%"}));

    for (int order = 0; order < 6; ++order) {  // the miss offers its eight tables everywhere
        Viewer m;
        m.conditions(order % 3 + 1, order);
        m.pick_role(role_miss);
        EXPECT_EQ(m.combo_items(IDC_TABLE_COMBO).size(), 8u);
        EXPECT_EQ(m.combo_items(IDC_TABLE_COMBO)[7], "(8) 12.5%");
        EXPECT_TRUE(m.enabled(IDC_TABLE_LABEL));
    }
}

TEST(RolePick, OneUncontrolledTableIsComputedAtOnce) {
    Viewer v;
    v.conditions(1, 0);
    v.pick_role(role_replay);  // one table, uncontrolled at one coin
    EXPECT_EQ(v.state().slide_table, 1);
    EXPECT_FALSE(v.enabled(IDC_TABLE_COMBO));
    EXPECT_FALSE(v.enabled(IDC_PATTERN_COMBO));
    EXPECT_EQ(v.state().pattern_mode, 0);
    for (int reel = 0; reel < reel_count; ++reel) EXPECT_FALSE(v.rows_shown(reel).empty()) << reel;

    Viewer w;  // a two-table uncontrolled role gets the table list even with the left reel first
    w.conditions(1, 0);
    w.pick_role(role_cherry2);
    EXPECT_EQ(w.combo_items(IDC_TABLE_COMBO), (Items{"(1) 50%", "(2) 50%"}));

    Viewer x;  // one table, controlled, center first: computed at once
    x.conditions(2, 2);
    x.pick_role(role_cherry4);
    EXPECT_EQ(x.state().slide_table, 18);
    EXPECT_FALSE(x.enabled(IDC_TABLE_COMBO));
}

TEST(RolePick, PickingTheSameRoleAgainStartsOver) {
    Viewer v;
    v.pick_role(role_big);
    v.pick_pattern(0);
    v.click_stop(reel_left, 5);
    v.pick_role(role_big);
    EXPECT_EQ(v.state().left_pattern, -1);
    EXPECT_EQ(v.state().table_choice, -1);
    EXPECT_TRUE(v.rows_shown(reel_left).empty());
    EXPECT_TRUE(v.combo_items(IDC_TABLE_COMBO).empty());
}

TEST(StopRadios, OutsideThePressChoiceAClickOnlyDrawsTheWindow) {
    Viewer v;
    v.conditions(3, 2);
    v.pick_role(role_replay);
    v.pick_table(0);
    const auto columns = v.panel.columns;
    const PanelState before = v.state();
    const int center_row = v.rows_shown(reel_center).front();
    v.click_stop(reel_center, center_row);
    EXPECT_EQ(v.state().stop_pos[1], center_row);
    EXPECT_EQ(v.window(reel_center)[0], small_picture(reel_strips[reel_center][center_row]));
    EXPECT_EQ(v.state().slide_table, before.slide_table);
    for (int reel = 0; reel < reel_count; ++reel)
        for (int row = 0; row < position_count; ++row) EXPECT_EQ(v.panel.columns[reel][row].mark, columns[reel][row].mark);

    // A left radio when the left reel is not first, or the role uncontrolled, only draws too.
    const int left_row = v.rows_shown(reel_left).back();
    v.click_stop(reel_left, left_row);
    EXPECT_EQ(v.window(reel_left)[2], small_picture(reel_strips[reel_left][left_row + 2]));
    EXPECT_EQ(v.state().table_choice, 0);
    EXPECT_EQ(v.state().split_pending, 0);
}

TEST(StopRadios, WindowWrapsAtTheLastStop) {
    Viewer v;
    v.conditions(1, 2);
    v.pick_role(role_replay);
    v.command(stop_radio_id(reel_left, 20));
    EXPECT_EQ(v.window(reel_left), (std::vector<std::string>{"VSMS", "VSBS", "VSOS"}));  // moon, bell, orange
    v.command(stop_radio_id(reel_left, 0));
    EXPECT_EQ(v.window(reel_left), (std::vector<std::string>{"VSBS", "VSOS", "VSRS"}));  // bell, orange, bar
    v.command(stop_radio_id(reel_right, 19));
    EXPECT_EQ(v.window(reel_right), (std::vector<std::string>{"VSOS", "VSBS", "VSMS"}));  // orange, bell, moon
    for (int reel = 0; reel < reel_count; ++reel) {
        v.command(stop_radio_id(reel, 18));
        EXPECT_EQ(v.window(reel)[0], "VS7S") << reel;
    }
}

TEST(Combos, OnlyACompletedChoiceActs) {
    Viewer v;
    v.model.select_item(IDC_ROLE_COMBO, 0);  // chosen, not yet completed
    for (int code : {1, 3, 4, 7, 8, 10}) EXPECT_EQ(v.command(IDC_ROLE_COMBO, code), 1) << code;
    EXPECT_EQ(v.state().role, -1);
    EXPECT_TRUE(v.model.messages().empty());
    EXPECT_EQ(v.command(IDC_ROLE_COMBO, notify_selendok), 1);
    EXPECT_EQ(v.state().role, role_big);
    // Radios and Select buttons leave the message to the dialog manager.
    EXPECT_EQ(v.command(IDC_SELECT_CENTER), 0);
    EXPECT_EQ(v.command(stop_radio_id(reel_right, 4)), 0);
}

TEST(Combos, UnmatchedTextsComplainAndChangeNothingElse) {
    Viewer v;
    v.conditions(3, 2);
    v.pick_role(role_big);
    v.pick_table(1);
    v.click_stop(reel_center, 6);
    const auto columns = v.panel.columns;

    v.forge_pick(IDC_TABLE_COMBO, "no number");
    ASSERT_EQ(v.model.messages().size(), 1u);
    EXPECT_EQ(v.model.messages()[0].text, message_no_table);
    EXPECT_EQ(v.model.messages()[0].caption, message_caption);
    EXPECT_EQ(v.state().table_choice, -1);
    EXPECT_EQ(v.model.focused_control(), IDC_TABLE_COMBO);

    v.forge_pick(IDC_ROLE_COMBO, "BIG");
    EXPECT_EQ(v.model.messages().back().text, message_no_role);
    EXPECT_EQ(v.state().role, -1);
    EXPECT_EQ(v.model.focused_control(), IDC_ROLE_COMBO);

    v.forge_pick(IDC_PATTERN_COMBO, "");
    EXPECT_EQ(v.model.messages().back().text, message_no_pattern);
    EXPECT_EQ(v.state().left_pattern, -1);
    // The pattern combo is disabled with the center reel first: the focus stays where the box left it.
    EXPECT_EQ(v.model.focused_control(), IDC_ROLE_COMBO);

    for (int reel = 0; reel < reel_count; ++reel)
        for (int row = 0; row < position_count; ++row) EXPECT_EQ(v.panel.columns[reel][row].mark, columns[reel][row].mark);
    EXPECT_TRUE(v.checked(stop_radio_id(reel_center, v.state().stop_pos[1])));
}

TEST(SelectButtons, RightSelectStartsTheRightPressChoiceAgain) {
    Viewer v;
    v.conditions(3, 4);
    v.pick_role(role_big);
    v.pick_table(0);
    v.click_stop(reel_right, 18);
    ASSERT_EQ(v.state().slide_table, 35);
    v.click(IDC_SELECT_RIGHT);
    EXPECT_EQ(v.state().pattern_code, 0x20);
    EXPECT_EQ(v.state().slide_table, 34);
    EXPECT_EQ(v.state().awaiting_stop, 1);
    EXPECT_EQ(v.rows_greyed(reel_right), (std::vector<int>{1, 2, 17, 18}));
    EXPECT_TRUE(v.rows_shown(reel_left).empty());
    EXPECT_FALSE(v.enabled(IDC_SELECT_RIGHT));
}

TEST(SelectButtons, CenterSelectOutsidePatternModeRestoresThePickedTable) {
    Viewer v;
    v.conditions(3, 2);
    v.pick_role(role_big);
    v.pick_table(0);
    v.click(1240);
    v.click(IDC_SELECT_CENTER);
    EXPECT_EQ(v.state().pattern_code, 0x20);
    EXPECT_EQ(v.state().slide_table, 34);
    EXPECT_EQ(v.state().awaiting_stop, 1);
    EXPECT_EQ(v.rows_greyed(reel_center), (std::vector<int>{1, 2, 17, 18}));
    EXPECT_TRUE(v.rows_shown(reel_left).empty());
}

}  // namespace
}  // namespace reelctl::testing
