// The driver's side of notice_receiver.exe, the companion's stand-in: a
// child process with pipes on its standard input and output.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace reelctl::window {

class Receiver {
public:
    Receiver() = default;
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;
    ~Receiver() { finish(); }

    // Starts the receiver and waits until its mailslot is there.
    void start(const std::wstring& path);

    // Everything the receiver has got so far, in the order it came; none
    // while nothing came or no receiver runs.
    std::optional<std::string> received();

    // Lets the receiver end, after taking what it still holds.
    void finish();

private:
    std::string read_line();
    void read_messages();

    HANDLE process_ = nullptr;
    HANDLE to_child_ = nullptr;
    HANDLE from_child_ = nullptr;
    std::optional<std::string> received_;
};

}  // namespace reelctl::window
