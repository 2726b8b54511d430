#include <gtest/gtest.h>

#include <array>

#include "machine/symbols.h"

namespace reelctl {
namespace {

using Counts = std::array<int, 7>;  // seven, bar, frog, moon, orange, bell, cherry

Counts count_symbols(int reel) {
    Counts c{};
    for (int k = 0; k < position_count; ++k) {
        SymbolCode s = reel_strips[reel][k];
        EXPECT_LT(s, symbol_blank) << "reel " << reel << " position " << k + 1;
        if (s < symbol_blank) ++c[s];
    }
    return c;
}

TEST(ReelStrips, SymbolCountsPerReel) {
    EXPECT_EQ(count_symbols(reel_left), (Counts{2, 1, 2, 4, 5, 5, 2}));
    EXPECT_EQ(count_symbols(reel_center), (Counts{1, 4, 1, 5, 3, 2, 5}));
    EXPECT_EQ(count_symbols(reel_right), (Counts{2, 1, 1, 5, 4, 4, 4}));
}

TEST(ReelStrips, BarAtThreeSevenAtNineteenAndWrapEntries) {
    for (int reel = 0; reel < reel_count; ++reel) {
        SCOPED_TRACE(reel);
        EXPECT_EQ(reel_strips[reel][2], symbol_bar);
        EXPECT_EQ(reel_strips[reel][18], symbol_seven);
        EXPECT_EQ(window_symbol(reel, 18, 0), symbol_seven);
        EXPECT_EQ(reel_strips[reel][21], reel_strips[reel][0]);
        EXPECT_EQ(reel_strips[reel][22], reel_strips[reel][1]);
    }
}

TEST(ReelStrips, WindowsBottomToTop) {
    auto window = [](int reel, int stop) {
        return std::array<SymbolCode, 3>{window_symbol(reel, stop, 0), window_symbol(reel, stop, 1),
                                         window_symbol(reel, stop, 2)};
    };
    using W = std::array<SymbolCode, 3>;
    EXPECT_EQ(window(reel_left, 0), (W{symbol_bell, symbol_orange, symbol_bar}));
    EXPECT_EQ(window(reel_left, 20), (W{symbol_moon, symbol_bell, symbol_orange}));
    EXPECT_EQ(window(reel_right, 19), (W{symbol_orange, symbol_bell, symbol_moon}));
}

}  // namespace
}  // namespace reelctl
