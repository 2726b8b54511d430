// Column and window rendering: what a clear leaves, what a render shows, and
// the order of the changes on the dialog.

#include <sstream>

#include "app/rendering.h"
#include "machine/roles.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

// "name id" for each traced call, with the on/off flag where there is one:
// {"call": "enable", "id": 1201, "on": true} is "enable 1201 1".
std::vector<std::string> record(Viewer& v, void (*operation)(Panel&)) {
    std::ostringstream trace;
    v.host.tracer()->print_to(&trace);
    operation(v.panel);
    v.host.tracer()->print_to(nullptr);
    std::vector<std::string> calls;
    std::istringstream lines(trace.str());
    for (std::string line; std::getline(lines, line);) {
        std::string call = line.substr(10, line.find('"', 10) - 10);
        for (std::size_t at = line.find("\": "); at != std::string::npos; at = line.find("\": ", at + 1)) {
            const std::string value = line.substr(at + 3, line.find_first_of(",}", at + 3) - at - 3);
            if (value == "true" || value == "false") call += value == "true" ? " 1" : " 0";
            else if (!value.empty() && value[0] != '"') call += " " + value;
        }
        calls.push_back(call);
    }
    return calls;
}

TEST(Rendering, ClearBlanksTopLineFirstThenRowsThenSelectButtons) {
    Viewer v;
    const auto calls = record(v, clear_center_column);
    ASSERT_EQ(calls.size(), 3u + 21u * 3u + 2u);
    EXPECT_EQ(calls[0], "set_image 1070");
    EXPECT_EQ(calls[1], "set_image 1069");
    EXPECT_EQ(calls[2], "set_image 1068");
    EXPECT_EQ(calls[3], "set_text 1201");
    EXPECT_EQ(calls[4], "enable 1201 1");
    EXPECT_EQ(calls[5], "show 1222 0");
    EXPECT_EQ(calls[calls.size() - 2], "enable 101 0");
    EXPECT_EQ(calls.back(), "enable 102 0");

    const auto right = record(v, clear_right_column);
    EXPECT_EQ(right.back(), "enable 102 0");
    EXPECT_EQ(right.size(), 3u + 21u * 3u + 1u);
    EXPECT_EQ(record(v, clear_left_column).size(), 3u + 21u * 3u);
}

TEST(Rendering, RightColumnUnchecksEveryRowBeforeItsMark) {
    Viewer v;
    v.conditions(3, 2);
    v.pick_role(role_replay);
    v.pick_table(0);
    const auto right = record(v, render_right_column);
    EXPECT_EQ(right[3], "set_text 1301");
    EXPECT_EQ(right[4], "check 1322 0");
    const auto center = record(v, render_center_column);
    EXPECT_EQ(center[3], "set_text 1201");
    EXPECT_NE(center[4], right[4]);  // the center's first step on a row is its mark's
}

TEST(Rendering, ClearKeepsTheColumnAndARenderShowsItAgain) {
    Viewer v;
    v.conditions(3, 2);
    v.pick_role(role_big);
    v.pick_table(0);
    v.click(1240);
    const auto column = v.panel.columns[reel_center];
    const std::string slides = v.shown_slides(reel_center);
    const auto shown = v.rows_shown(reel_center);
    const auto window = v.window(reel_center);

    clear_center_column(v.panel);
    EXPECT_TRUE(v.rows_shown(reel_center).empty());
    EXPECT_TRUE(v.rows_greyed(reel_center).empty());  // the clear enables the greyed rows
    EXPECT_TRUE(v.checked(1240));                     // a hidden radio keeps its check
    for (int row = 0; row < position_count; ++row) EXPECT_EQ(v.panel.columns[reel_center][row].mark, column[row].mark);

    render_center_column(v.panel);
    EXPECT_EQ(v.shown_slides(reel_center), slides);
    EXPECT_EQ(v.rows_shown(reel_center), shown);
    EXPECT_EQ(v.window(reel_center), window);
}

TEST(Rendering, RenderUnchecksARadioLeftCheckedUnderAClear) {
    Viewer v;
    v.conditions(1, 2);
    v.pick_role(role_replay);
    const int row = v.rows_shown(reel_right).front();
    v.click_stop(reel_right, row);
    ASSERT_TRUE(v.checked(stop_radio_id(reel_right, row)));
    clear_right_column(v.panel);
    EXPECT_TRUE(v.checked(stop_radio_id(reel_right, row)));
    render_right_column(v.panel);
    EXPECT_FALSE(v.checked(stop_radio_id(reel_right, row)));
}

}  // namespace
}  // namespace reelctl::testing
