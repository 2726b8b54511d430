#include "text/cp932.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace reelctl {

namespace {

// ---- the platform's code page 932 tables, one character at a time ----------
//
// encode_char appends the code page 932 bytes of one code point and returns
// false when there are none; decode_char turns the bytes of one character
// into its code point and returns false when they are no character.

#ifdef _WIN32

bool encode_char(char32_t cp, std::string& out) {
    wchar_t wide[2];
    int wide_length = 1;
    if (cp >= 0x10000) {
        wide[0] = static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        wide[1] = static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        wide_length = 2;
    } else {
        wide[0] = static_cast<wchar_t>(cp);
    }
    char bytes[8];
    BOOL defaulted = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, wide_length, bytes, sizeof bytes, nullptr,
                                &defaulted);
    if (n <= 0 || defaulted) return false;
    out.append(bytes, static_cast<std::size_t>(n));
    return true;
}

bool decode_char(std::string_view bytes, char32_t& cp) {
    wchar_t wide[2];
    int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), wide, 2);
    if (n != 1) return false;
    cp = static_cast<char32_t>(wide[0]);
    return true;
}

#else

// glibc's "CP932" is Microsoft's table. Its few one-way mappings (U+2212 to
// 0x817C and the like) are refused by requiring a round trip, as Windows does
// with WC_NO_BEST_FIT_CHARS.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input or nothing.
    bool convert(std::string_view in, std::string& out) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char buffer[16];
        char* in_ptr = const_cast<char*>(in.data());
        std::size_t in_left = in.size();
        char* out_ptr = buffer;
        std::size_t out_left = sizeof buffer;
        if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) || in_left != 0)
            return false;
        out.append(buffer, static_cast<std::size_t>(out_ptr - buffer));
        return true;
    }

private:
    iconv_t cd_;
};

std::string encode_utf8(char32_t cp);
bool decode_utf8(std::string_view in, std::size_t& length, char32_t& cp);

Converter& to_cp932() {
    static Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& from_cp932() {
    static Converter converter("UTF-8", "CP932");
    return converter;
}

bool encode_char(char32_t cp, std::string& out) {
    std::string bytes;
    if (!to_cp932().convert(encode_utf8(cp), bytes)) return false;
    std::string back;
    if (!from_cp932().convert(bytes, back) || back != encode_utf8(cp)) return false;
    out += bytes;
    return true;
}

bool decode_char(std::string_view bytes, char32_t& cp) {
    std::string utf8;
    if (!from_cp932().convert(bytes, utf8)) return false;
    std::size_t length = 0;
    return decode_utf8(utf8, length, cp) && length == utf8.size();
}

#endif

// ---- UTF-8 ------------------------------------------------------------------

std::string encode_utf8(char32_t cp) {
    std::string out;
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
    return out;
}

// One well-formed UTF-8 sequence at the start of `in` (no overlongs, no surrogates).
bool decode_utf8(std::string_view in, std::size_t& length, char32_t& cp) {
    if (in.empty()) return false;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(in[i]); };
    unsigned char lead = byte(0);
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
        unsigned char c = static_cast<unsigned char>(cp932[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t length = (is_cp932_lead_byte(c) && i + 1 < cp932.size()) ? 2 : 1;
        char32_t cp = 0;
        if (decode_char(cp932.substr(i, length), cp)) {
            out += encode_utf8(cp);
            i += length;
        } else {
            out += "\xEF\xBF\xBD";  // U+FFFD for the one byte that starts no character
            ++i;
        }
    }
    return out;
}

}  // namespace reelctl
