#include "panel/model_panel.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"

namespace reelctl {

namespace {

// Rows of a reel column are 16 dialog units apart; the measured pixel distance
// scales every vertical position alike.
constexpr int row_units = 16;
// Screen pixels above the client area: the dialog sits at 0, 0 with caption and menu bar.
constexpr int client_origin_pixels = 42;

constexpr BitmapHandle first_bitmap_handle = 0x2000;

constexpr std::array<const char*, 1> extra_bitmap_names = {"VSK"};

bool same_ascii_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The resource name of a bitmap of the program, as stored; none for an unknown name.
std::optional<std::string> bitmap_resource(std::string_view name) {
    for (const auto& set : symbol_bitmap_names)
        for (const char* known : set)
            if (same_ascii_name(name, known)) return std::string(known);
    for (const auto& set : strip_bitmap_names)
        for (const char* known : set)
            if (same_ascii_name(name, known)) return std::string(known);
    for (const char* known : extra_bitmap_names)
        if (same_ascii_name(name, known)) return std::string(known);
    return std::nullopt;
}

bool is_lead_byte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

int floor_div(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<int>(q);
}

TraceField integer(const char* key, long long value) {
    return {key, TraceField::Type::integer, value, {}};
}
TraceField boolean(const char* key, bool value) {
    return {key, TraceField::Type::boolean, value ? 1 : 0, {}};
}
TraceField text(const char* key, const char* value) {
    return {key, TraceField::Type::text, 0, value ? std::string(value) : std::string()};
}
TraceField name_or_null(const char* key, const std::optional<std::string>& value) {
    if (!value) return {key, TraceField::Type::null, 0, {}};
    return {key, TraceField::Type::text, 0, *value};
}

std::vector<ModelControl> template_controls() {
    std::vector<ModelControl> controls;
    auto add = [&](int id, ControlKind kind, int top) -> ModelControl& {
        ModelControl c;
        c.id = id;
        c.kind = kind;
        c.top_units = top;
        controls.push_back(c);
        return controls.back();
    };

    add(IDC_CLOSE, ControlKind::push_button, 373);
    add(IDC_SELECT_CENTER, ControlKind::push_button, 373).enabled = false;
    add(IDC_SELECT_RIGHT, ControlKind::push_button, 373).enabled = false;
    add(IDC_SPARE_EDIT, ControlKind::edit, 181).visible = false;
    add(IDC_ROLE_COMBO, ControlKind::combo, 103);
    add(IDC_TABLE_COMBO, ControlKind::combo, 144).enabled = false;
    add(IDC_PATTERN_COMBO, ControlKind::combo, 124).enabled = false;
    add(IDC_TABLE_LABEL, ControlKind::label, 146).enabled = false;
    add(IDC_PATTERN_LABEL, ControlKind::label, 126).enabled = false;

    constexpr std::array<int, 3> line_tops = {63, 42, 21};  // bottom, middle, top
    for (int reel = 0; reel < reel_count; ++reel) {
        for (int line = 0; line < 3; ++line)
            add(window_static_id(reel, line), ControlKind::bitmap_static, line_tops[line]).image =
                symbol_bitmap_names[0][symbol_blank];
        for (int row = 0; row < position_count; ++row) {
            add(slide_edit_id(reel, row), ControlKind::edit, 343 - row_units * row);
            add(stop_radio_id(reel, row), ControlKind::auto_radio, 345 - row_units * row).visible = false;
        }
        add(strip_static_id(reel), ControlKind::bitmap_static, 21).image = strip_bitmap_names[0][reel];
    }

    std::sort(controls.begin(), controls.end(),
              [](const ModelControl& a, const ModelControl& b) { return a.id < b.id; });
    return controls;
}

}  // namespace

ModelPanel::ModelPanel(ModelOptions options)
    : options_(options), controls_(template_controls()), caption_(initial_caption) {
    for (int id = IDM_BET_1; id <= IDM_ORDER_LAST; ++id)
        menu_items_.emplace_back(id, id == IDM_BET_3 || id == IDM_ORDER_FIRST);
}

namespace {

// The control with `id` in a list sorted by id, or null.
template <typename Controls>
auto find_control(Controls& controls, int id) -> decltype(&*controls.begin()) {
    auto it = std::lower_bound(controls.begin(), controls.end(), id,
                               [](const ModelControl& c, int key) { return c.id < key; });
    return (it != controls.end() && it->id == id) ? &*it : nullptr;
}

}  // namespace

ModelControl* ModelPanel::find(int id) { return find_control(controls_, id); }

const ModelControl* ModelPanel::control(int id) const { return find_control(controls_, id); }

void ModelPanel::emit(TraceCall call) const {
    if (trace_sink_) trace_sink_(call);
}

// ---- PanelPrimitives ------------------------------------------------------

void ModelPanel::set_text(int id, const char* value) {
    emit({"set_text", {integer("id", id), text("text", value)}});
    if (ModelControl* c = find(id)) {
        c->text = value ? value : "";
        if (c->kind == ControlKind::combo) c->selection = -1;
    }
}

void ModelPanel::enable(int id, bool on) {
    emit({"enable", {integer("id", id), boolean("on", on)}});
    if (ModelControl* c = find(id)) c->enabled = on;
}

void ModelPanel::show(int id, bool on) {
    emit({"show", {integer("id", id), boolean("on", on)}});
    if (ModelControl* c = find(id)) c->visible = on;
}

void ModelPanel::check(int id, bool on) {
    emit({"check", {integer("id", id), boolean("on", on)}});
    ModelControl* c = find(id);
    if (c && c->kind == ControlKind::auto_radio) c->checked = on;
}

void ModelPanel::check_radio(int first, int last, int id) {
    emit({"check_radio", {integer("first", first), integer("last", last), integer("id", id)}});
    for (int i = first; i <= last; ++i) {
        ModelControl* c = find(i);
        if (c && c->kind == ControlKind::auto_radio) c->checked = (i == id);
    }
}

void ModelPanel::set_image(int id, BitmapHandle bitmap) {
    std::optional<std::string> name = bitmap_name(bitmap);
    emit({"set_image", {integer("id", id), name_or_null("image", name)}});
    ModelControl* c = find(id);
    if (c && c->kind == ControlKind::bitmap_static) c->image = name;
}

void ModelPanel::combo_reset(int id) {
    emit({"combo_reset", {integer("id", id)}});
    ModelControl* c = find(id);
    if (c && c->kind == ControlKind::combo) {
        c->items.clear();
        c->text.clear();
        c->selection = -1;
    }
}

void ModelPanel::combo_add(int id, const char* value) {
    emit({"combo_add", {integer("id", id), text("text", value)}});
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
    std::size_t length = 0;
    while (length < value.size()) {
        std::size_t step = (is_lead_byte(static_cast<unsigned char>(value[length])) && length + 1 < value.size()) ? 2 : 1;
        if (length + step > size - 1) break;
        length += step;
    }
    if (length > 0) std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
}

void ModelPanel::focus(int id) {
    emit({"focus", {integer("id", id)}});
    // A focus call on an id the dialog does not have takes the focus away, as SetFocus(NULL) does.
    focus_ = find(id) ? std::optional<int>(id) : std::nullopt;
}

void ModelPanel::caption(const char* value) {
    emit({"caption", {text("text", value)}});
    caption_ = value ? value : "";
}

void ModelPanel::message(const char* value, const char* box_caption) {
    emit({"message", {text("text", value), text("caption", box_caption)}});
    messages_.push_back({value ? value : "", box_caption ? box_caption : ""});
}

void ModelPanel::menu_check(int id, bool on) {
    emit({"menu_check", {integer("id", id), boolean("on", on)}});
    for (auto& item : menu_items_)
        if (item.first == id) item.second = on;
}

int ModelPanel::control_top(int id) {
    const ModelControl* c = find(id);
    if (!c) return 0;
    return client_origin_pixels + floor_div(static_cast<long long>(c->top_units) * options_.row_pixels, row_units);
}

// ---- PlatformSeam ---------------------------------------------------------

BitmapHandle ModelPanel::load_bitmap(const char* name) {
    emit({"load_bitmap", {text("name", name)}});
    std::optional<std::string> resource = bitmap_resource(name ? name : "");
    if (!resource) return 0;
    loaded_bitmaps_.push_back(*resource);
    BitmapHandle handle = first_bitmap_handle + loaded_bitmaps_.size() - 1;
    live_bitmaps_.insert(handle);
    return handle;
}

void ModelPanel::delete_bitmap(BitmapHandle bitmap) {
    emit({"delete_bitmap", {name_or_null("name", bitmap_name(bitmap))}});
    live_bitmaps_.erase(bitmap);
}

std::optional<std::string> ModelPanel::bitmap_name(BitmapHandle bitmap) const {
    if (bitmap < first_bitmap_handle || bitmap - first_bitmap_handle >= loaded_bitmaps_.size())
        return std::nullopt;
    return loaded_bitmaps_[bitmap - first_bitmap_handle];
}

MailslotHandle ModelPanel::mailslot_open(const char* name) {
    emit({"mailslot_open", {text("name", name)}});
    if (!options_.companion || !same_ascii_name(name ? name : "", companion_mailslot_name))
        return invalid_mailslot;
    MailslotHandle handle = next_mailslot_;
    next_mailslot_ += 4;
    open_mailslots_.insert(handle);
    return handle;
}

void ModelPanel::mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) {
    std::string data;
    if (bytes != nullptr && size > 0) data.assign(static_cast<const char*>(bytes), size);
    emit({"mailslot_write", {{"bytes", TraceField::Type::bytes, 0, data}}});
    if (open_mailslots_.count(mailslot) == 0) return;
    if (!received_) received_.emplace();
    received_->append(data);
}

void ModelPanel::mailslot_close(MailslotHandle mailslot) {
    emit({"mailslot_close", {}});
    open_mailslots_.erase(mailslot);
}

void ModelPanel::help(const char* file, unsigned context) {
    emit({"help", {text("file", file), integer("context", context)}});
    help_calls_.push_back({file ? file : "", context});
}

void ModelPanel::end_dialog(int value) {
    emit({"end_dialog", {integer("value", value)}});
    end_value_ = value;
}

// ---- the dialog manager and the user ---------------------------------------

void ModelPanel::initial_focus(std::intptr_t initdialog_result) {
    if (initdialog_result != 0) focus_ = IDC_CLOSE;
}

UserResult ModelPanel::click(int id) {
    ModelControl* c = find(id);
    if (!c || (c->kind != ControlKind::push_button && c->kind != ControlKind::auto_radio))
        return UserResult::not_applicable;
    if (!c->visible) return UserResult::hidden;
    if (!c->enabled) return UserResult::disabled;
    if (c->kind == ControlKind::auto_radio) c->checked = true;  // a group of its own: only itself
    return UserResult::done;
}

UserResult ModelPanel::pick(int id, std::size_t item) {
    ModelControl* c = find(id);
    if (!c || c->kind != ControlKind::combo) return UserResult::not_applicable;
    if (!c->enabled) return UserResult::disabled;
    if (item >= c->items.size()) return UserResult::no_item;
    c->selection = static_cast<int>(item);
    c->text = c->items[item];
    return UserResult::done;
}

UserResult ModelPanel::pick_text(int id, std::string_view value) {
    const ModelControl* c = find(id);
    if (!c || c->kind != ControlKind::combo) return UserResult::not_applicable;
    if (!c->enabled) return UserResult::disabled;
    auto it = std::find(c->items.begin(), c->items.end(), value);
    if (it == c->items.end()) return UserResult::no_item;
    return pick(id, static_cast<std::size_t>(it - c->items.begin()));
}

UserResult ModelPanel::set_combo_text(int id, std::string_view value) {
    ModelControl* c = find(id);
    if (!c || c->kind != ControlKind::combo) return UserResult::not_applicable;
    c->text = std::string(value);
    c->selection = -1;
    return UserResult::done;
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
