// Pattern mode: the left stop patterns offered when a controlled role is
// played with the left reel stopped first, and the tables that the left
// stop then puts in force for the center and right reels.
//
// From the machine's data sheet, transcribed again in
// tests/machine/data_sheet.txt, against which data_sheet_test.cpp checks every
// value. lookups_test.cpp checks that every slide is at most 4 and that a
// table is 0 exactly at the left stops no pattern of its group reaches; the
// split is checked through the panel in tests/engine/left_first_test.cpp.
#pragma once

#include <array>
#include <cstdint>

#include "machine/conditions.h"
#include "machine/roles.h"

namespace reelctl {

inline constexpr int left_pattern_count = 3;

// left_pattern_slides[role - role_replay][press index], every role but the miss. Each byte holds the
// left slide of all three patterns: pattern 0 bits 7..5, pattern 1 (bits 4..0) / 5,
// pattern 2 (bits 4..0) % 5.
inline constexpr std::array<std::array<std::uint8_t, 21>, role_count - 1> left_pattern_slides = {{
    // 1 replay
    {0x77, 0x91, 0x6B, 0x4A, 0x26, 0x04, 0x77, 0x53, 0x2E, 0x02, 0x91, 0x6A, 0x45, 0x21, 0x80, 0x78, 0x51, 0x2B, 0x02, 0x20, 0x04},
    // 2 2-coin cherry
    {0x45, 0x98, 0x72, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x26, 0x00, 0x98, 0x72, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x26, 0x00, 0x91, 0x30},
    // 3 4-coin cherry
    {0x4A, 0x98, 0x98, 0x72, 0x56, 0x30, 0x0A, 0x26, 0x00, 0x00, 0x98, 0x98, 0x72, 0x8E, 0x68, 0x42, 0x26, 0x00, 0x00, 0x56, 0x50},
    // 4 BIG BONUS
    {0x4A, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x72, 0x4C, 0x26, 0x00, 0x98, 0x72, 0x4C, 0x26, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x56, 0x50},
    // 5 BIG + 2-coin cherry
    {0x45, 0x98, 0x72, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x26, 0x00, 0x98, 0x72, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x26, 0x00, 0x91, 0x30},
    // 6 BIG + 4-coin cherry
    {0x4A, 0x98, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x26, 0x00, 0x00, 0x98, 0x98, 0x72, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x00, 0x56, 0x50},
    // 7 REG BONUS
    {0x0A, 0x06, 0x00, 0x4C, 0x26, 0x14, 0x72, 0x4C, 0x26, 0x00, 0x98, 0x72, 0x4C, 0x26, 0x84, 0x72, 0x4C, 0x98, 0x92, 0x76, 0x70},
    // 8 REG + 2-coin cherry
    {0x41, 0x06, 0x00, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x26, 0x00, 0x98, 0x72, 0x98, 0x72, 0x4C, 0x26, 0x00, 0x98, 0x77, 0x53, 0x6B},
    // 9 REG + 4-coin cherry
    {0x4A, 0x20, 0x00, 0x72, 0x56, 0x30, 0x0A, 0x26, 0x00, 0x00, 0x98, 0x98, 0x72, 0x8E, 0x72, 0x4C, 0x26, 0x98, 0x77, 0x57, 0x50},
    // 10 ten-coin role
    {0x07, 0x00, 0x00, 0x00, 0x00, 0x04, 0x98, 0x77, 0x73, 0x6D, 0x07, 0x0A, 0x05, 0x00, 0x18, 0x98, 0x98, 0x98, 0x72, 0x8E, 0x68},
}};

// The left slide of `role` (replay .. ten-coin role) under `pattern` (0..2) at
// press index `index`; 0 outside those ranges.
constexpr int pattern_left_slide(int role, int pattern, int index) {
    if (role < role_replay || role > role_ten_coin || pattern < 0 || pattern >= left_pattern_count || index < 0 ||
        index > 20)
        return 0;
    std::uint8_t b = left_pattern_slides[role - role_replay][index];
    if (pattern == 0) return b >> 5;
    if (pattern == 1) return (b & 0x1F) / 5;
    return (b & 0x1F) % 5;
}

// The role groups that share the tables a left stop puts in force; the miss
// and the ten-coin role belong to none.
enum PatternRoleGroup : int {
    group_none = 0,
    group_replay = 1,
    group_cherries = 2,
    group_big = 3,
    group_reg = 4,
};

// The group of each role, by role index.
inline constexpr std::array<std::uint8_t, role_count> pattern_role_groups = {
    group_none,                                    // miss
    group_replay,                                  // replay
    group_cherries, group_cherries,                // 2- and 4-coin cherry
    group_big, group_big, group_big,               // BIG BONUS, BIG + 2-coin, BIG + 4-coin cherry
    group_reg, group_reg, group_reg,               // REG BONUS, REG + 2-coin, REG + 4-coin cherry
    group_none,                                    // ten-coin role
};

// At three coins a left stop where the two tables of its group differ offers
// both, in equal shares: a split.
inline constexpr int pattern_split_count = 2;
inline constexpr const char* pattern_split_share = "50";  // percent, without the sign

// pattern_stop_tables[table choice 0..1][group - group_replay][left stop index]: slide table
// numbers; 0 at the left stops that no pattern of the group reaches.
inline constexpr std::array<std::array<std::array<std::uint8_t, 21>, 4>, pattern_split_count> pattern_stop_tables = {{
    //   left stop 0 .. 20
    // table choice 0: "(1) 50%"
    {{
        { 0,  0,  0,  2,  1,  3,  0,  0,  0,  2,  1,  3,  2,  1,  3,  0,  0,  0,  2,  1,  3},  // 1 replay
        {64, 48, 64,  0,  0, 64, 21, 20, 22, 70,  0,  0,  0,  0, 32, 21, 19, 22, 72,  0,  0},  // 2 cherries
        {23, 24, 25,  0,  0, 42, 33, 43, 33, 46,  0,  0,  0,  0, 43, 33, 42, 33, 43,  0,  0},  // 3 BIG roles
        {50, 59, 51,  0,  0, 14, 27, 29, 28, 12,  0,  0,  0,  0, 10, 27, 26, 28,  8,  0,  0},  // 4 REG roles
    }},
    // table choice 1: "(2) 50%"
    {{
        { 0,  0,  0,  4,  1,  5,  0,  0,  0,  4,  1,  5,  4,  1,  5,  0,  0,  0,  4,  1,  5},  // 1 replay
        {72, 79, 72,  0,  0, 70, 21, 20, 22, 71,  0,  0,  0,  0, 48, 21, 19, 22, 78,  0,  0},  // 2 cherries
        { 6, 24,  7,  0,  0, 44, 33, 45, 33, 44,  0,  0,  0,  0, 47, 33, 44, 33, 45,  0,  0},  // 3 BIG roles
        {57, 59, 58,  0,  0, 15, 27, 31, 28, 13,  0,  0,  0,  0, 11, 27, 30, 28,  9,  0,  0},  // 4 REG roles
    }},
}};

// The role group of a role; group_none outside the roles.
constexpr int pattern_role_group(int role) {
    if (role < role_miss || role >= role_count) return group_none;
    return pattern_role_groups[role];
}

// The table for table choice `choice` (0, 1), group `group` (replay .. REG) and
// left stop `left_stop` (0..20); 0 outside those ranges.
constexpr int pattern_stop_table(int choice, int group, int left_stop) {
    if (choice < 0 || choice >= pattern_split_count || group < group_replay || group > group_reg || left_stop < 0 || left_stop > 20)
        return 0;
    return pattern_stop_tables[choice][group - group_replay][left_stop];
}

// Whether the left stop `left_stop` of a role of `group` offers a split at `bet`.
constexpr bool pattern_split_at(int bet, int group, int left_stop) {
    return bet == bet_three_coins && pattern_stop_table(0, group, left_stop) != pattern_stop_table(1, group, left_stop);
}

}  // namespace reelctl
