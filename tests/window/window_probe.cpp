// window_probe.dll: answers the window driver from inside reelctl.exe (see probe_protocol.h).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "machine/symbols.h"
#include "tests/window/probe_protocol.h"
#include "tests/window/screen.h"

namespace {

using namespace reelctl::window;

struct Picture {
    const char* name;
    std::optional<Image> pixels;
};

// Every picture resource of the program that a static may show, loaded once.
const std::vector<Picture>& program_pictures() {
    static const std::vector<Picture> pictures = [] {
        std::vector<Picture> loaded;
        HMODULE program = GetModuleHandleW(nullptr);
        auto load = [&](const char* name) {
            HBITMAP bitmap = LoadBitmapA(program, name);
            loaded.push_back({name, read_bitmap(bitmap)});
            if (bitmap) DeleteObject(bitmap);
        };
        for (int variant = 0; variant < reelctl::layout_variant_count; ++variant) {
            for (const char* name : reelctl::symbol_bitmap_names[variant]) load(name);
            for (const char* name : reelctl::strip_bitmap_names[variant]) load(name);
        }
        return loaded;
    }();
    return pictures;
}

void name_picture(HWND dialog, int id, ProbeImage& image) {
    image.id = id;
    std::memset(image.name, 0, sizeof image.name);
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dialog, id, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!bitmap) return;
    const std::optional<Image> shown = read_bitmap(bitmap);
    for (const Picture& picture : program_pictures()) {
        if (shown && picture.pixels == shown) {
            std::strncpy(image.name, picture.name, sizeof image.name - 1);
            return;
        }
    }
    image.name[0] = '?';
}

std::uint32_t releases_taken = 0;

// ---- the dialog watched ---------------------------------------------------

HWND watched = nullptr;
WNDPROC dialog_window_procedure = nullptr;
std::uint32_t setfocus_count = 0;

std::int32_t focus_now(HWND dialog) {
    HWND focused = GetFocus();
    if (!focused) return probe_focus_none;
    if (focused == dialog) return probe_focus_dialog;
    while (focused && GetParent(focused) != dialog) focused = GetParent(focused);
    return focused ? GetDlgCtrlID(focused) : probe_focus_none;
}

void log_line(const char* what, HWND dialog, WPARAM wparam, std::int32_t before) {
    static const char* path = std::getenv("REELCTL_PROBE_LOG");
    if (!path) return;
    if (FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "%s 0x%llX: focus %d -> %d, iconic %d, setfocus %u\n", what,
                     static_cast<unsigned long long>(wparam), before, focus_now(dialog), IsIconic(dialog) ? 1 : 0,
                     setfocus_count);
        std::fclose(log);
    }
}

void write_end(HWND dialog) {
    HANDLE block = OpenFileMappingW(FILE_MAP_WRITE, FALSE, probe_end_name(GetCurrentProcessId()).c_str());
    if (!block) return;
    if (void* view = MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(ProbeEnd))) {
        const ProbeEnd end{probe_magic, focus_now(dialog), setfocus_count};
        std::memcpy(view, &end, sizeof end);
        UnmapViewOfFile(view);
    }
    CloseHandle(block);
}

LRESULT CALLBACK watching_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    const std::int32_t before = focus_now(dialog);
    if (message == WM_SETFOCUS) ++setfocus_count;
    if (message == WM_DESTROY) {
        write_end(dialog);
        log_line("WM_DESTROY", dialog, 0, before);
    }
    const LRESULT result = IsWindowUnicode(dialog)
                               ? CallWindowProcW(dialog_window_procedure, dialog, message, wparam, lparam)
                               : CallWindowProcA(dialog_window_procedure, dialog, message, wparam, lparam);
    if (message == WM_SETFOCUS) log_line("WM_SETFOCUS", dialog, wparam, before);
    if (message == WM_KILLFOCUS) log_line("WM_KILLFOCUS", dialog, wparam, before);
    if (message == WM_SYSCOMMAND) log_line("WM_SYSCOMMAND", dialog, wparam, before);
    return result;
}

void watch(HWND dialog) {
    if (watched) return;
    watched = dialog;
    // Subclassed with the dialog's own character set, so that no message is translated.
    const LONG_PTR procedure = reinterpret_cast<LONG_PTR>(watching_procedure);
    dialog_window_procedure = reinterpret_cast<WNDPROC>(IsWindowUnicode(dialog)
                                                            ? SetWindowLongPtrW(dialog, GWLP_WNDPROC, procedure)
                                                            : SetWindowLongPtrA(dialog, GWLP_WNDPROC, procedure));
}

void answer(HWND dialog, HWND reply_to, std::uint32_t sequence) {
    ProbeAnswer reply{};
    reply.magic = probe_magic;
    reply.sequence = sequence;
    reply.releases_taken = releases_taken;
    reply.setfocus_count = setfocus_count;
    if (HMENU menu = GetMenu(dialog)) {
        reply.menu_found = 1;
        for (int id = probe_first_menu_id; id <= probe_last_menu_id; ++id) {
            const UINT state = GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND);
            if (state != static_cast<UINT>(-1) && (state & MF_CHECKED)) reply.checked[reply.checked_count++] = id;
        }
    }
    int image = 0;
    for (const reelctl::layout::Control& c : reelctl::layout::controls)
        if (c.kind == reelctl::layout::Kind::bitmap) name_picture(dialog, c.id, reply.images[image++]);

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
        if (message->message == WM_KEYUP || message->message == WM_SYSKEYUP || message->message == WM_LBUTTONUP)
            ++releases_taken;
        if (message->message == probe_message && message->hwnd) {
            watch(message->hwnd);
            answer(message->hwnd, reinterpret_cast<HWND>(message->wParam),
                   static_cast<std::uint32_t>(message->lParam));
            message->message = WM_NULL;  // the dialog never sees it
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}
