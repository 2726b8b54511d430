// Conversion between the script's UTF-8 and the code page 932 bytes of the panel.
#pragma once

#include <string>
#include <string_view>

namespace reelctl::script {

// Characters that code page 932 cannot encode, and bytes that are not UTF-8, become "?".
std::string utf8_to_cp932(std::string_view utf8);

// Bytes that are no code page 932 character become U+FFFD.
std::string cp932_to_utf8(std::string_view cp932);

}  // namespace reelctl::script
