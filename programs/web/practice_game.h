// A game at the machine, for the practice page: played on a panel of its own
// (the driven probe dialog, not the page's viewer) with the panel's own logic.
// The machine draws every open offer's entry by its share from a seeded draw,
// the player presses each reel at a press index, and the reel stops where the
// panel stops it (draw_rule.h, the rule the window model plays by).
//
// The stop order is the order the player presses in. Until the second reel is
// pressed only the first is known: the game plays the first order that begins
// with it, and once the second is pressed plays the game's acts again under
// the true order (a reel's stop never depends on the part of the order not
// yet pressed: tests/windows/stop_order_test.cpp checks it over every case).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tools/walk/driven_probe.h"

namespace reelctl::web {

class PracticeGame {
public:
    // A new game: bet 0..2 (any other leaves no game), the role combo's item, the seed of the machine's draws.
    void start(int bet, int role_item, std::uint32_t seed);

    // The player presses the reel at a press index (0..20, the index on the
    // bottom line): the stop index, or -1 when the press is refused (no game,
    // a reel pressed twice, a press out of range) or the panel faults.
    int press(int reel, int press);

    // The role combo's items at the bet: [[role, name], ...], the role as a dump names it, the name in UTF-8.
    static std::string roles_json(int bet);

    // Where each of the 21 presses would have stopped the reel, in the game as
    // it stood when the reel was pressed (the reels pressed before it, the
    // draws of the game); -1 for each when the reel was not pressed.
    std::array<int, 21> stops_by_press(int reel);

    int stop(int reel) const { return stops_[static_cast<std::size_t>(reel)]; }
    int press_of(int reel) const { return presses_[static_cast<std::size_t>(reel)]; }
    int stop_order() const { return order_; }  // -1 until the first press
    int role() const { return game_ ? game_->panel.state.role : -1; }
    // The panel-script lines of the game so far (menu commands, picks, clicks), each ending in a newline.
    const std::string& road() const { return road_; }
    // Why the last press was refused, empty when it was not.
    const char* fault() const { return fault_; }

private:
    bool replay();            // the game's acts so far, on a fresh panel, under order_
    bool settle();            // draws the open offers
    bool press_reel(int reel, int press);
    std::uint32_t next_draw();

    int bet_ = -1, role_item_ = -1;
    std::uint32_t seed_ = 0, rng_ = 0;
    int order_ = -1;
    std::array<int, 3> sequence_{};  // the reels in the order pressed
    int pressed_ = 0;
    std::array<int, 3> presses_{-1, -1, -1}, stops_{-1, -1, -1};
    std::optional<probe::DrivenProbe> game_;
    std::string road_;
    const char* fault_ = "";
};

}  // namespace reelctl::web
