#include <gtest/gtest.h>

#include <bit>
#include <set>

#include "machine/left_patterns.h"
#include "machine/roles.h"
#include "machine/slide_tables.h"
#include "machine/ten_coin_tables.h"

namespace reelctl {
namespace {

TEST(TenCoinCodeTable, LowestBitCodeExamples) {
    EXPECT_EQ(lowest_bit_code(7, 0x28, 0), 75);
    EXPECT_EQ(lowest_bit_code(3, 0x82, 0), 77);
    EXPECT_EQ(lowest_bit_code(7, 0x02, 1), 65);
    EXPECT_EQ(lowest_bit_code(7, 0, 0), 0);
    EXPECT_EQ(lowest_bit_code(7, 0, 1), 0);
    EXPECT_EQ(lowest_bit_code(3, 0, 1), 68);
    EXPECT_EQ(lowest_bit_code(3, 0, 0), 76);
    EXPECT_EQ(lowest_bit_code(7, 0x02, 2), 0);
}

// Bit k (1..5) of a candidate set stands for table 72 + k (group A) or 64 + k (group B);
// bits 0, 6 and 7 for none. Group A is what the ten-coin codes with bit 3 set select.
TEST(TenCoinCodeTable, BitsNameTheirTables) {
    for (int k = 0; k < 8; ++k) {
        bool table_bit = k >= 1 && k <= 5;
        EXPECT_EQ(lowest_bit_code(7, 1 << k, 0), table_bit ? 72 + k : 0) << k;
        EXPECT_EQ(lowest_bit_code(7, 1 << k, 1), table_bit ? 64 + k : 0) << k;
    }
    std::set<int> a, b;
    for (int v = 0; v < 8; ++v) {
        a.insert(table_for_pattern(0x48 | v));
        b.insert(table_for_pattern(0x40 | v));
    }
    EXPECT_EQ(a, (std::set<int>{73, 74, 75, 76, 77}));
    EXPECT_EQ(b, (std::set<int>{65, 66, 67, 68, 69}));
}

TEST(TenCoinTables, WeightSelectorZeroExactlyAtUnreachableLeftStops) {
    std::set<int> reach;
    for (int pattern = 0; pattern < 3; ++pattern)
        for (int i = 0; i < 21; ++i)
            reach.insert(stop_after_slide(i, pattern_left_slide(role_ten_coin, pattern, i)));
    for (int stop = 0; stop < 21; ++stop) {
        EXPECT_EQ(ten_coin_weight_selector[stop] != 0, reach.count(stop) == 1) << stop;
        EXPECT_LE(ten_coin_weight_selector[stop], 3) << stop;
    }
}

TEST(TenCoinTables, WeightSchemesAddUpToOneThousand) {
    for (int selector = 1; selector < 4; ++selector) {
        int sum = 0;
        for (int w : ten_coin_weight_schemes[selector]) sum += w;
        EXPECT_EQ(sum, 1000) << selector;
    }
}

// A left stop puts a single table in force exactly where its two sets hold one
// candidate, and it is that candidate; every other reachable left stop offers
// candidates of both groups.
TEST(TenCoinTables, SingleTablesAreTheLeftStopsWithOneCandidate) {
    const std::set<std::uint8_t> left_values = {0x00, 0x02, 0x14, 0x28};
    for (int stop = 0; stop < 21; ++stop) {
        SCOPED_TRACE(stop);
        const std::uint8_t a = ten_coin_left_sets_a[stop], b = ten_coin_left_sets_b[stop];
        EXPECT_EQ(left_values.count(a), 1u);
        EXPECT_EQ(left_values.count(b), 1u);
        const int single = ten_coin_single_table(stop);
        if (ten_coin_weight_selector[stop] == 0) {
            EXPECT_EQ(a | b, 0);
            EXPECT_EQ(single, 0);
            continue;
        }
        EXPECT_EQ(single != 0, std::popcount(a) + std::popcount(b) == 1);
        if (single != 0)
            EXPECT_EQ(single, a != 0 ? lowest_bit_code(7, a, 0) : lowest_bit_code(7, b, 1));
        else
            EXPECT_TRUE(a != 0 && b != 0);
    }
    EXPECT_EQ(ten_coin_single_table(-1), 0);
    EXPECT_EQ(ten_coin_single_table(21), 0);
}

// The tables that a candidate set can name at a bet are the ten-coin role's tables in
// the catalogue at that bet: 65..67 and 73..75 at two coins, 65..69 and 73..77 at three.
TEST(TenCoinTables, SetsAtEachBetNameTheCataloguesTables) {
    for (int bet : {bet_two_coins, bet_three_coins}) {
        const int sets = bet == bet_two_coins ? ten_coin_two_coin_sets : 0xFF;
        std::set<int> named, catalogue;
        for (int k = 0; k < 8; ++k)
            for (int group = 0; group < 2; ++group)
                if (const int table = lowest_bit_code(7, sets & (1 << k), group); table != 0) named.insert(table);
        const RoleRecord& record = role_records[bet][role_ten_coin];
        for (int i = 0; i < record.choice_count; ++i) catalogue.insert(record.choice_table[i]);
        EXPECT_EQ(named, catalogue) << "bet " << bet;
    }
}

// For every composed left stop, center press and bet (2 and 3 coins), the narrowed sets
// give four nonzero candidate tables, so no empty slot is ever filled with table 0.
TEST(TenCoinTables, EveryCompositionHasFourCandidates) {
    auto swap = [](int x) { return (x & 0x0F) * 16 + x / 16; };
    for (int stop = 0; stop < 21; ++stop) {
        if (ten_coin_weight_selector[stop] == 0 || ten_coin_single_table(stop) != 0) continue;
        for (int bet = 1; bet <= 2; ++bet)
            for (int press = -1; press < 21; ++press) {  // -1: stop order 1, no center narrowing
                int mask = bet == bet_two_coins ? ten_coin_two_coin_sets : 0xFF;
                int a = ten_coin_left_sets_a[stop], b = ten_coin_left_sets_b[stop];
                if (press >= 0) {
                    a &= ten_coin_center_sets_a[press] & mask;
                    b &= ten_coin_center_sets_b[press] & mask;
                    if (a == 0 && b == 0) a = ten_coin_left_sets_a[stop], b = ten_coin_left_sets_b[stop];
                }
                a &= mask;
                b &= mask;
                SCOPED_TRACE(testing::Message() << "stop " << stop << " bet " << bet << " press " << press);
                EXPECT_NE(a ? lowest_bit_code(7, a, 0) : lowest_bit_code(7, b, 1), 0);
                EXPECT_NE(a ? lowest_bit_code(3, swap(a), 0) : lowest_bit_code(3, swap(b), 1), 0);
                EXPECT_NE(b ? lowest_bit_code(7, b, 1) : lowest_bit_code(7, a, 0), 0);
                EXPECT_NE(b ? lowest_bit_code(3, swap(b), 1) : lowest_bit_code(3, swap(a), 0), 0);
            }
    }
}

}  // namespace
}  // namespace reelctl
