#include "tests/window/receiver.h"

#include "tests/window/wine_session.h"

namespace reelctl::window {

void Receiver::start(const std::wstring& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE child_in = nullptr, child_out = nullptr;
    if (!CreatePipe(&child_in, &to_child_, &inherit, 0) || !CreatePipe(&from_child_, &child_out, &inherit, 0))
        throw Failure("cannot make the receiver's pipes");
    SetHandleInformation(to_child_, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(from_child_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = child_in;
    startup.hStdOutput = child_out;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring command = L"\"" + path + L"\"";
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(child_in);
    CloseHandle(child_out);
    if (!started) throw Failure("cannot start " + to_utf8(path));
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    const std::string first = read_line();
    if (first != "ready") throw Failure("the notice receiver did not start: " + first);
}

std::optional<std::string> Receiver::received() {
    if (process_) {
        DWORD written = 0;
        WriteFile(to_child_, "drain\n", 6, &written, nullptr);
        read_messages();
    }
    return received_;
}

void Receiver::finish() {
    if (!process_) return;
    CloseHandle(to_child_);
    to_child_ = nullptr;
    read_messages();
    WaitForSingleObject(process_, end_timeout_ms);
    CloseHandle(process_);
    CloseHandle(from_child_);
    process_ = nullptr;
}

std::string Receiver::read_line() {
    std::string line;
    const DWORD started = GetTickCount();
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(from_child_, nullptr, 0, nullptr, &available, nullptr)) return line;  // ended
        if (available == 0) {
            if (GetTickCount() - started > answer_timeout_ms) throw Failure("the notice receiver does not answer");
            Sleep(5);
            continue;
        }
        char c = 0;
        DWORD read = 0;
        if (!ReadFile(from_child_, &c, 1, &read, nullptr) || read == 0) return line;
        if (c == '\n') return line;
        if (c != '\r') line += c;
    }
}

// "message HEX" lines up to "end".
void Receiver::read_messages() {
    for (;;) {
        const std::string line = read_line();
        if (line == "end" || line.empty()) return;
        if (line.rfind("message ", 0) != 0) throw Failure("the notice receiver says: " + line);
        const std::string digits = line.substr(8);
        std::string bytes;
        for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
            bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
        if (!received_) received_.emplace();
        *received_ += bytes;
    }
}

}  // namespace reelctl::window
