// The panel on the probe dialog, driven as a user drives it, with the user's
// rules of the script engine, and as the dialog manager delivers messages:
// the one driven panel of the walk, the fuzz targets and the benchmarks.
// A subclass may watch every message around its delivery.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/dialog.h"
#include "frontends/probe/probe_panel.h"
#include "script/user.h"

namespace reelctl::probe {

class DrivenProbe {
public:
    explicit DrivenProbe(int row_pixels = 24, bool companion = true) : probe(row_pixels, companion) {}
    virtual ~DrivenProbe() = default;
    DrivenProbe(const DrivenProbe&) = delete;
    DrivenProbe& operator=(const DrivenProbe&) = delete;

    // A message to the dialog procedure.
    virtual void deliver(std::uint32_t message, std::uintptr_t wparam) { dialog_procedure(panel, message, wparam, 0); }
    virtual void command(int id, int code) { deliver(msg_command, command_param(id, code)); }
    void start() { deliver(msg_initdialog, 0); }

    // A user's acts, where the rules allow them; true when carried out.
    bool user_click(int id) { return script::user_click(*this, id) == script::UserResult::done; }
    bool user_pick(int combo, std::size_t item) { return script::user_pick(*this, combo, item) == script::UserResult::done; }

    // What the user's rules ask and do. The probe dialog has no dialog
    // manager: system commands go to the dialog procedure alone, and it is
    // never minimized.
    bool iconic() const { return false; }
    bool visible(int id) const { return probe.visible(id); }
    bool enabled(int id) const { return probe.enabled(id); }
    int item_count(int combo) const { return probe.item_count(combo); }
    void click(int id) {
        probe.radio_checks_itself(id);
        command(id, notify_clicked);
    }
    void pick(int combo, std::size_t item) {
        probe.select_item(combo, item);
        command(combo, notify_selendok);
    }
    void type_text(int combo, std::string_view text) { probe.type_text(combo, text); }

    ProbePanel probe;
    Panel panel{probe, probe};
};

}  // namespace reelctl::probe
