// Role catalogue: for each bet and role the tables the machine may use,
// with their shares, pattern codes and slide table numbers, and the role's
// control kind. Two-dimensional tables are bet-major: [3 bets][11 roles].
#pragma once

#include <array>
#include <cstdint>

#include "machine/texts.h"

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

inline constexpr int max_choices = 10;

struct RoleRecord {
    std::uint16_t choice_count;                           // 0 = not offered at this bet
    std::array<const char*, max_choices> choice_share;    // percent, without the sign
    std::array<std::uint8_t, max_choices> choice_pattern; // pattern code of each table
    std::array<std::uint8_t, max_choices> choice_table;   // slide table number 1..83
};

// The order in which the role combo offers the roles: BIG BONUS first, the miss last.
inline constexpr std::array<int, role_count> role_list_order = {4, 5, 6, 7, 8, 9, 1, 2, 3, 10, 0};

// role_records[bet][role]
inline constexpr std::array<std::array<RoleRecord, role_count>, bet_count> role_records = {};  // TODO data

// role_attributes[bet][role]: only bits 4..7 carry behaviour, the role kind.
inline constexpr std::array<std::array<std::uint16_t, role_count>, bet_count> role_attributes = {};  // TODO data

// The control kind of a role at a bet, bits 4..7 of its attribute word; 0 outside the tables.
constexpr int role_kind_of(int bet, int role) {
    if (bet < 0 || bet >= bet_count || role < 0 || role >= role_count) return 0;
    return (role_attributes[bet][role] & 0xF0) >> 4;
}

// The record of (bet, role), or nullptr when either index is out of range.
constexpr const RoleRecord* role_record(int bet, int role) {
    if (bet < 0 || bet >= bet_count || role < 0 || role >= role_count) return nullptr;
    return &role_records[bet][role];
}

}  // namespace reelctl
