// The window messages that the panel's dialog procedure answers, with the
// values of the Windows dialog manager. Defined here so that the logic and
// the front ends share them without a platform header.
#pragma once

#include <cstdint>

namespace reelctl {

inline constexpr std::uint32_t msg_setfocus = 0x0007;      // WM_SETFOCUS
inline constexpr std::uint32_t msg_initdialog = 0x0110;    // WM_INITDIALOG
inline constexpr std::uint32_t msg_command = 0x0111;       // WM_COMMAND
inline constexpr std::uint32_t msg_syscommand = 0x0112;    // WM_SYSCOMMAND
inline constexpr std::uintptr_t syscommand_close = 0xF060; // SC_CLOSE
inline constexpr std::uintptr_t syscommand_minimize = 0xF020; // SC_MINIMIZE
inline constexpr std::uintptr_t syscommand_restore = 0xF120;  // SC_RESTORE
inline constexpr int notify_clicked = 0;                   // BN_CLICKED
inline constexpr int notify_selendok = 9;                  // CBN_SELENDOK
inline constexpr int id_ok = 1;                            // IDOK: Enter, the default button
inline constexpr int id_cancel = 2;                        // IDCANCEL: Escape

// WM_COMMAND's first parameter: the command id in the low, the code in the high 16 bits.
constexpr std::uintptr_t command_param(int id, int code) {
    return (static_cast<std::uintptr_t>(code & 0xFFFF) << 16) | static_cast<std::uintptr_t>(id & 0xFFFF);
}

}  // namespace reelctl
