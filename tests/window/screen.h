// Pixels of the screen and of picture files, as the window tests compare
// them: captures of a screen rectangle, bitmaps read from files and handles,
// a picture as a bitmap static draws it into a client area of another size,
// and screenshots written as BMP files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace reelctl::window {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;  // top-down, 0x00RRGGBB

    DWORD pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
    bool operator==(const Image&) const = default;
};

// The pixels of the screen in a rectangle.
Image capture(int x, int y, int width, int height);

// The pixels of a bitmap; none when it cannot be read.
std::optional<Image> read_bitmap(HBITMAP bitmap);

// A BMP file; none when it cannot be read.
std::optional<Image> read_bmp_file(const std::wstring& path);

// Writes a 24-bit BMP file; false when it cannot be written.
bool write_bmp_file(const std::wstring& path, const Image& image);

// A picture as a bitmap static draws it into a client area of another size:
// StretchBlt with the DC's default stretch mode, from a bitmap of the
// screen's format (as the program's own pictures are).
Image as_drawn(const Image& picture, int width, int height);

}  // namespace reelctl::window
