// The panel in the browser: the viewer's logic in WebAssembly, its dialog the
// page's DOM. The page calls these functions; the panel calls the page
// through the imports of frontends/web/dom.h.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/panel.h"
#include "frontends/web/dom.h"
#include "frontends/web/layout_json.h"
#include "frontends/web/web_panel.h"
#include "machine/symbols.h"
#include "programs/web/practice_game.h"
#include "programs/web/web_script.h"

namespace {

using reelctl::web::dom_binding;

// The panel the page shows: a script run's, or a person's (a road, of no
// lines where the page opened it), which the page can dump as a run does.
std::unique_ptr<reelctl::web::ScriptRun> run;
int runs = 0;
std::string layout;
std::string output;
reelctl::web::PracticeGame game;
std::string game_text;

void end_all() {
    dom_binding() = nullptr;
    run.reset();
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
    run = reelctl::web::ScriptRun::road("");
    run->step();
}

// ---- the page's user, to the open panel (nothing while none is open) ---------

// A window message (a click's or a pick's command, a menu command); the dialog procedure's answer.
EMSCRIPTEN_KEEPALIVE int reelctl_deliver(unsigned message, unsigned wparam) {
    reelctl::web::WebPanel* binding = dom_binding();
    return binding ? static_cast<int>(binding->deliver(message, wparam)) : 0;
}

// A click on a button of the title bar (reelctl_dom_title_* of dom.h): its system command.
EMSCRIPTEN_KEEPALIVE void reelctl_title_button(int button) {
    const std::uintptr_t command = reelctl::web::WebPanel::title_button_command(button);
    if (reelctl::web::WebPanel* binding = dom_binding(); binding && command != 0) binding->syscommand(command);
}

// The mouse goes down on control `id` (a click, a tap, opening a list), or the
// DOM focus came to it by other means than the page's own.
EMSCRIPTEN_KEEPALIVE void reelctl_user_acts(int id) {
    if (reelctl::web::WebPanel* binding = dom_binding()) binding->user_acts(id);
}

// The dialog manager's keys: Tab (Shift+Tab when `backwards`), Enter, Escape,
// and Alt with a letter or digit: 1 when a control had that mnemonic, else 0
// (the menu bar's mnemonics then).
EMSCRIPTEN_KEEPALIVE void reelctl_key_tab(int backwards) {
    if (reelctl::web::WebPanel* binding = dom_binding()) binding->tab(backwards != 0);
}
EMSCRIPTEN_KEEPALIVE void reelctl_key_enter() {
    if (reelctl::web::WebPanel* binding = dom_binding()) binding->enter();
}
EMSCRIPTEN_KEEPALIVE void reelctl_key_escape() {
    if (reelctl::web::WebPanel* binding = dom_binding()) binding->escape();
}
EMSCRIPTEN_KEEPALIVE int reelctl_key_mnemonic(int letter) {
    reelctl::web::WebPanel* binding = dom_binding();
    return binding && binding->mnemonic(static_cast<char>(letter)) ? 1 : 0;
}

// The control with the keyboard focus, as the dialog manager keeps it; -1 for none.
EMSCRIPTEN_KEEPALIVE int reelctl_focused() {
    const reelctl::web::WebPanel* binding = dom_binding();
    const std::optional<int> focus = binding ? binding->dialog_manager().focus() : std::nullopt;
    return focus.value_or(-1);
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

// The panel as the page shows it now, as a dump line of reelctl-script
// (empty while none is open); the size through reelctl_output_size.
EMSCRIPTEN_KEEPALIVE const char* reelctl_dump() {
    output = run ? run->dump() : std::string();
    return output.data();
}

// The channel on which the run's companion listens.
EMSCRIPTEN_KEEPALIVE const char* reelctl_script_channel() { return run ? run->channel().c_str() : ""; }

// ---- the practice page's game (practice_game.h), on a panel of its own ------

// The strips and their pictures: {"symbols": [name...], "pictures": [picture
// name...] (by symbol code), "strip_pictures": [the small strip picture per
// reel], "strips": [[code at index 0..20] per reel]}.
EMSCRIPTEN_KEEPALIVE const char* reelctl_strips() {
    game_text = "{\"symbols\":[";
    for (int s = 0; s < reelctl::symbol_count; ++s) game_text += std::string(s ? ",\"" : "\"") + reelctl::symbol_names[s] + "\"";
    game_text += "],\"pictures\":[";
    for (int s = 0; s < reelctl::symbol_count; ++s)
        game_text += std::string(s ? ",\"" : "\"") + reelctl::symbol_bitmap_names[0][s] + "\"";
    game_text += "],\"strip_pictures\":[";
    for (int reel = 0; reel < reelctl::reel_count; ++reel)
        game_text += std::string(reel ? ",\"" : "\"") + reelctl::strip_bitmap_names[0][reel] + "\"";
    game_text += "],\"strips\":[";
    for (int reel = 0; reel < reelctl::reel_count; ++reel) {
        game_text += reel ? ",[" : "[";
        for (int i = 0; i < reelctl::position_count; ++i)
            game_text += (i ? "," : "") + std::to_string(reelctl::reel_strips[reel][i]);
        game_text += "]";
    }
    game_text += "]}";
    return game_text.c_str();
}

// The roles of a bet: [[role, name], ...] in the role combo's order.
EMSCRIPTEN_KEEPALIVE const char* reelctl_game_roles(int bet) {
    game_text = reelctl::web::PracticeGame::roles_json(bet);
    return game_text.c_str();
}

// A new game: the bet 0..2, the role combo's item, the seed of the machine's draws.
EMSCRIPTEN_KEEPALIVE void reelctl_game_start(int bet, int role_item, unsigned seed) { game.start(bet, role_item, seed); }

// The reel pressed at a press index: the stop index, or -1 (reelctl_game_fault says why).
EMSCRIPTEN_KEEPALIVE int reelctl_game_press(int reel, int press) { return game.press(reel, press); }

EMSCRIPTEN_KEEPALIVE const char* reelctl_game_fault() { return game.fault(); }
EMSCRIPTEN_KEEPALIVE int reelctl_game_order() { return game.stop_order(); }
EMSCRIPTEN_KEEPALIVE int reelctl_game_role() { return game.role(); }
// The game's road: the panel-script lines that play it from a fresh panel.
EMSCRIPTEN_KEEPALIVE const char* reelctl_game_road() { return game.road().c_str(); }
// Where each press 0..20 would have stopped the reel in this game: the 21 stops separated by commas.
EMSCRIPTEN_KEEPALIVE const char* reelctl_game_reach(int reel) {
    game_text.clear();
    for (int stop : game.stops_by_press(reel)) game_text += (game_text.empty() ? "" : ",") + std::to_string(stop);
    return game_text.c_str();
}

}  // extern "C"
