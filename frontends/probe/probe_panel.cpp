#include "frontends/probe/probe_panel.h"

#include <cstring>

#include "machine/symbols.h"
#include "panel/control_ids.h"

namespace reelctl::probe {
namespace {

// Handle h (1..22) names entry h - 1: the small and the large symbol sets, then the strips.
constexpr int symbol_handles = symbol_count * layout_variant_count;
constexpr int known_handles = symbol_handles + reel_count * layout_variant_count;
static_assert(symbol_handles == 16, "ProbePanel::picture takes handles 1..16 for symbols");

BitmapHandle handle_of(std::string_view name) {
    for (int set = 0; set < layout_variant_count; ++set)
        for (int code = 0; code < symbol_count; ++code)
            if (name == symbol_bitmap_names[set][code]) return static_cast<BitmapHandle>(1 + set * symbol_count + code);
    for (int set = 0; set < layout_variant_count; ++set)
        for (int reel = 0; reel < reel_count; ++reel)
            if (name == strip_bitmap_names[set][reel])
                return static_cast<BitmapHandle>(1 + symbol_handles + set * reel_count + reel);
    return 0;
}

template <std::size_t N>
std::size_t copy_text(std::array<char, N>& to, std::string_view from, bool* cut = nullptr) {
    const std::size_t length = from.size() < N - 1 ? from.size() : N - 1;
    if (cut && length < from.size()) *cut = true;
    std::memcpy(to.data(), from.data(), length);
    std::memset(to.data() + length, 0, N - length);  // no bytes of an older text stay behind
    return length;
}

std::string_view view(const char* text) { return text ? std::string_view(text) : std::string_view(); }

}  // namespace

std::string_view probe_bitmap_name(BitmapHandle handle) {
    if (handle < 1 || handle > known_handles) return {};
    const int index = static_cast<int>(handle) - 1;
    if (index < symbol_handles) return symbol_bitmap_names[index / symbol_count][index % symbol_count];
    const int strip = index - symbol_handles;
    return strip_bitmap_names[strip / reel_count][strip % reel_count];
}

void ProbePanel::reset() {
    display = ProbeDisplay{};
    opened_mailslot = invalid_mailslot;
    for (auto& reel : display.radios)
        for (ProbeControl& radio : reel) radio.visible = false;
    display.buttons[1].enabled = display.buttons[2].enabled = false;
    display.combos[1].control.enabled = display.combos[2].control.enabled = false;
    display.labels[0].enabled = display.labels[1].enabled = false;
    // The template's pictures: the small blank symbol in the windows, the small strips.
    for (BitmapHandle& window : display.windows) window = handle_of(symbol_bitmap_names[0][symbol_blank]);
    for (int reel = 0; reel < reel_count; ++reel) display.strips[reel] = handle_of(strip_bitmap_names[0][reel]);
    display.menu_checked[IDM_BET_3 - IDM_BET_1] = true;
    display.menu_checked[IDM_ORDER_FIRST - IDM_BET_1] = true;
}

const ProbeControl* ProbePanel::other_control(int id) const {
    switch (id) {
    case IDC_CLOSE: return &display.buttons[0];
    case IDC_SELECT_CENTER: return &display.buttons[1];
    case IDC_SELECT_RIGHT: return &display.buttons[2];
    case IDC_TABLE_LABEL: return &display.labels[0];
    case IDC_PATTERN_LABEL: return &display.labels[1];
    default: break;
    }
    if (const ProbeCombo* c = combo(id)) return &c->control;
    return nullptr;
}

std::string_view ProbePanel::combo_text_view(int id) const {
    const ProbeCombo* c = combo(id);
    return c ? std::string_view(c->text.data()) : std::string_view();
}

BitmapHandle ProbePanel::strip_picture(int id) const {
    const unsigned reel = static_cast<unsigned>(id - IDC_STRIP_FIRST);
    return reel < display.strips.size() ? display.strips[reel] : 0;
}

ProbeCombo* ProbePanel::combo(int id) {
    return const_cast<ProbeCombo*>(static_cast<const ProbePanel*>(this)->combo(id));
}

const ProbeCombo* ProbePanel::combo(int id) const {
    if (id < IDC_ROLE_COMBO || id > IDC_PATTERN_COMBO) return nullptr;
    return &display.combos[static_cast<std::size_t>(id - IDC_ROLE_COMBO)];
}

// ---- PanelPrimitives ------------------------------------------------------

void ProbePanel::set_text(int id, const char* value) {
    const unsigned offset = static_cast<unsigned>(id - IDC_SLIDE_FIRST);
    if (offset < 300 && offset % 100 < 21) {
        const std::size_t reel = offset / 100, row = offset % 100;
        display.edit_lengths[reel][row] = static_cast<std::uint8_t>(copy_text(display.edit_texts[reel][row], view(value)));
        return;
    }
    if (ProbeCombo* c = combo(id)) {
        copy_text(c->text, view(value));
        return;
    }
    ++display.unknown_ids;
}

void ProbePanel::enable(int id, bool on) {
    if (ProbeControl* c = control(id)) c->enabled = on;
    else ++display.unknown_ids;
}

void ProbePanel::show(int id, bool on) {
    if (ProbeControl* c = control(id)) c->visible = on;
    else ++display.unknown_ids;
}

void ProbePanel::check(int id, bool on) {
    if (radio_reel(id) >= 0) control(id)->checked = on;
    else ++display.unknown_ids;
}

void ProbePanel::check_radio(int first, int last, int id) {
    for (int item = first; item <= last; ++item)
        if (radio_reel(item) >= 0) control(item)->checked = item == id;
}

void ProbePanel::set_image(int id, BitmapHandle bitmap) {
    if (id >= IDC_WINDOW_FIRST && id <= IDC_WINDOW_LAST) display.windows[static_cast<std::size_t>(id - IDC_WINDOW_FIRST)] = bitmap;
    else if (id >= IDC_STRIP_FIRST && id < IDC_STRIP_FIRST + reel_count) display.strips[static_cast<std::size_t>(id - IDC_STRIP_FIRST)] = bitmap;
    else ++display.unknown_ids;
}

void ProbePanel::combo_reset(int id) {
    ProbeCombo* c = combo(id);
    if (!c) {
        ++display.unknown_ids;
        return;
    }
    c->count = 0;
    c->items = {};
    c->text = {};
    if (id == IDC_TABLE_COMBO) ++display.table_combo_fills;
}

void ProbePanel::combo_add(int id, const char* value) {
    ProbeCombo* c = combo(id);
    if (!c) {
        ++display.unknown_ids;
        return;
    }
    if (c->count == combo_item_capacity) {
        c->overflow = true;
        return;
    }
    copy_text(c->items[c->count++], view(value), &c->overflow);
}

void ProbePanel::combo_text(int id, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return;
    const ProbeCombo* c = combo(id);
    const std::string_view value = c ? std::string_view(c->text.data()) : std::string_view();
    const std::size_t length = value.size() < size - 1 ? value.size() : size - 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
}

void ProbePanel::focus(int id) { display.focus = id; }

void ProbePanel::caption(const char* value) { copy_text(display.caption, view(value)); }

void ProbePanel::message(const char* value, const char*) {
    ++display.messages;
    display.last_message = value;
}

void ProbePanel::menu_check(int id, bool on) {
    if (id >= IDM_BET_1 && id <= IDM_HELP) display.menu_checked[static_cast<std::size_t>(id - IDM_BET_1)] = on;
    else ++display.unknown_ids;
}

int ProbePanel::control_top(int id) {
    // Rows are row_pixels apart, row 0 at the bottom.
    for (int reel = 0; reel < reel_count; ++reel) {
        const int row = id - slide_edit_id(reel, 0);
        if (row >= 0 && row < position_count) return 1000 - row * row_pixels_;
    }
    return 0;
}

// ---- PlatformSeam ---------------------------------------------------------

BitmapHandle ProbePanel::load_bitmap(const char* name) {
    const BitmapHandle handle = handle_of(view(name));
    if (handle != 0) ++display.bitmaps_loaded;
    return handle;
}

void ProbePanel::delete_bitmap(BitmapHandle bitmap) {
    ++display.bitmaps_deleted;
    if (bitmap < display.bitmap_deletes.size()) ++display.bitmap_deletes[bitmap];
}

MailslotHandle ProbePanel::mailslot_open(const char*) {
    ++display.mailslot_opens;
    opened_mailslot = companion_ ? MailslotHandle{0x100} : invalid_mailslot;
    return opened_mailslot;
}

void ProbePanel::mailslot_write(MailslotHandle, const void* bytes, std::size_t size) {
    ++display.mailslot_writes;
    display.notice_size += size;
    if (bytes != nullptr) std::memcpy(display.notice.data(), bytes, size < display.notice.size() ? size : display.notice.size());
}

void ProbePanel::mailslot_close(MailslotHandle) { ++display.mailslot_closes; }

void ProbePanel::help(const char*, unsigned) { ++display.help_calls; }

void ProbePanel::end_dialog(int value) { display.end_value = value; }

// ---- ShownControls --------------------------------------------------------

int ProbePanel::item_count(int id) const {
    const ProbeCombo* c = combo(id);
    return c ? c->count : 0;
}

std::string_view ProbePanel::item(int id, int index) const {
    const ProbeCombo* c = combo(id);
    if (!c || index < 0 || index >= c->count) return {};
    return c->items[static_cast<std::size_t>(index)].data();
}

bool ProbePanel::text_is_item(int id) const {
    const ProbeCombo* c = combo(id);
    if (!c) return false;
    for (std::size_t i = 0; i < c->count; ++i)
        if (std::strcmp(c->items[i].data(), c->text.data()) == 0) return true;
    return false;
}

// ---- the user ---------------------------------------------------------------

void ProbePanel::radio_checks_itself(int id) {
    if (radio_reel(id) < 0) return;
    control(id)->checked = true;  // an auto radio button, a group of its own
}

void ProbePanel::select_item(int id, std::size_t item) {
    ProbeCombo* c = combo(id);
    if (c && item < c->count) copy_text(c->text, std::string_view(c->items[item].data()));
}

void ProbePanel::type_text(int id, std::string_view value) {
    if (ProbeCombo* c = combo(id)) copy_text(c->text, value);
}

// ---- snapshots ----------------------------------------------------------------

void save(const Panel& panel, const ProbePanel& probe, Snapshot& out) {
    out.panel.engine = panel;
    out.panel.strip_bitmaps = panel.strip_bitmaps;
    out.panel.symbol_bitmaps = panel.symbol_bitmaps;
    out.panel.mailslot_handle = panel.mailslot_handle;
    out.panel.close_notice = panel.close_notice;
    out.display = probe.display;
}

void restore(Panel& panel, ProbePanel& probe, const Snapshot& in) {
    static_cast<EngineState&>(panel) = in.panel.engine;
    panel.strip_bitmaps = in.panel.strip_bitmaps;
    panel.symbol_bitmaps = in.panel.symbol_bitmaps;
    panel.mailslot_handle = in.panel.mailslot_handle;
    panel.close_notice = in.panel.close_notice;
    probe.display = in.display;
}

}  // namespace reelctl::probe
