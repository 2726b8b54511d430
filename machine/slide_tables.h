// Slide tables: for each of the 83 control situations, how far each reel
// slides after its stop button is pressed at each of the 21 positions.
//
// A table is 21 packed bytes, one per press index: bits 7..5 the left slide,
// bits 4..0 the center slide * 5 + the right slide. The tables stay packed
// and are decoded on every read.
#pragma once

#include <array>
#include <cstdint>

namespace reelctl {

inline constexpr int slide_table_count = 83;  // numbered 1..83; there is no table 0
using SlideTable = std::array<std::uint8_t, 21>;

// slide_tables[t - 1] is table t.
inline constexpr std::array<SlideTable, slide_table_count> slide_tables = {};  // TODO data

// Pattern codes 0x10..0x8f select a table: high nibble the group, low nibble the variant.
inline constexpr int first_pattern_code = 0x10;
inline constexpr int last_pattern_code = 0x8f;
// table_number_map[code - 0x10]
inline constexpr std::array<std::uint8_t, 128> table_number_map = {};  // TODO data

// The table number a pattern code selects; 0 for a code outside 0x10..0x8f.
constexpr int table_for_pattern(int code) {
    if (code < first_pattern_code || code > last_pattern_code) return 0;
    return table_number_map[code - first_pattern_code];
}

// Byte `index` (0..20) of table `table` (1..83); 0 (all slides 0) outside those ranges,
// so that no index, however odd, reads outside the tables.
constexpr std::uint8_t packed_slides(int table, int index) {
    if (table < 1 || table > slide_table_count || index < 0 || index > 20) return 0;
    return slide_tables[table - 1][index];
}

constexpr int left_slide(std::uint8_t b) { return b >> 5; }
constexpr int center_slide(std::uint8_t b) { return (b & 0x1F) / 5; }
constexpr int right_slide(std::uint8_t b) { return (b & 0x1F) % 5; }

// The stop index reached by a press at `press` with slide `slide`: one wrap at most.
constexpr int stop_after_slide(int press, int slide) {
    int stop = press + slide;
    return stop >= 21 ? stop - 21 : stop;
}

}  // namespace reelctl
