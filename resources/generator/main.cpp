// reelctl-bmpgen ART_DIR OUT_DIR
//
// Writes the bitmaps of the program into OUT_DIR: the symbol pictures and
// blanks of both sets, the six strip pictures, "VSK.bmp", "VSICON.ico" (16, 32
// and 48 pixels), and the desktop's icons "reelctl-48.png" and "reelctl-256.png".
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "resources/generator/bmp_file.h"
#include "resources/generator/pictures.h"
#include "resources/generator/png_file.h"

namespace {

using namespace reelctl;
using namespace reelctl::pictures;

void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) {
        throw std::runtime_error(path + ": cannot be written");
    }
}

void write_all(const Art& art, const std::string& out_dir) {
    for (int variant = 0; variant < layout_variant_count; ++variant) {
        for (int symbol = 0; symbol < symbol_count; ++symbol) {
            write_file(out_dir + "/" + symbol_bitmap_names[variant][symbol] + ".bmp",
                       encode_bmp(symbol_picture(art, variant, static_cast<SymbolCode>(symbol))));
        }
        for (int reel = 0; reel < reel_count; ++reel) {
            write_file(out_dir + "/" + strip_bitmap_names[variant][reel] + ".bmp",
                       encode_bmp(strip_picture(art, variant, reel)));
        }
    }
    write_file(out_dir + "/VSK.bmp", encode_bmp(art.character));
    std::vector<Image> icons;
    for (const int size : ico_icon_sizes) {
        icons.push_back(scaled_icon(art.icon, size));
    }
    write_file(out_dir + "/VSICON.ico", encode_ico(icons));
    for (const int size : png_icon_sizes) {
        write_file(out_dir + "/reelctl-" + std::to_string(size) + ".png", encode_png(scaled_icon(art.icon, size)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ART_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    try {
        write_all(load_art(argv[1]), argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "reelctl-bmpgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
