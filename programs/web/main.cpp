// The panel in the browser: the viewer's logic in WebAssembly, its dialog the
// page's DOM. The page calls these functions; the panel calls the page
// through the imports of frontends/web/dom.h.
#include <emscripten/emscripten.h>

#include <memory>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "app/panel.h"
#include "frontends/web/dom.h"
#include "frontends/web/layout_json.h"
#include "frontends/web/web_panel.h"
#include "programs/web/web_script.h"

namespace {

using reelctl::web::dom_panel;

// The panel a person uses.
struct LivePanel {
    reelctl::web::WebPanel binding;
    reelctl::Panel panel{binding, binding};
};

std::unique_ptr<LivePanel> live;
std::unique_ptr<reelctl::web::ScriptRun> run;
int runs = 0;
std::string layout;
std::string output;

void end_all() {
    dom_panel() = nullptr;
    run.reset();
    live.reset();
}

}  // namespace

extern "C" {

// The dialog layout in CSS pixels for the page's font (see layout_json.h).
EMSCRIPTEN_KEEPALIVE const char* reelctl_layout(int base_x, int font_pixels, int row_pixels) {
    layout = reelctl::web::layout_json({base_x, font_pixels, row_pixels});
    return layout.c_str();
}

// Opens a fresh panel for a person, in place of whatever the page showed.
EMSCRIPTEN_KEEPALIVE void reelctl_open() {
    end_all();
    live = std::make_unique<LivePanel>();
    reelctl_dom_build(-1);
    dom_panel() = &live->panel;
    reelctl_dom_initial_focus(static_cast<int>(reelctl::dialog_procedure(live->panel, reelctl::msg_initdialog, 0, 0)));
}

// A window message from the page (a click, a pick, a key, the menu) to the
// open panel; the dialog procedure's answer (0 when no panel is open).
EMSCRIPTEN_KEEPALIVE int reelctl_deliver(unsigned message, unsigned wparam) {
    reelctl::Panel* panel = dom_panel();
    return panel ? static_cast<int>(reelctl::dialog_procedure(*panel, message, wparam, 0)) : 0;
}

// Starts a script run on a fresh panel: `argv` are reelctl-script's options,
// `input` its standard input. The exit status when the run is already over, else -1.
EMSCRIPTEN_KEEPALIVE int reelctl_script_begin(const char* input, int argc, const char* const* argv) {
    end_all();
    std::vector<std::string> args(argv, argv + argc);
    run = std::make_unique<reelctl::web::ScriptRun>(args, input ? input : "", ++runs);
    return run->status().value_or(-1);
}

// Opens a fresh panel for a person and starts playing `lines` on it (a road:
// the user's clicks, picks and menu commands); the panel stays the user's.
// The lines are run by reelctl_script_step like a script run's.
EMSCRIPTEN_KEEPALIVE int reelctl_road_begin(const char* lines) {
    end_all();
    run = reelctl::web::ScriptRun::road(lines ? lines : "");
    return run->status().value_or(-1);
}

// Runs the next line: -1 while lines remain, else the exit status.
EMSCRIPTEN_KEEPALIVE int reelctl_script_step() {
    if (!run) return 1;
    return run->step().value_or(-1);
}

// What the run printed so far on standard output (which 1) or standard error (2);
// the size through reelctl_output_size.
EMSCRIPTEN_KEEPALIVE const char* reelctl_script_output(int which) {
    output = !run ? std::string() : which == 1 ? run->out() : run->err();
    return output.data();
}
EMSCRIPTEN_KEEPALIVE int reelctl_output_size() { return static_cast<int>(output.size()); }

// The channel on which the run's companion listens.
EMSCRIPTEN_KEEPALIVE const char* reelctl_script_channel() { return run ? run->channel().c_str() : ""; }

}  // extern "C"
