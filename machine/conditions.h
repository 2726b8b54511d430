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

// The reel (0 left, 1 center, 2 right) the order stops n-th (n 0..2).
constexpr int reel_stopped(int stop_order, int n) {
    constexpr int order[stop_order_count][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    return order[stop_order][n];
}

// The order that stops reel `first`, then reel `second`.
constexpr int stop_order_of(int first, int second) {
    for (int o = 0; o < stop_order_count; ++o)
        if (reel_stopped(o, 0) == first && reel_stopped(o, 1) == second) return o;
    return -1;
}

}  // namespace reelctl
