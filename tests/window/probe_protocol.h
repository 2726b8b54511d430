// What the window driver asks the probe inside reelctl.exe, and the answer.
//
// Under Wine another process can read a dialog's controls but not its menu
// (menus are private to their process) and cannot use the bitmap handles of
// its pictures. The probe (window_probe.dll) is hooked into the program's
// thread with SetWindowsHookEx(WH_GETMESSAGE): the driver posts the
// registered message below to the dialog, with its own reply window in
// wParam and a sequence number in lParam; when the dialog's message loop
// takes the message, the probe reads the menu checks and names the picture
// of every bitmap static, sends the answer back in a WM_COPYDATA and turns
// the posted message into WM_NULL. Because the message is posted, its answer
// also tells that everything posted before it has been handled. Input (keys
// and mouse buttons from SendInput) comes after posted messages; the answer
// counts the key and button releases the program's thread has taken, so the
// driver can tell when the input it sent has been taken too.
#pragma once

#include <cstdint>

#include "panel/control_ids.h"
#include "panel/dialog_layout.h"

namespace reelctl::window {

inline constexpr const wchar_t* probe_message_name = L"reelctl.window.probe";
inline constexpr const char* probe_hook_export = "probe_hook";
inline constexpr std::uint32_t probe_magic = 0x52454C50;  // "PLER"

// The menu items whose check marks are reported.
inline constexpr int probe_first_menu_id = IDM_BET_1;
inline constexpr int probe_last_menu_id = IDM_HELP;

// The bitmap statics of the template, whose pictures are reported in its order.
constexpr int bitmap_static_count() {
    int count = 0;
    for (const layout::Control& c : layout::controls) count += c.kind == layout::Kind::bitmap ? 1 : 0;
    return count;
}
inline constexpr int probe_image_count = bitmap_static_count();

struct ProbeImage {
    std::int32_t id;
    // The picture resource whose pixels the static shows: "" for no picture,
    // "?" for a picture that is none of the program's.
    char name[8];
};

struct ProbeAnswer {
    std::uint32_t magic;
    std::uint32_t sequence;
    std::uint32_t releases_taken;  // WM_KEYUP, WM_SYSKEYUP and WM_LBUTTONUP taken so far
    std::int32_t menu_found;  // the dialog has a menu
    std::int32_t checked_count;
    std::int32_t checked[probe_last_menu_id - probe_first_menu_id + 1];  // ascending
    ProbeImage images[probe_image_count];
};

}  // namespace reelctl::window
