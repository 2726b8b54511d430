// The files written by reelctl-bmpgen: formats, sizes, the palette, and pixels
// that agree with the art and, cell by cell, with the reel strips; the icon at
// each of its sizes, and the desktop's PNG icons.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#ifdef REELCTL_READ_PNG
#include <png.h>
#endif

#include "machine/symbols.h"
#include "resources/generator/pictures.h"

namespace {

using namespace reelctl;
using namespace reelctl::pictures;

using Bytes = std::vector<std::uint8_t>;

struct ExpectedPicture {
    const char* name;
    int width;
    int height;
};

constexpr std::array<ExpectedPicture, 23> expected_bitmaps = {{
    {"VS7S", 40, 26}, {"VSRS", 40, 26}, {"VSFS", 40, 26}, {"VSMS", 40, 26}, {"VSOS", 40, 26},
    {"VSBS", 40, 26}, {"VSCS", 40, 26}, {"VSSP", 40, 26}, {"VS7M", 44, 32}, {"VSRM", 44, 32},
    {"VSFM", 44, 32}, {"VSMM", 44, 32}, {"VSOM", 44, 32}, {"VSBM", 44, 32}, {"VSCM", 44, 32},
    {"VSMP", 42, 30}, {"VSSL", 40, 504}, {"VSSC", 40, 504}, {"VSSR", 40, 504}, {"VSML", 40, 630},
    {"VSMC", 40, 630}, {"VSMR", 40, 630}, {"VSK", 147, 95},
}};

// The standard 16-colour palette as RRGGBB, in its Windows order.
constexpr std::array<std::uint32_t, 16> expected_palette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

Bytes read_file(const std::string& name) {
    const std::string path = std::string(REELCTL_PICTURES_DIR) + "/" + name;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error(path + " is missing");
    }
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t u16(const Bytes& bytes, std::size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; }
std::uint32_t u32(const Bytes& bytes, std::size_t at) { return u16(bytes, at) | u16(bytes, at + 2) << 16; }

std::uint32_t stride_of(int width, int bits) { return ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4; }

// Checks the BITMAPINFOHEADER and palette at `at` of a 4-bit uncompressed DIB whose
// stored height is `stored_height`, then reads `height` rows of pixels that follow.
Image read_dib(const Bytes& bytes, std::size_t at, int width, int stored_height, int height) {
    EXPECT_EQ(u32(bytes, at), 40u) << "header size";
    EXPECT_EQ(u32(bytes, at + 4), static_cast<std::uint32_t>(width)) << "width";
    EXPECT_EQ(u32(bytes, at + 8), static_cast<std::uint32_t>(stored_height)) << "height";
    EXPECT_EQ(u16(bytes, at + 12), 1u) << "planes";
    EXPECT_EQ(u16(bytes, at + 14), 4u) << "bits per pixel";
    EXPECT_EQ(u32(bytes, at + 16), 0u) << "compression must be BI_RGB";
    const std::uint32_t colours_used = u32(bytes, at + 32);
    EXPECT_TRUE(colours_used == 0 || colours_used == 16) << colours_used << " colours used";
    for (int i = 0; i < 16; ++i) {
        const std::size_t quad = at + 40 + 4 * i;
        const std::uint32_t rgb = bytes.at(quad + 2) << 16 | bytes.at(quad + 1) << 8 | bytes.at(quad);
        EXPECT_EQ(rgb, expected_palette[i]) << "palette entry " << i;
        EXPECT_EQ(bytes.at(quad + 3), 0) << "palette entry " << i;
    }
    const std::size_t pixels = at + 40 + 64;
    const std::uint32_t stride = stride_of(width, 4);
    Image image({width, height}, white);
    for (int y = 0; y < height; ++y) {
        const std::size_t row = pixels + static_cast<std::size_t>(height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < width; ++x) {
            const std::uint8_t pair = bytes.at(row + x / 2);
            image.set(x, y, x % 2 == 0 ? pair >> 4 : pair & 0x0F);
        }
    }
    return image;
}

// Reads a .bmp file of the build, checking every header field on the way.
Image read_bitmap(const std::string& name, int width, int height) {
    const Bytes bytes = read_file(name + ".bmp");
    const std::uint32_t image_bytes = stride_of(width, 4) * height;
    EXPECT_EQ(bytes.at(0), 'B');
    EXPECT_EQ(bytes.at(1), 'M');
    EXPECT_EQ(u32(bytes, 2), bytes.size()) << "file size";
    EXPECT_EQ(u32(bytes, 6), 0u) << "reserved";
    EXPECT_EQ(u32(bytes, 10), 14u + 40 + 64) << "pixel offset";
    EXPECT_EQ(bytes.size(), 14u + 40 + 64 + image_bytes);
    const std::uint32_t size_image = u32(bytes, 14 + 20);
    EXPECT_TRUE(size_image == 0 || size_image == image_bytes) << "image size " << size_image;
    return read_dib(bytes, 14, width, height, height);
}

const Art& art() {
    static const Art loaded = load_art(REELCTL_ART_DIR);
    return loaded;
}

int expected_index(const std::string& name) {
    for (std::size_t i = 0; i < expected_bitmaps.size(); ++i) {
        if (name == expected_bitmaps[i].name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(PictureFiles, AllAreListedAndEveryBitmapIsAFourBitUncompressedDibOfItsSizeWithTheStandardPalette) {
    // Every name the program loads is among the files checked here.
    for (int variant = 0; variant < layout_variant_count; ++variant) {
        for (const char* name : symbol_bitmap_names[variant]) {
            EXPECT_NE(expected_index(name), -1) << name;
        }
        for (const char* name : strip_bitmap_names[variant]) {
            EXPECT_NE(expected_index(name), -1) << name;
        }
    }
    // The build's list of picture files (PICTURE_FILES) holds all of these and nothing else.
    std::vector<std::string> expected_files = {"VSICON.ico", "reelctl-48.png", "reelctl-256.png"};
    for (const ExpectedPicture& picture : expected_bitmaps) {
        expected_files.push_back(std::string(picture.name) + ".bmp");
    }
    std::vector<std::string> listed;
    for (std::string names = REELCTL_PICTURE_NAMES; !names.empty();) {
        const std::size_t comma = names.find(',');
        listed.push_back(names.substr(0, comma));
        names = comma == std::string::npos ? "" : names.substr(comma + 1);
    }
    std::sort(expected_files.begin(), expected_files.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, expected_files);

    for (const ExpectedPicture& picture : expected_bitmaps) {
        SCOPED_TRACE(picture.name);
        const Image image = read_bitmap(picture.name, picture.width, picture.height);
        EXPECT_EQ(image.size(), (Size{picture.width, picture.height}));
    }
}

TEST(PictureFiles, SymbolBitmapsShowTheArtAndTheBlanksArePlainWhite) {
    for (int variant = 0; variant < layout_variant_count; ++variant) {
        for (int code = 0; code < symbol_count; ++code) {
            const char* name = symbol_bitmap_names[variant][code];
            SCOPED_TRACE(name);
            const ExpectedPicture& expected = expected_bitmaps[expected_index(name)];
            const Image image = read_bitmap(name, expected.width, expected.height);
            const auto symbol = static_cast<SymbolCode>(code);
            EXPECT_TRUE(image == symbol_picture(art(), variant, symbol));
            const bool all_white = image == Image(image.size(), white);
            EXPECT_EQ(all_white, symbol == symbol_blank);
        }
    }
}

TEST(PictureFiles, CharacterStandsOnALightGreyGround) {
    const Image image = read_bitmap("VSK", 147, 95);
    EXPECT_TRUE(image == art().character);
    for (int x = 0; x < image.width(); ++x) {
        EXPECT_EQ(image.at(x, 0), light_grey) << "top, x " << x;
    }
    for (int y = 0; y < image.height(); ++y) {
        EXPECT_EQ(image.at(0, y), light_grey) << "left, y " << y;
        EXPECT_EQ(image.at(image.width() - 1, y), light_grey) << "right, y " << y;
    }
}

// Image `index` of VSICON.ico, of `size` x `size` pixels, starting at `offset`:
// its directory entry checked, its colours read with `transparent` where the
// mask is set (the colour under the mask must be black).
Image read_icon_image(const Bytes& bytes, int index, int size, std::uint32_t offset) {
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(index);
    EXPECT_EQ(bytes.at(entry), size) << "width";
    EXPECT_EQ(bytes.at(entry + 1), size) << "height";
    EXPECT_EQ(bytes.at(entry + 2), 16) << "colour count";
    EXPECT_EQ(bytes.at(entry + 3), 0) << "reserved";
    EXPECT_EQ(u16(bytes, entry + 4), 1u) << "planes";
    EXPECT_EQ(u16(bytes, entry + 6), 4u) << "bits per pixel";
    const std::uint32_t mask_stride = stride_of(size, 1);
    EXPECT_EQ(u32(bytes, entry + 8), 40 + 64 + (stride_of(size, 4) + mask_stride) * size) << "image bytes";
    EXPECT_EQ(u32(bytes, entry + 12), offset) << "images follow the directory and each other";

    Image image = read_dib(bytes, offset, size, 2 * size, size);
    const std::size_t mask = offset + 40 + 64 + stride_of(size, 4) * size;
    for (int y = 0; y < size; ++y) {
        const std::size_t row = mask + static_cast<std::size_t>(size - 1 - y) * mask_stride;
        for (int x = 0; x < size; ++x) {
            if ((bytes.at(row + x / 8) >> (7 - x % 8) & 1) != 0) {
                EXPECT_EQ(image.at(x, y), black) << "under the mask at " << x << "," << y;
                image.set(x, y, transparent);
            }
        }
    }
    return image;
}

int count_of(const Image& image, std::uint8_t colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.at(x, y) == colour;
        }
    }
    return count;
}

// The icon enlarged to `size` by nearest neighbour: each drawn pixel as a block of whole pixels.
void expect_enlarged_art(const Image& image, int size, const std::string& what) {
    const Image& drawn = art().icon;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            ASSERT_EQ(image.at(x, y), drawn.at(x * 32 / size, y * 32 / size)) << what << " at " << x << "," << y;
        }
    }
}

TEST(PictureFiles, IconHoldsTheArtAt16_32And48PixelsEachSixteenColoursWithAMask) {
    const Bytes bytes = read_file("VSICON.ico");
    EXPECT_EQ(u16(bytes, 0), 0u);
    EXPECT_EQ(u16(bytes, 2), 1u) << "type icon";
    constexpr std::array<int, 3> sizes = {16, 32, 48};
    ASSERT_EQ(u16(bytes, 4), sizes.size()) << "image count";
    std::array<Image, 3> images;
    std::uint32_t offset = 6 + 16 * sizes.size();
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE(std::to_string(sizes[i]) + " pixels");
        images[i] = read_icon_image(bytes, static_cast<int>(i), sizes[i], offset);
        offset += u32(bytes, 6 + 16 * i + 8);
        const int see_through = count_of(images[i], transparent);
        EXPECT_GT(see_through, 0);
        EXPECT_LT(see_through, sizes[i] * sizes[i] / 2);
    }
    EXPECT_EQ(bytes.size(), offset) << "nothing after the last image";

    // 32: the drawing, pixel for pixel. 48: every drawn pixel once or twice across and down.
    EXPECT_TRUE(images[1] == art().icon);
    expect_enlarged_art(images[2], 48, "48");

    // 16: each pixel stands for a 2 x 2 block of the drawing; it is transparent
    // when fewer than two of the four are opaque, else one of the block's most
    // frequent opaque colours. The tie rule is checked on its own below.
    const Image& drawn = art().icon;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const Image block = drawn.cut(2 * x, 2 * y, {2, 2});
            const std::uint8_t pixel = images[0].at(x, y);
            if (count_of(block, transparent) > 2) {
                ASSERT_EQ(pixel, transparent) << x << "," << y;
                continue;
            }
            int most = 0;
            for (std::uint8_t colour = 0; colour < 16; ++colour) {
                most = std::max(most, count_of(block, colour));
            }
            ASSERT_NE(pixel, transparent) << x << "," << y;
            ASSERT_EQ(count_of(block, pixel), most) << x << "," << y;
        }
    }
    EXPECT_TRUE(images[0] == scaled_icon(drawn, 16));
}

// Reducing the icon: the silhouette keeps half-covered pixels, and a tie of
// colours goes to the darker one, so outlines are not lost.
TEST(IconScaling, ReducedPixelsKeepTheSilhouetteAndTheDarkerOfTiedColours) {
    const std::uint8_t red = 9;
    const std::uint8_t green = 10;
    const std::uint8_t t = transparent;
    const std::array<std::array<std::uint8_t, 4>, 4> rows = {{
        {black, red, t, white},
        {red, black, green, t},
        {t, t, white, white},
        {black, t, black, white},
    }};
    Image icon({4, 4}, white);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            icon.set(x, y, rows[y][x]);
        }
    }
    const Image reduced = scaled_icon(icon, 2);
    EXPECT_EQ(reduced.at(0, 0), black) << "black and red twice each";
    EXPECT_EQ(reduced.at(1, 0), green) << "half opaque; white and green once each";
    EXPECT_EQ(reduced.at(0, 1), transparent) << "one opaque pixel of four";
    EXPECT_EQ(reduced.at(1, 1), white) << "three whites outweigh a black";
    EXPECT_TRUE(scaled_icon(icon, 4) == icon);
    for (const int size : {0, 3, -4}) {
        EXPECT_THROW(scaled_icon(icon, size), std::invalid_argument) << size;
    }
}

// The desktop's icons, read with libpng where the tests' platform has it.
TEST(PictureFiles, DesktopIconsAreRgbaPngsOfTheArtTransparentWhereItIs) {
#ifdef REELCTL_READ_PNG
    for (const int size : {48, 256}) {
        const std::string name = "reelctl-" + std::to_string(size) + ".png";
        SCOPED_TRACE(name);
        const Bytes bytes = read_file(name);
        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) << png.message;
        EXPECT_EQ(png.width, static_cast<png_uint_32>(size));
        EXPECT_EQ(png.height, static_cast<png_uint_32>(size));
        EXPECT_EQ(png.format, static_cast<png_uint_32>(PNG_FORMAT_RGBA)) << "stored as 8-bit RGBA";
        png.format = PNG_FORMAT_RGBA;
        std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(png));
        ASSERT_TRUE(png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr)) << png.message;
        ASSERT_EQ(rgba.size(), static_cast<std::size_t>(size) * size * 4);

        // Back to palette indices, then compared with the drawing enlarged.
        Image image({size, size}, white);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint8_t* pixel = &rgba[(static_cast<std::size_t>(y) * size + x) * 4];
                const std::uint32_t rgb = pixel[0] << 16 | pixel[1] << 8 | pixel[2];
                const auto colour = std::find(expected_palette.begin(), expected_palette.end(), rgb);
                if (pixel[3] == 0) {
                    image.set(x, y, transparent);
                } else {
                    ASSERT_EQ(pixel[3], 255) << "partly transparent at " << x << "," << y;
                    ASSERT_NE(colour, expected_palette.end()) << "not a palette colour at " << x << "," << y;
                    image.set(x, y, static_cast<std::uint8_t>(colour - expected_palette.begin()));
                }
            }
        }
        expect_enlarged_art(image, size, name);
    }
#else
    GTEST_SKIP() << "libpng is not available for the platform of the tests";
#endif
}

// The symbols whose strip cell equals `cell`.
std::vector<SymbolCode> symbols_drawn_as(const Image& cell, int variant) {
    std::vector<SymbolCode> found;
    for (int code = 0; code < symbol_count; ++code) {
        if (strip_cell(art(), variant, static_cast<SymbolCode>(code)) == cell) {
            found.push_back(static_cast<SymbolCode>(code));
        }
    }
    return found;
}

TEST(StripPictures, EachCellShowsTheSymbolOfItsPositionFrom21AtTheTopTo1AtTheBottom) {
    for (int variant = 0; variant < layout_variant_count; ++variant) {
        const int cell_height = variant == 0 ? 24 : 30;
        for (int reel = 0; reel < reel_count; ++reel) {
            const char* name = strip_bitmap_names[variant][reel];
            const Image strip = read_bitmap(name, 40, 21 * cell_height);
            for (int row = 0; row < 21; ++row) {
                const int position = 21 - row;
                const Image cell = strip.cut(0, row * cell_height, {40, cell_height});
                const std::vector<SymbolCode> expected = {reel_strips[reel][position - 1]};
                EXPECT_EQ(symbols_drawn_as(cell, variant), expected) << name << " position " << position;
            }
        }
    }
}

TEST(StripPictures, CellsEndInASeparatorAndKeepTheWholeDrawing) {
    for (int variant = 0; variant < layout_variant_count; ++variant) {
        const Offset origin = cell_origin_in_symbol[variant];
        const Size cell = cell_size[variant];
        for (int code = 0; code < drawn_symbol_count; ++code) {
            SCOPED_TRACE(symbol_art_names[code]);
            const Image symbol = symbol_picture(art(), variant, static_cast<SymbolCode>(code));
            const Image strip_part = strip_cell(art(), variant, static_cast<SymbolCode>(code));
            // Nothing is drawn where a cell does not show the symbol: outside the
            // cut, and on the row that the separator covers.
            for (int y = 0; y < symbol.height(); ++y) {
                for (int x = 0; x < symbol.width(); ++x) {
                    const bool shown = x >= origin.x && x < origin.x + cell.width && y >= origin.y &&
                                       y < origin.y + cell.height - 1;
                    if (!shown) {
                        ASSERT_EQ(symbol.at(x, y), white) << x << "," << y;
                    }
                }
            }
            for (int x = 0; x < cell.width; ++x) {
                ASSERT_EQ(strip_part.at(x, cell.height - 1), dark_grey) << x;
            }
        }
    }
}

// The art files are read strictly: a fault names its file and line.
TEST(ArtFiles, FaultsAreReportedWithFileAndLine) {
    const std::string legend_text = "; comment\n#  0  000000  black\n.  15  FFFFFF  white\n_  -  ------  transparent\n";
    const Legend legend = parse_legend(legend_text, "legend.txt");
    const auto fault_of = [&](const std::string& grid, bool allow_transparent) -> std::string {
        try {
            parse_grid(grid, "grid.txt", legend, {3, 2}, allow_transparent);
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return "no fault";
    };
    // Comments, empty lines and CRLF line ends are allowed around the rows.
    const Image parsed = parse_grid("; a comment\n|#.#|\r\n\n|..#|\n", "grid.txt", legend, {3, 2}, false);
    const std::array<std::uint8_t, 6> expected = {black, white, black, white, white, black};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(parsed.at(i % 3, i / 3), expected[i]) << i;
    }
    EXPECT_EQ(fault_of("|#.#|\n|.#|\n", false), "grid.txt:2: row of 2 pixels, expected 3");
    EXPECT_EQ(fault_of("|#.#|\n|.x.|\n", false), "grid.txt:2: character 'x' in column 2 is not a colour of this picture");
    EXPECT_EQ(fault_of("|#_#|\n|...|\n", false), "grid.txt:1: character '_' in column 2 is not a colour of this picture");
    EXPECT_EQ(fault_of("|#_#|\n|...|\n", true), "no fault");
    EXPECT_EQ(fault_of("|#.#|\n", false), "grid.txt:1: 1 rows, expected 2");
    try {
        parse_legend("R  9  FF0001  red\n", "legend.txt");
        ADD_FAILURE() << "a colour outside the standard palette was accepted";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "legend.txt:1: colour 9 of the standard palette is FF0000, not \"FF0001\"");
    }
}

}  // namespace
