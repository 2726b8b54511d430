#include <gtest/gtest.h>

#include <set>
#include <string>

#include "machine/left_patterns.h"
#include "machine/press_lookups.h"
#include "machine/slide_tables.h"

namespace reelctl {
namespace {

bool left_slide_seven_expected(int table) {
    return (table >= 6 && table <= 15) || (table >= 19 && table <= 31) || (table >= 42 && table <= 47);
}

// The slides of one reel of a table as a string of digits, press position 1 first.
std::string decoded(int table, int (*field)(std::uint8_t)) {
    std::string s;
    for (int i = 0; i < 21; ++i) s += static_cast<char>('0' + field(packed_slides(table, i)));
    return s;
}

TEST(SlideTables, LeftSlideSevenOnlyInTheLeftStopTables) {
    for (int t = 1; t <= slide_table_count; ++t) {
        SCOPED_TRACE(t);
        int zeros = 0, sevens = 0;
        for (int i = 0; i < 21; ++i) {
            std::uint8_t b = packed_slides(t, i);
            EXPECT_LE(b & 0x1F, 24) << "press " << i + 1;
            int left = left_slide(b);
            zeros += left == 0;
            sevens += left == 7;
            if (!left_slide_seven_expected(t)) {
                EXPECT_LE(left, 4) << "press " << i + 1;
            }
        }
        if (left_slide_seven_expected(t)) {
            EXPECT_GE(zeros, 1);
            EXPECT_LE(zeros, 3);
            EXPECT_EQ(zeros + sevens, 21);
        }
    }
}

// A table with left slides of 7 is put in force only after the left reel stopped; its
// left field is 0 exactly at the left stops where the left-stop tables name it.
TEST(SlideTables, LeftStopTablesHaveSlideZeroExactlyWhereTheyAreUsed) {
    std::set<int> used_at[slide_table_count + 1];
    for (int choice = 0; choice < 2; ++choice)
        for (int group = 1; group <= 4; ++group)
            for (int stop = 0; stop < 21; ++stop) used_at[pattern_stop_table(choice, group, stop)].insert(stop);
    for (const auto& row : left_stop_code_rows)
        for (int stop = 0; stop < 21; ++stop) used_at[row[stop]].insert(stop);
    for (int t = 1; t <= slide_table_count; ++t) {
        if (!left_slide_seven_expected(t)) continue;
        std::set<int> zero_at;
        for (int i = 0; i < 21; ++i)
            if (left_slide(packed_slides(t, i)) == 0) zero_at.insert(i);
        EXPECT_EQ(zero_at, used_at[t]) << "table " << t;
    }
}

TEST(SlideTables, DecodedTables) {
    EXPECT_EQ(decoded(1, left_slide), "432100432132100432100");
    EXPECT_EQ(decoded(1, center_slide), "043210432102104321021");
    EXPECT_EQ(decoded(1, right_slide), "210432103210432103210");
    EXPECT_EQ(decoded(6, left_slide), "077777777777777777777");
    EXPECT_EQ(decoded(6, center_slide), "132104021043243210432");
    EXPECT_EQ(decoded(6, right_slide), "043432100432104321021");
    EXPECT_EQ(decoded(83, left_slide), "020014321020014321020");
    EXPECT_EQ(decoded(83, center_slide), "210432143210432102103");
    EXPECT_EQ(decoded(83, right_slide), "102100321003210021432");
}

TEST(SlideTables, OutOfRangeReadsAreAllZero) {
    EXPECT_EQ(packed_slides(0, 0), 0);
    EXPECT_EQ(packed_slides(84, 0), 0);
    EXPECT_EQ(packed_slides(1, -1), 0);
    EXPECT_EQ(packed_slides(1, 21), 0);
    EXPECT_EQ(stop_after_slide(20, 3), 2);
    EXPECT_EQ(stop_after_slide(17, 4), 0);
    EXPECT_EQ(stop_after_slide(16, 4), 20);
}

TEST(TableNumberMap, CodesOutsideTheMapSelectNoTable) {
    EXPECT_EQ(table_for_pattern(0x10), 16);
    EXPECT_EQ(table_for_pattern(0x8f), 79);
    EXPECT_EQ(table_for_pattern(0x0f), 0);
    EXPECT_EQ(table_for_pattern(0x90), 0);
}

// The miss group repeats its eight tables in both halves; the ten-coin groups name
// group A (73..77) with bit 3 set and group B (65..69) with bit 3 clear.
TEST(TableNumberMap, GroupHalves) {
    for (int v = 0; v < 8; ++v) EXPECT_EQ(table_for_pattern(0x80 | v), table_for_pattern(0x88 | v));
    for (int code = 0x40; code <= 0x5f; ++code) {
        int t = table_for_pattern(code);
        if (code & 0x08) {
            EXPECT_TRUE(t >= 73 && t <= 77) << std::hex << code;
        } else {
            EXPECT_TRUE(t >= 65 && t <= 69) << std::hex << code;
        }
    }
}

}  // namespace
}  // namespace reelctl
