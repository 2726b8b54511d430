// What a dialog shows, as the panel checks read it: the probe panel and the
// model panel of the headless driver both answer these questions.
#pragma once

#include <string_view>

#include "app/draw_rule.h"

namespace reelctl {

// visible, enabled, text, item_count and item are those of DrawView.
class ShownControls : public DrawView {
public:
    virtual bool checked(int id) const = 0;           // radios
    // A symbol picture on a static: 8 * set (0 small, 1 large) + symbol (0..7);
    // -1 for anything else (a strip picture, no picture).
    virtual int picture(int id) const = 0;
    // The combo's current text is one of its items (a user could have picked it).
    virtual bool text_is_item(int combo) const = 0;
    virtual bool menu_checked(int id) const = 0;  // an item of the conditions menu
    virtual bool closed() const = 0;              // the dialog has ended
};

}  // namespace reelctl
