#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <utility>

#include "machine/roles.h"
#include "machine/slide_tables.h"

namespace reelctl {
namespace {

// Share texts in sixteenths of a percent, so that the sums stay exact.
int share_sixteenths(const char* share) {
    static constexpr std::array<std::pair<std::string_view, int>, 7> known = {{
        {"100", 1600}, {"50", 800}, {"37.5", 600}, {"25", 400}, {"18.75", 300}, {"12.5", 200}, {"6.25", 100},
    }};
    for (const auto& [text, value] : known)
        if (share != nullptr && text == share) return value;
    ADD_FAILURE() << "unexpected share text " << (share ? share : "(null)");
    return 0;
}

TEST(RoleRecords, EveryChoiceTableIsTheMapEntryOfItsPattern) {
    for (int bet = 0; bet < bet_count; ++bet)
        for (int role = 0; role < role_count; ++role) {
            const RoleRecord& r = *role_record(bet, role);
            ASSERT_LE(r.choice_count, max_choices);
            for (int i = 0; i < r.choice_count; ++i) {
                SCOPED_TRACE(testing::Message() << "bet " << bet << " role " << role << " choice " << i);
                EXPECT_GE(r.choice_pattern[i], first_pattern_code);
                EXPECT_LE(r.choice_pattern[i], last_pattern_code);
                EXPECT_EQ(r.choice_table[i], table_for_pattern(r.choice_pattern[i]));
            }
        }
}

TEST(RoleRecords, SharesAddUpToOneHundred) {
    for (int bet = 0; bet < bet_count; ++bet)
        for (int role = 0; role < role_count; ++role) {
            const RoleRecord& r = role_records[bet][role];
            if (r.choice_count == 0) continue;
            int sum = 0;
            for (int i = 0; i < r.choice_count; ++i) sum += share_sixteenths(r.choice_share[i]);
            EXPECT_EQ(sum, 1600) << "bet " << bet << " role " << role;
        }
}

TEST(RoleRecords, OnlyTheFourCoinCherryRolesAreMissingAtOneCoin) {
    for (int bet = 0; bet < bet_count; ++bet)
        for (int role = 0; role < role_count; ++role) {
            bool four_coin_cherry = role == role_cherry4 || role == role_big_cherry4 || role == role_reg_cherry4;
            EXPECT_EQ(role_records[bet][role].choice_count == 0, bet == 0 && four_coin_cherry)
                << "bet " << bet << " role " << role;
        }
}

TEST(RoleRecords, BitThreeOfTheBonusCodesSelectsTheBigOrRegHalf) {
    for (int bet = 1; bet < bet_count; ++bet)
        for (int role = role_big; role <= role_reg_cherry4; ++role) {
            const RoleRecord& r = role_records[bet][role];
            bool reg = role >= role_reg;
            for (int i = 0; i < r.choice_count; ++i)
                EXPECT_EQ((r.choice_pattern[i] & 0x08) != 0, reg) << "bet " << bet << " role " << role;
        }
}

TEST(RoleAttributes, KindIsZeroAtOneCoinAndTheRoleIndexAbove) {
    for (int role = 0; role < role_count; ++role) {
        EXPECT_EQ(role_kind_of(0, role), 0) << role;
        EXPECT_EQ(role_kind_of(1, role), role) << role;
        EXPECT_EQ(role_kind_of(2, role), role) << role;
    }
    EXPECT_EQ(role_kind_of(-1, 4), 0);
    EXPECT_EQ(role_kind_of(3, 4), 0);
    EXPECT_EQ(role_kind_of(2, 11), 0);
    EXPECT_EQ(role_record(2, -1), nullptr);
    EXPECT_EQ(role_record(3, 0), nullptr);
}

}  // namespace
}  // namespace reelctl
