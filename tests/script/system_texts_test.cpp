// Every text the system shows, as the code page 932 bytes the logic holds and
// shows, and as the UTF-8 that reelctl-script writes: one wrong byte in a
// role name, a menu text, the title, a message or a dialog text fails here.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "machine/texts.h"
#include "panel/control_ids.h"
#include "panel/dialog_layout.h"
#include "tests/support/utf8.h"
#include "script/model_host.h"
#include "script/session.h"
#include "text/cp932.h"
#include "text/json_writer.h"

namespace reelctl::script {
namespace {

// The bytes (hex escapes, so that no source encoding is involved) and the text.
struct Text {
    const char* cp932;
    const char8_t* utf8;
};

// By role index 0..10.
const Text roles[] = {
    {"\xCA\xBD\xDE\xDA", u8"ﾊｽﾞﾚ"},
    {"\xD8\xCC\xDF\xDA\xB2", u8"ﾘﾌﾟﾚｲ"},
    {"2\x96\x87\xC1\xAA\xD8\xB0", u8"2枚ﾁｪﾘｰ"},
    {"4\x96\x87\xC1\xAA\xD8\xB0", u8"4枚ﾁｪﾘｰ"},
    {"BIG BONUS", u8"BIG BONUS"},
    {"BIG+2\x96\x87\xC1\xAA\xD8\xB0", u8"BIG+2枚ﾁｪﾘｰ"},
    {"BIG+4\x96\x87\xC1\xAA\xD8\xB0", u8"BIG+4枚ﾁｪﾘｰ"},
    {"REG BONUS", u8"REG BONUS"},
    {"REG+2\x96\x87\xC1\xAA\xD8\xB0", u8"REG+2枚ﾁｪﾘｰ"},
    {"REG+4\x96\x87\xC1\xAA\xD8\xB0", u8"REG+4枚ﾁｪﾘｰ"},
    {"10\x96\x87\x8F\xAC\x96\xF0", u8"10枚小役"},
};
const Text bets[] = {
    {"\x82\x50\x96\x87\x8A\x7C", u8"１枚掛"},
    {"\x82\x51\x96\x87\x8A\x7C", u8"２枚掛"},
    {"\x82\x52\x96\x87\x8A\x7C", u8"３枚掛"},
};
const Text orders[] = {
    {"\x8D\xB6\x81\xA8\x92\x86\x81\xA8\x89\x45", u8"左→中→右"},
    {"\x8D\xB6\x81\xA8\x89\x45\x81\xA8\x92\x86", u8"左→右→中"},
    {"\x92\x86\x81\xA8\x8D\xB6\x81\xA8\x89\x45", u8"中→左→右"},
    {"\x92\x86\x81\xA8\x89\x45\x81\xA8\x8D\xB6", u8"中→右→左"},
    {"\x89\x45\x81\xA8\x8D\xB6\x81\xA8\x92\x86", u8"右→左→中"},
    {"\x89\x45\x81\xA8\x92\x86\x81\xA8\x8D\xB6", u8"右→中→左"},
};
const Text patterns[] = {
    {"\xCA\xDF\xC0\xB0\xDD\x82\x50(50%)", u8"ﾊﾟﾀｰﾝ１(50%)"},
    {"\xCA\xDF\xC0\xB0\xDD\x82\x51(25%)", u8"ﾊﾟﾀｰﾝ２(25%)"},
    {"\xCA\xDF\xC0\xB0\xDD\x82\x52(25%)", u8"ﾊﾟﾀｰﾝ３(25%)"},
};
const Text title_format_text =
    {"Vostrel\x82\xCC \x83\x8A\x81\x5B\x83\x8B\x90\xA7\x8C\xE4 [ %s %s ]", u8"Vostrelの リール制御 [ %s %s ]"};
const Text initial_caption_text =
    {"Vostrel\x82\xCC \x83\x8A\x81\x5B\x83\x8B\x90\xA7\x8C\xE4", u8"Vostrelの リール制御"};
const Text message_caption_text =
    {"\xD8\xB0\xD9\x90\xA7\x8C\xE4", u8"ﾘｰﾙ制御"};
const Text messages[] = {  // no role, no table number, no left stop pattern
    {"\x90\xAC\x97\xA7\x96\xF0\x82\xF0\x91\x49\x91\xF0\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x44", u8"成立役を選択して下さい．"},
    {"\x83\x65\x81\x5B\x83\x75\x83\x8B\x82\xF0\x91\x49\x91\xF0\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x44", u8"テーブルを選択して下さい．"},
    {"\x8D\xB6\x92\xE2\x8E\x7E\xCA\xDF\xC0\xB0\xDD\x82\xF0\x91\x49\x91\xF0\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x44", u8"左停止ﾊﾟﾀｰﾝを選択して下さい．"},
};

// The held bytes, and the driver's conversion both ways.
void expect_text(const char* held, const Text& expected, const std::string& what) {
    EXPECT_EQ(std::string(held), expected.cp932) << what;
    EXPECT_EQ(cp932_to_utf8(held), utf8(expected.utf8)) << what;
    EXPECT_EQ(utf8_to_cp932(utf8(expected.utf8)), expected.cp932) << what;
}

TEST(SystemTexts, NamesTitleAndMessages) {
    for (int i = 0; i < role_count; ++i) expect_text(role_names[i], roles[i], "role " + std::to_string(i));
    for (int i = 0; i < bet_count; ++i) expect_text(bet_names[i], bets[i], "bet " + std::to_string(i));
    for (int i = 0; i < stop_order_count; ++i) expect_text(stop_order_names[i], orders[i], "order " + std::to_string(i));
    for (int i = 0; i < left_pattern_count; ++i)
        expect_text(left_pattern_names[i], patterns[i], "pattern " + std::to_string(i));
    expect_text(title_format, title_format_text, "title format");
    expect_text(initial_caption, initial_caption_text, "initial caption");
    expect_text(message_caption, message_caption_text, "message caption");
    expect_text(message_no_role, messages[0], "no role");
    expect_text(message_no_table, messages[1], "no table");
    expect_text(message_no_pattern, messages[2], "no pattern");
}

// Through the driver: the title after each menu command, and the role combo of each bet.
TEST(SystemTexts, TitlesAndRoleListsOfEveryCondition) {
    const std::vector<int> listed[3] = {{4, 5, 7, 8, 1, 2, 10, 0}, {4, 5, 6, 7, 8, 9, 1, 2, 3, 10, 0},
                                        {4, 5, 6, 7, 8, 9, 1, 2, 3, 10, 0}};
    for (int bet = 0; bet < bet_count; ++bet)
        for (int order = 0; order < stop_order_count; ++order) {
            SCOPED_TRACE(testing::Message() << "bet " << bet << " order " << order);
            std::ostringstream out, err;
            ModelHost host;
            Session runner(host, out, err, "reelctl-script");
            std::istringstream script("menu " + std::to_string(IDM_BET_1 + bet) + "\nmenu " +
                                      std::to_string(IDM_ORDER_FIRST + order) + "\ndump\n");
            ASSERT_EQ(runner.run(script), exit_ok) << err.str();
            const std::string title = std::string("Vostrel\x82\xCC \x83\x8A\x81\x5B\x83\x8B\x90\xA7\x8C\xE4 [ ") +
                                      bets[bet].cp932 + " " + orders[order].cp932 + " ]";
            EXPECT_EQ(host.model().caption_text(), title);
            EXPECT_NE(out.str().find("{\"dump\": {\"caption\": " + json_quote(cp932_to_utf8(title))), std::string::npos);

            std::vector<std::string> held;
            std::string shown = "\"1057\": {\"items\": [";
            for (int role : listed[bet]) {
                held.push_back(roles[role].cp932);
                shown += (role == listed[bet].front() ? "" : ", ") + json_quote(utf8(roles[role].utf8));
            }
            EXPECT_EQ(host.model().control(IDC_ROLE_COMBO)->items, held);
            EXPECT_NE(out.str().find(shown + "]"), std::string::npos) << shown;
        }
}

// The dialog template and the menu, written in UTF-8 for every front end.
TEST(SystemTexts, DialogAndMenu) {
    const std::vector<std::string> dialog = {
        "\x95\xC2\x82\xB6\x82\xE9",  // 閉じる
        " Stop ", "VSSP", "VSSP", "VSSP", "VSSP", "VSSP", "VSSP", "VSSP", "VSSP", "VSSP",
        "\x90\xAC\x97\xA7\x96\xF0",  // 成立役
        "\x8D\xB6\x92\xE2\x8E\x7E\xCA\xDF\xC0\xB0\xDD",  // 左停止ﾊﾟﾀｰﾝ
        "\xC3\xB0\xCC\xDE\xD9\x91\x49\x91\xF0",  // ﾃｰﾌﾞﾙ選択
        " Left ", "VSSL", " Center  ", "VSSC", " Right ", "VSSR",
        "\x91\x49\x91\xF0(&S)",  // 選択(&S)
        "\x91\x49\x91\xF0(&S)",  // 選択(&S)
    };
    std::vector<std::string> texts, row_labels, expected_row_labels;
    for (const layout::Control& c : layout::controls) {
        const std::string text = utf8_to_cp932(utf8(c.text));
        if (c.kind == layout::Kind::label && c.id == REELCTL_NO_ID && text.size() == 2) row_labels.push_back(text);
        else if (c.kind == layout::Kind::group_box || c.kind == layout::Kind::label || c.kind == layout::Kind::bitmap ||
                 c.kind == layout::Kind::default_button) texts.push_back(text);
        else EXPECT_EQ(text, "") << c.id;
    }
    EXPECT_EQ(texts, dialog);
    for (int reel = 0; reel < 3; ++reel)
        for (int position = 21; position >= 1; --position) {
            char label[4];
            std::snprintf(label, sizeof label, "%2d", position);
            expected_row_labels.push_back(label);
        }
    EXPECT_EQ(row_labels, expected_row_labels);
    EXPECT_EQ(utf8_to_cp932(utf8(layout::dialog_caption)), initial_caption_text.cp932);
    EXPECT_EQ(utf8_to_cp932(utf8(layout::dialog_font)), "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E" /* ＭＳ Ｐゴシック */);

    std::vector<std::string> menu, expected_menu = {"\x8F\xF0\x8C\x8F(&C)", "\x8A\x7C\x96\x87\x90\x94"};
    for (const Text& bet : bets) expected_menu.push_back(bet.cp932);
    expected_menu.push_back("\xD8\xB0\xD9\x92\xE2\x8E\x7E\x8F\x87");
    for (const Text& order : orders) expected_menu.push_back(order.cp932);
    expected_menu.push_back("\xCD\xD9\xCC\xDF(&H)");
    for (const layout::MenuEntry& entry : layout::menu)
        if (entry.kind != layout::MenuEntryKind::end) menu.push_back(utf8_to_cp932(utf8(entry.text)));
    EXPECT_EQ(menu, expected_menu);
}

}  // namespace
}  // namespace reelctl::script
