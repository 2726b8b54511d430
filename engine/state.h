// The reel control's mutable state: the one PanelState record with the three
// reel columns, the conflict mask and the ten-coin work record. The
// computations of this folder read and write it and return their results;
// they never touch the dialog.
#pragma once

#include <array>
#include <cstdint>

#include "machine/symbols.h"

namespace reelctl {

struct PanelState {
    std::int16_t bet = 2;            // 0..2: one to three coins
    std::int16_t stop_order = 0;     // 0..5, a StopOrder
    std::int16_t role = -1;          // -1 none, 0..10 in role_names order
    std::int16_t pattern_code = 0;   // pattern code in force, 0..255
    std::int16_t slide_table = 0;    // slide table in force, 1..83; 0 before the first pick
    std::int16_t role_kind = 0;      // control kind of the picked role at the bet; 0 uncontrolled
    std::int16_t left_pattern = -1;  // -1 none, 0..2
    std::int16_t table_choice = -1;  // -1 none, 0..9: entry picked in the table combo
    std::int32_t awaiting_stop = 0;  // 1 while a center or right column offers press positions
    std::int32_t split_pending = 0;  // 1 when the left stop left the table open
    std::int32_t pattern_mode = 0;   // 1 while the pattern combo is the role's choice
    std::int16_t layout_variant = 0; // 0 small pictures (rows 24 px apart), 1 large
    std::array<std::int16_t, reel_count> stop_pos{};  // stop (or just-picked press) index per reel
};

// mark values of a ReelRow
inline constexpr std::int16_t mark_none = 0;
inline constexpr std::int16_t mark_reachable = 1;
inline constexpr std::int16_t mark_chosen = 2;

struct ReelRow {
    std::int16_t slide = 0;  // frames slid after a press at this row, 0..4
    std::int16_t mark = 0;   // mark_none, mark_reachable or mark_chosen
};

using ReelColumn = std::array<ReelRow, position_count>;

// conflict_mask values: where a press would switch the table, and through which list.
inline constexpr std::uint8_t conflict_none = 0;
inline constexpr std::uint8_t conflict_big = 1;  // a BIG list or the ten-coin rule
inline constexpr std::uint8_t conflict_reg = 2;  // a REG list

struct TenCoinWork {
    std::array<std::uint8_t, 4> codes{};    // composed table numbers in entry order; 0 empty
    std::uint8_t candidates_a = 0;          // group A candidate set of the last left stop
    std::uint8_t candidates_b = 0;          // group B candidate set of the last left stop
    std::array<std::int16_t, 4> weights{};  // tenths of a percent
    std::int16_t saved_center_pos = 0;
    std::int16_t saved_right_pos = 0;
};

// Everything the computations work on. The panel holds exactly one.
struct EngineState {
    PanelState state;
    std::array<ReelColumn, reel_count> columns{};
    std::array<std::uint8_t, position_count> conflict_mask{};
    TenCoinWork ten_coin;
};

}  // namespace reelctl
