// The one dialog layout for the page: every control and the menu, with the
// dialog units turned into CSS pixels as the Windows dialog manager turns
// them into screen pixels. The page builds its DOM from this and writes no
// position of its own.
#pragma once

#include <string>

namespace reelctl::web {

struct PageScale {
    int base_x = 6;         // the dialog font's average character width in pixels
    int font_pixels = 12;   // the dialog font's height in pixels
    int row_pixels = -1;    // two rows of a reel column this many pixels apart; negative: from the font
};

// {"caption", "font", "fontPoints", "width", "height", "controls": [{"kind",
// "id", "text", "x", "y", "width", "height", "state"}...], "menu": [{"kind",
// "text", "id", "checked"}...], "messages": {the window messages, notification
// codes and command ids the page sends}}, positions and sizes in pixels.
std::string layout_json(const PageScale& scale);

// Dialog units in pixels at this scale.
int x_pixels(const PageScale& scale, int units);
int y_pixels(const PageScale& scale, int units);

}  // namespace reelctl::web
