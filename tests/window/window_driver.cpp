// window_driver.exe: runs a panel script against the real reelctl.exe window.
//
//   window_driver --program REELCTL.EXE [--companion] [--keys] [--log-pixels N]
//                 [--pictures DIR] [--shots DIR] [SCRIPT]
//
// Starts the program, waits until its dialog is visible, makes it the active
// window with a click on an empty spot, and plays the script (the language of
// reelctl-script) on the window as a user and the system would: combo picks
// are CB_SETCURSEL and CBN_SELENDOK, clicks check an auto radio button and
// then send BN_CLICKED, menu commands are WM_COMMAND, close is WM_SYSCOMMAND
// SC_CLOSE. Message boxes that the program shows are read and answered with
// OK. `dump` prints what can be read from the window in the JSON of
// reelctl-script's dump, without the key "state" (the program's memory):
// caption, ended (the exit value), focus, menu_checked, messages, notice and
// the controls; after the program has ended only ended, messages and notice.
// The menu checks and the names of the pictures come from window_probe.dll,
// hooked into the program (see probe_protocol.h).
//
// What a window cannot do: `trace` is ignored with a note; `settext` with a
// text fails, since a drop-down list shows one of its items or nothing
// (without a text it selects nothing, which empties the combo's text).
//
// --companion     start notice_receiver.exe first, so that the program finds
//                 the mailslot; `notice` is what the receiver got
// --keys          `command 1` and `command 2` are the Enter and Escape keys,
//                 posted to the control with the focus and turned into
//                 commands by the dialog's own message loop
// --log-pixels N  the program starts with N pixels per inch (Wine's LogPixels)
// --pictures DIR  at every dump, the pixels on the screen of each bitmap
//                 static, where no other control covers them, must be
//                 DIR/NAME.bmp of the picture it shows, as the static draws
//                 it into its client area
// --shots DIR     at every dump, the dialog's pixels on the screen go to
//                 DIR/dump-N.bmp
//
// Standard error tells, besides the notes on ignored lines, the distance in
// pixels of the slide rows 1 and 2 as the program measured it at its start
// ("row pixels N") and the ANSI code page ("code page N").
//
// Exit status: 0 when the script ran to its end, 2 for a malformed line, 1
// for any failure (the program does not start or answer, a picture on the
// screen differs from its file, a step the window cannot do).

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "panel/control_ids.h"
#include "tests/window/probe_protocol.h"
#include "tools/cp932.h"
#include "tools/json_writer.h"
#include "tools/script_parser.h"

namespace {

using namespace reelctl::window;
using reelctl::script::Event;
using reelctl::script::JsonWriter;
using reelctl::script::ParsedLine;
using reelctl::script::Verb;

constexpr const char* program_name = "window-driver";
constexpr DWORD start_timeout_ms = 30000;
constexpr DWORD step_timeout_ms = 20000;
constexpr DWORD end_timeout_ms = 10000;
constexpr DWORD repaint_timeout_ms = 3000;

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// ---- texts --------------------------------------------------------------------

std::wstring from_utf8(std::string_view text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string to_utf8(std::wstring_view text) {
    if (text.empty()) return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                        nullptr);
    return bytes;
}

// The text a user means by a script's TEXT: what the program would hold
// after code page 932, as UTF-16.
std::wstring as_program_text(std::string_view utf8) {
    const std::string bytes = reelctl::script::utf8_to_cp932(utf8);
    if (bytes.empty()) return {};
    const int length = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

// A path as given on the command line: a Unix path ("/...") is taken on
// Wine's drive Z:, which is the Unix root.
std::wstring windows_path(std::string_view path) {
    std::wstring wide = from_utf8(path);
    if (!wide.empty() && wide[0] == L'/') {
        for (wchar_t& c : wide)
            if (c == L'/') c = L'\\';
        wide = L"Z:" + wide;
    }
    return wide;
}

std::wstring beside_this_program(const wchar_t* file) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, length);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + file;
}

std::wstring text_of(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 0x0F];
    }
    return out;
}

// ---- pixels -------------------------------------------------------------------

struct Image {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;  // top-down, 0x00RRGGBB
};

// The pixels of the screen in a rectangle.
Image capture(int x, int y, int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY);
    GdiFlush();
    const DWORD* from = static_cast<const DWORD*>(bits);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = from[i] & 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

std::optional<Image> read_bmp_file(const std::wstring& path) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return std::nullopt;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    Image image;
    image.width = info.bmWidth;
    image.height = info.bmHeight;
    image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = image.width;
    format.bmiHeader.biHeight = -image.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.height), image.pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    for (DWORD& pixel : image.pixels) pixel &= 0x00FFFFFF;
    return image;
}

// A picture as a bitmap static draws it into a client area of another size:
// StretchBlt with the DC's default stretch mode, from a bitmap of the
// screen's format (as the program's own pictures are).
Image as_drawn(const Image& picture, int width, int height) {
    if (picture.width == width && picture.height == height) return picture;
    auto section = [](int w, int h, void** bits) {
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = w;
        format.bmiHeader.biHeight = -h;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        return CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, bits, nullptr, 0);
    };
    void* source_bits = nullptr;
    void* target_bits = nullptr;
    HBITMAP source = section(picture.width, picture.height, &source_bits);
    HBITMAP target = section(width, height, &target_bits);
    std::memcpy(source_bits, picture.pixels.data(), picture.pixels.size() * sizeof(DWORD));
    HDC source_dc = CreateCompatibleDC(nullptr);
    HDC target_dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old_source = SelectObject(source_dc, source);
    HGDIOBJ old_target = SelectObject(target_dc, target);
    StretchBlt(target_dc, 0, 0, width, height, source_dc, 0, 0, picture.width, picture.height, SRCCOPY);
    GdiFlush();
    Image drawn;
    drawn.width = width;
    drawn.height = height;
    const DWORD* bits = static_cast<const DWORD*>(target_bits);
    drawn.pixels.assign(bits, bits + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (DWORD& pixel : drawn.pixels) pixel &= 0x00FFFFFF;
    SelectObject(source_dc, old_source);
    SelectObject(target_dc, old_target);
    DeleteDC(source_dc);
    DeleteDC(target_dc);
    DeleteObject(source);
    DeleteObject(target);
    return drawn;
}

void write_bmp_file(const std::wstring& path, const Image& image) {
    const DWORD row = static_cast<DWORD>((image.width * 3 + 3) & ~3);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.width;
    info.biHeight = image.height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = row * static_cast<DWORD>(image.height);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    std::vector<unsigned char> line(row, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const DWORD p = image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                                         static_cast<std::size_t>(x)];
            line[static_cast<std::size_t>(x) * 3 + 0] = static_cast<unsigned char>(p & 0xFF);
            line[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>((p >> 8) & 0xFF);
            line[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>((p >> 16) & 0xFF);
        }
        out.write(reinterpret_cast<const char*>(line.data()), static_cast<std::streamsize>(row));
    }
    if (!out) throw Failure("cannot write " + to_utf8(path));
}

// ---- the companion --------------------------------------------------------------

// notice_receiver.exe as a child with pipes on its standard input and output.
class Receiver {
public:
    ~Receiver() { finish(); }

    void start(const std::wstring& path) {
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

    // Everything the receiver has got so far.
    void collect() {
        if (!process_) return;
        DWORD written = 0;
        WriteFile(to_child_, "drain\n", 6, &written, nullptr);
        read_messages();
    }

    void finish() {
        if (!process_) return;
        CloseHandle(to_child_);
        to_child_ = nullptr;
        read_messages();
        WaitForSingleObject(process_, end_timeout_ms);
        CloseHandle(process_);
        CloseHandle(from_child_);
        process_ = nullptr;
    }

    bool running() const { return process_ != nullptr; }
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::string read_line() {
        std::string line;
        const DWORD started = GetTickCount();
        for (;;) {
            DWORD available = 0;
            if (!PeekNamedPipe(from_child_, nullptr, 0, nullptr, &available, nullptr)) return line;  // ended
            if (available == 0) {
                if (GetTickCount() - started > step_timeout_ms) throw Failure("the notice receiver does not answer");
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

    void read_messages() {
        for (;;) {
            const std::string line = read_line();
            if (line == "end" || line.empty()) return;
            if (line.rfind("message ", 0) == 0) {
                const std::string digits = line.substr(8);
                std::string bytes;
                for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
                    bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
                messages_.push_back(bytes);
            } else {
                throw Failure("the notice receiver says: " + line);
            }
        }
    }

    HANDLE process_ = nullptr;
    HANDLE to_child_ = nullptr;
    HANDLE from_child_ = nullptr;
    std::vector<std::string> messages_;
};

// ---- Wine's pixels per inch ---------------------------------------------------------

// Sets HKCU\Control Panel\Desktop\LogPixels, which a Wine program reads when
// it starts, and puts the old value back.
class LogPixels {
public:
    ~LogPixels() { restore(); }

    void set(DWORD value) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE,
                            nullptr, &key_, nullptr) != ERROR_SUCCESS)
            throw Failure("cannot open the LogPixels key");
        DWORD size = sizeof old_;
        DWORD type = 0;
        had_old_ = RegQueryValueExW(key_, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) ==
                       ERROR_SUCCESS &&
                   type == REG_DWORD;
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    }

    void restore() {
        if (!key_) return;
        if (had_old_)
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        else
            RegDeleteValueW(key_, L"LogPixels");
        RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_old_ = false;
};

// ---- the driver ----------------------------------------------------------------------

struct Options {
    std::wstring program;
    bool companion = false;
    bool keys = false;
    DWORD log_pixels = 0;
    std::wstring pictures;
    std::wstring shots;
    std::string script;  // empty: standard input
};

struct MessageBoxSeen {
    std::string text;
    std::string caption;
};

class Driver {
public:
    explicit Driver(const Options& options) : options_(options) {}
    ~Driver() { shut_down(); }

    void start();
    // One line; false when it is malformed.
    bool run_line(std::string_view line, long line_number);
    void shut_down();

    int picture_failures() const { return picture_failures_; }
    int pictures_checked() const { return pictures_checked_; }
    int pictures_resized() const { return pictures_resized_; }

private:
    static LRESULT CALLBACK reply_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    static void CALLBACK sent(HWND, UINT, ULONG_PTR data, LRESULT);

    bool program_ended() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
    bool dialog_open() const { return IsWindow(dialog_) && IsWindowVisible(dialog_) && !program_ended(); }
    void wait_for(const std::function<bool()>& done, const char* what);
    void answer_message_boxes();
    void deliver(UINT message, WPARAM wparam, LPARAM lparam);
    void press_key(UINT key);
    void activate();
    void settle();
    std::optional<int> exit_value();
    std::optional<int> focused_control();

    void note(long line_number, std::string_view line, std::string_view why);
    void execute(const Event& event, std::string_view line, long line_number);
    void dump();
    void write_controls(JsonWriter& json);
    void check_pictures();
    void save_shot();

    Options options_;
    LogPixels log_pixels_;
    Receiver receiver_;
    HANDLE process_ = nullptr;
    DWORD process_id_ = 0;
    HWND dialog_ = nullptr;
    DWORD dialog_thread_ = 0;
    HMODULE probe_module_ = nullptr;
    HHOOK hook_ = nullptr;
    HWND reply_window_ = nullptr;
    UINT probe_message_ = 0;
    std::uint32_t sequence_ = 0;
    std::optional<ProbeAnswer> answer_;
    std::vector<MessageBoxSeen> messages_;
    std::set<HWND> answered_boxes_;
    std::map<std::wstring, Image> picture_files_;
    int dumps_ = 0;
    int pictures_resized_ = 0;
    int pictures_checked_ = 0;
    int picture_failures_ = 0;
};

Driver* the_driver = nullptr;

LRESULT CALLBACK Driver::reply_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_COPYDATA && the_driver) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
        if (data->dwData == probe_magic && data->cbData == sizeof(ProbeAnswer)) {
            ProbeAnswer answer;
            std::memcpy(&answer, data->lpData, sizeof answer);
            if (answer.magic == probe_magic) the_driver->answer_ = answer;
            return TRUE;
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void CALLBACK Driver::sent(HWND, UINT, ULONG_PTR data, LRESULT) { *reinterpret_cast<bool*>(data) = true; }

void Driver::start() {
    the_driver = this;
    probe_message_ = RegisterWindowMessageW(probe_message_name);
    WNDCLASSW reply_class{};
    reply_class.lpfnWndProc = reply_procedure;
    reply_class.hInstance = GetModuleHandleW(nullptr);
    reply_class.lpszClassName = L"reelctl.window.driver";
    RegisterClassW(&reply_class);
    reply_window_ = CreateWindowExW(0, reply_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    reply_class.hInstance, nullptr);
    if (!reply_window_) throw Failure("cannot make the reply window");

    if (options_.companion) receiver_.start(beside_this_program(L"notice_receiver.exe"));
    if (options_.log_pixels) log_pixels_.set(options_.log_pixels);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + options_.program + L"\"";
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(options_.program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw Failure("cannot start " + to_utf8(options_.program) + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    process_id_ = process.dwProcessId;

    // The dialog: a visible #32770 window of the program.
    const DWORD started = GetTickCount();
    while (!dialog_) {
        struct Search {
            DWORD process_id;
            HWND found;
        } search{process_id_, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner == s->process_id && class_of(window) == L"#32770" && IsWindowVisible(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        dialog_ = search.found;
        if (dialog_) break;
        if (program_ended()) throw Failure("the program ended before its dialog showed");
        if (GetTickCount() - started > start_timeout_ms) throw Failure("the program's dialog did not show");
        Sleep(10);
    }
    dialog_thread_ = GetWindowThreadProcessId(dialog_, nullptr);
    activate();
    log_pixels_.restore();  // read by the program at its start

    const std::wstring probe_path = beside_this_program(L"window_probe.dll");
    probe_module_ = LoadLibraryW(probe_path.c_str());
    if (!probe_module_) throw Failure("cannot load " + to_utf8(probe_path));
    auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe_module_, probe_hook_export)));
    hook_ = hook ? SetWindowsHookExW(WH_GETMESSAGE, hook, probe_module_, dialog_thread_) : nullptr;
    if (!hook_) throw Failure("cannot hook the probe into the program");
    settle();
    if (!answer_) throw Failure("the probe does not answer");

    // What the program measured at its start to choose its pictures.
    RECT row_1{}, row_2{};
    GetWindowRect(GetDlgItem(dialog_, reelctl::slide_edit_id(0, 0)), &row_1);
    GetWindowRect(GetDlgItem(dialog_, reelctl::slide_edit_id(0, 1)), &row_2);
    std::cerr << program_name << ": row pixels " << row_1.top - row_2.top << '\n';
    std::cerr << program_name << ": code page " << GetACP() << '\n';  // the program's too: same environment
}

void Driver::shut_down() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (process_) {
        if (!program_ended()) {
            TerminateProcess(process_, 0);
            WaitForSingleObject(process_, end_timeout_ms);
        }
        CloseHandle(process_);
        process_ = nullptr;
    }
    receiver_.finish();
    log_pixels_.restore();
    if (reply_window_) DestroyWindow(reply_window_);
    reply_window_ = nullptr;
    the_driver = nullptr;
}

// Lets the program work until `done` holds or the program has ended,
// reading and answering its message boxes meanwhile.
void Driver::wait_for(const std::function<bool()>& done, const char* what) {
    const DWORD started = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (done()) return;
        if (program_ended()) return;
        answer_message_boxes();
        if (GetTickCount() - started > step_timeout_ms) throw Failure(std::string("the program did not finish ") + what);
        MsgWaitForMultipleObjects(1, &process_, FALSE, 10, QS_ALLINPUT);
    }
}

void Driver::answer_message_boxes() {
    for (auto it = answered_boxes_.begin(); it != answered_boxes_.end();)
        it = IsWindow(*it) ? std::next(it) : answered_boxes_.erase(it);
    std::vector<HWND> boxes;
    EnumThreadWindows(
        dialog_thread_,
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&boxes));
    for (HWND box : boxes) {
        if (box == dialog_ || answered_boxes_.count(box) || !IsWindowVisible(box) || class_of(box) != L"#32770")
            continue;
        MessageBoxSeen seen;
        seen.caption = to_utf8(text_of(box));
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (class_of(child) == L"Static" && (style & SS_TYPEMASK) != SS_ICON) {
                const std::wstring text = text_of(child);
                if (!text.empty()) seen.text = to_utf8(text);
            }
        }
        messages_.push_back(seen);
        answered_boxes_.insert(box);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }
}

// A message to the dialog, sent as the system sends it, then everything it posted.
void Driver::deliver(UINT message, WPARAM wparam, LPARAM lparam) {
    bool handled = false;
    if (!SendMessageCallbackW(dialog_, message, wparam, lparam, sent, reinterpret_cast<ULONG_PTR>(&handled)))
        throw Failure("cannot send to the dialog");
    wait_for([&] { return handled; }, "a message");
    settle();
}

// The program just started is the one the user works with: a click on an
// empty spot of the dialog (below the " Stop " group) makes it the active window.
void Driver::activate() {
    RECT spot{7, 175, 8, 176};
    MapDialogRect(dialog_, &spot);
    POINT point{spot.left, spot.top};
    ClientToScreen(dialog_, &point);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input[3] = {};
    for (INPUT& in : input) {
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((point.x * 65535 + width / 2) / (width - 1));
        in.mi.dy = static_cast<LONG>((point.y * 65535 + height / 2) / (height - 1));
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    }
    input[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof(INPUT));
    const DWORD started = GetTickCount();
    while (GetForegroundWindow() != dialog_ && GetTickCount() - started < 2000) Sleep(10);
    if (GetForegroundWindow() != dialog_) std::cerr << program_name << ": the dialog did not become the active window\n";
}

// A key pressed and let go on the control with the focus, through the dialog's message loop.
void Driver::press_key(UINT key) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = GetGUIThreadInfo(dialog_thread_, &info) && info.hwndFocus ? info.hwndFocus : dialog_;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(target, WM_KEYUP, key, 1 | scan | (LPARAM{1} << 30) | (LPARAM{1} << 31));
    settle();
}

// Waits until the dialog has handled everything posted to it so far, and takes the probe's answer.
void Driver::settle() {
    if (!dialog_open()) {
        answer_.reset();
        return;
    }
    const std::uint32_t sequence = ++sequence_;
    answer_.reset();
    PostMessageW(dialog_, probe_message_, reinterpret_cast<WPARAM>(reply_window_), static_cast<LPARAM>(sequence));
    wait_for([&] { return answer_ && answer_->sequence == sequence; }, "the probe's question");
    if (answer_ && answer_->sequence != sequence) answer_.reset();
}

std::optional<int> Driver::exit_value() {
    if (!program_ended()) {
        if (dialog_open()) return std::nullopt;
        // The dialog has ended; the program is on its way out.
        if (WaitForSingleObject(process_, end_timeout_ms) != WAIT_OBJECT_0)
            throw Failure("the dialog has gone but the program does not end");
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

std::optional<int> Driver::focused_control() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(dialog_thread_, &info) || !info.hwndFocus || info.hwndFocus == dialog_)
        return std::nullopt;
    HWND control = info.hwndFocus;
    while (control && GetParent(control) != dialog_) control = GetParent(control);
    if (!control) return std::nullopt;
    return GetDlgCtrlID(control);
}

void Driver::note(long line_number, std::string_view line, std::string_view why) {
    std::cerr << program_name << ": line " << line_number << ": " << why << ", ignored: " << line << '\n';
}

void Driver::execute(const Event& event, std::string_view line, long line_number) {
    if (event.verb != Verb::dump && !dialog_open()) {
        note(line_number, line, "the panel is closed");
        return;
    }
    HWND control = event.id ? GetDlgItem(dialog_, event.id) : nullptr;
    const LONG style = control ? GetWindowLongW(control, GWL_STYLE) : 0;
    const bool is_combo = control && class_of(control) == L"ComboBox";
    switch (event.verb) {
        case Verb::command:
            if (options_.keys && event.code == 0 && (event.id == IDOK || event.id == IDCANCEL))
                press_key(event.id == IDOK ? VK_RETURN : VK_ESCAPE);
            else
                deliver(WM_COMMAND, MAKEWPARAM(event.id, event.code), reinterpret_cast<LPARAM>(control));
            return;
        case Verb::menu:
            deliver(WM_COMMAND, MAKEWPARAM(event.id, 0), 0);
            return;
        case Verb::close:
            deliver(WM_SYSCOMMAND, SC_CLOSE, 0);
            return;
        case Verb::syscommand:
            deliver(WM_SYSCOMMAND, event.value, 0);
            return;
        case Verb::setfocus:
            deliver(WM_SETFOCUS, 0, 0);
            return;
        case Verb::trace:
            note(line_number, line, "a window cannot trace the program's calls");
            return;
        case Verb::dump:
            dump();
            return;
        case Verb::click: {
            const LONG type = style & BS_TYPEMASK;
            const bool button = control && class_of(control) == L"Button";
            const bool radio = button && type == BS_AUTORADIOBUTTON;
            if (!button || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && !radio))
                return note(line_number, line, "not a push button or radio button");
            if (!(style & WS_VISIBLE)) return note(line_number, line, "the control is hidden");
            if (!IsWindowEnabled(control)) return note(line_number, line, "the control is disabled");
            if (radio) SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);  // the button's own doing
            deliver(WM_COMMAND, MAKEWPARAM(event.id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
            return;
        }
        case Verb::pick:
        case Verb::picktext: {
            if (!is_combo) return note(line_number, line, "not a combo");
            if (!IsWindowEnabled(control)) return note(line_number, line, "the control is disabled");
            const LRESULT count = SendMessageW(control, CB_GETCOUNT, 0, 0);
            LRESULT item = -1;
            if (event.verb == Verb::pick) {
                if (event.item < static_cast<std::uint64_t>(count)) item = static_cast<LRESULT>(event.item);
            } else {
                const std::wstring wanted = as_program_text(event.text);
                for (LRESULT i = 0; i < count && item < 0; ++i) {
                    const LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, i, 0);
                    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
                    SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
                    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
                    if (text == wanted) item = i;
                }
            }
            if (item < 0)
                return note(line_number, line,
                            event.verb == Verb::pick ? "the combo has no such item"
                                                     : "no item of the combo has this text");
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
            deliver(WM_COMMAND, MAKEWPARAM(event.id, CBN_SELENDOK), reinterpret_cast<LPARAM>(control));
            return;
        }
        case Verb::settext:
            if (!is_combo) return note(line_number, line, "not a combo");
            // A drop-down list shows one of its items or nothing: only the empty text can be put there.
            if (!event.text.empty())
                throw Failure("line " + std::to_string(line_number) +
                              ": a drop-down list cannot show a text that is not its item; settext takes no text here");
            SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            return;
    }
}

void Driver::write_controls(JsonWriter& json) {
    json.key("controls").begin_object();
    auto item = [&](int id) -> HWND {
        json.key(std::to_string(id));
        return GetDlgItem(dialog_, id);
    };
    auto enabled = [&](HWND c) { json.key("enabled").value(c != nullptr && IsWindowEnabled(c) != FALSE); };
    auto visible = [&](HWND c) { json.key("visible").value(c != nullptr && (GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE) != 0); };

    for (int id : {IDC_CLOSE, IDC_SELECT_CENTER, IDC_SELECT_RIGHT, IDC_TABLE_LABEL, IDC_PATTERN_LABEL}) {
        HWND c = item(id);
        json.begin_object();
        enabled(c);
        json.end_object();
    }
    for (int id : {IDC_ROLE_COMBO, IDC_TABLE_COMBO, IDC_PATTERN_COMBO}) {
        HWND c = item(id);
        json.begin_object().key("items").begin_array();
        const LRESULT count = c ? SendMessageW(c, CB_GETCOUNT, 0, 0) : 0;
        for (LRESULT i = 0; i < count; ++i) {
            const LRESULT length = SendMessageW(c, CB_GETLBTEXTLEN, i, 0);
            std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
            SendMessageW(c, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
            json.value(to_utf8(text));
        }
        json.end_array();
        json.key("text").value(c ? to_utf8(text_of(c)) : std::string());
        enabled(c);
        json.end_object();
    }
    for (int reel = 0; reel < 3; ++reel) {
        for (int row = 0; row < 21; ++row) {
            HWND c = item(reelctl::slide_edit_id(reel, row));
            json.begin_object().key("text").value(c ? to_utf8(text_of(c)) : std::string());
            enabled(c);
            json.end_object();
        }
        for (int row = 0; row < 21; ++row) {
            HWND c = item(reelctl::stop_radio_id(reel, row));
            json.begin_object();
            visible(c);
            json.key("checked").value(c != nullptr && SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED);
            json.end_object();
        }
    }
    if (answer_) {
        for (const ProbeImage& image : answer_->images) {
            json.key(std::to_string(image.id)).begin_object().key("image");
            if (image.name[0]) json.value(std::string_view(image.name));
            else json.null();
            json.end_object();
        }
    }
    json.end_object();
}

void Driver::dump() {
    ++dumps_;
    settle();
    const bool open = dialog_open();
    if (options_.companion) receiver_.collect();
    const std::optional<int> ended = exit_value();

    JsonWriter json;
    json.begin_object().key("dump").begin_object();
    if (open) json.key("caption").value(to_utf8(text_of(dialog_)));
    json.key("ended");
    if (ended) json.value(*ended);
    else json.null();
    if (open) {
        json.key("focus");
        if (auto id = focused_control()) json.value(*id);
        else json.null();
        if (answer_ && answer_->menu_found) {
            json.key("menu_checked").begin_array();
            for (int i = 0; i < answer_->checked_count; ++i) json.value(answer_->checked[i]);
            json.end_array();
        }
    }
    json.key("messages").begin_array();
    for (const MessageBoxSeen& seen : messages_)
        json.begin_object().key("text").value(seen.text).key("caption").value(seen.caption).end_object();
    json.end_array();
    messages_.clear();
    json.key("notice");
    std::string received;
    for (const std::string& message : receiver_.messages()) received += message;
    if (received.empty()) json.null();
    else json.value(hex(received));
    if (open) write_controls(json);
    json.end_object().end_object();
    std::cout << json.str() << '\n' << std::flush;

    if (open && !options_.pictures.empty()) check_pictures();
    if (open && !options_.shots.empty()) save_shot();
}

// The pixels of each bitmap static on the screen against the file of the picture the probe named.
void Driver::check_pictures() {
    if (!answer_) return;
    for (const ProbeImage& image : answer_->images) {
        if (!image.name[0]) continue;
        const std::string where = "dump " + std::to_string(dumps_) + ", static " + std::to_string(image.id);
        if (image.name[0] == '?') {
            std::cerr << program_name << ": " << where << " shows a picture that is none of the program's\n";
            ++picture_failures_;
            continue;
        }
        const std::wstring name = from_utf8(image.name);
        auto file = picture_files_.find(name);
        if (file == picture_files_.end()) {
            auto loaded = read_bmp_file(options_.pictures + L"\\" + name + L".bmp");
            if (!loaded) throw Failure("cannot read " + to_utf8(options_.pictures) + "\\" + image.name + ".bmp");
            file = picture_files_.emplace(name, std::move(*loaded)).first;
        }
        HWND control = GetDlgItem(dialog_, image.id);
        RECT client{};
        GetClientRect(control, &client);
        POINT origin{0, 0};
        ClientToScreen(control, &origin);
        if ((client.right != file->second.width || client.bottom != file->second.height) && pictures_resized_ == 0) {
            std::cerr << program_name << ": " << where << " (" << image.name << ") is " << client.right << " x "
                      << client.bottom << " pixels inside its edge, the picture " << file->second.width << " x "
                      << file->second.height << ": the static draws it "
                      << (client.right < file->second.width ? "squeezed" : "stretched") << '\n';
        }
        if (client.right != file->second.width || client.bottom != file->second.height) ++pictures_resized_;
        const Image expected = as_drawn(file->second, client.right, client.bottom);
        // Only the part inside the dialog's client area can be seen.
        RECT dialog_client{};
        GetClientRect(dialog_, &dialog_client);
        MapWindowPoints(dialog_, nullptr, reinterpret_cast<POINT*>(&dialog_client), 2);
        const RECT picture{origin.x, origin.y, origin.x + expected.width, origin.y + expected.height};
        RECT seen{};
        if (!IntersectRect(&seen, &picture, &dialog_client)) continue;
        const int seen_width = seen.right - seen.left;
        const int seen_height = seen.bottom - seen.top;
        // Other controls may stand over the picture (the Select buttons over a long
        // strip): their pixels are not the picture's. Group boxes are hollow.
        std::vector<RECT> covered;
        for (HWND other = GetWindow(dialog_, GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
            const LONG other_style = GetWindowLongW(other, GWL_STYLE);
            if (other == control || !(other_style & WS_VISIBLE)) continue;
            if (class_of(other) == L"Button" && (other_style & BS_TYPEMASK) == BS_GROUPBOX) continue;
            RECT rect{}, overlap{};
            GetWindowRect(other, &rect);
            if (IntersectRect(&overlap, &rect, &seen)) covered.push_back(overlap);
        }
        auto is_covered = [&](int x, int y) {
            for (const RECT& rect : covered)
                if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) return true;
            return false;
        };
        // The static may not have painted yet: look again for a while.
        std::size_t differing = 0;
        const DWORD started = GetTickCount();
        for (;;) {
            const Image shown = capture(seen.left, seen.top, seen_width, seen_height);
            differing = 0;
            for (int y = 0; y < seen_height; ++y)
                for (int x = 0; x < seen_width; ++x) {
                    const std::size_t at_expected = static_cast<std::size_t>(y + seen.top - origin.y) *
                                                        static_cast<std::size_t>(expected.width) +
                                                    static_cast<std::size_t>(x + seen.left - origin.x);
                    if (is_covered(seen.left + x, seen.top + y)) continue;
                    const std::size_t at_shown =
                        static_cast<std::size_t>(y) * static_cast<std::size_t>(seen_width) + static_cast<std::size_t>(x);
                    differing += shown.pixels[at_shown] != expected.pixels[at_expected];
                }
            if (differing == 0 || GetTickCount() - started > repaint_timeout_ms) break;
            Sleep(50);
        }
        ++pictures_checked_;
        if (differing) {
            std::cerr << program_name << ": " << where << " (" << image.name << "): " << differing << " of "
                      << seen_width * seen_height << " pixels on the screen differ from " << image.name << ".bmp\n";
            ++picture_failures_;
        }
    }
}

void Driver::save_shot() {
    RECT frame{};
    GetWindowRect(dialog_, &frame);
    Sleep(200);  // let the last changes reach the screen
    const Image shot = capture(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    write_bmp_file(options_.shots + L"\\dump-" + std::to_wstring(dumps_) + L".bmp", shot);
}

bool Driver::run_line(std::string_view line, long line_number) {
    const ParsedLine parsed = reelctl::script::parse_line(line);
    switch (parsed.kind) {
        case ParsedLine::Kind::skip:
            return true;
        case ParsedLine::Kind::malformed:
            std::cout << std::flush;
            std::cerr << program_name << ": line " << line_number << ": " << parsed.error << '\n';
            return false;
        case ParsedLine::Kind::event:
            execute(parsed.event, line, line_number);
            return true;
    }
    return true;
}

void usage() {
    std::cerr << "usage: " << program_name
              << " --program REELCTL.EXE [--companion] [--keys] [--log-pixels N] [--pictures DIR] [--shots DIR]"
                 " [SCRIPT]\n";
}

std::optional<Options> parse_options(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 == args.size()) return std::nullopt;
            return args[++i];
        };
        if (arg == "--companion") {
            options.companion = true;
        } else if (arg == "--keys") {
            options.keys = true;
        } else if (arg == "--program" || arg == "--pictures" || arg == "--shots" || arg == "--log-pixels") {
            auto v = value();
            if (!v) return std::nullopt;
            if (arg == "--program") options.program = windows_path(*v);
            else if (arg == "--pictures") options.pictures = windows_path(*v);
            else if (arg == "--shots") options.shots = windows_path(*v);
            else options.log_pixels = static_cast<DWORD>(std::stoul(*v));
        } else if (arg.size() > 1 && arg[0] == '-') {
            return std::nullopt;
        } else if (!options.script.empty()) {
            return std::nullopt;
        } else {
            options.script = arg;
        }
    }
    if (options.program.empty()) return std::nullopt;
    return options;
}

int run(const Options& options) {
    std::string script;
    if (options.script.empty() || options.script == "-") {
        std::ostringstream text;
        text << std::cin.rdbuf();
        script = text.str();
    } else {
        std::ifstream file(std::filesystem::path(windows_path(options.script)), std::ios::binary);
        if (!file) {
            std::cerr << program_name << ": cannot open " << options.script << '\n';
            return 1;
        }
        std::ostringstream text;
        text << file.rdbuf();
        script = text.str();
    }

    Driver driver(options);
    try {
        driver.start();
        std::istringstream lines(script);
        std::string line;
        long line_number = 0;
        while (std::getline(lines, line)) {
            ++line_number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line_number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
            if (!driver.run_line(line, line_number)) return 2;
        }
        driver.shut_down();
    } catch (const Failure& failure) {
        std::cout << std::flush;
        std::cerr << program_name << ": " << failure.what() << '\n';
        return 1;
    }
    if (!options.pictures.empty())
        std::cerr << program_name << ": " << driver.pictures_checked() << " pictures checked on the screen, "
                  << driver.picture_failures() << " wrong, " << driver.pictures_resized()
                  << " drawn into a client area of another size\n";
    return driver.picture_failures() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The output is UTF-8 lines ending in LF, as reelctl-script writes them.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::vector<std::string> args(argv + 1, argv + argc);
    auto options = parse_options(args);
    if (!options) {
        usage();
        return 1;
    }
    return run(*options);
}
