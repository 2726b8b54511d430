#include "app/rendering.h"

#include <charconv>

#include "app/dialog_moves.h"
#include "machine/symbols.h"
#include "panel/control_ids.h"

namespace reelctl {
namespace {

constexpr const char* blank_row_text = " ";

// The blank picture of a window line is the blank symbol of the set in use.
void blank_window(Panel& panel, int reel) {
    const BitmapHandle blank = panel.symbol_bitmaps[symbol_blank];
    for (int line = 2; line >= 0; --line) panel.ui.set_image(window_static_id(reel, line), blank);
}

void clear_column(Panel& panel, int reel) {
    blank_window(panel, reel);
    for (int row = 0; row < position_count; ++row) {
        panel.ui.set_text(slide_edit_id(reel, row), blank_row_text);
        panel.ui.enable(slide_edit_id(reel, row), true);
        panel.ui.show(stop_radio_id(reel, row), false);
    }
}

void set_slide_text(Panel& panel, int reel, int row) {
    char text[8] = {};
    std::to_chars(text, text + sizeof text - 1, panel.columns[reel][row].slide);
    panel.ui.set_text(slide_edit_id(reel, row), text);
}

// The center and right columns: the radio of a row shows where the reel can
// rest; the chosen stop is checked and its window drawn. The right column
// unchecks every radio first, the center column only the unmarked ones.
void render_controlled_column(Panel& panel, int reel) {
    blank_window(panel, reel);
    for (int row = 0; row < position_count; ++row) {
        const int radio = stop_radio_id(reel, row);
        set_slide_text(panel, reel, row);
        if (reel == reel_right) panel.ui.check(radio, false);
        switch (panel.columns[reel][row].mark) {
        case mark_none:
            panel.ui.check(radio, false);
            panel.ui.show(radio, false);
            break;
        case mark_chosen:
            panel.ui.check(radio, true);
            draw_window(panel, reel);
            panel.ui.show(radio, true);
            break;
        default:
            panel.ui.check(radio, false);
            panel.ui.show(radio, true);
            break;
        }
    }
}

}  // namespace

void clear_left_column(Panel& panel) { clear_column(panel, reel_left); }

void clear_center_column(Panel& panel) {
    clear_column(panel, reel_center);
    disable_select_buttons(panel);
}

void clear_right_column(Panel& panel) {
    clear_column(panel, reel_right);
    panel.ui.enable(IDC_SELECT_RIGHT, false);
}

void clear_all_columns(Panel& panel) {
    clear_left_column(panel);
    clear_center_column(panel);
    clear_right_column(panel);
}

void draw_window(Panel& panel, int reel) {
    if (reel < 0 || reel >= reel_count) return;
    const int stop = panel.state.stop_pos[reel];
    if (stop < 0 || stop >= position_count) return;  // never reached: stops are 0..20
    for (int line = 0; line < 3; ++line) {
        const SymbolCode symbol = window_symbol(reel, stop, line);
        panel.ui.set_image(window_static_id(reel, line), panel.symbol_bitmaps[symbol]);
    }
}

void render_left_column(Panel& panel) {
    blank_window(panel, reel_left);
    for (int row = 0; row < position_count; ++row) {
        const int radio = stop_radio_id(reel_left, row);
        set_slide_text(panel, reel_left, row);
        panel.ui.check(radio, false);
        panel.ui.show(radio, panel.columns[reel_left][row].mark != mark_none);
    }
}

void render_center_column(Panel& panel) { render_controlled_column(panel, reel_center); }
void render_right_column(Panel& panel) { render_controlled_column(panel, reel_right); }

void render_press_choice(Panel& panel, int reel) {
    for (int row = 0; row < position_count; ++row) {
        const int radio = stop_radio_id(reel, row);
        panel.ui.set_text(slide_edit_id(reel, row), blank_row_text);
        panel.ui.enable(slide_edit_id(reel, row), panel.conflict_mask[row] == 0);
        panel.ui.check(radio, false);
        panel.ui.show(radio, true);
    }
}

}  // namespace reelctl
