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
//
// The probe also watches the dialog itself (it subclasses it at the first
// question): it counts the WM_SETFOCUS messages the dialog gets, and when the
// dialog is destroyed, after its end, it writes where the focus was then and
// that count into a shared memory block that the driver made for the program
// (probe_end_name), to be read once the program has ended. With the
// environment variable REELCTL_PROBE_LOG naming a file, it also logs every
// WM_SETFOCUS, WM_KILLFOCUS and WM_SYSCOMMAND of the dialog with the focus
// before and after (a measuring aid).
#pragma once

#include <cstdint>
#include <string>

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
    std::uint32_t setfocus_count;  // WM_SETFOCUS to the dialog since the probe watches it
    std::int32_t menu_found;  // the dialog has a menu
    std::int32_t checked_count;
    std::int32_t checked[probe_last_menu_id - probe_first_menu_id + 1];  // ascending
    ProbeImage images[probe_image_count];
};

// Where the focus is, as the probe tells it.
inline constexpr std::int32_t probe_focus_none = -1;    // no window of the program's thread
inline constexpr std::int32_t probe_focus_dialog = -2;  // the dialog window itself

// The shared memory block of the program with process id `pid`.
inline std::wstring probe_end_name(unsigned long pid) { return L"reelctl.window.probe.end." + std::to_wstring(pid); }

struct ProbeEnd {
    std::uint32_t magic;           // probe_magic once written
    std::int32_t focus;            // a control's id, probe_focus_none or probe_focus_dialog, at WM_DESTROY
    std::uint32_t setfocus_count;  // WM_SETFOCUS to the dialog until then
};

}  // namespace reelctl::window
