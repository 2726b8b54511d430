// The pictures of the program, composed from the hand-drawn grids in resources/art.
//
// Every picture is a grid of indices into the standard 16-colour palette.
// The symbol pictures are the grids as drawn; the blanks are plain white;
// the strip pictures are cut from the symbol grids, one cell per position,
// in the order of the reel strips of machine/symbols.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "machine/symbols.h"

namespace reelctl::pictures {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb&) const = default;
};

// The standard 16-colour palette, in its Windows order.
inline constexpr int palette_size = 16;
inline constexpr std::array<Rgb, palette_size> standard_palette = {{
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
}};

inline constexpr std::uint8_t black = 0;
inline constexpr std::uint8_t light_grey = 7;
inline constexpr std::uint8_t dark_grey = 8;
inline constexpr std::uint8_t white = 15;
// Not a palette colour: a pixel of the icon through which the desktop shows.
inline constexpr std::uint8_t transparent = 16;

struct Size {
    int width;
    int height;
    bool operator==(const Size&) const = default;
};

inline constexpr std::array<Size, layout_variant_count> symbol_size = {{{40, 26}, {44, 32}}};
inline constexpr std::array<Size, layout_variant_count> blank_size = {{{40, 26}, {42, 30}}};
inline constexpr std::array<Size, layout_variant_count> cell_size = {{{40, 24}, {40, 30}}};
inline constexpr Size character_size = {147, 95};
inline constexpr Size icon_size = {32, 32};
// The icon's images in VSICON.ico, smallest first, and the sizes of the
// desktop's PNG icons, all square; icon_size is the one drawn.
inline constexpr std::array<int, 3> ico_icon_sizes = {16, 32, 48};
inline constexpr std::array<int, 2> png_icon_sizes = {48, 256};

// Strip cells are filled from the middle of the symbol grid: a small cell
// drops the top and bottom rows of the 40 x 26 grid, a large cell also the two
// outer columns on each side of the 44 x 32 grid.
struct Offset {
    int x;
    int y;
};
inline constexpr std::array<Offset, layout_variant_count> cell_origin_in_symbol = {{{0, 1}, {2, 1}}};
// The bottom row of every cell is a separator line.
inline constexpr std::uint8_t separator_colour = dark_grey;

inline constexpr int drawn_symbol_count = 7;  // seven .. cherry; the blank is not drawn
inline constexpr std::array<const char*, drawn_symbol_count> symbol_art_names = {
    "seven", "bar", "frog", "moon", "orange", "bell", "cherry",
};
inline constexpr std::array<const char*, layout_variant_count> variant_art_suffix = {"small", "large"};

// A picture: palette indices, row 0 at the top.
class Image {
public:
    Image() = default;
    Image(Size size, std::uint8_t fill);

    Size size() const { return size_; }
    int width() const { return size_.width; }
    int height() const { return size_.height; }
    std::uint8_t at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, std::uint8_t colour) { pixels_[index(x, y)] = colour; }

    // The part of this picture at (left, top) of the given size; pixels outside are white.
    Image cut(int left, int top, Size size) const;
    // Copies `part` into this picture with its top left corner at (left, top).
    void paste(const Image& part, int left, int top);

    bool operator==(const Image&) const = default;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * size_.width + x; }

    Size size_{0, 0};
    std::vector<std::uint8_t> pixels_;
};

// The drawings read from the art directory.
struct Art {
    std::array<std::array<Image, drawn_symbol_count>, layout_variant_count> symbols;
    Image character;  // "VSK"
    Image icon;       // "VSICON"; may hold `transparent` pixels
};

// Character -> palette index, from legend.txt.
struct Legend {
    std::array<int, 128> colour_of;  // -1: not a legend character
};

// Art file formats (a fault throws std::runtime_error naming the file and line):
//  - lines that start with ';' are comments, empty lines are skipped;
//  - legend.txt: one line "c index RRGGBB name" per colour, index 0..15 with the
//    colour of the standard palette, or "c - ------ name" for the transparent pixel;
//  - a grid: one line "|...|" per pixel row, top row first, one legend character per pixel.
Legend parse_legend(std::string_view text, std::string_view source);
Image parse_grid(std::string_view text, std::string_view source, const Legend& legend, Size expected,
                 bool allow_transparent);
Art load_art(const std::string& art_dir);

Image symbol_picture(const Art& art, int variant, SymbolCode symbol);
Image strip_cell(const Art& art, int variant, SymbolCode symbol);
Image strip_picture(const Art& art, int variant, int reel);

// The icon drawn at 32 x 32, redrawn at `size` x `size` pixels:
//  - at 32 the drawing itself;
//  - larger (48, 256): nearest neighbour, pixel (x, y) shows the drawn pixel
//    (x * 32 / size, y * 32 / size), rounded down; every drawn pixel shows at
//    least once, so one-pixel outlines and eyes are kept;
//  - at a size that divides 32 (16): pixel (x, y) stands for the block of
//    k x k drawn pixels at (k * x, k * y), k = 32 / size. It is transparent
//    when fewer than half of the block are opaque; otherwise it takes the
//    opaque colour most frequent in the block, and of colours equally
//    frequent the darkest (palette order between equally dark ones), so that
//    black outlines and dark details win over the fills beside them.
// Other sizes throw std::invalid_argument.
Image scaled_icon(const Image& icon, int size);

}  // namespace reelctl::pictures
