// Benchmarks of the panel's heaviest handlers and of the exhaustive walk.
//
// Each handler runs through the dialog procedure, as the dialog manager calls
// it, on two dialogs: the probe panel (fixed arrays, almost free, so the time
// is the logic's own) and the model panel of the headless driver with tracing
// off. Before timing, each benchmark checks that the action does what it is
// named after.
#include <benchmark/benchmark.h>

#include <cstddef>

#include "app/dialog.h"
#include "machine/roles.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "script/model_host.h"
#include "script/user.h"
#include "tools/walk/driven_probe.h"
#include "tools/walk/walk.h"

namespace reelctl {
namespace {

using ProbeHost = probe::DrivenProbe;
using ModelHost = script::ModelHost;

Panel& panel_of(ProbeHost& host) { return host.panel; }
Panel& panel_of(ModelHost& host) { return host.panel(); }

// A user's actions on either dialog, with the user's rules.
template <typename Host>
class Viewer {
public:
    Viewer() { host.start(); }

    void command(int id, int code = notify_clicked) { host.command(id, code); }
    void click(int id) { script::user_click(host, id); }
    void pick(int combo, int item) { script::user_pick(host, combo, static_cast<std::uint64_t>(item)); }
    // The role's name is an item of the role combo: the same as picking it.
    void pick_role(int role) {
        script::user_type_text(host, IDC_ROLE_COMBO, role_names[role]);
        command(IDC_ROLE_COMBO, notify_selendok);
    }
    void conditions(int coins, int stop_order) {
        command(IDM_BET_1 + coins - 1);
        command(IDM_ORDER_FIRST + stop_order);
    }

    Host host;
    Panel& panel = panel_of(host);
};

// Three coins, center reel first, "4枚ﾁｪﾘｰ": one table, all three columns computed at once.
template <typename Dialog>
void RolePickDirect(benchmark::State& state) {
    Viewer<Dialog> v;
    v.conditions(3, 2);
    v.pick_role(role_cherry4);
    if (v.panel.state.slide_table != 18) state.SkipWithError("the role was not computed directly");
    for (auto _ : state) v.command(IDC_ROLE_COMBO, notify_selendok);
}

// Center reel first, BIG BONUS, table (1): the table in force, then the center screening offers the press choice.
template <typename Dialog>
void TablePickScreening(benchmark::State& state) {
    Viewer<Dialog> v;
    v.conditions(3, 2);
    v.pick_role(role_big);
    v.pick(IDC_TABLE_COMBO, 0);
    if (v.panel.state.awaiting_stop != 1) state.SkipWithError("no press choice");
    for (auto _ : state) v.command(IDC_TABLE_COMBO, notify_selendok);
}

// The table pick above, then the center press at position 19, which puts table 35 in force.
template <typename Dialog>
void TablePickThenSwitchingCenterPress(benchmark::State& state) {
    Viewer<Dialog> v;
    v.conditions(3, 2);
    v.pick_role(role_big);
    v.pick(IDC_TABLE_COMBO, 0);
    v.click(stop_radio_id(reel_center, 18));
    if (v.panel.state.slide_table != 35) state.SkipWithError("the press did not switch the table");
    for (auto _ : state) {
        v.command(IDC_TABLE_COMBO, notify_selendok);
        v.command(stop_radio_id(reel_center, 18));
    }
}

// The switching center press alone: the press choice is put back from a snapshot each time.
void SwitchingCenterPressFromSnapshot(benchmark::State& state) {
    Viewer<ProbeHost> v;
    v.conditions(3, 2);
    v.pick_role(role_big);
    v.pick(IDC_TABLE_COMBO, 0);
    probe::Snapshot press_choice;
    probe::save(v.panel, v.host.probe, press_choice);
    v.click(stop_radio_id(reel_center, 18));
    if (v.panel.state.slide_table != 35) state.SkipWithError("the press did not switch the table");
    for (auto _ : state) {
        probe::restore(v.panel, v.host.probe, press_choice);
        v.command(stop_radio_id(reel_center, 18));
    }
}

// What putting the snapshot back costs, to subtract from the benchmark above.
void SnapshotRestoreOnly(benchmark::State& state) {
    Viewer<ProbeHost> v;
    probe::Snapshot snapshot;
    probe::save(v.panel, v.host.probe, snapshot);
    for (auto _ : state) {
        probe::restore(v.panel, v.host.probe, snapshot);
        benchmark::DoNotOptimize(v.panel.state);
    }
}

// Ten-coin role, stop order 0, left stop at position 2: the center press at position 20
// composes four weighted tables and offers them (the press choice stays open).
template <typename Dialog>
void TenCoinCompositionOffer(benchmark::State& state) {
    Viewer<Dialog> v;
    v.pick_role(role_ten_coin);
    v.pick(IDC_PATTERN_COMBO, 0);
    v.click(stop_radio_id(reel_left, 1));
    v.click(stop_radio_id(reel_center, 19));
    if (v.panel.ten_coin.codes[3] == 0) state.SkipWithError("no four-entry composition");
    for (auto _ : state) v.command(stop_radio_id(reel_center, 19));
}

// The same, entry (2) picked: the composed table
// in force, the center press restored, center and right columns computed.
template <typename Dialog>
void TenCoinEntryPick(benchmark::State& state) {
    Viewer<Dialog> v;
    v.pick_role(role_ten_coin);
    v.pick(IDC_PATTERN_COMBO, 0);
    v.click(stop_radio_id(reel_left, 1));
    v.click(stop_radio_id(reel_center, 19));
    v.pick(IDC_TABLE_COMBO, 1);
    if (v.panel.state.slide_table != 76) state.SkipWithError("entry (2) did not put table 76 in force");
    for (auto _ : state) v.command(IDC_TABLE_COMBO, notify_selendok);
}

// Ten-coin role, stop order 1: a left stop settles and composes at once.
template <typename Dialog>
void TenCoinLeftStopComposition(benchmark::State& state) {
    Viewer<Dialog> v;
    v.conditions(3, 1);
    v.pick_role(role_ten_coin);
    v.pick(IDC_PATTERN_COMBO, 0);
    v.click(stop_radio_id(reel_left, 1));
    if (v.panel.ten_coin.codes[3] == 0) state.SkipWithError("no four-entry composition");
    for (auto _ : state) v.command(stop_radio_id(reel_left, 1));
}

// A bet change: title, role list, choice lists and three cleared columns.
template <typename Dialog>
void BetChange(benchmark::State& state) {
    Viewer<Dialog> v;
    int bet = 0;
    for (auto _ : state) {
        v.command(IDM_BET_1 + 1 + bet);  // two and three coins in turn
        bet ^= 1;
    }
}

// Every situation a user can reach, with the panel rules checked at every step.
void ExhaustiveWalk(benchmark::State& state) {
    for (auto _ : state) {
        const walk::WalkResult result = walk::run_walk();
        if (result.failures != 0) state.SkipWithError("the walk found a broken rule");
        state.counters["situations"] = static_cast<double>(result.situations);
    }
}

BENCHMARK(RolePickDirect<ProbeHost>)->Name("Probe/RolePickDirect");
BENCHMARK(RolePickDirect<ModelHost>)->Name("Model/RolePickDirect");
BENCHMARK(TablePickScreening<ProbeHost>)->Name("Probe/TablePickScreening");
BENCHMARK(TablePickScreening<ModelHost>)->Name("Model/TablePickScreening");
BENCHMARK(SwitchingCenterPressFromSnapshot)->Name("Probe/SwitchingCenterPress+SnapshotRestore");
BENCHMARK(SnapshotRestoreOnly)->Name("Probe/SnapshotRestoreOnly");
BENCHMARK(TablePickThenSwitchingCenterPress<ProbeHost>)->Name("Probe/TablePick+SwitchingCenterPress");
BENCHMARK(TablePickThenSwitchingCenterPress<ModelHost>)->Name("Model/TablePick+SwitchingCenterPress");
BENCHMARK(TenCoinCompositionOffer<ProbeHost>)->Name("Probe/TenCoinCompositionOffer");
BENCHMARK(TenCoinCompositionOffer<ModelHost>)->Name("Model/TenCoinCompositionOffer");
BENCHMARK(TenCoinEntryPick<ProbeHost>)->Name("Probe/TenCoinEntryPick");
BENCHMARK(TenCoinEntryPick<ModelHost>)->Name("Model/TenCoinEntryPick");
BENCHMARK(TenCoinLeftStopComposition<ProbeHost>)->Name("Probe/TenCoinLeftStopComposition");
BENCHMARK(TenCoinLeftStopComposition<ModelHost>)->Name("Model/TenCoinLeftStopComposition");
BENCHMARK(BetChange<ProbeHost>)->Name("Probe/BetChange");
BENCHMARK(BetChange<ModelHost>)->Name("Model/BetChange");
BENCHMARK(ExhaustiveWalk)->Name("Probe/ExhaustiveWalk")->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace reelctl

BENCHMARK_MAIN();
