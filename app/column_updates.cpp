#include "app/column_updates.h"

#include "app/rendering.h"
#include "engine/center_reel.h"
#include "engine/left_reel.h"
#include "engine/right_reel.h"
#include "engine/screening.h"
#include "machine/conditions.h"

namespace reelctl {
namespace {

// A computation rebuilds its column; the rendering then shows it.
template <void (*compute)(EngineState&), void (*render)(Panel&)>
void update(Panel& panel) {
    compute(panel);
    render(panel);
}

void after_screening(Panel& panel, int reel, bool conflict, bool left_stopped) {
    if (conflict) {
        render_press_choice(panel, reel);
        return;
    }
    if (!left_stopped) update_left_column(panel);
    update_center_column(panel);
    update_right_column(panel);
}

}  // namespace

void update_left_column(Panel& panel) { update<compute_left_column, render_left_column>(panel); }
void update_center_column(Panel& panel) { update<compute_center_column, render_center_column>(panel); }
void update_right_column(Panel& panel) { update<compute_right_column, render_right_column>(panel); }

void update_all_columns(Panel& panel) {
    update_left_column(panel);
    update_center_column(panel);
    update_right_column(panel);
}

void screen_center(Panel& panel) {
    const bool conflict = screen_center_conflicts(panel);
    after_screening(panel, reel_center, conflict, panel.state.stop_order == order_left_center_right);
}

void screen_right(Panel& panel) {
    const bool conflict = screen_right_conflicts(panel);
    after_screening(panel, reel_right, conflict, panel.state.stop_order == order_left_right_center);
}

}  // namespace reelctl
