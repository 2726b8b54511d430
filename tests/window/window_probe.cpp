// window_probe.dll: answers the window driver from inside reelctl.exe (see probe_protocol.h).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstring>
#include <vector>

#include "tests/window/probe_protocol.h"

namespace {

using namespace reelctl::window;

// Every picture resource of the program that a static may show.
constexpr const char* picture_names[] = {
    "VS7S", "VSRS", "VSFS", "VSMS", "VSOS", "VSBS", "VSCS", "VSSP",  // symbols, small
    "VS7M", "VSRM", "VSFM", "VSMM", "VSOM", "VSBM", "VSCM", "VSMP",  // symbols, large
    "VSSL", "VSSC", "VSSR", "VSML", "VSMC", "VSMR",                  // reel strips
};

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> data;  // top-down, 32 bits a pixel

    bool operator==(const Pixels&) const = default;
};

bool read_pixels(HBITMAP bitmap, Pixels& out) {
    BITMAP info{};
    if (!bitmap || GetObjectW(bitmap, sizeof info, &info) != sizeof info) return false;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.data.assign(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight), 0);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), out.data.data(), &format,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (DWORD& pixel : out.data) pixel &= 0x00FFFFFF;
    return rows == info.bmHeight;
}

// The program's own pictures, loaded once from its resources.
const std::vector<Pixels>& program_pictures() {
    static std::vector<Pixels> pictures = [] {
        std::vector<Pixels> loaded;
        HMODULE program = GetModuleHandleW(nullptr);
        for (const char* name : picture_names) {
            Pixels pixels;
            HBITMAP bitmap = LoadBitmapA(program, name);
            if (bitmap) {
                read_pixels(bitmap, pixels);
                DeleteObject(bitmap);
            }
            loaded.push_back(std::move(pixels));
        }
        return loaded;
    }();
    return pictures;
}

void name_picture(HWND dialog, int id, ProbeImage& image) {
    image.id = id;
    std::memset(image.name, 0, sizeof image.name);
    image.width = image.height = 0;
    HWND control = GetDlgItem(dialog, id);
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!bitmap) return;
    Pixels shown;
    if (!read_pixels(bitmap, shown)) {
        image.name[0] = '?';
        return;
    }
    image.width = shown.width;
    image.height = shown.height;
    const auto& pictures = program_pictures();
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (!pictures[i].data.empty() && pictures[i] == shown) {
            std::strncpy(image.name, picture_names[i], sizeof image.name - 1);
            return;
        }
    }
    image.name[0] = '?';
}

void answer(HWND dialog, HWND reply_to, std::uint32_t sequence) {
    ProbeAnswer reply{};
    reply.magic = probe_magic;
    reply.sequence = sequence;
    if (HMENU menu = GetMenu(dialog)) {
        reply.menu_found = 1;
        for (int id = probe_first_menu_id; id <= probe_last_menu_id; ++id) {
            const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
            if (state != static_cast<UINT>(-1) && (state & MF_CHECKED)) reply.checked[reply.checked_count++] = id;
        }
    }
    for (int i = 0; i < probe_image_count; ++i) name_picture(dialog, probe_image_ids[i], reply.images[i]);

    COPYDATASTRUCT data{};
    data.dwData = probe_magic;
    data.cbData = sizeof reply;
    data.lpData = &reply;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(reply_to, WM_COPYDATA, reinterpret_cast<WPARAM>(dialog), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, 10000, &result);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK probe_hook(int code, WPARAM wparam, LPARAM lparam) {
    static const UINT probe_message = RegisterWindowMessageW(probe_message_name);
    if (code == HC_ACTION && wparam == PM_REMOVE) {
        MSG* message = reinterpret_cast<MSG*>(lparam);
        if (message->message == probe_message && message->hwnd) {
            answer(message->hwnd, reinterpret_cast<HWND>(message->wParam),
                   static_cast<std::uint32_t>(message->lParam));
            message->message = WM_NULL;  // the dialog never sees it
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}
