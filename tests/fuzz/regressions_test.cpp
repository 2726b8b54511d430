// Faults found by the fuzz targets and the exhaustive walk, each kept with
// the actions that reached it. Their inputs are also in the seed corpora.

#include "machine/roles.h"
#include "support/viewer.h"

namespace reelctl::testing {
namespace {

// A composition needs the candidate tables of a ten-coin left stop. Before
// any was taken, the empty sets gave the candidate codes 0, 68, 0 and 76,
// merged into four entries "(1) 12.5%", "(2) 37.5%", "(3) 0%", "(4) 0%"
// whose last two named no table. Reached only by commands to disabled
// buttons: Select 102 in pattern mode for another role, or Select 101 for
// the ten-coin role before its left stop, then a center press.
TEST(Regressions, NoCompositionWithoutATenCoinLeftStop) {
    Viewer cherry;
    cherry.conditions(2, 0);
    cherry.pick_role(role_cherry2);
    ASSERT_FALSE(cherry.enabled(IDC_SELECT_RIGHT));
    cherry.command(IDC_SELECT_RIGHT);
    EXPECT_TRUE(cherry.combo_items(IDC_TABLE_COMBO).empty());
    EXPECT_FALSE(cherry.enabled(IDC_TABLE_COMBO));
    EXPECT_EQ(cherry.panel.ten_coin.codes, (std::array<std::uint8_t, 4>{}));

    Viewer ten;
    ten.pick_role(role_ten_coin);
    ASSERT_FALSE(ten.enabled(IDC_SELECT_CENTER));
    ten.command(IDC_SELECT_CENTER);  // the center press choice of stop order 0
    ASSERT_EQ(ten.state().awaiting_stop, 1);
    ten.click_stop(reel_center, 4);
    EXPECT_TRUE(ten.combo_items(IDC_TABLE_COMBO).empty());
    EXPECT_EQ(ten.panel.ten_coin.codes, (std::array<std::uint8_t, 4>{}));

    // Once a ten-coin left stop has named its tables, the same press composes as before.
    ten.stop_left_at(1);
    ten.click_stop(reel_center, 19);
    EXPECT_EQ(ten.combo_items(IDC_TABLE_COMBO), (std::vector<std::string>{"(1) 25%", "(2) 25%", "(3) 25%", "(4) 25%"}));
}

}  // namespace
}  // namespace reelctl::testing
