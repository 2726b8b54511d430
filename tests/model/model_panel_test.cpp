#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "frontends/model/model_panel.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "panel/messages.h"
#include "script/model_host.h"
#include "script/tracing_panel.h"
#include "script/user.h"

namespace reelctl {
namespace {

using script::UserResult;

// The names of the calls in trace lines {"call": NAME, ...}.
std::vector<std::string> call_names(const std::string& trace) {
    std::vector<std::string> names;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) names.push_back(line.substr(10, line.find('"', 10) - 10));
    return names;
}

class ModelPanelTest : public ::testing::Test {
protected:
    ModelPanelTest() { tracer.print_to(&trace); }

    std::string read_combo(int id, std::size_t size) {
        std::vector<char> buffer(size, '#');
        model.combo_text(id, buffer.data(), buffer.size());
        EXPECT_NE(std::memchr(buffer.data(), '\0', buffer.size()), nullptr);
        return buffer.data();
    }

    ModelPanel model;
    script::TracingPanel tracer{model, model};
    std::ostringstream trace;
};

TEST_F(ModelPanelTest, StartsAsTheTemplate) {
    EXPECT_EQ(model.caption_text(), std::string(initial_caption));
    EXPECT_EQ(model.checked_menu_items(), (std::vector<int>{IDM_BET_3, IDM_ORDER_FIRST}));
    EXPECT_FALSE(model.focused_control());
    EXPECT_FALSE(model.end_value());
    EXPECT_EQ(model.controls().size(), 147u);  // 146 shown in a dump and the spare edit box

    EXPECT_TRUE(model.control(IDC_CLOSE)->enabled);
    for (int id : {IDC_SELECT_CENTER, IDC_SELECT_RIGHT, IDC_TABLE_COMBO, IDC_PATTERN_COMBO, IDC_TABLE_LABEL,
                   IDC_PATTERN_LABEL})
        EXPECT_FALSE(model.control(id)->enabled) << id;
    EXPECT_TRUE(model.control(IDC_ROLE_COMBO)->enabled);
    EXPECT_FALSE(model.control(IDC_SPARE_EDIT)->visible);
    for (int reel = 0; reel < 3; ++reel) {
        EXPECT_EQ(model.control(strip_static_id(reel))->image, std::string(strip_bitmap_names[0][reel]));
        EXPECT_EQ(model.control(window_static_id(reel, 2))->image, std::string("VSSP"));
        EXPECT_EQ(model.control(slide_edit_id(reel, 20))->text, "");
        EXPECT_FALSE(model.control(stop_radio_id(reel, 0))->visible);
    }
    EXPECT_EQ(model.control(1000), nullptr);
    EXPECT_EQ(model.control(1143), nullptr);
}

TEST(ModelPanelLayout, RowDistanceIsTheConfiguredPixels) {
    for (int pixels : {24, 30, 25, 0, -7}) {
        ModelPanel model(ModelOptions{pixels, false});
        EXPECT_EQ(model.control_top(slide_edit_id(0, 0)) - model.control_top(slide_edit_id(0, 1)), pixels);
    }
    ModelPanel model;
    EXPECT_LT(model.control_top(slide_edit_id(0, 20)), model.control_top(slide_edit_id(0, 0)));  // row 21 on top
}

TEST_F(ModelPanelTest, EveryChangeIsTracedReadsAreNot) {
    char buffer[64];
    tracer.combo_text(IDC_ROLE_COMBO, buffer, sizeof buffer);
    tracer.control_top(slide_edit_id(0, 0));
    EXPECT_EQ(trace.str(), "");

    tracer.enable(4242, true);                         // no such control
    tracer.check(slide_edit_id(0, 0), true);           // not a button: nothing changes
    tracer.show(stop_radio_id(0, 0), false);           // already hidden
    tracer.menu_check(IDM_HELP, true);                 // not in the first popup
    tracer.delete_bitmap(0);
    tracer.mailslot_close(invalid_mailslot);
    EXPECT_EQ(call_names(trace.str()), (std::vector<std::string>{"enable", "check", "show", "menu_check",
                                                                 "delete_bitmap", "mailslot_close"}));
    EXPECT_FALSE(model.control(slide_edit_id(0, 0))->checked);
    EXPECT_FALSE(model.menu_item_checked(IDM_HELP));
}

TEST_F(ModelPanelTest, CheckRadioUnchecksTheRestOfTheRunOnly) {
    const int first = stop_radio_id(1, 0), last = stop_radio_id(1, 20);
    model.check(first, true);
    model.check(stop_radio_id(2, 0), true);
    model.check_radio(first, last, stop_radio_id(1, 18));
    for (int id = first; id <= last; ++id) EXPECT_EQ(model.control(id)->checked, id == stop_radio_id(1, 18)) << id;
    EXPECT_TRUE(model.control(stop_radio_id(2, 0))->checked);
}

TEST_F(ModelPanelTest, BitmapsMapBackToTheirNamesAlsoAfterDelete) {
    BitmapHandle strip = model.load_bitmap("VSML");
    BitmapHandle blank = model.load_bitmap(symbol_bitmap_names[0][symbol_blank]);
    EXPECT_NE(strip, 0u);
    EXPECT_NE(blank, 0u);
    EXPECT_NE(strip, blank);
    EXPECT_EQ(model.load_bitmap("NOPE"), 0u);
    EXPECT_EQ(model.live_bitmap_count(), 2);

    model.set_image(strip_static_id(0), strip);
    model.set_image(window_static_id(0, 0), 0);
    model.delete_bitmap(strip);
    EXPECT_EQ(model.live_bitmap_count(), 1);
    EXPECT_EQ(model.control(strip_static_id(0))->image, std::string("VSML"));
    EXPECT_EQ(model.bitmap_name(strip), std::string("VSML"));
    EXPECT_FALSE(model.control(window_static_id(0, 0))->image);
}

TEST(ModelPanelMailslot, DeliveredOnlyToARunningCompanion) {
    ModelPanel alone;
    MailslotHandle none = alone.mailslot_open(companion_mailslot_name);
    EXPECT_EQ(none, invalid_mailslot);
    alone.mailslot_write(none, "\x01\x00", 2);
    EXPECT_FALSE(alone.companion_received());

    ModelPanel with(ModelOptions{24, true});
    EXPECT_EQ(with.mailslot_open("\\\\.\\mailslot\\other"), invalid_mailslot);
    MailslotHandle slot = with.mailslot_open(companion_mailslot_name);
    ASSERT_NE(slot, invalid_mailslot);
    with.mailslot_write(slot, "\x01\x00\x01\x01", 4);
    with.mailslot_close(slot);
    with.mailslot_write(slot, "\xff", 1);  // closed: lost
    EXPECT_EQ(with.companion_received(), std::string("\x01\x00\x01\x01", 4));
}

TEST_F(ModelPanelTest, ComboTextIsCutAtSizeWithoutSplittingACharacter) {
    model.type_text(IDC_ROLE_COMBO, std::string(70, 'x'));
    EXPECT_EQ(read_combo(IDC_ROLE_COMBO, 64), std::string(63, 'x'));
    model.type_text(IDC_ROLE_COMBO, std::string(62, 'x') + "\x82\xa0" + "y");
    EXPECT_EQ(read_combo(IDC_ROLE_COMBO, 64), std::string(62, 'x'));
    model.type_text(IDC_ROLE_COMBO, std::string(61, 'x') + "\x82\xa0" + "y");
    EXPECT_EQ(read_combo(IDC_ROLE_COMBO, 64), std::string(61, 'x') + "\x82\xa0");
    EXPECT_EQ(read_combo(IDC_ROLE_COMBO, 1), "");
    EXPECT_EQ(read_combo(4242, 64), "");
}

// The user's rules on the model dialog; what is allowed reaches the logic.
TEST(ModelHostUser, ClicksOnHiddenDisabledOrOtherControlsAreRefused) {
    script::ModelHost host;
    ModelPanel& model = host.model();
    const int radio = stop_radio_id(0, 3);
    EXPECT_EQ(script::user_click(host, radio), UserResult::hidden);
    EXPECT_EQ(script::user_click(host, IDC_SELECT_CENTER), UserResult::disabled);
    EXPECT_EQ(script::user_click(host, slide_edit_id(0, 3)), UserResult::not_applicable);
    EXPECT_EQ(script::user_click(host, IDC_ROLE_COMBO), UserResult::not_applicable);
    EXPECT_EQ(script::user_click(host, 4242), UserResult::not_applicable);

    model.show(radio, true);
    model.show(stop_radio_id(0, 4), true);
    model.check(stop_radio_id(0, 4), true);
    model.enable(radio, false);
    EXPECT_EQ(script::user_click(host, radio), UserResult::disabled);
    EXPECT_FALSE(model.control(radio)->checked);
    model.enable(radio, true);
    std::ostringstream trace;
    host.tracer()->print_to(&trace);
    EXPECT_EQ(script::user_click(host, radio), UserResult::done);
    // The radio checked itself untraced; the logic then checked it alone in its run.
    EXPECT_EQ(call_names(trace.str()).front(), "check_radio");
    EXPECT_TRUE(model.control(radio)->checked);
    EXPECT_FALSE(model.control(stop_radio_id(0, 4))->checked);
    EXPECT_EQ(host.panel().state.stop_pos[reel_left], 3);
}

TEST(ModelHostUser, PicksChooseAnItemOfAnEnabledCombo) {
    script::ModelHost host;
    ModelPanel& model = host.model();
    model.combo_add(IDC_TABLE_COMBO, "(1) 50%");
    model.combo_add(IDC_TABLE_COMBO, "(2) 50%");
    EXPECT_EQ(script::user_pick(host, IDC_TABLE_COMBO, 0), UserResult::disabled);
    model.enable(IDC_TABLE_COMBO, true);
    EXPECT_EQ(script::user_pick(host, IDC_TABLE_COMBO, 2), UserResult::no_item);
    EXPECT_EQ(script::user_pick_text(host, IDC_TABLE_COMBO, "(3) 50%"), UserResult::no_item);
    EXPECT_EQ(script::user_pick(host, slide_edit_id(0, 0), 0), UserResult::not_applicable);
    EXPECT_EQ(script::user_pick_text(host, IDC_TABLE_COMBO, "(2) 50%"), UserResult::done);
    EXPECT_EQ(model.control(IDC_TABLE_COMBO)->selection, 1);
    EXPECT_EQ(model.control(IDC_TABLE_COMBO)->text, "(2) 50%");

    model.enable(IDC_TABLE_COMBO, false);
    EXPECT_EQ(script::user_type_text(host, IDC_TABLE_COMBO, "free text "), UserResult::done);  // also when disabled
    EXPECT_EQ(model.control(IDC_TABLE_COMBO)->selection, -1);
    EXPECT_EQ(model.control(IDC_TABLE_COMBO)->text, "free text ");
    EXPECT_EQ(script::user_type_text(host, IDC_CLOSE, "x"), UserResult::not_applicable);

    model.combo_reset(IDC_TABLE_COMBO);
    EXPECT_TRUE(model.control(IDC_TABLE_COMBO)->items.empty());
    EXPECT_EQ(model.control(IDC_TABLE_COMBO)->text, "");
}

}  // namespace
}  // namespace reelctl
