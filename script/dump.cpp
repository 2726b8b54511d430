#include "script/dump.h"

#include "panel/control_ids.h"
#include "panel/dialog_layout.h"
#include "text/cp932.h"

namespace reelctl::script {
namespace {

template <typename Array>
void write_numbers(JsonWriter& json, const Array& values) {
    json.begin_array();
    for (auto v : values) json.value(static_cast<long long>(v));
    json.end_array();
}

// The controls a dump shows, in ascending ids: every control of the template
// that the logic names, but the spare edit box it never uses.
constexpr bool dumped(const layout::Control& c) {
    return c.id >= 0 && c.id != IDC_SPARE_EDIT && c.kind != layout::Kind::group_box;
}

constexpr std::size_t dumped_count() {
    std::size_t n = 0;
    for (const layout::Control& c : layout::controls) n += dumped(c) ? 1 : 0;
    return n;
}

struct DumpedControls {
    std::array<const layout::Control*, dumped_count()> in_id_order{};
    constexpr DumpedControls() {
        std::size_t n = 0;
        for (const layout::Control& c : layout::controls)
            if (dumped(c)) in_id_order[n++] = &c;
        for (std::size_t i = 1; i < n; ++i)  // insertion sort: the list is short and nearly ordered
            for (std::size_t j = i; j > 0 && in_id_order[j - 1]->id > in_id_order[j]->id; --j) {
                const layout::Control* t = in_id_order[j];
                in_id_order[j] = in_id_order[j - 1];
                in_id_order[j - 1] = t;
            }
    }
};
constexpr DumpedControls dumped_controls;

void write_control(JsonWriter& json, DialogUnderTest& dialog, const layout::Control& c) {
    json.begin_object();
    switch (c.kind) {
        case layout::Kind::edit:
        case layout::Kind::readonly_edit:
            json.key("text").value(cp932_to_utf8(dialog.text(c.id)));
            json.key("enabled").value(dialog.enabled(c.id));
            break;
        case layout::Kind::radio:
            json.key("visible").value(dialog.visible(c.id));
            json.key("checked").value(dialog.checked(c.id));
            break;
        case layout::Kind::bitmap:
            json.key("image");
            if (auto name = dialog.image(c.id)) json.value(cp932_to_utf8(*name));
            else json.null();
            break;
        case layout::Kind::combo:
            json.key("items").begin_array();
            for (const std::string& item : dialog.items(c.id)) json.value(cp932_to_utf8(item));
            json.end_array();
            json.key("text").value(cp932_to_utf8(dialog.text(c.id)));
            json.key("enabled").value(dialog.enabled(c.id));
            break;
        case layout::Kind::label:
        case layout::Kind::default_button:
        case layout::Kind::group_box:
            json.key("enabled").value(dialog.enabled(c.id));
            break;
    }
    json.end_object();
}

}  // namespace

std::string hex_bytes(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        out += digits[c >> 4];
        out += digits[c & 0x0F];
    }
    return out;
}

void write_state(JsonWriter& json, const EngineState& engine) {
    const PanelState& s = engine.state;
    json.begin_object();
    json.key("bet").value(s.bet);
    json.key("stop_order").value(s.stop_order);
    json.key("role").value(s.role);
    json.key("pattern_code").value(s.pattern_code);
    json.key("slide_table").value(s.slide_table);
    json.key("role_kind").value(s.role_kind);
    json.key("left_pattern").value(s.left_pattern);
    json.key("table_choice").value(s.table_choice);
    json.key("awaiting_stop").value(static_cast<long long>(s.awaiting_stop));
    json.key("split_pending").value(static_cast<long long>(s.split_pending));
    json.key("pattern_mode").value(static_cast<long long>(s.pattern_mode));
    json.key("layout_variant").value(s.layout_variant);
    json.key("stop_pos");
    write_numbers(json, s.stop_pos);
    json.key("columns").begin_array();
    for (const ReelColumn& column : engine.columns) {
        json.begin_array();
        for (const ReelRow& row : column) json.begin_array().value(row.slide).value(row.mark).end_array();
        json.end_array();
    }
    json.end_array();
    json.key("conflict_mask");
    write_numbers(json, engine.conflict_mask);
    const TenCoinWork& t = engine.ten_coin;
    json.key("ten_coin").begin_object();
    json.key("codes");
    write_numbers(json, t.codes);
    json.key("candidates_a").value(t.candidates_a);
    json.key("candidates_b").value(t.candidates_b);
    json.key("weights");
    write_numbers(json, t.weights);
    json.key("saved_center_pos").value(t.saved_center_pos);
    json.key("saved_right_pos").value(t.saved_right_pos);
    json.end_object();
    json.end_object();
}

std::string dump_json(DialogUnderTest& dialog) {
    const bool readable = dialog.readable();
    JsonWriter json;
    json.begin_object().key("dump").begin_object();
    if (readable) json.key("caption").value(cp932_to_utf8(dialog.caption()));
    json.key("ended");
    if (auto value = dialog.end_value()) json.value(*value);
    else json.null();
    if (dialog.focus_readable()) {
        json.key("focus");
        if (auto id = dialog.focus()) json.value(*id);
        else json.null();
    }
    if (readable) {
        if (auto checked = dialog.menu_checked()) {
            json.key("menu_checked");
            write_numbers(json, *checked);
        }
    }
    json.key("messages").begin_array();
    for (const ShownMessage& m : dialog.take_messages())
        json.begin_object()
            .key("text").value(cp932_to_utf8(m.text))
            .key("caption").value(cp932_to_utf8(m.caption))
            .end_object();
    json.end_array();
    json.key("notice");
    if (auto received = dialog.notice()) json.value(hex_bytes(*received));
    else json.null();
    if (const EngineState* engine = dialog.engine_state()) {
        json.key("state");
        write_state(json, *engine);
    }
    if (readable) {
        json.key("controls").begin_object();
        for (const layout::Control* c : dumped_controls.in_id_order) {
            json.key(std::to_string(c->id));
            write_control(json, dialog, *c);
        }
        json.end_object();
    }
    json.end_object().end_object();
    return json.str();
}

}  // namespace reelctl::script
