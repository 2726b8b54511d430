#include <gtest/gtest.h>

#include <array>

#include "machine/symbols.h"

namespace reelctl {
namespace {

TEST(ReelStrips, WrapEntriesRepeatPositionsOneAndTwo) {
    for (int reel = 0; reel < reel_count; ++reel) {
        SCOPED_TRACE(reel);
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
