#include "frontends/web/layout_json.h"

#include <cstdio>

#include "panel/layout_metrics.h"
#include "panel/messages.h"

namespace reelctl::web {

namespace {

void append_string(std::string& out, const char8_t* text) {
    out += '"';
    for (const char8_t* p = text; *p; ++p) {
        const char c = static_cast<char>(*p);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void append_field(std::string& out, const char* key, int value) {
    out += '"';
    out += key;
    out += "\":";
    out += std::to_string(value);
    out += ',';
}

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
    std::string out = "{\"caption\":";
    append_string(out, layout::dialog_caption);
    out += ",\"font\":";
    append_string(out, layout::dialog_font);
    out += ',';
    append_field(out, "fontPoints", REELCTL_DIALOG_FONT_POINTS);
    append_field(out, "width", x_pixels(scale, REELCTL_DIALOG_WIDTH));
    append_field(out, "height", y_pixels(scale, REELCTL_DIALOG_HEIGHT));
    out += "\"controls\":[";
    bool first = true;
    for (const layout::Control& c : layout::controls) {
        if (!first) out += ',';
        first = false;
        out += "{\"kind\":\"";
        out += kind_name(c.kind);
        out += "\",";
        append_field(out, "id", c.id);
        out += "\"text\":";
        append_string(out, c.text);
        out += ',';
        append_field(out, "x", x_pixels(scale, c.x));
        append_field(out, "y", y_pixels(scale, c.y));
        append_field(out, "width", x_pixels(scale, c.width));
        append_field(out, "height", y_pixels(scale, c.height));
        out += "\"state\":\"";
        out += state_name(c.state);
        out += "\"}";
    }
    out += "],\"menu\":[";
    first = true;
    for (const layout::MenuEntry& m : layout::menu) {
        if (!first) out += ',';
        first = false;
        out += "{\"kind\":\"";
        out += menu_kind_name(m.kind);
        out += "\",\"text\":";
        append_string(out, m.text);
        out += ',';
        append_field(out, "id", m.id);
        out += "\"checked\":";
        out += m.check == layout::Check::checked ? "true" : "false";
        out += '}';
    }
    out += "],\"messages\":{";
    append_field(out, "setfocus", static_cast<int>(msg_setfocus));
    append_field(out, "command", static_cast<int>(msg_command));
    append_field(out, "syscommand", static_cast<int>(msg_syscommand));
    append_field(out, "close", static_cast<int>(syscommand_close));
    append_field(out, "clicked", notify_clicked);
    append_field(out, "selendok", notify_selendok);
    append_field(out, "ok", id_ok);
    append_field(out, "cancel", id_cancel);
    out.back() = '}';
    out += '}';
    return out;
}

}  // namespace reelctl::web
