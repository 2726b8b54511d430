#include "app/draw_rule.h"

#include "panel/control_ids.h"

namespace reelctl {

// The digits before the percent sign are ASCII in code page 932 (no second
// byte of a double-byte character is a digit or a point).
long percent_of(std::string_view text) {
    const std::size_t sign = text.rfind('%');
    if (sign == std::string_view::npos) return -1;
    std::size_t start = sign;
    while (start > 0 && ((text[start - 1] >= '0' && text[start - 1] <= '9') || text[start - 1] == '.')) --start;
    const std::string_view number = text.substr(start, sign - start);
    const std::size_t point = number.find('.');
    const std::string_view whole = number.substr(0, point);
    const std::string_view part = point == std::string_view::npos ? std::string_view() : number.substr(point + 1);
    if (whole.empty() || part.size() > 2 || part.find('.') != std::string_view::npos) return -1;
    long value = 0;
    for (char c : whole) value = value * 10 + (c - '0');
    for (std::size_t i = 0; i < 2; ++i) value = value * 10 + (i < part.size() ? part[i] - '0' : 0);
    return value;
}

int open_offer(const DrawView& view, int& open) {
    int combo_open = 0;
    open = 0;
    for (int combo : {IDC_ROLE_COMBO, IDC_PATTERN_COMBO, IDC_TABLE_COMBO}) {
        if (!view.enabled(combo) || view.item_count(combo) == 0 || !view.text(combo).empty()) continue;
        ++open;
        combo_open = combo;
    }
    return combo_open;
}

OfferFault offer_fault(const DrawView& view, int combo) {
    long sum = 0;
    for (int e = 0; e < view.item_count(combo); ++e) {
        const long percent = percent_of(view.item(combo, e));
        if (percent < 0) return OfferFault::no_percent;
        sum += percent;
    }
    return sum == percent_whole ? OfferFault::none : OfferFault::not_whole;
}

int entry_drawn(const DrawView& view, int combo, long draw) {
    if (draw < 0 || draw >= percent_whole || offer_fault(view, combo) != OfferFault::none) return -1;
    long below = 0;
    for (int e = 0; e < view.item_count(combo); ++e) {
        below += percent_of(view.item(combo, e));
        if (draw < below) return e;
    }
    return -1;
}

bool shows_press_choice(const DrawView& view, const PanelState& state, int reel) {
    if (state.awaiting_stop != 1) return false;
    for (int row = 0; row < position_count; ++row)
        if (!view.visible(stop_radio_id(reel, row)) || view.text(slide_edit_id(reel, row)) != " ") return false;
    return true;
}

int shown_slide(const DrawView& view, int reel, int row) {
    const std::string_view text = view.text(slide_edit_id(reel, row));
    return text.size() == 1 && text[0] >= '0' && text[0] <= '4' ? text[0] - '0' : -1;
}

int press_radio_row(const DrawView& view, const PanelState& state, int reel, int press) {
    if (press < 0 || press >= position_count) return -1;
    if (shows_press_choice(view, state, reel)) return press;
    const int slide = shown_slide(view, reel, press);
    if (slide < 0) return -1;
    return press + slide >= position_count ? press + slide - position_count : press + slide;
}

}  // namespace reelctl
