// The playing conditions: the bet and the order in which the reels are stopped.
//
// From the machine's condition menu: three bets and the six orders of the
// three reels, numbered in the menu's order. Checked by texts_test.cpp (the
// reel each order stops first is the first reel of its name); the names
// themselves by tests/script/system_texts_test.cpp.
#pragma once

namespace reelctl {

// bet 0..2 is one to three coins.
inline constexpr int bet_one_coin = 0;
inline constexpr int bet_two_coins = 1;
inline constexpr int bet_three_coins = 2;
inline constexpr int bet_count = 3;

// stop_order 0..5: which reel the player stops first, second and third.
enum StopOrder : int {
    order_left_center_right = 0,
    order_left_right_center = 1,
    order_center_left_right = 2,
    order_center_right_left = 3,
    order_right_left_center = 4,
    order_right_center_left = 5,
};
inline constexpr int stop_order_count = 6;

constexpr bool left_first(int stop_order) { return stop_order < order_center_left_right; }
constexpr bool center_first(int stop_order) {
    return stop_order == order_center_left_right || stop_order == order_center_right_left;
}
constexpr bool right_first(int stop_order) { return stop_order > order_center_right_left; }

}  // namespace reelctl
