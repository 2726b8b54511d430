// Role catalogue: for each bet and role the tables the machine may use,
// with their shares, pattern codes and slide table numbers, and the role's
// control kind. Two-dimensional tables are bet-major: [3 bets][11 roles].
//
// From the machine's data sheet, transcribed again in
// tests/machine/data_sheet.txt, against which data_sheet_test.cpp checks every
// record, the attribute words and the order of the role combo. roles_test.cpp
// checks that each table number is the one its pattern code selects and that
// the kinds are 0 at one coin and the role index above.
#pragma once

#include <array>
#include <cstdint>

#include "machine/conditions.h"

namespace reelctl {

// Role indices, in the order of role_names.
enum RoleIndex : int {
    role_none = -1,
    role_miss = 0,
    role_replay = 1,
    role_cherry2 = 2,
    role_cherry4 = 3,
    role_big = 4,
    role_big_cherry2 = 5,
    role_big_cherry4 = 6,
    role_reg = 7,
    role_reg_cherry2 = 8,
    role_reg_cherry4 = 9,
    role_ten_coin = 10,
};
inline constexpr int role_count = role_ten_coin + 1;

inline constexpr int max_choices = 10;

struct RoleRecord {
    std::uint16_t choice_count;                           // 0 = not offered at this bet
    std::array<const char*, max_choices> choice_share;    // percent, without the sign
    std::array<std::uint8_t, max_choices> choice_pattern; // pattern code of each table
    std::array<std::uint8_t, max_choices> choice_table;   // slide table number 1..83
};

// The order in which the role combo offers the roles: BIG BONUS first, the miss last.
inline constexpr std::array<int, role_count> role_list_order = {
    role_big, role_big_cherry2, role_big_cherry4, role_reg, role_reg_cherry2, role_reg_cherry4,
    role_replay, role_cherry2, role_cherry4, role_ten_coin, role_miss,
};

// role_records[bet][role]
inline constexpr std::array<std::array<RoleRecord, role_count>, bet_count> role_records = {{
    // 1 coin
    {{
        // miss
        {8, {"12.5", "12.5", "12.5", "12.5", "12.5", "12.5", "12.5", "12.5"},
            {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87},
            {32, 48, 64, 70, 71, 72, 78, 79}},
        // replay
        {1, {"100"}, {0x1b}, {1}},
        // 2-coin cherry
        {2, {"50", "50"}, {0x10, 0x11}, {16, 17}},
        // 4-coin cherry: not offered
        {0, {}, {}, {}},
        // BIG BONUS
        {1, {"100"}, {0x18}, {81}},
        // BIG + 2-coin cherry
        {1, {"100"}, {0x19}, {82}},
        // BIG + 4-coin cherry: not offered
        {0, {}, {}, {}},
        // REG BONUS
        {1, {"100"}, {0x1c}, {49}},
        // REG + 2-coin cherry
        {1, {"100"}, {0x1d}, {54}},
        // REG + 4-coin cherry: not offered
        {0, {}, {}, {}},
        // ten-coin role
        {1, {"100"}, {0x1f}, {83}},
    }},
    // 2 coins
    {{
        // miss
        {8, {"12.5", "12.5", "12.5", "12.5", "12.5", "12.5", "12.5", "12.5"},
            {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87},
            {32, 48, 64, 70, 71, 72, 78, 79}},
        // replay
        {3, {"25", "37.5", "37.5"}, {0x70, 0x72, 0x75}, {1, 2, 3}},
        // 2-coin cherry
        {2, {"50", "50"}, {0x10, 0x11}, {16, 17}},
        // 4-coin cherry
        {1, {"100"}, {0x12}, {18}},
        // BIG BONUS
        {2, {"50", "50"}, {0x20, 0x21}, {34, 35}},
        // BIG + 2-coin cherry
        {2, {"50", "50"}, {0x30, 0x31}, {38, 39}},
        // BIG + 4-coin cherry
        {3, {"50", "25", "25"}, {0x60, 0x62, 0x63}, {33, 34, 35}},
        // REG BONUS
        {3, {"50", "25", "25"}, {0x28, 0x2a, 0x2b}, {49, 50, 51}},
        // REG + 2-coin cherry
        {3, {"50", "25", "25"}, {0x38, 0x3a, 0x3b}, {54, 55, 56}},
        // REG + 4-coin cherry
        {3, {"50", "25", "25"}, {0x68, 0x6a, 0x6b}, {59, 60, 61}},
        // ten-coin role
        {6, {"37.5", "6.25", "6.25", "37.5", "6.25", "6.25"},
            {0x50, 0x52, 0x53, 0x58, 0x5a, 0x5b},
            {65, 66, 67, 73, 74, 75}},
    }},
    // 3 coins
    {{
        // miss
        {8, {"12.5", "12.5", "12.5", "12.5", "12.5", "12.5", "12.5", "12.5"},
            {0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87},
            {32, 48, 64, 70, 71, 72, 78, 79}},
        // replay
        {5, {"25", "18.75", "18.75", "18.75", "18.75"},
            {0x70, 0x72, 0x75, 0x78, 0x7b},
            {1, 2, 3, 4, 5}},
        // 2-coin cherry
        {2, {"50", "50"}, {0x10, 0x11}, {16, 17}},
        // 4-coin cherry
        {1, {"100"}, {0x12}, {18}},
        // BIG BONUS
        {4, {"25", "25", "25", "25"}, {0x20, 0x21, 0x24, 0x25}, {34, 35, 36, 37}},
        // BIG + 2-coin cherry
        {4, {"25", "25", "25", "25"}, {0x30, 0x31, 0x34, 0x35}, {38, 39, 40, 41}},
        // BIG + 4-coin cherry
        {5, {"50", "12.5", "12.5", "12.5", "12.5"},
            {0x60, 0x62, 0x63, 0x64, 0x65},
            {33, 34, 35, 36, 37}},
        // REG BONUS
        {5, {"25", "12.5", "12.5", "25", "25"},
            {0x28, 0x2a, 0x2b, 0x2c, 0x2d},
            {49, 50, 51, 52, 53}},
        // REG + 2-coin cherry
        {5, {"25", "25", "25", "12.5", "12.5"},
            {0x38, 0x3a, 0x3b, 0x3c, 0x3d},
            {54, 55, 56, 57, 58}},
        // REG + 4-coin cherry
        {5, {"25", "12.5", "12.5", "25", "25"},
            {0x68, 0x6a, 0x6b, 0x6c, 0x6d},
            {59, 60, 61, 62, 63}},
        // ten-coin role
        {10, {"12.5", "6.25", "6.25", "12.5", "12.5", "12.5", "6.25", "6.25", "12.5", "12.5"},
            {0x40, 0x42, 0x43, 0x44, 0x45, 0x48, 0x4a, 0x4b, 0x4c, 0x4d},
            {65, 66, 67, 68, 69, 73, 74, 75, 76, 77}},
    }},
}};

// role_attributes[bet][role]: only bits 4..7 carry behaviour, the role kind.
inline constexpr std::array<std::array<std::uint16_t, role_count>, bet_count> role_attributes = {{
    //  miss   replay  cher2   cher4   BIG     BIG+c2  BIG+c4  REG     REG+c2  REG+c4  ten-coin
    {0x800F, 0x1B00, 0x1001, 0x1201, 0x1800, 0x1900, 0x1A00, 0x1C00, 0x1D00, 0x1E00, 0x1F00},  // 1 coin
    {0x800F, 0x7017, 0x1021, 0x1231, 0x2043, 0x3053, 0x6063, 0x2873, 0x3883, 0x6893, 0x50AF},  // 2 coins
    {0x800F, 0x701F, 0x1021, 0x1231, 0x2047, 0x3057, 0x6067, 0x2877, 0x3887, 0x6897, 0x40AF},  // 3 coins
}};

// The control kind of a role at a bet, bits 4..7 of its attribute word; 0 outside the tables.
constexpr int role_kind_of(int bet, int role) {
    if (bet < 0 || bet >= bet_count || role < 0 || role >= role_count) return 0;
    return (role_attributes[bet][role] & 0xF0) >> 4;
}

// Role kinds: 0 the role is not controlled at this bet; 4..6 the BIG
// kinds and 7..9 the REG kinds, whose tables switch with the press; 10 the
// ten-coin role's own control.
constexpr bool controlled_kind(int kind) { return kind > 0; }
constexpr bool big_kind(int kind) { return kind >= 4 && kind <= 6; }
constexpr bool reg_kind(int kind) { return kind >= 7 && kind <= 9; }
constexpr bool bonus_kind(int kind) { return big_kind(kind) || reg_kind(kind); }
inline constexpr int ten_coin_kind = 10;
// The kinds whose table can switch with the center press: BIG, REG and the ten-coin role.
constexpr bool switching_kind(int kind) { return kind >= 4; }

// Role families.
constexpr bool big_role(int role) { return role >= role_big && role <= role_big_cherry4; }
constexpr bool reg_role(int role) { return role >= role_reg && role <= role_reg_cherry4; }
// The roles whose table a press can switch: the BIG and REG roles and the ten-coin role.
constexpr bool switching_role(int role) { return role >= role_big && role <= role_ten_coin; }

// The record of (bet, role), or nullptr when either index is out of range.
constexpr const RoleRecord* role_record(int bet, int role) {
    if (bet < 0 || bet >= bet_count || role < 0 || role >= role_count) return nullptr;
    return &role_records[bet][role];
}

}  // namespace reelctl
