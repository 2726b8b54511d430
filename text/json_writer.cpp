#include "text/json_writer.h"

namespace reelctl {

std::string json_quote(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += hex[c >> 4];
                    out += hex[c & 0x0F];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::before_value() {
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ += ',';
        if (!first_.back() && !compact_ && !break_line_) out_ += ' ';
        first_.back() = false;
    }
    if (break_line_) out_ += '\n';
    break_line_ = false;
}

JsonWriter& JsonWriter::open(char bracket) {
    before_value();
    out_ += bracket;
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::close(char bracket) {
    out_ += bracket;
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    before_value();
    out_ += json_quote(name);
    out_ += compact_ ? ":" : ": ";
    after_key_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(long long number) {
    before_value();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    before_value();
    out_ += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    before_value();
    out_ += json_quote(text);
    return *this;
}

JsonWriter& JsonWriter::json(std::string_view text) {
    before_value();
    out_ += text;
    return *this;
}

JsonWriter& JsonWriter::null() {
    before_value();
    out_ += "null";
    return *this;
}

}  // namespace reelctl
