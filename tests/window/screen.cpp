#include "tests/window/screen.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace reelctl::window {
namespace {

// 32 bits a pixel, top-down rows.
BITMAPINFO top_down_format(int width, int height) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

std::size_t pixel_count(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// A DIB section of the format above, with its pixels.
struct Section {
    Section(HDC dc, int width, int height) {
        const BITMAPINFO format = top_down_format(width, height);
        bitmap = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    ~Section() { DeleteObject(bitmap); }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    Image image(int width, int height) const {
        GdiFlush();
        const DWORD* from = static_cast<const DWORD*>(bits);
        Image image{width, height, std::vector<DWORD>(from, from + pixel_count(width, height))};
        for (DWORD& pixel : image.pixels) pixel &= 0x00FFFFFF;
        return image;
    }

    HBITMAP bitmap = nullptr;
    void* bits = nullptr;
};

// A memory DC with `bitmap` selected, put back as it was at the end.
struct MemoryDc {
    MemoryDc(HDC compatible, HBITMAP bitmap) : dc(CreateCompatibleDC(compatible)), old(SelectObject(dc, bitmap)) {}
    ~MemoryDc() {
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC dc;
    HGDIOBJ old;
};

}  // namespace

Image capture(int x, int y, int width, int height) {
    HDC screen = GetDC(nullptr);
    const Section section(screen, width, height);
    {
        const MemoryDc memory(screen, section.bitmap);
        BitBlt(memory.dc, 0, 0, width, height, screen, x, y, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    return section.image(width, height);
}

std::optional<Image> read_bitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || GetObjectW(bitmap, sizeof info, &info) != sizeof info) return std::nullopt;
    Image image{info.bmWidth, info.bmHeight, std::vector<DWORD>(pixel_count(info.bmWidth, info.bmHeight), 0)};
    BITMAPINFO format = top_down_format(image.width, image.height);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.height), image.pixels.data(), &format,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != image.height) return std::nullopt;
    for (DWORD& pixel : image.pixels) pixel &= 0x00FFFFFF;
    return image;
}

std::optional<Image> read_bmp_file(const std::wstring& path) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    std::optional<Image> image = read_bitmap(bitmap);
    if (bitmap) DeleteObject(bitmap);
    return image;
}

Image as_drawn(const Image& picture, int width, int height) {
    if (picture.width == width && picture.height == height) return picture;
    const Section source(nullptr, picture.width, picture.height);
    const Section target(nullptr, width, height);
    std::memcpy(source.bits, picture.pixels.data(), picture.pixels.size() * sizeof(DWORD));
    {
        const MemoryDc from(nullptr, source.bitmap);
        const MemoryDc to(nullptr, target.bitmap);
        StretchBlt(to.dc, 0, 0, width, height, from.dc, 0, 0, picture.width, picture.height, SRCCOPY);
    }
    return target.image(width, height);
}

bool write_bmp_file(const std::wstring& path, const Image& image) {
    const DWORD row = static_cast<DWORD>((image.width * 3 + 3) & ~3);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = row * static_cast<DWORD>(image.height);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<unsigned char> line(row, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const DWORD* pixels = image.pixels.data() + pixel_count(image.width, y);
        for (std::size_t x = 0; x < static_cast<std::size_t>(image.width); ++x) {
            line[x * 3 + 0] = static_cast<unsigned char>(pixels[x] & 0xFF);
            line[x * 3 + 1] = static_cast<unsigned char>((pixels[x] >> 8) & 0xFF);
            line[x * 3 + 2] = static_cast<unsigned char>((pixels[x] >> 16) & 0xFF);
        }
        out.write(reinterpret_cast<const char*>(line.data()), static_cast<std::streamsize>(row));
    }
    return static_cast<bool>(out);
}

}  // namespace reelctl::window
