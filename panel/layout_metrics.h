// Pixels from the dialog layout's units, as the Windows dialog manager
// computes them, for every front end that lays the panel out itself.
#pragma once

#include "panel/dialog_layout.h"

namespace reelctl::layout {

// The index of control `id` in the template, or control_count. (Indices, not
// pointers: a sanitizer build cannot fold a pointer's test in a constant.)
constexpr std::size_t control_index(int id) {
    for (std::size_t i = 0; i < control_count; ++i)
        if (controls[i].id == id) return i;
    return control_count;
}

// The template's entry of control `id`, or nullptr.
constexpr const Control* find_control(int id) {
    const std::size_t i = control_index(id);
    return i < control_count ? &controls[i] : nullptr;
}

// What kind of control `id` is, for the ids of the template's controls.
constexpr bool has_kind(int id, Kind kind) {
    const std::size_t i = control_index(id);
    return i < control_count && controls[i].kind == kind;
}

// A control the Tab key stops at (WS_TABSTOP in the template): the combos,
// the edit boxes, the radio buttons and the push buttons.
constexpr bool is_tab_stop(Kind kind) {
    return kind == Kind::combo || kind == Kind::edit || kind == Kind::readonly_edit || kind == Kind::radio ||
           kind == Kind::default_button;
}

// The top of control `id` in dialog units from the client area's top; 0 for an unknown id.
constexpr int control_top_units(int id) {
    const std::size_t i = control_index(id);
    return i < control_count ? controls[i].y : 0;
}

// The dialog units between two rows of a reel column: a measured pixel
// distance of two rows scales every vertical position alike.
inline constexpr int row_units = control_top_units(IDC_SLIDE_FIRST) - control_top_units(IDC_SLIDE_FIRST + 1);
static_assert(row_units > 0);

// MulDiv as the dialog manager uses it: rounded to the nearest pixel.
constexpr int mul_div(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

// a / b rounded towards minus infinity.
constexpr int floor_div(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<int>(q);
}

// Vertical dialog units in pixels when two rows stand `row_pixels` apart.
constexpr int y_pixels_at_row_distance(int units, int row_pixels) {
    return floor_div(static_cast<long long>(units) * row_pixels, row_units);
}

}  // namespace reelctl::layout
