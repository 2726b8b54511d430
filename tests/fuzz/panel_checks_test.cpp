// The panel rules that the walk and the fuzz targets rely on: they hold on
// real roads, and each kind of broken display or state is caught.
#include <gtest/gtest.h>

#include <string>

#include "app/dialog.h"
#include "machine/roles.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "tests/fuzz/json_check.h"
#include "tools/walk/driven_probe.h"
#include "tools/walk/panel_checks.h"

namespace reelctl::check {
namespace {

using script::UserResult;

// A panel on the probe dialog, driven as the walk drives it.
struct Road final : probe::DrivenProbe {
    Context context;
    PickWatch watch;
    std::string watch_failure;

    Road() { start(); }

    void command(int id, int code = notify_clicked) override {
        note_command(context, probe, id, code);
        watch.before(panel, id, code);
        dialog_procedure(panel, msg_command, command_param(id, code), 0);
        Failure failure;
        if (!watch.after(panel, probe, context, failure) && watch_failure.empty()) watch_failure = failure.what;
    }
    void click(int id) { ASSERT_TRUE(user_click(id)) << id; }
    void pick(int combo, int item) { ASSERT_TRUE(user_pick(combo, static_cast<std::size_t>(item))) << combo; }
    void pick_role(int role) {
        for (int item = 0; item < probe.item_count(IDC_ROLE_COMBO); ++item)
            if (probe.item(IDC_ROLE_COMBO, item) == role_names[role]) return pick(IDC_ROLE_COMBO, item);
        FAIL() << "role " << role << " not offered";
    }
    std::string broken() {
        Failure failure;
        return check_panel(panel, probe, context, failure) ? std::string() : std::string(failure.what);
    }
};

// BIG BONUS, center reel first, table (1), center press 19: the columns computed with a chosen center stop.
void big_center_first(Road& r) {
    r.command(IDM_ORDER_FIRST + 2);
    r.pick_role(role_big);
    r.pick(IDC_TABLE_COMBO, 0);
    r.click(stop_radio_id(reel_center, 18));
}

TEST(PanelChecks, HoldOnARoadAndCatchABrokenDisplay) {
    Road r;
    big_center_first(r);
    ASSERT_EQ(r.broken(), "");
    ASSERT_EQ(r.watch_failure, "");
    const int chosen = r.panel.state.stop_pos[reel_center];
    ASSERT_EQ(r.panel.columns[reel_center][chosen].mark, mark_chosen);

    probe::Snapshot good;
    probe::save(r.panel, r.probe, good);

    r.probe.show(stop_radio_id(reel_right, 0), !r.probe.visible(stop_radio_id(reel_right, 0)));
    EXPECT_NE(r.broken().find("reel 2 row 0: radio shown"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);

    r.probe.set_image(window_static_id(reel_center, 1), r.panel.symbol_bitmaps[symbol_blank]);
    EXPECT_NE(r.broken().find("window does not show"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);

    r.probe.check(stop_radio_id(reel_center, chosen), false);
    EXPECT_NE(r.broken().find("no stop checked but the window is not blank"), std::string::npos) << r.broken();
    for (int line = 0; line < 3; ++line) r.probe.set_image(window_static_id(reel_center, line), r.panel.symbol_bitmaps[symbol_blank]);
    EXPECT_NE(r.broken().find("chosen stop " + std::to_string(chosen) + " without a checked radio"), std::string::npos)
        << r.broken();
    probe::restore(r.panel, r.probe, good);

    r.panel.state.awaiting_stop = 1;
    EXPECT_NE(r.broken().find("awaiting_stop 1 while no press choice"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);

    r.probe.set_text(slide_edit_id(reel_left, 4), " ");
    EXPECT_NE(r.broken().find("blank rows"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);

    r.probe.menu_check(IDM_BET_1, true);
    EXPECT_NE(r.broken().find("menu item"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);
    EXPECT_EQ(r.broken(), "");
}

TEST(PanelChecks, RangesHoldWhateverArrives) {
    Road r;
    big_center_first(r);
    probe::Snapshot good;
    probe::save(r.panel, r.probe, good);

    r.panel.columns[reel_center][3].slide = 5;
    EXPECT_NE(r.broken().find("slide 5"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);

    int reachable = 0, unreachable = 0;
    for (int row = 0; row < position_count; ++row)
        (r.panel.columns[reel_left][row].mark != mark_none ? reachable : unreachable) = row;
    r.panel.columns[reel_left][reachable].mark = mark_chosen;
    EXPECT_NE(r.broken().find("left column carries a chosen stop"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);

    r.panel.columns[reel_left][unreachable].mark = mark_reachable;
    EXPECT_NE(r.broken().find("marked but no press comes to rest there"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);

    // A forged command lifts the display rules, never the ranges.
    r.context.user_only = false;
    r.panel.state.stop_pos[reel_right] = 21;
    EXPECT_NE(r.broken().find("stop_pos[2] 21"), std::string::npos) << r.broken();
    probe::restore(r.panel, r.probe, good);

    r.panel.ten_coin.codes = {74, 76, 0, 0};
    r.panel.ten_coin.weights = {500, 250, 0, 0};
    EXPECT_NE(r.broken().find("weights add up to 750"), std::string::npos) << r.broken();
}

// table_choice names an entry that was offered; a typed text may carry any two digits.
TEST(PanelChecks, TableChoiceAgainstTheEntriesOffered) {
    Road r;
    big_center_first(r);
    EXPECT_EQ(r.context.entries_at_pick, 4);
    r.panel.state.table_choice = 4;
    EXPECT_NE(r.broken().find("table_choice 4 names no entry (4 offered)"), std::string::npos) << r.broken();

    Road forged;
    forged.command(IDM_ORDER_FIRST + 2);
    forged.pick_role(role_big);
    forged.probe.type_text(IDC_TABLE_COMBO, "(99) 25%");
    forged.command(IDC_TABLE_COMBO, notify_selendok);
    EXPECT_FALSE(forged.context.user_only);
    EXPECT_EQ(forged.panel.state.table_choice, forged_choice_limit);
    EXPECT_EQ(forged.broken(), "");
}

TEST(PanelChecks, ForgedCommandsAreToldFromTheUsersOwn) {
    Road r;
    // At start: the left radios hidden, the Select buttons and the choice combos disabled.
    EXPECT_TRUE(forged_command(r.probe, stop_radio_id(reel_left, 3), notify_clicked));
    EXPECT_TRUE(forged_command(r.probe, IDC_SELECT_CENTER, notify_clicked));
    EXPECT_TRUE(forged_command(r.probe, IDC_TABLE_COMBO, notify_selendok));
    EXPECT_FALSE(forged_command(r.probe, IDC_TABLE_COMBO, 1));  // only a completed choice acts
    EXPECT_FALSE(forged_command(r.probe, IDM_BET_2, 0));
    EXPECT_FALSE(forged_command(r.probe, 2, 0));
    // The role combo is enabled: a text that is one of its items is a pick, any other text is not.
    r.probe.type_text(IDC_ROLE_COMBO, role_names[role_big]);
    EXPECT_FALSE(forged_command(r.probe, IDC_ROLE_COMBO, notify_selendok));
    r.probe.type_text(IDC_ROLE_COMBO, "BIG");
    EXPECT_TRUE(forged_command(r.probe, IDC_ROLE_COMBO, notify_selendok));
}

// A chosen stop that no press pick brought is caught, as is a press pick that chose no stop.
TEST(PanelChecks, PickWatchFollowsChosenStops) {
    Road r;
    r.command(IDM_ORDER_FIRST + 2);
    r.pick_role(role_big);
    r.pick(IDC_TABLE_COMBO, 0);
    ASSERT_EQ(r.panel.state.awaiting_stop, 1);

    PickWatch watch;
    Failure failure;
    watch.before(r.panel, IDC_SELECT_CENTER, notify_clicked);
    r.panel.columns[reel_right][6].mark = mark_chosen;
    EXPECT_FALSE(watch.after(r.panel, r.probe, r.context, failure));
    EXPECT_NE(std::string(failure.what).find("no press pick brought"), std::string::npos) << failure.what;

    r.panel.columns[reel_right][6].mark = mark_none;
    watch.before(r.panel, stop_radio_id(reel_center, 18), notify_clicked);
    r.panel.state.awaiting_stop = 0;  // as if the press had been taken without computing its stop
    failure = {};
    EXPECT_FALSE(watch.after(r.panel, r.probe, r.context, failure));
    EXPECT_NE(std::string(failure.what).find("should stop at row"), std::string::npos) << failure.what;
}

TEST(ProbePanel, UserActionsFollowTheDialogsRules) {
    Road r;
    EXPECT_EQ(script::user_click(r, stop_radio_id(reel_left, 0)), UserResult::hidden);
    EXPECT_EQ(script::user_click(r, IDC_SELECT_RIGHT), UserResult::disabled);
    EXPECT_EQ(script::user_click(r, IDC_ROLE_COMBO), UserResult::not_applicable);
    EXPECT_EQ(script::user_pick(r, IDC_TABLE_COMBO, 0), UserResult::disabled);
    EXPECT_EQ(script::user_pick(r, IDC_ROLE_COMBO, 11), UserResult::no_item);
    EXPECT_EQ(r.probe.item_count(IDC_ROLE_COMBO), 11);
    // The logic reads at most size - 1 bytes of a typed text.
    r.probe.type_text(IDC_ROLE_COMBO, std::string(80, 'x'));
    char text[64];
    r.probe.combo_text(IDC_ROLE_COMBO, text, sizeof text);
    EXPECT_EQ(std::string(text), std::string(63, 'x'));
}

TEST(ProbePanel, ASnapshotPutsPanelAndDialogBack) {
    Road r;
    probe::Snapshot start;
    probe::save(r.panel, r.probe, start);
    big_center_first(r);
    ASSERT_EQ(r.panel.state.slide_table, 35);
    probe::restore(r.panel, r.probe, start);
    EXPECT_EQ(r.panel.state.role, -1);
    EXPECT_EQ(r.panel.state.slide_table, 0);
    EXPECT_FALSE(r.probe.visible(stop_radio_id(reel_center, 2)));
    EXPECT_FALSE(r.probe.enabled(IDC_TABLE_COMBO));
    big_center_first(r);  // the same road again from the restored start
    EXPECT_EQ(r.panel.state.slide_table, 35);
    EXPECT_EQ(r.broken(), "");
}

TEST(JsonCheck, OneValueInValidUtf8) {
    EXPECT_TRUE(fuzz::JsonCheck::valid(R"({"dump": {"a": [1, -2.5e3, true, null, "\u00e9\n"]}})"));
    EXPECT_TRUE(fuzz::JsonCheck::valid("\"\xE3\x83\xAA\""));  // a three-byte character
    EXPECT_FALSE(fuzz::JsonCheck::valid("\"\xCA\xDF\xC0\xB0\xDD\""));  // code page 932 bytes, not UTF-8
    EXPECT_FALSE(fuzz::JsonCheck::valid("\"\xC0\xAF\""));     // an overlong form
    EXPECT_FALSE(fuzz::JsonCheck::valid("{\"a\": 1} {}"));
    EXPECT_FALSE(fuzz::JsonCheck::valid("[1, 2,]"));
    EXPECT_FALSE(fuzz::JsonCheck::valid("\"tab\there\""));
}

}  // namespace
}  // namespace reelctl::check
