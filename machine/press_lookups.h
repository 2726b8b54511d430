// The press lists through which a center or right press, or a pair of left
// stop and center press, puts another slide table in force. Indices are
// 0-based (index i is the row labelled i + 1), searched in stored order.
#pragma once

#include <array>
#include <cstdint>

namespace reelctl {

// A press at `press` puts pattern code (pattern_code & 0xF0) | bits in force.
struct PressPair {
    std::uint8_t press;
    std::uint8_t bits;
};

// With the left reel stopped at `left_stop`, a center press at `center_press`
// puts left_stop_code_rows[table_code][left_stop] in force.
struct StopTriple {
    std::uint8_t table_code;
    std::uint8_t left_stop;
    std::uint8_t center_press;
};

inline constexpr std::array<PressPair, 8> center_first_big_pairs = {};  // TODO data
inline constexpr std::array<PressPair, 4> center_first_reg_pairs = {};  // TODO data
inline constexpr std::array<PressPair, 7> right_first_big_pairs = {};   // TODO data
inline constexpr std::array<PressPair, 4> right_first_reg_pairs = {};   // TODO data
inline constexpr std::array<StopTriple, 16> left_first_big_triples = {};  // TODO data
inline constexpr std::array<StopTriple, 4> left_first_reg_triples = {};   // TODO data

// left_stop_code_rows[table code 0..1][left stop index 0..20]: slide table numbers.
inline constexpr std::array<std::array<std::uint8_t, 21>, 2> left_stop_code_rows = {};  // TODO data

}  // namespace reelctl
