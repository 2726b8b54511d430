// Symbols, reel strips and the names of their pictures.
//
// Each reel carries 21 symbols. A strip holds positions 1..21 as entries
// 0..20 and repeats positions 1 and 2 as entries 21 and 22, so the three
// entries s, s+1, s+2 that fill a reel's window never need wrapping.
//
// The strips are from the machine's data sheet, transcribed again in
// tests/machine/data_sheet.txt, against which data_sheet_test.cpp checks every
// symbol; strips_test.cpp checks the repeated entries and the windows. The
// picture names are the program's resources: tests/resources/resource_tests.cpp
// checks that every name the program loads is among the picture files.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace reelctl {

enum SymbolCode : std::uint8_t {
    symbol_seven = 0,
    symbol_bar = 1,
    symbol_frog = 2,
    symbol_moon = 3,
    symbol_orange = 4,
    symbol_bell = 5,
    symbol_cherry = 6,
    symbol_blank = 7,  // never on a strip; the picture of an empty window line
};

inline constexpr int symbol_count = 8;
// The symbols' names in English, for tables and reports.
inline constexpr std::array<const char*, symbol_count> symbol_names = {
    "seven", "bar", "frog", "moon", "orange", "bell", "cherry", "blank",
};
inline constexpr int reel_left = 0;
inline constexpr int reel_center = 1;
inline constexpr int reel_right = 2;
inline constexpr int reel_count = 3;
inline constexpr int position_count = 21;  // press and stop indices 0..20
inline constexpr int strip_length = 23;

using ReelStrip = std::array<SymbolCode, strip_length>;

// reel_strips[reel][k]: the symbol at position k + 1 (k 0..20), then positions 1 and 2 again.
inline constexpr std::array<ReelStrip, reel_count> reel_strips = {{
    // left
    {
        /*  1.. 7 */ symbol_bell,   symbol_orange, symbol_bar,    symbol_bell,   symbol_orange, symbol_moon,   symbol_bell,
        /*  8..14 */ symbol_seven,  symbol_cherry, symbol_frog,   symbol_orange, symbol_moon,   symbol_bell,   symbol_orange,
        /* 15..21 */ symbol_moon,   symbol_bell,   symbol_frog,   symbol_cherry, symbol_seven,  symbol_orange, symbol_moon,
        /* 1, 2   */ symbol_bell,   symbol_orange,
    },
    // center
    {
        /*  1.. 7 */ symbol_cherry, symbol_moon,   symbol_bar,    symbol_bell,   symbol_cherry, symbol_bar,    symbol_moon,
        /*  8..14 */ symbol_frog,   symbol_bell,   symbol_cherry, symbol_bar,    symbol_moon,   symbol_orange, symbol_cherry,
        /* 15..21 */ symbol_moon,   symbol_bar,    symbol_cherry, symbol_orange, symbol_seven,  symbol_moon,   symbol_orange,
        /* 1, 2   */ symbol_cherry, symbol_moon,
    },
    // right
    {
        /*  1.. 7 */ symbol_moon,   symbol_cherry, symbol_bar,    symbol_moon,   symbol_cherry, symbol_orange, symbol_bell,
        /*  8..14 */ symbol_frog,   symbol_moon,   symbol_cherry, symbol_orange, symbol_bell,   symbol_moon,   symbol_seven,
        /* 15..21 */ symbol_cherry, symbol_orange, symbol_bell,   symbol_moon,   symbol_seven,  symbol_orange, symbol_bell,
        /* 1, 2   */ symbol_moon,   symbol_cherry,
    },
}};

// Bitmap sets: variant 0 is the small set (rows 24 pixels apart), variant 1 the large set.
inline constexpr int layout_variant_count = 2;
inline constexpr std::array<std::array<const char*, symbol_count>, layout_variant_count> symbol_bitmap_names = {{
    {"VS7S", "VSRS", "VSFS", "VSMS", "VSOS", "VSBS", "VSCS", "VSSP"},
    {"VS7M", "VSRM", "VSFM", "VSMM", "VSOM", "VSBM", "VSCM", "VSMP"},
}};
inline constexpr std::array<std::array<const char*, reel_count>, layout_variant_count> strip_bitmap_names = {{
    {"VSSL", "VSSC", "VSSR"},
    {"VSML", "VSMC", "VSMR"},
}};

// The frog character's picture.
inline constexpr const char* character_bitmap_name = "VSK";

// The program's picture whose resource name is `name` in any case of its
// letters, as resource names match: its name as stored, or nullptr.
constexpr const char* picture_named(std::string_view name) {
    const auto same = [name](std::string_view known) {
        if (known.size() != name.size()) return false;
        for (std::size_t i = 0; i < known.size(); ++i) {
            const char c = name[i] >= 'a' && name[i] <= 'z' ? static_cast<char>(name[i] - 'a' + 'A') : name[i];
            if (c != known[i]) return false;
        }
        return true;
    };
    for (const auto& set : symbol_bitmap_names)
        for (const char* known : set)
            if (same(known)) return known;
    for (const auto& set : strip_bitmap_names)
        for (const char* known : set)
            if (same(known)) return known;
    return same(character_bitmap_name) ? character_bitmap_name : nullptr;
}
static_assert(std::string_view(picture_named("vs7s")) == "VS7S" && picture_named("VSK") != nullptr &&
              picture_named("VS7") == nullptr);

// The symbol on window line `line` (0 bottom .. 2 top) of `reel` stopped at `stop` (0..20).
constexpr SymbolCode window_symbol(int reel, int stop, int line) {
    return reel_strips[reel][stop + line];
}

}  // namespace reelctl
