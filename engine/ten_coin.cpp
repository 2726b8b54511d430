#include "engine/ten_coin.h"

#include "machine/conditions.h"
#include "machine/ten_coin_tables.h"

namespace reelctl {
namespace {

constexpr std::uint8_t swap_nibbles(std::uint8_t x) { return static_cast<std::uint8_t>(((x & 0x0F) << 4) | (x >> 4)); }

bool valid_index(int index) { return index >= 0 && index < position_count; }

}  // namespace

TenCoinLeftStop take_ten_coin_left_stop(EngineState& engine) {
    PanelState& s = engine.state;
    TenCoinWork& work = engine.ten_coin;
    const int left_stop = s.stop_pos[reel_left];
    s.split_pending = 0;
    if (!valid_index(left_stop)) return TenCoinLeftStop::not_a_stop;
    work.candidates_a = ten_coin_left_sets_a[left_stop];
    work.candidates_b = ten_coin_left_sets_b[left_stop];

    if (const int single = ten_coin_single_table(left_stop); single != 0) {
        s.slide_table = static_cast<std::int16_t>(single);
        return TenCoinLeftStop::single_table;
    }
    s.split_pending = 1;
    if (s.stop_order == order_left_center_right) return TenCoinLeftStop::center_press_next;
    if (s.stop_order == order_left_right_center) return TenCoinLeftStop::composition_next;
    return TenCoinLeftStop::nothing_next;
}

int compose_ten_coin_tables(EngineState& engine) {
    PanelState& s = engine.state;
    TenCoinWork& work = engine.ten_coin;
    const int left_stop = s.stop_pos[reel_left];
    const int center_press = s.stop_pos[reel_center];
    if (!valid_index(left_stop) || !valid_index(center_press)) return 0;
    const int selector = ten_coin_weight_selector[left_stop];
    if (selector < 1 || selector > 3) return 0;  // a left stop the ten-coin role never rests at
    if (work.candidates_a == 0 && work.candidates_b == 0) return 0;  // no ten-coin left stop has named tables yet

    work.saved_center_pos = s.stop_pos[reel_center];
    work.saved_right_pos = s.stop_pos[reel_right];

    const bool two_coins = s.bet == bet_two_coins;
    auto mask_for_bet = [two_coins](std::uint8_t set) { return two_coins ? static_cast<std::uint8_t>(set & ten_coin_two_coin_sets) : set; };
    std::uint8_t a = work.candidates_a;
    std::uint8_t b = work.candidates_b;
    if (s.stop_order == order_left_center_right) {
        // The center press narrows the left stop's sets; if nothing is left, the left stop's sets stand.
        a = mask_for_bet(ten_coin_center_sets_a[center_press] & work.candidates_a);
        b = mask_for_bet(ten_coin_center_sets_b[center_press] & work.candidates_b);
        if (a == 0 && b == 0) {
            a = mask_for_bet(work.candidates_a);
            b = mask_for_bet(work.candidates_b);
        }
    } else {
        a = mask_for_bet(a);
        b = mask_for_bet(b);
    }

    // Slots 0, 1 carry group A's lowest and next table, slots 2, 3 group B's;
    // an empty group lends its slots to the other.
    const std::uint8_t candidates[4] = {
        a != 0 ? lowest_bit_code(7, a, 0) : lowest_bit_code(7, b, 1),
        a != 0 ? lowest_bit_code(3, swap_nibbles(a), 0) : lowest_bit_code(3, swap_nibbles(b), 1),
        b != 0 ? lowest_bit_code(7, b, 1) : lowest_bit_code(7, a, 0),
        b != 0 ? lowest_bit_code(3, swap_nibbles(b), 1) : lowest_bit_code(3, swap_nibbles(a), 0),
    };
    const auto& slot_weights = ten_coin_weight_schemes[selector];

    // Equal tables merge, adding their weights, in order of first appearance.
    work.codes.fill(0);
    work.weights.fill(0);
    int count = 0;
    for (int j = 0; j < 4; ++j) {
        for (int k = 0; k <= count && k < 4; ++k) {
            if (work.codes[k] == 0) {
                work.codes[k] = candidates[j];
                work.weights[k] = slot_weights[j];
                ++count;
                break;
            }
            if (work.codes[k] == candidates[j]) {
                work.weights[k] = static_cast<std::int16_t>(work.weights[k] + slot_weights[j]);
                break;
            }
        }
    }
    if (count < 2) {
        s.awaiting_stop = 0;
        s.slide_table = work.codes[0];
    }
    return count;
}

void choose_ten_coin_table(EngineState& engine) {
    PanelState& s = engine.state;
    TenCoinWork& work = engine.ten_coin;
    // Only entries 1..n are offered; a forged number beyond them puts nothing in force.
    const int entry = s.table_choice;
    if (entry >= 0 && entry < 4 && work.codes[entry] != 0) s.slide_table = work.codes[entry];
    // The center computation turns the press into a stop, so each pick starts again from the press.
    if (s.stop_order == order_left_center_right)
        s.stop_pos[reel_center] = work.saved_center_pos;
    else
        s.stop_pos[reel_right] = work.saved_right_pos;
}

}  // namespace reelctl
