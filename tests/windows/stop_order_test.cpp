// A reel's stop never depends on the part of the stop order not yet pressed:
// for every bet, role and first reel, the two stop orders that begin with
// that reel give the same offers (combo and entries), the same first-reel
// column (radios, slides, the press choice) and the same stop for every press
// and every drawn entry, up to the moment the second reel is pressed. The
// practice page's game relies on it: it plays the first order that begins
// with the first reel pressed and plays the game again under the true order
// once the second reel is pressed.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "app/draw_rule.h"
#include "machine/conditions.h"
#include "machine/symbols.h"
#include "panel/control_ids.h"
#include "tools/walk/driven_probe.h"

namespace reelctl {
namespace {

struct Twins {
    probe::DrivenProbe a, b;
    int reel = 0;
    long presses = 0, offers = 0, presses_with_other_offers = 0, presses_with_drawn_stop = 0;
    std::string road;

    void save(probe::Snapshot& sa, probe::Snapshot& sb) {
        probe::save(a.panel, a.probe, sa);
        probe::save(b.panel, b.probe, sb);
    }
    void restore(const probe::Snapshot& sa, const probe::Snapshot& sb) {
        probe::restore(a.panel, a.probe, sa);
        probe::restore(b.panel, b.probe, sb);
    }

    // Draws every entry of the open offers in both, then `then` in each branch.
    template <typename Then>
    void offers_then(const Then& then) {
        int open_a = 0, open_b = 0;
        const int combo = open_offer(a.probe, open_a);
        ASSERT_EQ(combo, open_offer(b.probe, open_b)) << road;
        ASSERT_EQ(open_a, open_b) << road;
        if (combo == 0) return then();
        ASSERT_EQ(a.probe.item_count(combo), b.probe.item_count(combo)) << road;
        for (int e = 0; e < a.probe.item_count(combo); ++e)
            ASSERT_EQ(a.probe.item(combo, e), b.probe.item(combo, e)) << road;
        ++offers;
        probe::Snapshot sa, sb;
        save(sa, sb);
        for (int e = 0; e < a.probe.item_count(combo); ++e) {
            if (percent_of(a.probe.item(combo, e)) <= 0) continue;
            restore(sa, sb);
            const std::size_t length = road.size();
            road += "; pick " + std::to_string(combo) + " " + std::to_string(e);
            ASSERT_TRUE(a.user_pick(combo, static_cast<std::size_t>(e)) && b.user_pick(combo, static_cast<std::size_t>(e))) << road;
            offers_then(then);
            road.resize(length);
        }
    }

    // After the press each order may draw entries of its own (a split for the
    // reel after next): the first reel's stops, weighed by those entries.
    void stops_after(probe::DrivenProbe& d, long weight, std::map<int, long>& stops) {
        ASSERT_EQ(d.probe.display.messages, 0) << road;
        int open = 0;
        const int combo = open_offer(d.probe, open);
        if (combo == 0) {
            stops[d.panel.state.stop_pos[reel]] += weight;
            for (int line = 0; line < 3; ++line)
                ASSERT_EQ(d.probe.picture(window_static_id(reel, line)) % symbol_count,
                          window_symbol(reel, d.panel.state.stop_pos[reel], line)) << road;
            return;
        }
        probe::Snapshot here;
        probe::save(d.panel, d.probe, here);
        for (int e = 0; e < d.probe.item_count(combo); ++e) {
            const long percent = percent_of(d.probe.item(combo, e));
            if (percent <= 0) continue;
            probe::restore(d.panel, d.probe, here);
            ASSERT_TRUE(d.user_pick(combo, static_cast<std::size_t>(e))) << road;
            stops_after(d, weight * percent, stops);
        }
        probe::restore(d.panel, d.probe, here);
    }

    // The first reel's column, then every press of it.
    void first_press() {
        ASSERT_EQ(a.panel.state.awaiting_stop, b.panel.state.awaiting_stop) << road;
        for (int row = 0; row < position_count; ++row) {
            ASSERT_EQ(a.probe.visible(stop_radio_id(reel, row)), b.probe.visible(stop_radio_id(reel, row))) << road;
            ASSERT_EQ(a.probe.enabled(stop_radio_id(reel, row)), b.probe.enabled(stop_radio_id(reel, row))) << road;
            ASSERT_EQ(a.probe.text(slide_edit_id(reel, row)), b.probe.text(slide_edit_id(reel, row))) << road;
        }
        probe::Snapshot sa, sb;
        save(sa, sb);
        for (int press = 0; press < position_count; ++press) {
            restore(sa, sb);
            const int row = press_radio_row(a.probe, a.panel.state, reel, press);
            ASSERT_GE(row, 0) << road;
            ASSERT_EQ(row, press_radio_row(b.probe, b.panel.state, reel, press)) << road;
            const std::size_t length = road.size();
            road += "; press " + std::to_string(press);
            ASSERT_TRUE(a.user_click(stop_radio_id(reel, row)) && b.user_click(stop_radio_id(reel, row))) << road;
            int open_a = 0, open_b = 0;
            const bool same_offers_after_press = open_offer(a.probe, open_a) == open_offer(b.probe, open_b);
            std::map<int, long> stops_a, stops_b;  // the first reel's stop: weight over the entries drawn after the press
            stops_after(a, 1, stops_a);
            stops_after(b, 1, stops_b);
            // The same stops with the same shares (the weights may count in other units).
            long total_a = 0, total_b = 0;
            for (auto [stop, w] : stops_a) total_a += w;
            for (auto [stop, w] : stops_b) total_b += w;
            ASSERT_EQ(stops_a.size(), stops_b.size()) << road;
            for (auto [stop, w] : stops_a) ASSERT_EQ(w * total_b, stops_b[stop] * total_a) << road << ", stop " << stop;
            ++presses;
            if (!same_offers_after_press) ++presses_with_other_offers;
            if (stops_a.size() > 1) ++presses_with_drawn_stop;
            road.resize(length);
        }
    }
};

TEST(StopOrder, AReelsStopDependsOnlyOnTheReelsPressedBeforeIt) {
    long presses = 0, offers = 0, roles = 0, other_offers = 0, drawn_stops = 0;
    for (int bet = 0; bet < bet_count; ++bet) {
        for (int reel = 0; reel < reel_count; ++reel) {
            const int first = stop_order_of(reel, (reel + 1) % 3), second = stop_order_of(reel, (reel + 2) % 3);
            for (int item = 0;; ++item) {
                Twins twins;
                twins.reel = reel;
                twins.road = "bet " + std::to_string(bet) + ", orders " + std::to_string(first) + " and " +
                             std::to_string(second) + ", role item " + std::to_string(item);
                for (auto [dialog, order] : {std::pair{&twins.a, first}, std::pair{&twins.b, second}}) {
                    dialog->start();
                    dialog->command(IDM_BET_1 + bet, 0);
                    dialog->command(IDM_ORDER_FIRST + order, 0);
                }
                if (item >= twins.a.probe.item_count(IDC_ROLE_COMBO)) break;
                ASSERT_TRUE(twins.a.user_pick(IDC_ROLE_COMBO, static_cast<std::size_t>(item)) &&
                            twins.b.user_pick(IDC_ROLE_COMBO, static_cast<std::size_t>(item)));
                ASSERT_EQ(twins.a.panel.state.role, twins.b.panel.state.role);
                twins.offers_then([&twins] { twins.first_press(); });
                if (HasFatalFailure()) return;
                presses += twins.presses;
                offers += twins.offers;
                other_offers += twins.presses_with_other_offers;
                drawn_stops += twins.presses_with_drawn_stop;
                ++roles;
            }
        }
    }
    // 30 roles at three first reels; every press of every branch compared.
    EXPECT_EQ(roles, 3 * (8 + 11 + 11));
    EXPECT_GE(presses, roles * position_count);
    std::printf("%ld roles and first reels, %ld offers, %ld first presses compared; after %ld of them the two"
                " orders offer differently, after %ld the stop is drawn\n",
                roles, offers, presses, other_offers, drawn_stops);
}

}  // namespace
}  // namespace reelctl
