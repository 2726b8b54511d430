// notice_receiver.exe: stands in for the companion reel display program.
//
// Creates the companion's mailslot (panel/primitives.h) and prints "ready".
// Then for every line read from standard input, and once more at its end,
// prints each message waiting in the mailslot as "message HEX" (lower-case
// hex of its bytes), then "end". Exits 0 at the end of standard input, 1 when the
// mailslot cannot be made (another receiver has it).

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "panel/primitives.h"

namespace {

using reelctl::companion_mailslot_name;

void print_waiting_messages(HANDLE slot) {
    for (;;) {
        DWORD next_size = 0;
        DWORD count = 0;
        if (!GetMailslotInfo(slot, nullptr, &next_size, &count, nullptr) || next_size == MAILSLOT_NO_MESSAGE) break;
        std::vector<unsigned char> bytes(next_size ? next_size : 1);
        DWORD read = 0;
        if (!ReadFile(slot, bytes.data(), next_size, &read, nullptr)) {
            std::printf("error reading the mailslot: %lu\n", GetLastError());
            break;
        }
        std::string hex;
        static const char digits[] = "0123456789abcdef";
        for (DWORD i = 0; i < read; ++i) {
            hex += digits[bytes[i] >> 4];
            hex += digits[bytes[i] & 0x0F];
        }
        std::printf("message %s\n", hex.c_str());
    }
    std::printf("end\n");
    std::fflush(stdout);
}

}  // namespace

int main() {
    HANDLE slot = CreateMailslotA(companion_mailslot_name, 0, 0, nullptr);
    if (slot == INVALID_HANDLE_VALUE) {
        std::printf("error creating %s: %lu\n", companion_mailslot_name, GetLastError());
        std::fflush(stdout);
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) print_waiting_messages(slot);
    print_waiting_messages(slot);
    CloseHandle(slot);
    return 0;
}
