// What the driver takes from the Wine session it runs in: the paths it is
// given, the files beside it, Wine's pixels per inch, and its failures.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace reelctl::window {

// How long the driver waits for another process of the session: an answer
// (the program handling a message, the receiver a question), and the end of
// a process.
inline constexpr DWORD answer_timeout_ms = 20000;
inline constexpr DWORD end_timeout_ms = 10000;

// A step the driver cannot do: the run ends with exit status 1.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// UTF-16 as UTF-8, for the driver's own messages; what code page 932
// cannot hold shows as "?".
std::string to_utf8(std::wstring_view text);

// A path as given on the command line (in the ANSI code page): a Unix path
// ("/...") is taken on Wine's drive Z:, which is the Unix root.
std::wstring windows_path(std::string_view path);

// A file in the driver's own folder.
std::wstring beside_this_program(const wchar_t* file);

// Sets HKCU\Control Panel\Desktop\LogPixels, which a Wine program reads when
// it starts, and puts the old value back.
class LogPixels {
public:
    LogPixels() = default;
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;
    ~LogPixels() { restore(); }

    void set(DWORD value);
    void restore();

private:
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_old_ = false;
};

}  // namespace reelctl::window
