#include "resources/generator/png_file.h"

#include <png.h>

#include <stdexcept>
#include <string>

namespace reelctl::pictures {

std::vector<std::uint8_t> encode_png(const Image& image) {
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(image.width()) * image.height() * 4);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t colour = image.at(x, y);
            const bool opaque = colour != transparent;
            const Rgb rgb = opaque ? standard_palette[colour] : Rgb{0, 0, 0};
            rgba.insert(rgba.end(), {rgb.red, rgb.green, rgb.blue, opaque ? std::uint8_t{255} : std::uint8_t{0}});
        }
    }

    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    header.width = static_cast<png_uint_32>(image.width());
    header.height = static_cast<png_uint_32>(image.height());
    header.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    // The first call measures, the second writes.
    if (png_image_write_to_memory(&header, nullptr, &size, 0, rgba.data(), 0, nullptr)) {
        std::vector<std::uint8_t> bytes(size);
        if (png_image_write_to_memory(&header, bytes.data(), &size, 0, rgba.data(), 0, nullptr)) {
            bytes.resize(size);
            return bytes;
        }
    }
    const std::string why = header.message;
    png_image_free(&header);
    throw std::runtime_error("a PNG of " + std::to_string(image.width()) + " x " + std::to_string(image.height()) +
                             " cannot be made: " + why);
}

}  // namespace reelctl::pictures
