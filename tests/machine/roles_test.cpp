#include <gtest/gtest.h>

#include "machine/roles.h"
#include "machine/slide_tables.h"

namespace reelctl {
namespace {

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
