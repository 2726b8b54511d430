// The ten-coin role's table composition data: candidate sets of slide tables
// by left stop and by center press, the left stops that put a single table
// in force, and the weight schemes of the left stops.
//
// A candidate set is a byte whose bit k (1..5) stands for table 72 + k of
// group A (73..77) or table 64 + k of group B (65..69).
//
// From the machine's data sheet, transcribed again in
// tests/machine/data_sheet.txt, against which data_sheet_test.cpp checks every
// value. ten_coin_test.cpp checks the bits against their tables and the
// catalogue's tables at each bet, the weights against the reachable left
// stops, the single tables against the left sets, and that every composition
// has four candidates.
#pragma once

#include <array>
#include <cstdint>

namespace reelctl {

// ten_coin_code_table[group 0 = A, 1 = B][entry 0..7]
inline constexpr std::array<std::array<std::uint8_t, 8>, 2> ten_coin_code_table = {{
    //  entry 0 .. 7
    { 0,  0, 77, 76, 75, 74, 73,  0},  // group A
    { 0,  0, 69, 68, 67, 66, 65,  0},  // group B
}};

// By left stop index 0..20: the candidate sets of groups A and B (0x00 none,
// 0x02 {73 | 65}, 0x14 {74, 76 | 66, 68}, 0x28 {75, 77 | 67, 69}), the weight
// scheme, 0 at the left stops where the ten-coin role's left reel never rests,
// and the single table that a left stop puts in force at once (73 at the left
// stops 5 and 14, 65 at 9 and 18), 0 where the tables are composed.
inline constexpr std::array<std::uint8_t, 21> ten_coin_left_sets_a = {0x28, 0x14, 0x02, 0x28, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x14, 0x02, 0x28, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x14, 0x02};
inline constexpr std::array<std::uint8_t, 21> ten_coin_left_sets_b = {0x02, 0x28, 0x14, 0x02, 0x28, 0x00, 0x00, 0x00, 0x00, 0x02, 0x28, 0x14, 0x02, 0x28, 0x00, 0x00, 0x00, 0x00, 0x02, 0x28, 0x14};
inline constexpr std::array<std::uint8_t, 21> ten_coin_weight_selector = { 3,  2,  1,  3,  2,  2,  0,  0,  0,  2,  2,  1,  3,  2,  2,  0,  0,  0,  2,  2,  1};
inline constexpr std::array<std::uint8_t, 21> ten_coin_single_tables = {   0,  0,  0,  0,  0, 73,  0,  0,  0, 65,  0,  0,  0,  0, 73,  0,  0,  0, 65,  0,  0};
// By center press index 0..20: the sets that a center press leaves open, with the
// left reel stopped first in the order left, center, right.
inline constexpr std::array<std::uint8_t, 21> ten_coin_center_sets_a = {0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3A, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x36, 0x3E};
inline constexpr std::array<std::uint8_t, 21> ten_coin_center_sets_b = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x04, 0x36, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3A, 0x08};

// At two coins the ten-coin role has only the tables 73..75 and 65..67: the
// bits of a candidate set that stand at that bet.
inline constexpr std::uint8_t ten_coin_two_coin_sets = 0x0F;

// ten_coin_weight_schemes[selector 0..3][slot 0..3] in tenths of a percent;
// selector 0 has no weights (its left stops are never composed).
inline constexpr std::array<std::array<std::int16_t, 4>, 4> ten_coin_weight_schemes = {{
    // slot 0, 1 (group A), 2, 3 (group B)
    {  0,   0,   0,   0},  // selector 0
    {375, 375, 125, 125},  // selector 1
    {250, 250, 250, 250},  // selector 2
    {125, 125, 375, 375},  // selector 3
}};

// The single table a ten-coin left stop puts in force; 0 where the left stop
// leaves the tables to be composed, and outside 0..20.
constexpr int ten_coin_single_table(int left_stop) {
    if (left_stop < 0 || left_stop > 20) return 0;
    return ten_coin_single_tables[left_stop];
}

// The table of the first set bit of `value` found walking down from bit 0 while the
// entry index counts down from `start` (at most eight bits looked at; index mod 8).
constexpr std::uint8_t lowest_bit_code(int start, int value, int group) {
    int x = value, index = start, steps = 0;
    while (x % 2 != 1) {
        x /= 2;
        --index;
        if (++steps == 8) break;
    }
    if (group < 0 || group > 1) return 0;
    return ten_coin_code_table[group][index & 7];
}

}  // namespace reelctl
