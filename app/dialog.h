// The panel's dialog procedure and the window messages it answers.
//
// The message values are those of the Windows dialog manager; the core
// defines them itself so that it includes no platform header.
#pragma once

#include <cstdint>

#include "app/state.h"

namespace reelctl {

inline constexpr std::uint32_t msg_setfocus = 0x0007;     // WM_SETFOCUS
inline constexpr std::uint32_t msg_initdialog = 0x0110;   // WM_INITDIALOG
inline constexpr std::uint32_t msg_command = 0x0111;      // WM_COMMAND
inline constexpr std::uint32_t msg_syscommand = 0x0112;   // WM_SYSCOMMAND
inline constexpr std::uintptr_t syscommand_close = 0xF060; // SC_CLOSE
inline constexpr int notify_selendok = 9;                  // CBN_SELENDOK
inline constexpr int notify_clicked = 0;                   // BN_CLICKED

// Returns 1 when the message was handled, 0 to leave it to the dialog manager.
std::intptr_t dialog_procedure(Panel& panel, std::uint32_t message, std::uintptr_t wparam,
                               std::intptr_t lparam);

// WM_COMMAND's first parameter: the command id in the low, the code in the high 16 bits.
constexpr std::uintptr_t command_param(int id, int code) {
    return (static_cast<std::uintptr_t>(code & 0xFFFF) << 16) | static_cast<std::uintptr_t>(id & 0xFFFF);
}

}  // namespace reelctl
