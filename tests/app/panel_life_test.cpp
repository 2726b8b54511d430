// Panel start, the condition menu, help and close.

#include <cstring>

#include "app/panel_start.h"
#include "machine/roles.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

std::string cp932(const char* bytes) { return bytes; }

TEST(PanelStart, FirstTitleLayoutAndDefaults) {
    Viewer v;
    // "Vostrelの リール制御 [ ３枚掛 左→中→右 ]" in code page 932.
    EXPECT_EQ(v.model.caption_text(),
              cp932("Vostrel\x82\xcc \x83\x8a\x81\x5b\x83\x8b\x90\xa7\x8c\xe4 [ \x82\x52\x96\x87\x8a\x7c "
                    "\x8d\xb6\x81\xa8\x92\x86\x81\xa8\x89\x45 ]"));
    const PanelState& s = v.state();
    EXPECT_EQ(s.bet, 2);
    EXPECT_EQ(s.stop_order, 0);
    EXPECT_EQ(s.role, -1);
    EXPECT_EQ(s.layout_variant, 0);
    EXPECT_EQ(v.model.checked_menu_items(), (std::vector<int>{IDM_BET_3, IDM_ORDER_FIRST}));
    EXPECT_EQ(v.model.focused_control(), IDC_CLOSE);
    EXPECT_EQ(v.control(strip_static_id(reel_left)).image, "VSSL");
    EXPECT_EQ(v.control(strip_static_id(reel_right)).image, "VSSR");
    EXPECT_EQ(v.window(reel_center), (std::vector<std::string>{"VSSP", "VSSP", "VSSP"}));
    EXPECT_EQ(v.combo_items(IDC_ROLE_COMBO).size(), 11u);
    EXPECT_EQ(v.combo_items(IDC_ROLE_COMBO).front(), role_names[role_big]);
    EXPECT_EQ(v.combo_items(IDC_ROLE_COMBO).back(), role_names[role_miss]);
    for (int id : {IDC_TABLE_COMBO, IDC_PATTERN_COMBO, IDC_TABLE_LABEL, IDC_PATTERN_LABEL, IDC_SELECT_CENTER, IDC_SELECT_RIGHT})
        EXPECT_FALSE(v.enabled(id)) << id;
    EXPECT_TRUE(v.rows_shown(reel_left).empty());
}

TEST(PanelStart, AnyOtherRowDistanceLoadsTheLargeSet) {
    for (int pixels : {30, 23, 25}) {
        Viewer v(ModelOptions{pixels, false});
        EXPECT_EQ(v.state().layout_variant, 1) << pixels;
        EXPECT_EQ(v.control(strip_static_id(reel_center)).image, "VSMC");
        EXPECT_EQ(v.window(reel_left), (std::vector<std::string>{"VSMP", "VSMP", "VSMP"}));
    }
}

TEST(Conditions, OneCoinOffersEightRolesInListOrder) {
    Viewer v;
    v.command(bet_menu(1));
    std::vector<std::string> expected;
    for (int role : {role_big, role_big_cherry2, role_reg, role_reg_cherry2, role_replay, role_cherry2, role_ten_coin,
                     role_miss})
        expected.push_back(role_names[role]);
    EXPECT_EQ(v.combo_items(IDC_ROLE_COMBO), expected);
    EXPECT_EQ(v.model.checked_menu_items(), (std::vector<int>{IDM_BET_1, IDM_ORDER_FIRST}));
    EXPECT_EQ(v.model.focused_control(), IDC_ROLE_COMBO);
}

TEST(Conditions, AnyChangeRestartsTheRoleSelection) {
    Viewer v;
    v.command(order_menu(2));
    v.pick_role(role_big);
    v.pick_table(0);
    ASSERT_EQ(v.state().awaiting_stop, 1);
    v.command(order_menu(2));  // the order already checked
    const PanelState& s = v.state();
    EXPECT_EQ(s.role, -1);
    EXPECT_EQ(s.table_choice, -1);
    EXPECT_EQ(s.left_pattern, -1);
    EXPECT_EQ(s.awaiting_stop, 0);
    EXPECT_TRUE(v.rows_shown(reel_center).empty());
    EXPECT_TRUE(v.combo_items(IDC_TABLE_COMBO).empty());
    EXPECT_FALSE(v.enabled(IDC_TABLE_COMBO));
    EXPECT_EQ(v.model.checked_menu_items(), (std::vector<int>{IDM_BET_3, order_menu(2)}));
    // The greyed rows of the press choice are enabled again by the clear.
    EXPECT_TRUE(v.rows_greyed(reel_center).empty());
}

TEST(Conditions, HelpOpensTheHelpFileAndChangesNothing) {
    Viewer v;
    v.pick_role(role_big);
    const PanelState before = v.state();
    EXPECT_EQ(v.command(IDM_HELP), 0);
    ASSERT_EQ(v.model.help_calls().size(), 1u);
    EXPECT_EQ(v.model.help_calls()[0].file, "VSG.HLP");
    EXPECT_EQ(v.model.help_calls()[0].context, 2u);
    EXPECT_EQ(std::memcmp(&before, &v.state(), sizeof before), 0);
}

TEST(Close, EveryClosePathWritesTheNoticeOnce) {
    const std::string notice = std::string("\x01\x00\x01\x01", 4) + std::string(28, '\0');
    for (int path = 0; path < 2; ++path) {
        Viewer v(ModelOptions{24, true});
        const std::intptr_t result = path == 0 ? v.command(IDC_CLOSE) : v.syscommand(syscommand_close);
        EXPECT_EQ(result, 1);
        EXPECT_EQ(v.model.end_value(), 1);
        EXPECT_EQ(v.model.companion_received(), notice);
        EXPECT_EQ(v.model.live_bitmap_count(), 0);
        EXPECT_EQ(v.model.open_mailslot_count(), 0);
    }
}

TEST(Close, WithoutCompanionTheProgramEndsQuietly) {
    Viewer v;
    v.command(IDC_CLOSE);
    EXPECT_EQ(v.model.end_value(), 1);
    EXPECT_FALSE(v.model.companion_received().has_value());
    EXPECT_TRUE(v.model.messages().empty());
}

TEST(DialogProcedure, EscapeOtherSyscommandsAndUnknownIdsDoNothing) {
    Viewer v(ModelOptions{24, true});
    EXPECT_EQ(v.command(2), 0);  // Escape
    EXPECT_EQ(v.command(9999), 0);
    EXPECT_EQ(v.syscommand(0xF020), 0);  // minimise
    EXPECT_EQ(v.syscommand(0xF061), 0);  // not exactly SC_CLOSE
    EXPECT_FALSE(v.model.end_value().has_value());
    EXPECT_FALSE(v.model.companion_received().has_value());
    EXPECT_EQ(dialog_procedure(v.panel, 0x000F, 0, 0), 0);  // WM_PAINT
    EXPECT_EQ(dialog_procedure(v.panel, msg_setfocus, 0, 0), 0);
    EXPECT_EQ(v.model.focused_control(), IDC_ROLE_COMBO);
}

}  // namespace
}  // namespace reelctl::testing
