// The ten-coin role's table composition data: candidate sets of slide tables
// by left stop and by center press, and the weight schemes of the left stops.
//
// A candidate set is a byte whose bit k (1..5) stands for table 72 + k of
// group A (73..77) or table 64 + k of group B (65..69).
#pragma once

#include <array>
#include <cstdint>

namespace reelctl {

// ten_coin_code_table[group 0 = A, 1 = B][entry 0..7]
inline constexpr std::array<std::array<std::uint8_t, 8>, 2> ten_coin_code_table = {};  // TODO data

// By left stop index 0..20.
inline constexpr std::array<std::uint8_t, 21> ten_coin_left_sets_a = {};      // TODO data
inline constexpr std::array<std::uint8_t, 21> ten_coin_left_sets_b = {};      // TODO data
inline constexpr std::array<std::uint8_t, 21> ten_coin_weight_selector = {};  // TODO data
// By center press index 0..20.
inline constexpr std::array<std::uint8_t, 21> ten_coin_center_sets_a = {};    // TODO data
inline constexpr std::array<std::uint8_t, 21> ten_coin_center_sets_b = {};    // TODO data

// ten_coin_weight_schemes[selector 0..3][slot 0..3] in tenths of a percent;
// selector 0 has no weights (its left stops are never composed).
inline constexpr std::array<std::array<std::int16_t, 4>, 4> ten_coin_weight_schemes = {};  // TODO data

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
