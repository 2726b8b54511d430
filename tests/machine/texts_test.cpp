#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "machine/texts.h"

namespace reelctl {
namespace {

// The texts are compared with their code page 932 bytes written out.
TEST(Texts, MessagesAndCaptions) {
    EXPECT_STREQ(message_caption, "\xD8\xB0\xD9\x90\xA7\x8C\xE4");
    EXPECT_STREQ(message_no_role,
                 "\x90\xAC\x97\xA7\x96\xF0\x82\xF0\x91\x49\x91\xF0\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x44");
    EXPECT_STREQ(message_no_table,
                 "\x83\x65\x81\x5B\x83\x75\x83\x8B\x82\xF0\x91\x49\x91\xF0\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2\x81\x44");
    EXPECT_STREQ(message_no_pattern,
                 "\x8D\xB6\x92\xE2\x8E\x7E\xCA\xDF\xC0\xB0\xDD\x82\xF0\x91\x49\x91\xF0\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82"
                 "\xA2\x81\x44");
    EXPECT_STREQ(initial_caption, "Vostrel\x82\xCC \x83\x8A\x81\x5B\x83\x8B\x90\xA7\x8C\xE4");
}

TEST(Texts, FirstTitle) {
    char title[64];
    int n = std::snprintf(title, sizeof title, title_format, bet_names[2], stop_order_names[0]);
    EXPECT_EQ(n, 42);
    EXPECT_STREQ(title,
                 "Vostrel\x82\xCC \x83\x8A\x81\x5B\x83\x8B\x90\xA7\x8C\xE4 [ \x82\x52\x96\x87\x8A\x7C "
                 "\x8D\xB6\x81\xA8\x92\x86\x81\xA8\x89\x45 ]");
}

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

TEST(Texts, NamesInCodePage932) {
    EXPECT_STREQ(role_names[0], "\xCA\xBD\xDE\xDA");
    EXPECT_STREQ(role_names[5], "BIG+2\x96\x87\xC1\xAA\xD8\xB0");
    EXPECT_STREQ(role_names[10], "10\x96\x87\x8F\xAC\x96\xF0");
    EXPECT_STREQ(role_names[4], "BIG BONUS");
    EXPECT_STREQ(bet_names[1], "\x82\x51\x96\x87\x8A\x7C");
    EXPECT_STREQ(stop_order_names[5], "\x89\x45\x81\xA8\x92\x86\x81\xA8\x8D\xB6");
    EXPECT_STREQ(left_pattern_names[0], "\xCA\xDF\xC0\xB0\xDD\x82\x50(50%)");
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
