// Helpers shared by the script tests.
#pragma once

#include <string>

// A UTF-8 literal as plain bytes (plain literals are code page 932 in this build).
inline std::string utf8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }
