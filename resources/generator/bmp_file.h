// The files in which the pictures are compiled into the program: device-independent
// bitmaps and one icon, 4 bits per pixel, uncompressed, with the standard 16-colour palette.
#pragma once

#include <cstdint>
#include <vector>

#include "resources/generator/pictures.h"

namespace reelctl::pictures {

// A .bmp file: BITMAPFILEHEADER, BITMAPINFOHEADER, 16 RGBQUADs, rows bottom-up.
// The image holds palette indices only.
std::vector<std::uint8_t> encode_bmp(const Image& image);

// A .ico file with 16-colour images of at most 256 x 256, in the order given: ICONDIR,
// one ICONDIRENTRY per image, then each image as a BITMAPINFOHEADER of double
// height, 16 RGBQUADs, the colour rows and the mask rows.
// Transparent pixels are colour 0 with their mask bit set.
std::vector<std::uint8_t> encode_ico(const std::vector<Image>& images);

}  // namespace reelctl::pictures
