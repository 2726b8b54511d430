#include "frontends/web/layout_json.h"

#include <string_view>

#include "panel/layout_metrics.h"
#include "panel/messages.h"
#include "text/json_writer.h"

namespace reelctl::web {

namespace {

// A UTF-8 text of the layout as the writer takes it.
std::string_view bytes(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const char* kind_name(layout::Kind kind) {
    switch (kind) {
        case layout::Kind::group_box: return "group_box";
        case layout::Kind::label: return "label";
        case layout::Kind::bitmap: return "bitmap";
        case layout::Kind::combo: return "combo";
        case layout::Kind::edit: return "edit";
        case layout::Kind::readonly_edit: return "readonly_edit";
        case layout::Kind::radio: return "radio";
        case layout::Kind::default_button: return "default_button";
    }
    return "";
}

const char* state_name(layout::State state) {
    switch (state) {
        case layout::State::shown: return "shown";
        case layout::State::hidden: return "hidden";
        case layout::State::disabled: return "disabled";
    }
    return "";
}

const char* menu_kind_name(layout::MenuEntryKind kind) {
    switch (kind) {
        case layout::MenuEntryKind::popup: return "popup";
        case layout::MenuEntryKind::item: return "item";
        case layout::MenuEntryKind::end: return "end";
    }
    return "";
}

}  // namespace

int x_pixels(const PageScale& scale, int units) { return layout::mul_div(units, scale.base_x, 4); }

int y_pixels(const PageScale& scale, int units) {
    if (scale.row_pixels < 0) return layout::mul_div(units, scale.font_pixels, 8);
    return layout::y_pixels_at_row_distance(units, scale.row_pixels);
}

std::string layout_json(const PageScale& scale) {
    JsonWriter json(JsonWriter::Separators::compact);
    json.begin_object();
    json.key("caption").value(bytes(layout::dialog_caption)).key("font").value(bytes(layout::dialog_font));
    json.key("fontPoints").value(REELCTL_DIALOG_FONT_POINTS);
    json.key("width").value(x_pixels(scale, REELCTL_DIALOG_WIDTH)).key("height").value(y_pixels(scale, REELCTL_DIALOG_HEIGHT));
    json.key("controls").begin_array();
    for (const layout::Control& c : layout::controls) {
        json.begin_object().key("kind").value(kind_name(c.kind)).key("id").value(c.id).key("text").value(bytes(c.text));
        json.key("x").value(x_pixels(scale, c.x)).key("y").value(y_pixels(scale, c.y));
        json.key("width").value(x_pixels(scale, c.width)).key("height").value(y_pixels(scale, c.height));
        json.key("state").value(state_name(c.state)).end_object();
    }
    json.end_array().key("menu").begin_array();
    for (const layout::MenuEntry& m : layout::menu) {
        json.begin_object().key("kind").value(menu_kind_name(m.kind)).key("text").value(bytes(m.text)).key("id").value(m.id);
        json.key("checked").value(m.check == layout::Check::checked).end_object();
    }
    json.end_array().key("messages").begin_object();
    json.key("setfocus").value(static_cast<int>(msg_setfocus)).key("command").value(static_cast<int>(msg_command));
    json.key("syscommand").value(static_cast<int>(msg_syscommand)).key("close").value(static_cast<int>(syscommand_close));
    json.key("clicked").value(notify_clicked).key("selendok").value(notify_selendok);
    json.key("ok").value(id_ok).key("cancel").value(id_cancel);
    json.end_object().end_object();
    return json.str();
}

}  // namespace reelctl::web
