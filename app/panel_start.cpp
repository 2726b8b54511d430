#include "app/panel_start.h"

#include "app/choice_lists.h"
#include "app/conditions.h"
#include "machine/symbols.h"
#include "panel/control_ids.h"

namespace reelctl {

namespace {

// The small pictures fit rows 24 pixels apart; any other distance takes the large set.
constexpr int small_set_row_pixels = 24;

}  // namespace

void panel_start(Panel& panel) {
    PanelState& s = panel.state;
    set_title(panel);

    const int distance = panel.ui.control_top(slide_edit_id(reel_left, 0)) - panel.ui.control_top(slide_edit_id(reel_left, 1));
    s.layout_variant = distance == small_set_row_pixels ? 0 : 1;

    for (int reel = 0; reel < reel_count; ++reel)
        panel.strip_bitmaps[reel] = panel.platform.load_bitmap(strip_bitmap_names[s.layout_variant][reel]);
    for (int reel = 0; reel < reel_count; ++reel) panel.ui.set_image(strip_static_id(reel), panel.strip_bitmaps[reel]);
    for (int code = 0; code < symbol_count; ++code)
        panel.symbol_bitmaps[code] = panel.platform.load_bitmap(symbol_bitmap_names[s.layout_variant][code]);

    fill_role_list(panel);

    // The companion display may not be running; the handle is kept untested.
    panel.mailslot_handle = panel.platform.mailslot_open(companion_mailslot_name);
}

void close_panel(Panel& panel) {
    for (BitmapHandle bitmap : panel.strip_bitmaps) panel.platform.delete_bitmap(bitmap);
    for (BitmapHandle bitmap : panel.symbol_bitmaps) panel.platform.delete_bitmap(bitmap);

    auto& notice = panel.close_notice.bytes;
    notice[0] = 0x01;  // 16-bit 1, little-endian
    notice[1] = 0x00;
    notice[2] = 0x01;  // 16-bit 0x0101
    notice[3] = 0x01;
    panel.platform.mailslot_write(panel.mailslot_handle, notice.data(), notice.size());
    panel.platform.mailslot_close(panel.mailslot_handle);
    panel.platform.end_dialog(1);
}

}  // namespace reelctl
