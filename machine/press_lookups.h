// The press lists through which a center or right press, or a pair of left
// stop and center press, puts another slide table in force, and the rule of
// the ten-coin role's center press. Indices are 0-based (index i is the row
// labelled i + 1), searched in stored order.
//
// From the machine's data sheet, transcribed again in
// tests/machine/data_sheet.txt, against which data_sheet_test.cpp checks every
// list. lookups_test.cpp checks that the triples cover the left stops where the
// two tables differ and that the pairs switch at the known presses;
// slide_tables_test.cpp that the tables of left_stop_code_rows slide 0 where
// they are used. The ten-coin press rule is checked through the center column
// in tests/engine/press_control_test.cpp and screening_test.cpp.
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

// Center reel first, BIG roles: {center press index, new bits 3..0 of the pattern code}.
inline constexpr std::array<PressPair, 8> center_first_big_pairs = {{
    {18,  3}, {17,  1}, {13,  0}, {12,  2}, { 7,  2}, { 6,  0}, { 2,  1}, { 1,  3},
}};
// Center reel first, REG roles.
inline constexpr std::array<PressPair, 4> center_first_reg_pairs = {{
    {18,  9}, {17, 10}, {15, 11}, {14,  9},
}};
// Right reel first, BIG roles: {right press index, new bits 3..0 of the pattern code}.
inline constexpr std::array<PressPair, 7> right_first_big_pairs = {{
    {18,  3}, {17,  1}, { 8,  0}, { 7,  2}, { 6,  0}, { 2,  1}, { 1,  3},
}};
// Right reel first, REG roles.
inline constexpr std::array<PressPair, 4> right_first_reg_pairs = {{
    {18,  9}, {17, 10}, { 2, 11}, { 1,  9},
}};

// The pattern code a press named by `pair` puts in force: the group (high
// nibble) of `pattern_code` stays, the pair names the variant.
constexpr int press_pair_code(int pattern_code, const PressPair& pair) { return (pattern_code & 0xF0) | pair.bits; }

// The ten-coin role with the center reel first has no list: a center press at
// 8..19 clears bit 3 of the pattern code (tables 65..69), any other press sets
// it (tables 73..77). The pattern code a ten-coin center press puts in force.
constexpr int ten_coin_press_code(int pattern_code, int center_press) {
    return center_press >= 8 && center_press <= 19 ? (pattern_code & 0xF7) : (pattern_code | 0x08);
}
// Left reel first (left, center, right), BIG roles: {table code, left stop index, center press index}.
inline constexpr std::array<StopTriple, 16> left_first_big_triples = {{
    {0, 18, 18}, {1, 18, 13}, {1, 16, 17}, {0, 16, 12},
    {0, 16,  7}, {1, 16,  2}, {1, 14,  6}, {0, 14,  1},
    {0,  9,  7}, {1,  9,  2}, {0,  7, 18}, {1,  7, 13},
    {1,  7,  6}, {0,  7,  1}, {1,  5, 17}, {0,  5, 12},
}};
// Left reel first (left, center, right), REG roles.
inline constexpr std::array<StopTriple, 4> left_first_reg_triples = {{
    {1,  2, 18}, {0,  2, 15}, {0,  0, 17}, {1,  0, 14},
}};

// left_stop_code_rows[table code 0..1][left stop index 0..20]: slide table numbers.
inline constexpr std::array<std::array<std::uint8_t, 21>, 2> left_stop_code_rows = {{
    //   left stop 0 .. 20
    {50, 59, 51,  0,  0, 42, 33, 43, 33, 46,  0,  0,  0,  0, 43, 33, 42, 33, 43,  0,  0},  // table code 0
    {57, 59, 58,  0,  0, 44, 33, 45, 33, 44,  0,  0,  0,  0, 47, 33, 44, 33, 45,  0,  0},  // table code 1
}};

// The slide table a triple puts in force.
constexpr int triple_table(const StopTriple& triple) {
    return left_stop_code_rows[triple.table_code][triple.left_stop];
}

}  // namespace reelctl
