// A strict reader of one JSON value, for checking what reelctl-script prints:
// every output line must be one JSON value in valid UTF-8.
#pragma once

#include <cstddef>
#include <string_view>

namespace reelctl::fuzz {

class JsonCheck {
public:
    // True when `text` is exactly one JSON value (blanks around it allowed).
    static bool valid(std::string_view text) {
        JsonCheck reader(text);
        reader.blanks();
        if (!reader.value(0)) return false;
        reader.blanks();
        return reader.at_ == text.size();
    }

private:
    explicit JsonCheck(std::string_view text) : text_(text) {}

    bool more() const { return at_ < text_.size(); }
    unsigned char peek() const { return more() ? static_cast<unsigned char>(text_[at_]) : 0; }
    void blanks() {
        while (more() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) ++at_;
    }
    bool take(char c) {
        if (peek() != static_cast<unsigned char>(c)) return false;
        ++at_;
        return true;
    }
    bool literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) return false;
        at_ += word.size();
        return true;
    }

    bool value(int depth) {
        if (depth > 64) return false;
        switch (peek()) {
        case '{': return object(depth);
        case '[': return array(depth);
        case '"': return string();
        case 't': return literal("true");
        case 'f': return literal("false");
        case 'n': return literal("null");
        default: return number();
        }
    }

    bool object(int depth) {
        ++at_;
        blanks();
        if (take('}')) return true;
        for (;;) {
            blanks();
            if (!string()) return false;
            blanks();
            if (peek() != ':') return false;
            ++at_;
            blanks();
            if (!value(depth + 1)) return false;
            blanks();
            if (take('}')) return true;
            if (peek() != ',') return false;
            ++at_;
        }
    }

    bool array(int depth) {
        ++at_;
        blanks();
        if (take(']')) return true;
        for (;;) {
            blanks();
            if (!value(depth + 1)) return false;
            blanks();
            if (take(']')) return true;
            if (peek() != ',') return false;
            ++at_;
        }
    }

    bool digits() {
        const std::size_t start = at_;
        while (peek() >= '0' && peek() <= '9') ++at_;
        return at_ > start;
    }

    bool number() {
        if (peek() == '-') ++at_;
        if (peek() == '0') ++at_;
        else if (!digits()) return false;
        if (peek() == '.') {
            ++at_;
            if (!digits()) return false;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++at_;
            if (peek() == '+' || peek() == '-') ++at_;
            if (!digits()) return false;
        }
        return true;
    }

    bool hex4() {
        for (int i = 0; i < 4; ++i, ++at_) {
            const unsigned char c = peek();
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
        }
        return true;
    }

    // One UTF-8 character of two to four bytes, shortest form, no surrogates.
    bool utf8() {
        const unsigned char lead = peek();
        int extra = 0;
        unsigned min = 0, code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) extra = 1, min = 0x80, code = lead & 0x1F;
        else if (lead >= 0xE0 && lead <= 0xEF) extra = 2, min = 0x800, code = lead & 0x0F;
        else if (lead >= 0xF0 && lead <= 0xF4) extra = 3, min = 0x10000, code = lead & 0x07;
        else return false;
        ++at_;
        for (int i = 0; i < extra; ++i, ++at_) {
            if ((peek() & 0xC0) != 0x80) return false;
            code = (code << 6) | (peek() & 0x3F);
        }
        return code >= min && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    }

    bool string() {
        if (peek() != '"') return false;
        ++at_;
        for (;;) {
            if (!more()) return false;
            const unsigned char c = peek();
            if (take('"')) return true;
            if (c < 0x20) return false;
            if (c == '\\') {
                ++at_;
                const unsigned char e = peek();
                ++at_;
                if (e == 'u') {
                    if (!hex4()) return false;
                } else if (!(e == '"' || e == '\\' || e == '/' || e == 'b' || e == 'f' || e == 'n' || e == 'r' || e == 't')) {
                    return false;
                }
            } else if (c < 0x80) {
                ++at_;
            } else if (!utf8()) {
                return false;
            }
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace reelctl::fuzz
