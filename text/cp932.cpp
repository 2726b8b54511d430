#include "text/cp932.h"

#include <algorithm>
#include <cstdint>

namespace reelctl {

namespace {

struct EncodedChar {
    std::uint16_t code;   // UTF-16
    std::uint16_t bytes;  // one byte, or lead << 8 | trail
};

#include "text/cp932_tables.inc"

constexpr char32_t replacement = 0xFFFD;

// The character of one or two code page 932 bytes, or 0 for none.
char32_t decode_char(unsigned char lead, unsigned char trail, bool pair) {
    if (!pair) return lead >= 0xA1 && lead <= 0xDF ? 0xFF61 + (lead - 0xA1) : 0;
    if (trail < 0x40) return 0;
    const int row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 31;
    return decode_rows[row][trail - 0x40];
}

// The code page 932 bytes of a character, appended to `out`; false when it has none.
bool encode_char(char32_t cp, std::string& out) {
    const auto* end = std::end(encode_pairs);
    const auto* found = std::lower_bound(std::begin(encode_pairs), end, cp,
                                         [](const EncodedChar& e, char32_t key) { return e.code < key; });
    if (found == end || found->code != cp) return false;
    if (found->bytes > 0xFF) out += static_cast<char>(found->bytes >> 8);
    out += static_cast<char>(found->bytes & 0xFF);
    return true;
}

void encode_utf8(char32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// One well-formed UTF-8 sequence at the start of `in` (no overlongs, no surrogates).
bool decode_utf8(std::string_view in, std::size_t& length, char32_t& cp) {
    if (in.empty()) return false;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(in[i]); };
    const unsigned char lead = byte(0);
    char32_t min;
    if (lead < 0x80) {
        length = 1;
        cp = lead;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07, min = 0x10000;
    } else {
        return false;
    }
    if (in.size() < length) return false;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    return cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

}  // namespace

std::string utf8_to_cp932(std::string_view utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t length = 0;
        char32_t cp = 0;
        if (!decode_utf8(utf8.substr(i), length, cp)) {
            out += '?';  // a byte that starts no UTF-8 character
            ++i;
            continue;
        }
        if (cp < 0x80)
            out += static_cast<char>(cp);
        else if (!encode_char(cp, out))
            out += '?';
        i += length;
    }
    return out;
}

std::string cp932_to_utf8(std::string_view cp932) {
    std::string out;
    std::size_t i = 0;
    while (i < cp932.size()) {
        const unsigned char c = static_cast<unsigned char>(cp932[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const bool pair = is_cp932_lead_byte(c) && i + 1 < cp932.size();
        const char32_t cp = decode_char(c, pair ? static_cast<unsigned char>(cp932[i + 1]) : 0, pair);
        if (cp != 0) {
            encode_utf8(cp, out);
            i += pair ? 2 : 1;
        } else {
            encode_utf8(replacement, out);  // for the one byte that starts no character
            ++i;
        }
    }
    return out;
}

}  // namespace reelctl
