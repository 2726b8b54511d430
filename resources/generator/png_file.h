// The desktop's icons: PNG files with 8-bit RGBA pixels, written with libpng.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/generator/pictures.h"

namespace reelctl::pictures {

// A PNG of `image` in RGBA: each palette colour fully opaque, `transparent`
// pixels (0, 0, 0, 0).
std::vector<std::uint8_t> encode_png(const Image& image);

}  // namespace reelctl::pictures
