// The playing conditions: the bet and the order in which the reels are stopped.
#pragma once

namespace reelctl {

// bet 0..2 is one to three coins.
inline constexpr int bet_one_coin = 0;
inline constexpr int bet_two_coins = 1;
inline constexpr int bet_three_coins = 2;

// stop_order 0..5: which reel the player stops first, second and third.
enum StopOrder : int {
    order_left_center_right = 0,
    order_left_right_center = 1,
    order_center_left_right = 2,
    order_center_right_left = 3,
    order_right_left_center = 4,
    order_right_center_left = 5,
};

constexpr bool left_first(int stop_order) { return stop_order < order_center_left_right; }
constexpr bool center_first(int stop_order) {
    return stop_order == order_center_left_right || stop_order == order_center_right_left;
}
constexpr bool right_first(int stop_order) { return stop_order > order_center_right_left; }

}  // namespace reelctl
