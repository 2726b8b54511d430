// The ten-coin role in pattern mode: single tables at once, composed and
// weighted offers otherwise.

#include "machine/roles.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

using Items = std::vector<std::string>;

// Ten-coin role at `coins` and `stop_order`, stopped left at `left_stop`.
void ten_coin_left_stop(Viewer& v, int coins, int stop_order, int left_stop) {
    v.conditions(coins, stop_order);
    v.pick_role(role_ten_coin);
    v.stop_left_at(left_stop);
}

std::vector<int> codes(const Viewer& v) {
    std::vector<int> out;
    for (std::uint8_t code : v.panel.ten_coin.codes)
        if (code != 0) out.push_back(code);
    return out;
}

TEST(TenCoin, LeftStopsNamingOneTablePutItInForceAtOnce) {
    for (int left_stop : {5, 14, 9, 18}) {
        for (int stop_order : {0, 1}) {
            Viewer v;
            ten_coin_left_stop(v, 3, stop_order, left_stop);
            EXPECT_EQ(v.state().slide_table, (left_stop == 5 || left_stop == 14) ? 73 : 65) << left_stop;
            EXPECT_EQ(v.state().split_pending, 0);
            EXPECT_TRUE(v.combo_items(IDC_TABLE_COMBO).empty());
            EXPECT_FALSE(v.enabled(IDC_TABLE_COMBO));
            EXPECT_FALSE(v.rows_marked(reel_center, mark_reachable).empty());
            EXPECT_FALSE(v.rows_marked(reel_right, mark_reachable).empty());
        }
    }
}

TEST(TenCoin, StopOrderOneComposesFromTheLeftStopAlone) {
    Viewer a;
    ten_coin_left_stop(a, 3, 1, 1);
    EXPECT_EQ(a.combo_items(IDC_TABLE_COMBO), (Items{"(1) 25%", "(2) 25%", "(3) 25%", "(4) 25%"}));
    EXPECT_EQ(codes(a), (std::vector<int>{74, 76, 67, 69}));
    EXPECT_TRUE(a.enabled(IDC_TABLE_COMBO));
    EXPECT_EQ(a.model.focused_control(), IDC_TABLE_COMBO);

    Viewer b;
    ten_coin_left_stop(b, 3, 1, 0);
    EXPECT_EQ(b.combo_items(IDC_TABLE_COMBO), (Items{"(1) 12.5%", "(2) 12.5%", "(3) 75%"}));
    EXPECT_EQ(codes(b), (std::vector<int>{75, 77, 65}));

    Viewer c;
    ten_coin_left_stop(c, 2, 1, 2);
    EXPECT_EQ(c.combo_items(IDC_TABLE_COMBO), (Items{"(1) 75%", "(2) 25%"}));
    EXPECT_EQ(codes(c), (std::vector<int>{73, 66}));
}

TEST(TenCoin, StopOrderZeroNarrowsByTheCenterPress) {
    for (int press = 9; press <= 18; ++press) {
        Viewer v;
        ten_coin_left_stop(v, 3, 0, 0);
        ASSERT_EQ(v.state().awaiting_stop, 1);
        EXPECT_TRUE(v.rows_greyed(reel_center).empty());  // every press is open
        v.click_stop(reel_center, press);
        EXPECT_TRUE(v.combo_items(IDC_TABLE_COMBO).empty()) << press;
        EXPECT_EQ(v.state().slide_table, 65) << press;
        EXPECT_EQ(v.state().awaiting_stop, 0);
        EXPECT_TRUE(v.enabled(IDC_SELECT_CENTER));
        EXPECT_EQ(v.rows_marked(reel_center, mark_chosen).size(), 1u);
        EXPECT_FALSE(v.rows_marked(reel_right, mark_reachable).empty());
    }

    Viewer four;
    ten_coin_left_stop(four, 3, 0, 1);
    four.click_stop(reel_center, 19);
    EXPECT_EQ(four.combo_items(IDC_TABLE_COMBO), (Items{"(1) 25%", "(2) 25%", "(3) 25%", "(4) 25%"}));
    EXPECT_EQ(codes(four), (std::vector<int>{74, 76, 67, 69}));

    Viewer fallback;  // at two coins both narrowed sets are empty: the left stop's sets stand
    ten_coin_left_stop(fallback, 2, 0, 1);
    fallback.click_stop(reel_center, 7);
    EXPECT_EQ(fallback.combo_items(IDC_TABLE_COMBO), (Items{"(1) 50%", "(2) 50%"}));
    EXPECT_EQ(codes(fallback), (std::vector<int>{74, 67}));
}

TEST(TenCoin, OfferedWeightsAddUpToOneHundredPercent) {
    for (int coins : {2, 3}) {
        for (int left_stop : {0, 1, 2, 3, 4, 10, 11, 12, 13, 19, 20}) {
            Viewer v;
            ten_coin_left_stop(v, coins, 1, left_stop);
            int total = 0;
            for (std::int16_t w : v.panel.ten_coin.weights) total += w;
            EXPECT_EQ(total, 1000) << coins << " coins, left stop " << left_stop;
        }
    }
}

TEST(TenCoin, PickingAnEntryTwiceGivesTheSameCenterColumn) {
    Viewer v;
    ten_coin_left_stop(v, 3, 0, 1);
    v.click_stop(reel_center, 19);
    v.pick_table(1);
    EXPECT_EQ(v.state().slide_table, 76);
    const ReelColumn first = v.panel.columns[reel_center];
    const int first_stop = v.state().stop_pos[1];
    EXPECT_EQ(v.rows_marked(reel_center, mark_chosen).size(), 1u);
    EXPECT_TRUE(v.enabled(IDC_SELECT_CENTER));
    v.pick_table(1);
    EXPECT_EQ(v.state().stop_pos[1], first_stop);
    for (int row = 0; row < position_count; ++row) {
        EXPECT_EQ(v.panel.columns[reel_center][row].slide, first[row].slide);
        EXPECT_EQ(v.panel.columns[reel_center][row].mark, first[row].mark);
    }
    EXPECT_TRUE(v.enabled(IDC_TABLE_COMBO));  // the offer stays for another pick
}

TEST(TenCoin, StopOrderOnePickEnablesTheRightSelect) {
    Viewer v;
    ten_coin_left_stop(v, 3, 1, 1);
    v.pick_table(2);
    EXPECT_EQ(v.state().slide_table, 67);
    EXPECT_TRUE(v.enabled(IDC_SELECT_RIGHT));
    EXPECT_FALSE(v.enabled(IDC_SELECT_CENTER));
}

}  // namespace
}  // namespace reelctl::testing
