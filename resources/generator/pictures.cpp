#include "resources/generator/pictures.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <tuple>

namespace reelctl::pictures {

Image::Image(Size size, std::uint8_t fill)
    : size_(size), pixels_(static_cast<std::size_t>(size.width) * size.height, fill) {}

Image Image::cut(int left, int top, Size size) const {
    Image part(size, white);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const int from_x = left + x;
            const int from_y = top + y;
            if (from_x >= 0 && from_x < width() && from_y >= 0 && from_y < height()) {
                part.set(x, y, at(from_x, from_y));
            }
        }
    }
    return part;
}

void Image::paste(const Image& part, int left, int top) {
    for (int y = 0; y < part.height(); ++y) {
        for (int x = 0; x < part.width(); ++x) {
            set(left + x, top + y, part.at(x, y));
        }
    }
}

namespace {

[[noreturn]] void fail(std::string_view source, int line, const std::string& what) {
    std::ostringstream message;
    message << source << ':' << line << ": " << what;
    throw std::runtime_error(message.str());
}

// Calls `take(line, number)` for every line that is neither empty nor a comment.
template <typename Take>
void for_each_content_line(std::string_view text, Take take) {
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == ';') {
            continue;
        }
        take(line, number);
    }
}

std::string hex_of(Rgb colour) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t part : {colour.red, colour.green, colour.blue}) {
        text += digits[part >> 4];
        text += digits[part & 0x0F];
    }
    return text;
}

std::string read_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error(path + ": cannot be read");
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

Legend parse_legend(std::string_view text, std::string_view source) {
    Legend legend;
    legend.colour_of.fill(-1);
    std::array<bool, palette_size + 1> seen{};
    for_each_content_line(text, [&](std::string_view line, int number) {
        std::istringstream fields{std::string(line)};
        std::string symbol, index, rgb;
        fields >> symbol >> index >> rgb;
        const unsigned char character = symbol.empty() ? 0 : static_cast<unsigned char>(symbol[0]);
        if (symbol.size() != 1 || character <= ' ' || character >= legend.colour_of.size() || character == '|' ||
            character == ';') {
            fail(source, number, "expected a single printable character, got \"" + symbol + "\"");
        }
        int colour = 0;
        if (index == "-" && rgb == "------") {
            colour = transparent;
        } else {
            std::size_t used = 0;
            try {
                colour = std::stoi(index, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            if (used != index.size() || colour < 0 || colour >= palette_size) {
                fail(source, number, "expected a palette index 0..15 or '-', got \"" + index + "\"");
            }
            if (rgb != hex_of(standard_palette[colour])) {
                fail(source, number, "colour " + index + " of the standard palette is " +
                                         hex_of(standard_palette[colour]) + ", not \"" + rgb + "\"");
            }
        }
        if (legend.colour_of[character] != -1) {
            fail(source, number, "character '" + symbol + "' is given twice");
        }
        if (seen[colour]) {
            fail(source, number, "colour " + index + " is given twice");
        }
        legend.colour_of[character] = colour;
        seen[colour] = true;
    });
    return legend;
}

Image parse_grid(std::string_view text, std::string_view source, const Legend& legend, Size expected,
                 bool allow_transparent) {
    Image image(expected, white);
    int rows = 0;
    int last_line = 0;
    for_each_content_line(text, [&](std::string_view line, int number) {
        last_line = number;
        if (line.size() < 2 || line.front() != '|' || line.back() != '|') {
            fail(source, number, "a pixel row is written |...|");
        }
        line = line.substr(1, line.size() - 2);
        if (static_cast<int>(line.size()) != expected.width) {
            fail(source, number,
                 "row of " + std::to_string(line.size()) + " pixels, expected " + std::to_string(expected.width));
        }
        if (rows == expected.height) {
            fail(source, number, "more than " + std::to_string(expected.height) + " rows");
        }
        for (int x = 0; x < expected.width; ++x) {
            const unsigned char symbol = static_cast<unsigned char>(line[x]);
            const int colour = symbol < legend.colour_of.size() ? legend.colour_of[symbol] : -1;
            if (colour < 0 || (colour == transparent && !allow_transparent)) {
                fail(source, number, std::string("character '") + line[x] + "' in column " + std::to_string(x + 1) +
                                         " is not a colour of this picture");
            }
            image.set(x, rows, static_cast<std::uint8_t>(colour));
        }
        ++rows;
    });
    if (rows != expected.height) {
        fail(source, last_line, std::to_string(rows) + " rows, expected " + std::to_string(expected.height));
    }
    return image;
}

Art load_art(const std::string& art_dir) {
    const auto load_grid = [&](const Legend& legend, const std::string& name, Size size, bool allow_transparent) {
        const std::string path = art_dir + "/" + name + ".txt";
        return parse_grid(read_file(path), path, legend, size, allow_transparent);
    };
    const std::string legend_path = art_dir + "/legend.txt";
    const Legend legend = parse_legend(read_file(legend_path), legend_path);
    Art art;
    for (int variant = 0; variant < layout_variant_count; ++variant) {
        for (int symbol = 0; symbol < drawn_symbol_count; ++symbol) {
            const std::string name = std::string(symbol_art_names[symbol]) + "_" + variant_art_suffix[variant];
            art.symbols[variant][symbol] = load_grid(legend, name, symbol_size[variant], false);
        }
    }
    art.character = load_grid(legend, "character", character_size, false);
    art.icon = load_grid(legend, "icon", icon_size, true);
    return art;
}

Image symbol_picture(const Art& art, int variant, SymbolCode symbol) {
    if (symbol == symbol_blank) {
        return Image(blank_size[variant], white);
    }
    return art.symbols[variant][symbol];
}

Image strip_cell(const Art& art, int variant, SymbolCode symbol) {
    const Offset origin = cell_origin_in_symbol[variant];
    const Size size = cell_size[variant];
    Image cell = symbol_picture(art, variant, symbol).cut(origin.x, origin.y, size);
    for (int x = 0; x < size.width; ++x) {
        cell.set(x, size.height - 1, separator_colour);
    }
    return cell;
}

Image strip_picture(const Art& art, int variant, int reel) {
    const Size cell = cell_size[variant];
    Image strip({cell.width, cell.height * position_count}, white);
    // Position 21 in the top cell down to position 1 in the bottom cell.
    for (int row = 0; row < position_count; ++row) {
        const int entry = position_count - 1 - row;
        strip.paste(strip_cell(art, variant, reel_strips[reel][entry]), 0, row * cell.height);
    }
    return strip;
}

namespace {

// Brightness of a palette colour in the weights of ITU-R BT.601.
int brightness(std::uint8_t colour) {
    const Rgb rgb = standard_palette[colour];
    return 299 * rgb.red + 587 * rgb.green + 114 * rgb.blue;
}

// The pixel that stands for the k x k block of `icon` at (left, top); see scaled_icon.
std::uint8_t block_pixel(const Image& icon, int left, int top, int k) {
    std::array<int, palette_size> count{};
    int opaque = 0;
    for (int y = top; y < top + k; ++y) {
        for (int x = left; x < left + k; ++x) {
            const std::uint8_t colour = icon.at(x, y);
            if (colour != transparent) {
                ++count[colour];
                ++opaque;
            }
        }
    }
    if (2 * opaque < k * k) {
        return transparent;
    }
    // The most frequent colour; then the darkest; then the first in the palette.
    const auto rank = [&](int c) { return std::tuple(count[c], -brightness(static_cast<std::uint8_t>(c)), -c); };
    int best = 0;
    for (int colour = 1; colour < palette_size; ++colour) {
        if (rank(colour) > rank(best)) {
            best = colour;
        }
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace

Image scaled_icon(const Image& icon, int size) {
    const int drawn = icon.width();
    if (icon.height() != drawn || size <= 0 || (size < drawn && drawn % size != 0)) {
        throw std::invalid_argument("the icon cannot be drawn at " + std::to_string(size) + " pixels");
    }
    Image scaled({size, size}, white);
    const int k = drawn / size;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t colour =
                size >= drawn ? icon.at(x * drawn / size, y * drawn / size) : block_pixel(icon, k * x, k * y, k);
            scaled.set(x, y, colour);
        }
    }
    return scaled;
}

}  // namespace reelctl::pictures
