#include "frontends/model/model_panel.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "panel/layout_metrics.h"
#include "panel/messages.h"
#include "text/cp932.h"

namespace reelctl {

namespace {

// Screen pixels above the client area: the dialog sits at 0, 0 with caption and menu bar.
constexpr int client_origin_pixels = 42;

constexpr BitmapHandle first_bitmap_handle = 0x2000;

// The resource name of a bitmap of the program, as stored; none for an unknown name.
std::optional<std::string> bitmap_resource(std::string_view name) {
    const char* known = picture_named(name);
    return known ? std::optional<std::string>(known) : std::nullopt;
}

// The controls the logic names, as the dialog template lays them out: kind,
// initial state, initial picture and vertical position all come from the one
// layout that the Windows resource script is made from.
std::optional<ControlKind> model_kind(layout::Kind kind) {
    switch (kind) {
    case layout::Kind::default_button: return ControlKind::push_button;
    case layout::Kind::radio: return ControlKind::auto_radio;
    case layout::Kind::combo: return ControlKind::combo;
    case layout::Kind::edit:
    case layout::Kind::readonly_edit: return ControlKind::edit;
    case layout::Kind::bitmap: return ControlKind::bitmap_static;
    case layout::Kind::label: return ControlKind::label;
    case layout::Kind::group_box: return std::nullopt;
    }
    return std::nullopt;
}

std::vector<ModelControl> template_controls() {
    std::vector<ModelControl> controls;
    for (const layout::Control& entry : layout::controls) {
        const std::optional<ControlKind> kind = model_kind(entry.kind);
        if (entry.id < 0 || !kind) continue;
        ModelControl c;
        c.id = entry.id;
        c.kind = *kind;
        c.top_units = entry.y;
        c.visible = entry.state != layout::State::hidden;
        c.enabled = entry.state != layout::State::disabled;
        if (c.kind == ControlKind::bitmap_static) c.image = std::string(reinterpret_cast<const char*>(entry.text));
        controls.push_back(c);
    }
    std::sort(controls.begin(), controls.end(),
              [](const ModelControl& a, const ModelControl& b) { return a.id < b.id; });
    return controls;
}

}  // namespace

ModelPanel::ModelPanel(ModelOptions options)
    : options_(options), controls_(template_controls()), caption_(initial_caption) {
    // Every primitive names its control by id: find it in one step.
    index_by_id_.assign(static_cast<std::size_t>(controls_.back().id) + 1, -1);
    for (std::size_t i = 0; i < controls_.size(); ++i)
        index_by_id_[static_cast<std::size_t>(controls_[i].id)] = static_cast<int>(i);
    for (const layout::MenuEntry& entry : layout::menu)
        if (entry.kind == layout::MenuEntryKind::item && entry.id >= IDM_BET_1 && entry.id <= IDM_ORDER_LAST)
            menu_items_.emplace_back(entry.id, entry.check == layout::Check::checked);
}

ModelControl* ModelPanel::find(int id) { return const_cast<ModelControl*>(static_cast<const ModelPanel*>(this)->control(id)); }

const ModelControl* ModelPanel::control(int id) const {
    if (id < 0 || static_cast<std::size_t>(id) >= index_by_id_.size()) return nullptr;
    const int index = index_by_id_[static_cast<std::size_t>(id)];
    return index < 0 ? nullptr : &controls_[static_cast<std::size_t>(index)];
}

// ---- PanelPrimitives ------------------------------------------------------

void ModelPanel::set_text(int id, const char* value) {
    if (ModelControl* c = find(id)) {
        c->text = value ? value : "";
        if (c->kind == ControlKind::combo) c->selection = -1;
    }
}

void ModelPanel::enable(int id, bool on) {
    ModelControl* c = find(id);
    if (!c) return;
    if (!on) manager_.disabling(id);
    c->enabled = on;
}

void ModelPanel::show(int id, bool on) {
    ModelControl* c = find(id);
    if (!c) return;
    if (!on) manager_.hiding(id);
    c->visible = on;
}

void ModelPanel::check(int id, bool on) {
    ModelControl* c = find(id);
    if (c && c->kind == ControlKind::auto_radio) c->checked = on;
}

void ModelPanel::check_radio(int first, int last, int id) {
    for (int i = first; i <= last; ++i) {
        ModelControl* c = find(i);
        if (c && c->kind == ControlKind::auto_radio) c->checked = (i == id);
    }
}

void ModelPanel::set_image(int id, BitmapHandle bitmap) {
    ModelControl* c = find(id);
    if (c && c->kind == ControlKind::bitmap_static) c->image = bitmap_name(bitmap);
}

void ModelPanel::combo_reset(int id) {
    ModelControl* c = find(id);
    if (c && c->kind == ControlKind::combo) {
        c->items.clear();
        c->text.clear();
        c->selection = -1;
    }
}

void ModelPanel::combo_add(int id, const char* value) {
    ModelControl* c = find(id);
    if (c && c->kind == ControlKind::combo) c->items.emplace_back(value ? value : "");
}

// At most size - 1 bytes and the terminator; a double-byte character that
// would not fit whole is left out rather than split.
void ModelPanel::combo_text(int id, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return;
    const ModelControl* c = find(id);
    std::string_view value = c ? std::string_view(c->text) : std::string_view();
    value = value.substr(0, std::min(value.find('\0'), value.size()));
    const std::size_t length = cp932_whole_length(value, size - 1);
    if (length > 0) std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
}

void ModelPanel::focus(int id) { manager_.focus_call(id); }

void ModelPanel::caption(const char* value) {
    caption_ = value ? value : "";
}

// The box is answered at once; the dialog manager then gives the focus back.
void ModelPanel::message(const char* value, const char* box_caption) {
    const std::optional<int> had_focus = manager_.focus();
    messages_.push_back({value ? value : "", box_caption ? box_caption : ""});
    manager_.message_box_closed(had_focus);
}

void ModelPanel::menu_check(int id, bool on) {
    for (auto& item : menu_items_)
        if (item.first == id) item.second = on;
}

int ModelPanel::control_top(int id) {
    const ModelControl* c = find(id);
    if (!c) return 0;
    return client_origin_pixels + layout::y_pixels_at_row_distance(c->top_units, options_.row_pixels);
}

// ---- PlatformSeam ---------------------------------------------------------

BitmapHandle ModelPanel::load_bitmap(const char* name) {
    std::optional<std::string> resource = bitmap_resource(name ? name : "");
    if (!resource) return 0;
    loaded_bitmaps_.push_back(*resource);
    BitmapHandle handle = first_bitmap_handle + loaded_bitmaps_.size() - 1;
    live_bitmaps_.insert(handle);
    return handle;
}

void ModelPanel::delete_bitmap(BitmapHandle bitmap) {
    live_bitmaps_.erase(bitmap);
}

std::optional<std::string> ModelPanel::bitmap_name(BitmapHandle bitmap) const {
    if (bitmap < first_bitmap_handle || bitmap - first_bitmap_handle >= loaded_bitmaps_.size())
        return std::nullopt;
    return loaded_bitmaps_[bitmap - first_bitmap_handle];
}

MailslotHandle ModelPanel::mailslot_open(const char* name) {
    if (!options_.companion || !is_companion_mailslot(name ? name : ""))
        return invalid_mailslot;
    MailslotHandle handle = next_mailslot_;
    next_mailslot_ += 4;
    open_mailslots_.insert(handle);
    return handle;
}

void ModelPanel::mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) {
    if (open_mailslots_.count(mailslot) == 0) return;
    if (!received_) received_.emplace();
    if (bytes != nullptr && size > 0) received_->append(static_cast<const char*>(bytes), size);
}

void ModelPanel::mailslot_close(MailslotHandle mailslot) {
    open_mailslots_.erase(mailslot);
}

void ModelPanel::help(const char* file, unsigned context) {
    help_calls_.push_back({file ? file : "", context});
}

void ModelPanel::end_dialog(int value) {
    end_value_ = value;
    manager_.ending();
}

// ---- what the dialog manager asks and the user does ------------------------

bool ModelPanel::visible(int id) const {
    const ModelControl* c = control(id);
    return c && c->visible;
}

bool ModelPanel::enabled(int id) const {
    const ModelControl* c = control(id);
    return c && c->enabled;
}

bool ModelPanel::checked(int id) const {
    const ModelControl* c = control(id);
    return c && c->checked;
}

void ModelPanel::radio_checks_itself(int id) {
    ModelControl* c = find(id);
    if (c && c->kind == ControlKind::auto_radio) c->checked = true;
}

void ModelPanel::select_item(int id, std::size_t item) {
    ModelControl* c = find(id);
    if (!c || c->kind != ControlKind::combo || item >= c->items.size()) return;
    c->selection = static_cast<int>(item);
    c->text = c->items[item];
}

void ModelPanel::type_text(int id, std::string_view value) {
    ModelControl* c = find(id);
    if (!c || c->kind != ControlKind::combo) return;
    c->text = std::string(value);
    c->selection = -1;
}

std::vector<int> ModelPanel::checked_menu_items() const {
    std::vector<int> ids;
    for (const auto& item : menu_items_)
        if (item.second) ids.push_back(item.first);
    return ids;
}

bool ModelPanel::menu_item_checked(int id) const {
    for (const auto& item : menu_items_)
        if (item.first == id) return item.second;
    return false;
}

}  // namespace reelctl
