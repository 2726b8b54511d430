// Pattern mode: the left stop patterns offered when a controlled role is
// played with the left reel stopped first, and the tables that the left
// stop then puts in force for the center and right reels.
#pragma once

#include <array>
#include <cstdint>

namespace reelctl {

// left_pattern_slides[role - 1][press index], roles 1..10. Each byte holds the
// left slide of all three patterns: pattern 0 bits 7..5, pattern 1 (bits 4..0) / 5,
// pattern 2 (bits 4..0) % 5.
inline constexpr std::array<std::array<std::uint8_t, 21>, 10> left_pattern_slides = {};  // TODO data

// The left slide of `role` (1..10) under `pattern` (0..2) at press index `index`;
// 0 outside those ranges.
constexpr int pattern_left_slide(int role, int pattern, int index) {
    if (role < 1 || role > 10 || pattern < 0 || pattern > 2 || index < 0 || index > 20) return 0;
    std::uint8_t b = left_pattern_slides[role - 1][index];
    if (pattern == 0) return b >> 5;
    if (pattern == 1) return (b & 0x1F) / 5;
    return (b & 0x1F) % 5;
}

// Role group by role 0..10: 1 replay, 2 cherries, 3 BIG roles, 4 REG roles, 0 none.
inline constexpr std::array<std::uint8_t, 11> pattern_role_groups = {};  // TODO data

// pattern_stop_tables[table choice 0..1][group - 1][left stop index]: slide table
// numbers; 0 at the left stops that no pattern of the group reaches.
inline constexpr std::array<std::array<std::array<std::uint8_t, 21>, 4>, 2> pattern_stop_tables = {};  // TODO data

// The role group of a role; 0 outside 0..10.
constexpr int pattern_role_group(int role) {
    return (role < 0 || role > 10) ? 0 : pattern_role_groups[role];
}

// The table for table choice `choice` (0, 1), group `group` (1..4) and left stop
// `left_stop` (0..20); 0 outside those ranges.
constexpr int pattern_stop_table(int choice, int group, int left_stop) {
    if (choice < 0 || choice > 1 || group < 1 || group > 4 || left_stop < 0 || left_stop > 20) return 0;
    return pattern_stop_tables[choice][group - 1][left_stop];
}

}  // namespace reelctl
