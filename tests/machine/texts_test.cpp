// Properties of the system's texts; their bytes are checked in
// tests/script/system_texts_test.cpp.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "machine/conditions.h"
#include "machine/texts.h"

namespace reelctl {
namespace {

// Every title the menu can produce fits the 64-byte buffer of the panel.
TEST(Texts, EveryTitleFitsSixtyFourBytes) {
    for (const char* bet : bet_names)
        for (const char* order : stop_order_names) {
            char title[64];
            int n = std::snprintf(title, sizeof title, title_format, bet, order);
            EXPECT_GT(n, 0);
            EXPECT_LT(n, 64) << title;
        }
}

// The panel finds the picked role and pattern by comparing the combo text with these
// names, so each list must hold distinct texts.
TEST(Texts, NameListsHoldDistinctTexts) {
    auto distinct = [](const auto& names) {
        for (std::size_t i = 0; i < names.size(); ++i)
            for (std::size_t j = i + 1; j < names.size(); ++j)
                if (std::strcmp(names[i], names[j]) == 0) return false;
        return true;
    };
    EXPECT_TRUE(distinct(role_names));
    EXPECT_TRUE(distinct(bet_names));
    EXPECT_TRUE(distinct(stop_order_names));
    EXPECT_TRUE(distinct(left_pattern_names));
}

// The stop orders are numbered as the menu lists their names: exactly one of
// left_first, center_first, right_first holds for each, and it names the reel
// that the order's name stops first (the bytes of 左, 中, 右 in code page 932).
TEST(Texts, EachStopOrderStopsFirstTheReelItsNameStartsWith) {
    const char* const first_reel[3] = {"\x8D\xB6", "\x92\x86", "\x89\x45"};  // left, center, right
    for (int order = 0; order < stop_order_count; ++order) {
        SCOPED_TRACE(order);
        const bool first[3] = {left_first(order), center_first(order), right_first(order)};
        ASSERT_EQ(first[0] + first[1] + first[2], 1);
        for (int reel = 0; reel < 3; ++reel)
            EXPECT_EQ(std::strncmp(stop_order_names[order], first_reel[reel], 2) == 0, first[reel]) << reel;
    }
}

}  // namespace
}  // namespace reelctl
