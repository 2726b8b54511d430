// A dialog kept in fixed arrays, for the exhaustive walk, the fuzz targets
// and the benchmarks: the panel primitives and the platform seam, the user's
// clicks and picks with the rules of the real dialog, and a snapshot of the
// whole panel (dialog and state) that can be put back, so that a walk can try
// every choice from one situation without replaying the road to it.
//
// It allocates nothing and is trivially copyable apart from its vtable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/panel.h"
#include "frontends/probe/shown_controls.h"
#include "panel/control_ids.h"
#include "panel/primitives.h"

namespace reelctl::probe {

inline constexpr std::size_t edit_text_size = 8;     // " " or a slide; longer texts are cut
inline constexpr std::size_t combo_text_size = 96;  // a typed text, up to 80 bytes in the fuzz targets
inline constexpr std::size_t combo_item_size = 24;  // the longest item the logic adds has 12 bytes
inline constexpr std::size_t combo_item_capacity = 12;
inline constexpr std::size_t caption_size = 96;

struct ProbeControl {
    bool enabled = true;
    bool visible = true;
    bool checked = false;
};

struct ProbeCombo {
    ProbeControl control;
    std::array<std::array<char, combo_item_size>, combo_item_capacity> items{};
    std::uint8_t count = 0;
    bool overflow = false;  // more items, or a longer item, than the arrays hold
    std::array<char, combo_text_size> text{};
};

// What the dialog shows and what the platform was asked to do; copied whole for a snapshot.
// Texts are kept with zeros after their end, so that equal displays hold equal bytes.
struct ProbeDisplay {
    // radios and edit boxes by [reel][row]
    std::array<std::array<ProbeControl, 21>, 3> radios{};
    std::array<std::array<ProbeControl, 21>, 3> edits{};
    std::array<std::array<std::array<char, edit_text_size>, 21>, 3> edit_texts{};
    std::array<std::array<std::uint8_t, 21>, 3> edit_lengths{};
    std::array<BitmapHandle, 9> windows{};  // 1065..1073
    std::array<BitmapHandle, 3> strips{};   // 1350..1352
    std::array<ProbeControl, 3> buttons{};  // 1, 101, 102
    std::array<ProbeControl, 2> labels{};   // 1062, 1063
    std::array<ProbeCombo, 3> combos{};     // 1057, 1058, 1059
    std::array<bool, 10> menu_checked{};    // 40021..40030
    std::array<char, caption_size> caption{};
    int focus = 0;                          // 0: none
    int messages = 0;
    const char* last_message = nullptr;
    int table_combo_fills = 0;              // combo_reset calls on 1058
    int unknown_ids = 0;                    // primitive calls on ids the dialog does not have
    // platform
    int bitmaps_loaded = 0;
    int bitmaps_deleted = 0;
    std::array<std::uint8_t, 24> bitmap_deletes{};  // per handle
    int mailslot_opens = 0;
    int mailslot_writes = 0;
    int mailslot_closes = 0;
    std::size_t notice_size = 0;
    std::array<std::uint8_t, 32> notice{};
    int help_calls = 0;
    int end_value = 0;                      // 0 while the panel is open

    bool overflow_seen() const { return combos[0].overflow || combos[1].overflow || combos[2].overflow; }
};

// The picture names the probe knows; a handle is 1 + the index into this list.
std::string_view probe_bitmap_name(BitmapHandle handle);

class ProbePanel final : public PanelPrimitives, public PlatformSeam, public ShownControls {
public:
    explicit ProbePanel(int row_pixels = 24, bool companion = true)
        : row_pixels_(row_pixels), companion_(companion) {
        reset();
    }

    // Back to the dialog template, before WM_INITDIALOG.
    void reset();

    // PanelPrimitives
    void set_text(int id, const char* text) override;
    void enable(int id, bool on) override;
    void show(int id, bool on) override;
    void check(int id, bool on) override;
    void check_radio(int first, int last, int id) override;
    void set_image(int id, BitmapHandle bitmap) override;
    void combo_reset(int id) override;
    void combo_add(int id, const char* text) override;
    void combo_text(int id, char* buffer, std::size_t size) override;
    void focus(int id) override;
    void caption(const char* text) override;
    void message(const char* text, const char* caption) override;
    void menu_check(int id, bool on) override;
    int control_top(int id) override;

    // PlatformSeam
    BitmapHandle load_bitmap(const char* name) override;
    void delete_bitmap(BitmapHandle bitmap) override;
    MailslotHandle mailslot_open(const char* name) override;
    void mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) override;
    void mailslot_close(MailslotHandle mailslot) override;
    void help(const char* file, unsigned context) override;
    void end_dialog(int value) override;

    // ShownControls
    bool visible(int id) const override {
        const ProbeControl* c = control(id);
        return c && c->visible;
    }
    bool enabled(int id) const override {
        const ProbeControl* c = control(id);
        return c && c->enabled;
    }
    bool checked(int id) const override {
        const ProbeControl* c = control(id);
        return c && c->checked;
    }
    std::string_view text(int id) const override {
        const unsigned offset = static_cast<unsigned>(id - IDC_SLIDE_FIRST);
        if (offset < 300 && offset % 100 < 21) {
            const std::size_t reel = offset / 100, row = offset % 100;
            return {display.edit_texts[reel][row].data(), display.edit_lengths[reel][row]};
        }
        return combo_text_view(id);
    }
    int picture(int id) const override {
        const unsigned line = static_cast<unsigned>(id - IDC_WINDOW_FIRST);
        const BitmapHandle handle = line < display.windows.size() ? display.windows[line] : strip_picture(id);
        return handle >= 1 && handle <= 16 ? static_cast<int>(handle) - 1 : -1;  // 8 * set + symbol
    }
    int item_count(int combo) const override;
    std::string_view item(int combo, int index) const override;
    bool text_is_item(int combo) const override;
    bool menu_checked(int id) const override {
        const unsigned item = static_cast<unsigned>(id - IDM_BET_1);
        return item < display.menu_checked.size() && display.menu_checked[item];
    }
    bool closed() const override { return display.end_value != 0; }

    // What a control does itself when the user acts on it, before the dialog
    // is notified (whether the user can act so is the caller's question): an
    // auto radio checks itself, a picked item becomes the combo's text, a
    // typed text selects nothing.
    void radio_checks_itself(int id);
    void select_item(int combo, std::size_t item);
    void type_text(int combo, std::string_view text);

    ProbeDisplay display;
    MailslotHandle opened_mailslot = invalid_mailslot;

private:
    // Edit boxes 1101 + 100 * reel + row, radios 1122 + 100 * reel + row, buttons, labels, combos.
    const ProbeControl* control(int id) const {
        const unsigned offset = static_cast<unsigned>(id - IDC_SLIDE_FIRST);
        if (offset < 300) {
            const std::size_t reel = offset / 100, row = offset % 100;
            if (row < 21) return &display.edits[reel][row];
            if (row < 42) return &display.radios[reel][row - 21];
            return nullptr;
        }
        return other_control(id);
    }
    ProbeControl* control(int id) { return const_cast<ProbeControl*>(static_cast<const ProbePanel*>(this)->control(id)); }
    const ProbeControl* other_control(int id) const;
    std::string_view combo_text_view(int id) const;
    BitmapHandle strip_picture(int id) const;
    ProbeCombo* combo(int id);
    const ProbeCombo* combo(int id) const;

    int row_pixels_;
    bool companion_;
};

// The panel's own fields, copied out and back (the dialog is copied with ProbeDisplay).
struct PanelImage {
    EngineState engine;
    std::array<BitmapHandle, reel_count> strip_bitmaps;
    std::array<BitmapHandle, symbol_count> symbol_bitmaps;
    MailslotHandle mailslot_handle;
    CloseNotice close_notice;
};

// A Panel is the engine state, its two bindings and exactly the fields
// above; a new field of Panel must be added to PanelImage and to save/restore.
struct PanelLayoutMirror : EngineState {
    PanelPrimitives* ui;
    PlatformSeam* platform;
    std::array<BitmapHandle, reel_count> strip_bitmaps;
    std::array<BitmapHandle, symbol_count> symbol_bitmaps;
    MailslotHandle mailslot_handle;
    CloseNotice close_notice;
};
static_assert(sizeof(Panel) == sizeof(PanelLayoutMirror), "Panel has a field that PanelImage does not copy");

struct Snapshot {
    PanelImage panel;
    ProbeDisplay display;
};

void save(const Panel& panel, const ProbePanel& probe, Snapshot& out);
void restore(Panel& panel, ProbePanel& probe, const Snapshot& in);

}  // namespace reelctl::probe
