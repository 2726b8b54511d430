// The rules that the panel keeps after every event, checked against the
// panel's state and what its dialog shows. The walk, the fuzz targets and the
// regression tests share them.
//
// Two kinds of rule:
// - ranges: every index the logic keeps stays inside the tables it indexes,
//   whatever arrives (typed texts, commands to hidden or disabled controls);
// - display: the dialog shows the state coherently. These hold while every
//   event came from the user's own clicks, picks and menu choices; a forged
//   command may leave a display the user could not reach.
#pragma once

#include <array>
#include <cstddef>

#include "app/panel.h"
#include "frontends/probe/shown_controls.h"

namespace reelctl::probe {
class ProbePanel;
}

namespace reelctl::check {

// The largest entry number a table combo text can carry: two digits, "(99)".
inline constexpr int forged_choice_limit = 98;

struct Context {
    bool user_only = true;    // no forged command so far
    int entries_at_pick = 0;  // table combo items when its last entry was picked
};

struct Failure {
    bool failed = false;
    char what[256] = {};
};

// True when WM_COMMAND (id, code) is nothing a user's click, pick or menu
// choice on the dialog as it is shown could send.
bool forged_command(const ShownControls& shown, int id, int code);

// Call before delivering WM_COMMAND (id, code): notes a forgery and the
// entries offered when a table entry is picked.
void note_command(Context& context, const ShownControls& shown, int id, int code);

// All rules that apply in `context`; the first broken one in `failure`.
// Returns false when a rule is broken.
bool check_panel(const Panel& panel, const ShownControls& shown, const Context& context, Failure& failure);
// The same rules, read from the probe panel without virtual calls.
bool check_panel(const Panel& panel, const probe::ProbePanel& shown, const Context& context, Failure& failure);

// Where a chosen stop (mark 2) comes from. Call before() before delivering an
// event and after() once it has been handled: a press picked in a press choice
// puts the stop it reaches in force on that reel, a ten-coin entry picked at
// stop order 0 does so from the saved center press, and no other event brings
// a chosen stop the user never picked. Applies to a user's own actions only.
class PickWatch {
public:
    void before(const Panel& panel, int id, int code);
    bool after(const Panel& panel, const ShownControls& shown, const Context& context, Failure& failure) const;

private:
    std::array<ReelColumn, 3> columns_{};
    int press_reel_ = -1;  // the reel whose press choice the event answers
    int press_row_ = -1;
    bool table_pick_ = false;
};

// True when row `row` of the left column may carry slide 7: some table that a
// left stop puts in force marks the left reel as stopped there.
bool left_seven_allowed(int row);

}  // namespace reelctl::check
