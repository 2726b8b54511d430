// The atlas as static pages for a browser, to be served beside the site's
// viewer (the pages link to ../index.html and take the pictures from
// ../pictures/NAME.bmp):
//
//   index.html               the roles by bet and stop order
//   role-B-O-R.html          the tree of choices of a role (bet B 0..2, stop
//                            order O 0..5, role R 0..10 as in the state), each
//                            situation drawn like the panel
//   role-B-O-R-sN.html       a part of a large tree, from situation N on
//   lookup.html, lookup.js   which presses put a symbol on a line of a reel
//   lookup.json              the data of the lookup
//   atlas.css                screen and A4 print
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "tools/atlas/atlas.h"
#include "tools/windows/windows.h"

namespace reelctl::atlas {

// At most this many situations are drawn on one page; larger trees are split.
inline constexpr int situations_per_page = 150;

struct HtmlReport {
    int pages = 0;                  // role pages and their parts
    std::uintmax_t bytes = 0;       // all files
    std::uintmax_t largest = 0;     // the largest page
    std::string largest_page;
    std::uintmax_t lookup_bytes = 0;  // lookup.json
};

// Writes the pages into `dir` (created when missing). false, with `error`
// set, when a file cannot be written.
// With the window model the index counts each bet and stop order's windows.
bool write_html(const std::filesystem::path& dir, const Atlas& atlas, const windows::Model* model, HtmlReport& report,
                std::string& error);

// encodeURIComponent of a browser: every byte but A-Z a-z 0-9 - _ . ! ~ * ' ( )
// as %XX.
std::string uri_component(std::string_view text);

}  // namespace reelctl::atlas
