// Properties of the system's texts; their bytes are checked in
// tests/script/system_texts_test.cpp.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

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

}  // namespace
}  // namespace reelctl
