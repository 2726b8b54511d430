// Code page 932 at the edges: the system's texts are code page 932 bytes;
// scripts, JSON and the non-Windows front ends speak UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace reelctl {

// Characters that code page 932 cannot encode, and bytes that are not UTF-8, become "?".
std::string utf8_to_cp932(std::string_view utf8);

// Bytes that are no code page 932 character become U+FFFD.
std::string cp932_to_utf8(std::string_view cp932);

// The first byte of a double-byte character.
constexpr bool is_cp932_lead_byte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// How many bytes of `text`, at most `limit`, hold whole characters: a
// double-byte character that would not fit whole is left out, not split.
constexpr std::size_t cp932_whole_length(std::string_view text, std::size_t limit) {
    std::size_t length = 0;
    while (length < text.size()) {
        const bool pair = is_cp932_lead_byte(static_cast<unsigned char>(text[length])) && length + 1 < text.size();
        const std::size_t step = pair ? 2 : 1;
        if (length + step > limit) break;
        length += step;
    }
    return length;
}

}  // namespace reelctl
