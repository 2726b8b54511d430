#include "script/tracing_panel.h"

#include <ostream>

#include "text/cp932.h"
#include "text/json_writer.h"

namespace reelctl::script {

// One trace line: {"call": NAME, fields...}, printed when it goes out of scope.
class TracingPanel::Line {
public:
    Line(std::ostream* out, const char* name) : out_(out) {
        if (out_) json_.begin_object().key("call").value(name);
    }
    ~Line() {
        if (out_) *out_ << json_.end_object().str() << '\n';
    }
    Line& number(const char* key, long long value) {
        if (out_) json_.key(key).value(value);
        return *this;
    }
    Line& flag(const char* key, bool value) {
        if (out_) json_.key(key).value(value);
        return *this;
    }
    Line& text(const char* key, const char* cp932) {
        if (out_) json_.key(key).value(cp932_to_utf8(cp932 ? cp932 : ""));
        return *this;
    }
    Line& name_or_null(const char* key, const std::string* name) {
        if (!out_) return *this;
        json_.key(key);
        if (name) json_.value(*name);
        else json_.null();
        return *this;
    }
    Line& hex(const char* key, const void* bytes, std::size_t size) {
        if (!out_) return *this;
        static const char digits[] = "0123456789abcdef";
        std::string out;
        for (std::size_t i = 0; bytes && i < size; ++i) {
            const unsigned char c = static_cast<const unsigned char*>(bytes)[i];
            out += digits[c >> 4];
            out += digits[c & 0x0F];
        }
        json_.key(key).value(out);
        return *this;
    }

private:
    std::ostream* out_;
    JsonWriter json_;
};

const std::string* TracingPanel::bitmap_name(BitmapHandle bitmap) const {
    auto it = bitmap_names_.find(bitmap);
    return it == bitmap_names_.end() ? nullptr : &it->second;
}

void TracingPanel::set_text(int id, const char* text) {
    Line(out_, "set_text").number("id", id).text("text", text);
    ui_.set_text(id, text);
}

void TracingPanel::enable(int id, bool on) {
    Line(out_, "enable").number("id", id).flag("on", on);
    ui_.enable(id, on);
}

void TracingPanel::show(int id, bool on) {
    Line(out_, "show").number("id", id).flag("on", on);
    ui_.show(id, on);
}

void TracingPanel::check(int id, bool on) {
    Line(out_, "check").number("id", id).flag("on", on);
    ui_.check(id, on);
}

void TracingPanel::check_radio(int first, int last, int id) {
    Line(out_, "check_radio").number("first", first).number("last", last).number("id", id);
    ui_.check_radio(first, last, id);
}

void TracingPanel::set_image(int id, BitmapHandle bitmap) {
    Line(out_, "set_image").number("id", id).name_or_null("image", bitmap_name(bitmap));
    ui_.set_image(id, bitmap);
}

void TracingPanel::combo_reset(int id) {
    Line(out_, "combo_reset").number("id", id);
    ui_.combo_reset(id);
}

void TracingPanel::combo_add(int id, const char* text) {
    Line(out_, "combo_add").number("id", id).text("text", text);
    ui_.combo_add(id, text);
}

void TracingPanel::combo_text(int id, char* buffer, std::size_t size) { ui_.combo_text(id, buffer, size); }

void TracingPanel::focus(int id) {
    Line(out_, "focus").number("id", id);
    ui_.focus(id);
}

void TracingPanel::caption(const char* text) {
    Line(out_, "caption").text("text", text);
    ui_.caption(text);
}

void TracingPanel::message(const char* text, const char* caption) {
    Line(out_, "message").text("text", text).text("caption", caption);
    ui_.message(text, caption);
}

void TracingPanel::menu_check(int id, bool on) {
    Line(out_, "menu_check").number("id", id).flag("on", on);
    ui_.menu_check(id, on);
}

int TracingPanel::control_top(int id) { return ui_.control_top(id); }

BitmapHandle TracingPanel::load_bitmap(const char* name) {
    Line(out_, "load_bitmap").text("name", name);
    const BitmapHandle bitmap = platform_.load_bitmap(name);
    if (bitmap != 0) bitmap_names_[bitmap] = name ? name : "";
    return bitmap;
}

void TracingPanel::delete_bitmap(BitmapHandle bitmap) {
    Line(out_, "delete_bitmap").name_or_null("name", bitmap_name(bitmap));
    platform_.delete_bitmap(bitmap);
}

MailslotHandle TracingPanel::mailslot_open(const char* name) {
    Line(out_, "mailslot_open").text("name", name);
    return platform_.mailslot_open(name);
}

void TracingPanel::mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) {
    Line(out_, "mailslot_write").hex("bytes", bytes, size);
    platform_.mailslot_write(mailslot, bytes, size);
}

void TracingPanel::mailslot_close(MailslotHandle mailslot) {
    Line(out_, "mailslot_close");
    platform_.mailslot_close(mailslot);
}

void TracingPanel::help(const char* file, unsigned context) {
    Line(out_, "help").text("file", file).number("context", context);
    platform_.help(file, context);
}

void TracingPanel::end_dialog(int value) {
    Line(out_, "end_dialog").number("value", value);
    platform_.end_dialog(value);
}

}  // namespace reelctl::script
