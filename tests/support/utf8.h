// A UTF-8 literal as plain bytes, for the tests that compare the texts the
// system writes in UTF-8.
#pragma once

#include <string>

inline std::string utf8(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }
