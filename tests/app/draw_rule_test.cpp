// The machine's draw of an offer's entry by its share, at the edges of the
// shares: the window model enumerates the entries and never draws one, so
// only the practice game's draws meet these edges.
#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "app/draw_rule.h"
#include "panel/control_ids.h"

namespace reelctl {
namespace {

struct Offer final : DrawView {
    std::array<std::string_view, 4> entries{};
    int count = 0;
    bool visible(int) const override { return true; }
    bool enabled(int) const override { return true; }
    std::string_view text(int) const override { return {}; }
    int item_count(int combo) const override { return combo == IDC_TABLE_COMBO ? count : 0; }
    std::string_view item(int, int index) const override { return entries[static_cast<std::size_t>(index)]; }
};

TEST(DrawRule, EachDrawPicksTheEntryWhoseShareCoversIt) {
    Offer offer;
    offer.entries = {"(1) 12.5%", "(2) 0%", "(3) 37.5%", "(4) 50%"};
    offer.count = 4;
    int open = 0;
    EXPECT_EQ(open_offer(offer, open), IDC_TABLE_COMBO);
    EXPECT_EQ(open, 1);
    std::array<long, 4> drawn{};
    for (long draw = 0; draw < percent_whole; ++draw) ++drawn[static_cast<std::size_t>(entry_drawn(offer, IDC_TABLE_COMBO, draw))];
    EXPECT_EQ(drawn, (std::array<long, 4>{1250, 0, 3750, 5000}));
    EXPECT_EQ(entry_drawn(offer, IDC_TABLE_COMBO, 1249), 0);
    EXPECT_EQ(entry_drawn(offer, IDC_TABLE_COMBO, 1250), 2);
    EXPECT_EQ(entry_drawn(offer, IDC_TABLE_COMBO, percent_whole), -1);
    EXPECT_EQ(entry_drawn(offer, IDC_TABLE_COMBO, -1), -1);
    // An offer whose percents miss 100, or an entry without one, draws nothing.
    offer.entries[3] = "(4) 49.99%";
    EXPECT_EQ(offer_fault(offer, IDC_TABLE_COMBO), OfferFault::not_whole);
    EXPECT_EQ(entry_drawn(offer, IDC_TABLE_COMBO, 0), -1);
    offer.entries[3] = "(4)";
    EXPECT_EQ(offer_fault(offer, IDC_TABLE_COMBO), OfferFault::no_percent);
}

}  // namespace
}  // namespace reelctl
