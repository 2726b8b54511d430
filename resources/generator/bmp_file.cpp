#include "resources/generator/bmp_file.h"

namespace reelctl::pictures {

namespace {

constexpr std::uint32_t info_header_size = 40;
constexpr std::uint32_t palette_bytes = 4 * palette_size;

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    void u8(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void u16(std::uint32_t value) {
        u8(value & 0xFF);
        u8(value >> 8);
    }
    void u32(std::uint32_t value) {
        u16(value & 0xFFFF);
        u16(value >> 16);
    }

private:
    std::vector<std::uint8_t>& bytes_;
};

// Rows are padded to a multiple of 4 bytes.
std::uint32_t colour_row_bytes(int width) { return ((static_cast<std::uint32_t>(width) * 4 + 31) / 32) * 4; }
std::uint32_t mask_row_bytes(int width) { return ((static_cast<std::uint32_t>(width) + 31) / 32) * 4; }

void write_info_header(Writer& out, int width, int stored_height, std::uint32_t image_bytes) {
    out.u32(info_header_size);
    out.u32(static_cast<std::uint32_t>(width));
    out.u32(static_cast<std::uint32_t>(stored_height));  // positive: rows bottom-up
    out.u16(1);                                          // planes
    out.u16(4);                                          // bits per pixel
    out.u32(0);                                          // BI_RGB
    out.u32(image_bytes);
    out.u32(0);  // pixels per metre, x
    out.u32(0);  // pixels per metre, y
    out.u32(palette_size);
    out.u32(0);  // all colours important
}

void write_palette(Writer& out) {
    for (const Rgb& colour : standard_palette) {
        out.u8(colour.blue);
        out.u8(colour.green);
        out.u8(colour.red);
        out.u8(0);
    }
}

std::uint8_t colour_index(const Image& image, int x, int y) {
    const std::uint8_t colour = image.at(x, y);
    return colour == transparent ? black : colour;
}

void write_colour_rows(std::vector<std::uint8_t>& bytes, const Image& image) {
    const std::uint32_t row_bytes = colour_row_bytes(image.width());
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t row = bytes.size();
        bytes.resize(row + row_bytes, 0);
        for (int x = 0; x < image.width(); ++x) {
            const int shift = x % 2 == 0 ? 4 : 0;  // the left pixel in the high nibble
            bytes[row + x / 2] |= static_cast<std::uint8_t>(colour_index(image, x, y) << shift);
        }
    }
}

void write_mask_rows(std::vector<std::uint8_t>& bytes, const Image& image) {
    const std::uint32_t row_bytes = mask_row_bytes(image.width());
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t row = bytes.size();
        bytes.resize(row + row_bytes, 0);
        for (int x = 0; x < image.width(); ++x) {
            if (image.at(x, y) == transparent) {
                bytes[row + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
    }
}

// The colour and mask rows of an icon image.
std::uint32_t ico_pixel_bytes(const Image& image) {
    return (colour_row_bytes(image.width()) + mask_row_bytes(image.width())) * image.height();
}

}  // namespace

std::vector<std::uint8_t> encode_bmp(const Image& image) {
    const std::uint32_t image_bytes = colour_row_bytes(image.width()) * image.height();
    const std::uint32_t pixel_offset = 14 + info_header_size + palette_bytes;
    std::vector<std::uint8_t> bytes;
    Writer out(bytes);
    out.u8('B');
    out.u8('M');
    out.u32(pixel_offset + image_bytes);
    out.u32(0);  // reserved
    out.u32(pixel_offset);
    write_info_header(out, image.width(), image.height(), image_bytes);
    write_palette(out);
    write_colour_rows(bytes, image);
    return bytes;
}

std::vector<std::uint8_t> encode_ico(const std::vector<Image>& images) {
    constexpr std::uint32_t dir_bytes = 6;
    constexpr std::uint32_t dir_entry_bytes = 16;
    std::vector<std::uint8_t> bytes;
    Writer out(bytes);
    out.u16(0);  // reserved
    out.u16(1);  // icon
    out.u16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = dir_bytes + dir_entry_bytes * static_cast<std::uint32_t>(images.size());
    for (const Image& image : images) {
        const std::uint32_t entry_bytes = info_header_size + palette_bytes + ico_pixel_bytes(image);
        out.u8(static_cast<std::uint32_t>(image.width()) & 0xFF);  // 256 is written as 0
        out.u8(static_cast<std::uint32_t>(image.height()) & 0xFF);
        out.u8(palette_size);
        out.u8(0);   // reserved
        out.u16(1);  // planes
        out.u16(4);  // bits per pixel
        out.u32(entry_bytes);
        out.u32(offset);
        offset += entry_bytes;
    }
    for (const Image& image : images) {
        write_info_header(out, image.width(), 2 * image.height(), ico_pixel_bytes(image));
        write_palette(out);
        write_colour_rows(bytes, image);
        write_mask_rows(bytes, image);
    }
    return bytes;
}

}  // namespace reelctl::pictures
