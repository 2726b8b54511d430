// window_driver.exe: runs a panel script against the real reelctl.exe window.
//
//   window_driver --program REELCTL.EXE [--companion] [--keys] [--log-pixels N]
//                 [--pictures DIR] [--shots DIR] [SCRIPT]
//
// Starts the program, waits until its dialog is visible, makes it the active
// window with a click on an empty spot, and plays the script (the language of
// reelctl-script, with its user's rules and notes) on the window through
// WindowHost (window_host.h). `dump` prints what can be read from the window
// in the JSON of reelctl-script's dump, without the key "state" (the
// program's memory); after the program has ended only ended, the focus the
// dialog was left with (recorded by the probe), messages and notice.
// `trace` is ignored with a note.
//
// --companion     start notice_receiver.exe first, so that the program finds
//                 the mailslot; `notice` is what the receiver got
// --keys          `command 1` and `command 2` are the Enter and Escape keys
// --key-lines     lines `key KEY...` press keys on the window (script/keys.h)
// --log-pixels N  the program starts with N pixels per inch (Wine's LogPixels)
// --pictures DIR  at every dump, the pixels on the screen of each bitmap
//                 static must be DIR/NAME.bmp of the picture it shows
// --shots DIR     at every dump, the dialog's pixels on the screen go to
//                 DIR/dump-N.bmp
//
// Exit status: 0 when the script ran to its end, 2 for a malformed line, 1
// for any failure (the program does not start or answer, a picture on the
// screen differs from its file, a step the window cannot do).

#include <fcntl.h>
#include <io.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "script/session.h"
#include "tests/window/window_host.h"

namespace {

using namespace reelctl::window;
namespace script = reelctl::script;

constexpr const char* program_name = "window-driver";

struct Options {
    HostOptions host;
    std::string script;  // empty or "-": standard input
    bool key_lines = false;
};

std::optional<DWORD> whole_number(const std::string& s) {
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return static_cast<DWORD>(std::stoul(s));
}

std::optional<Options> parse_options(const std::vector<std::string>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--companion") {
            options.host.companion = true;
        } else if (arg == "--keys") {
            options.host.keys = true;
        } else if (arg == "--key-lines") {
            options.key_lines = true;
        } else if (arg == "--program" || arg == "--pictures" || arg == "--shots" || arg == "--log-pixels") {
            if (i + 1 == args.size()) return std::nullopt;
            const std::string& value = args[++i];
            if (arg == "--program") {
                options.host.program = windows_path(value);
            } else if (arg == "--pictures") {
                options.host.pictures = windows_path(value);
            } else if (arg == "--shots") {
                options.host.shots = windows_path(value);
            } else {
                auto pixels = whole_number(value);
                if (!pixels) return std::nullopt;
                options.host.log_pixels = *pixels;
            }
        } else if ((arg.size() > 1 && arg[0] == '-') || !options.script.empty()) {
            return std::nullopt;
        } else {
            options.script = arg;
        }
    }
    if (options.host.program.empty()) return std::nullopt;
    return options;
}

int run(const Options& options) {
    std::ifstream file;
    const bool from_input = options.script.empty() || options.script == "-";
    if (!from_input) {
        file.open(std::filesystem::path(windows_path(options.script)), std::ios::binary);
        if (!file) {
            std::cerr << program_name << ": cannot open " << options.script << '\n';
            return script::exit_failure;
        }
    }
    WindowHost host(options.host, std::cerr, program_name);
    int status = script::exit_ok;
    try {
        script::Session session(host, std::cout, std::cerr, program_name);
        session.take_key_lines(options.key_lines);
        status = session.run(from_input ? std::cin : file);
        host.shut_down();
    } catch (const Failure& failure) {
        std::cout << std::flush;
        std::cerr << program_name << ": " << failure.what() << '\n';
        return script::exit_failure;
    }
    if (status != script::exit_ok) return status;
    const PictureCounts& pictures = host.pictures();
    if (!options.host.pictures.empty())
        std::cerr << program_name << ": " << pictures.checked << " pictures checked on the screen, " << pictures.wrong
                  << " wrong, " << pictures.resized << " drawn into a client area of another size\n";
    return pictures.wrong ? script::exit_failure : script::exit_ok;
}

}  // namespace

int main(int argc, char** argv) {
    // The output is UTF-8 lines ending in LF, as reelctl-script writes them.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    auto options = parse_options(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::cerr << "usage: " << program_name
                  << " --program REELCTL.EXE [--companion] [--keys] [--key-lines] [--log-pixels N] [--pictures DIR]"
                     " [--shots DIR]"
                     " [SCRIPT]\n";
        return script::exit_failure;
    }
    return run(*options);
}
