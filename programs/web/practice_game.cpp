#include "programs/web/practice_game.h"

#include "app/draw_rule.h"
#include "machine/conditions.h"
#include "panel/control_ids.h"
#include "text/cp932.h"
#include "text/json_writer.h"

namespace reelctl::web {

void PracticeGame::start(int bet, int role_item, std::uint32_t seed) {
    bet_ = bet >= 0 && bet < bet_count ? bet : -1;  // no game for a bet the menu does not have
    role_item_ = role_item;
    seed_ = seed;
    order_ = -1;
    pressed_ = 0;
    presses_ = {-1, -1, -1};
    stops_ = {-1, -1, -1};
    game_.reset();
    road_.clear();
    fault_ = "";
}

std::string PracticeGame::roles_json(int bet) {
    std::string json = "[";
    if (bet < 0 || bet >= bet_count) return json + "]";
    probe::DrivenProbe dialog;
    dialog.start();
    dialog.command(IDM_BET_1 + bet, 0);
    probe::Snapshot conditions;
    probe::save(dialog.panel, dialog.probe, conditions);
    for (int item = 0; item < dialog.probe.item_count(IDC_ROLE_COMBO); ++item) {
        probe::restore(dialog.panel, dialog.probe, conditions);
        const std::string name = cp932_to_utf8(dialog.probe.item(IDC_ROLE_COMBO, item));
        if (!dialog.user_pick(IDC_ROLE_COMBO, static_cast<std::size_t>(item))) break;
        json += (item ? ",[" : "[") + std::to_string(dialog.panel.state.role) + "," + json_quote(name) + "]";
    }
    return json + "]";
}

// xorshift32 from the seed (0 taken as 1): the draws of one game, the same
// again when the game is played again under its true order.
std::uint32_t PracticeGame::next_draw() {
    if (rng_ == 0) rng_ = 0x9E3779B9u;
    rng_ ^= rng_ << 13;
    rng_ ^= rng_ >> 17;
    rng_ ^= rng_ << 5;
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(rng_) * percent_whole) >> 32);
}

bool PracticeGame::settle() {
    for (int draws = 0;; ++draws) {
        int open = 0;
        const int combo = open_offer(game_->probe, open);
        if (open == 0) return true;
        if (open > 1 || draws == 8) return fault_ = "two combos offer entries at once", false;
        const int entry = entry_drawn(game_->probe, combo, next_draw());
        if (entry < 0 || !game_->user_pick(combo, static_cast<std::size_t>(entry)))
            return fault_ = "an offer's percents do not add up to 100", false;
        road_ += "pick " + std::to_string(combo) + " " + std::to_string(entry) + "\n";
    }
}

bool PracticeGame::press_reel(int reel, int press) {
    const int row = press_radio_row(game_->probe, game_->panel.state, reel, press);
    if (row < 0) return fault_ = "the reel shows neither slides nor a press choice", false;
    const int radio = stop_radio_id(reel, row);
    if (!game_->user_click(radio)) return fault_ = "the stop's radio cannot be clicked", false;
    road_ += "click " + std::to_string(radio) + "\n";
    if (!settle()) return false;
    if (game_->probe.display.messages != 0) return fault_ = "the panel shows a message box", false;
    stops_[static_cast<std::size_t>(reel)] = game_->panel.state.stop_pos[static_cast<std::size_t>(reel)];
    return true;
}

bool PracticeGame::replay() {
    game_.emplace();
    rng_ = seed_;
    road_ = "menu " + std::to_string(IDM_BET_1 + bet_) + "\nmenu " + std::to_string(IDM_ORDER_FIRST + order_) + "\n";
    game_->start();
    game_->command(IDM_BET_1 + bet_, 0);
    game_->command(IDM_ORDER_FIRST + order_, 0);
    if (!game_->user_pick(IDC_ROLE_COMBO, static_cast<std::size_t>(role_item_)))
        return fault_ = "the role combo has no such item", false;
    road_ += "pick " + std::to_string(IDC_ROLE_COMBO) + " " + std::to_string(role_item_) + "\n";
    if (!settle()) return false;
    for (int n = 0; n < pressed_; ++n) {
        const int reel = sequence_[static_cast<std::size_t>(n)];
        if (!press_reel(reel, presses_[static_cast<std::size_t>(reel)])) return false;
    }
    return true;
}

std::array<int, 21> PracticeGame::stops_by_press(int reel) {
    std::array<int, 21> stops;
    stops.fill(-1);
    int n = 0;
    while (n < pressed_ && sequence_[static_cast<std::size_t>(n)] != reel) ++n;
    if (n == pressed_) return stops;
    // The game up to the reel's press, then each press from there.
    const int pressed = pressed_;
    const std::array<int, 3> stops_before = stops_;
    const std::string road = road_;
    pressed_ = n;
    if (replay()) {
        probe::Snapshot here;
        probe::save(game_->panel, game_->probe, here);
        const std::uint32_t rng = rng_;
        for (int p = 0; p < position_count; ++p) {
            probe::restore(game_->panel, game_->probe, here);
            rng_ = rng;
            if (press_reel(reel, p)) stops[static_cast<std::size_t>(p)] = stops_[static_cast<std::size_t>(reel)];
        }
    }
    // The game as it was.
    pressed_ = pressed;
    replay();
    stops_ = stops_before;
    road_ = road;
    return stops;
}

int PracticeGame::press(int reel, int press) {
    fault_ = "";
    if (bet_ < 0) return fault_ = "no game", -1;
    if (reel < 0 || reel > 2 || press < 0 || press >= position_count) return fault_ = "no such reel or press", -1;
    if (presses_[static_cast<std::size_t>(reel)] >= 0) return fault_ = "the reel has stopped", -1;
    if (pressed_ == 0) {
        for (order_ = 0; reel_stopped(order_, 0) != reel; ++order_) {}
        if (!replay()) return -1;
    } else if (pressed_ == 1 && stop_order_of(sequence_[0], reel) != order_) {
        // The first order that began with the first reel was not the true one.
        const int first_stop = stops_[static_cast<std::size_t>(sequence_[0])];
        order_ = stop_order_of(sequence_[0], reel);
        if (!replay()) return -1;
        if (stops_[static_cast<std::size_t>(sequence_[0])] != first_stop)
            return fault_ = "the first reel's stop changed with the order", -1;
    }
    sequence_[static_cast<std::size_t>(pressed_)] = reel;
    presses_[static_cast<std::size_t>(reel)] = press;
    ++pressed_;
    if (!press_reel(reel, press)) {
        presses_[static_cast<std::size_t>(reel)] = -1;
        --pressed_;
        return -1;
    }
    return stops_[static_cast<std::size_t>(reel)];
}

}  // namespace reelctl::web
