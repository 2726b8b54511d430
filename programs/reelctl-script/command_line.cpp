#include "programs/reelctl-script/command_line.h"

#include <getopt.h>

#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

#include "script/excerpt.h"
#include "script/model_host.h"
#include "script/script_file.h"
#include "script/session.h"

#ifndef REELCTL_VERSION
#define REELCTL_VERSION "unknown"
#endif

namespace reelctl::script {

namespace {

constexpr const char* program_name = "reelctl-script";

void usage(std::ostream& out) {
    out << "usage: " << program_name << " [--row-pixels N] [--companion] [SCRIPT]\n"
        << "Plays a panel script on the viewer's logic and an in-memory dialog and prints\n"
        << "trace and dump lines as JSON. SCRIPT is a file; without it, or with -, the\n"
        << "script is read from standard input.\n"
        << "\n"
        << "  --row-pixels N  the rows of the slide columns stand N pixels apart (0..65535,\n"
        << "                  default 24: the small pictures; any other: the large ones)\n"
        << "  --companion     the companion reel display runs and receives the close notice\n"
        << "  --help          this text\n"
        << "  --version       the program's name and version\n"
        << "\n"
        << "Exit status: 0 the script ran to its end, 2 a malformed line, 1 anything else.\n";
}

// A whole number 0..65535, as the row distance must be.
std::optional<int> row_pixels(const char* text) {
    int value = 0;
    if (*text == '\0') return std::nullopt;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') return std::nullopt;
        value = value * 10 + (*c - '0');
        if (value > 65535) return std::nullopt;
    }
    return value;
}

}  // namespace

std::variant<int, ScriptInvocation> read_command_line(const std::vector<std::string>& args, std::ostream& out,
                                                      std::ostream& err) {
    enum { opt_row_pixels = 1, opt_companion, opt_help, opt_version };
    static const option long_options[] = {
        {"row-pixels", required_argument, nullptr, opt_row_pixels},
        {"companion", no_argument, nullptr, opt_companion},
        {"help", no_argument, nullptr, opt_help},
        {"version", no_argument, nullptr, opt_version},
        {nullptr, 0, nullptr, 0},
    };
    std::vector<std::string> storage;
    storage.reserve(args.size() + 1);
    storage.emplace_back(program_name);
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : storage) argv.push_back(arg.data());
    argv.push_back(nullptr);

    ModelOptions options;
    optind = 0;  // a fresh scan, also when called again
    opterr = 0;  // the messages are ours
    for (;;) {
        const int index = optind ? optind : 1;
        const int c = getopt_long(static_cast<int>(storage.size()), argv.data(), "+:", long_options, nullptr);
        if (c == -1) break;
        const std::string arg = index < static_cast<int>(storage.size()) ? readable_excerpt(storage[static_cast<std::size_t>(index)]) : "";
        switch (c) {
            case opt_row_pixels: {
                const std::optional<int> pixels = row_pixels(optarg);
                if (!pixels) {
                    err << program_name << ": --row-pixels: \"" << readable_excerpt(optarg)
                        << "\" is not a whole number from 0 to 65535\n";
                    err << "Try '" << program_name << " --help'.\n";
                    return exit_failure;
                }
                options.row_pixels = *pixels;
                break;
            }
            case opt_companion: options.companion = true; break;
            case opt_help: usage(out); return out.flush() ? exit_ok : exit_failure;
            case opt_version:
                out << program_name << ' ' << REELCTL_VERSION << '\n';
                return out.flush() ? exit_ok : exit_failure;
            case ':':
                err << program_name << ": " << arg << " needs a value\n";
                err << "Try '" << program_name << " --help'.\n";
                return exit_failure;
            default:
                err << program_name << ": unknown option " << arg << '\n';
                err << "Try '" << program_name << " --help'.\n";
                return exit_failure;
        }
    }
    const std::size_t first = static_cast<std::size_t>(optind);
    if (storage.size() - first > 1) {
        err << program_name << ": more than one script: " << readable_excerpt(storage[first]) << ", "
            << readable_excerpt(storage[first + 1]) << '\n';
        err << "Try '" << program_name << " --help'.\n";
        return exit_failure;
    }

    ScriptInvocation invocation{options, std::nullopt};
    if (first < storage.size() && storage[first] != "-") {
        std::string why;
        invocation.file_text = read_script_file(storage[first], why);
        if (!invocation.file_text) {
            err << program_name << ": " << readable_excerpt(storage[first]) << ": " << why << '\n';
            return exit_failure;
        }
    }
    return invocation;
}

int run_command_line(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    std::variant<int, ScriptInvocation> read = read_command_line(args, out, err);
    if (const int* status = std::get_if<int>(&read)) return *status;
    ScriptInvocation& invocation = std::get<ScriptInvocation>(read);
    std::istringstream file_text;
    std::istream* source = &in;
    if (invocation.file_text) {
        file_text.str(std::move(*invocation.file_text));
        source = &file_text;
    }
    ModelHost host(invocation.options);
    Session session(host, out, err, program_name);
    return session.run(*source);
}

}  // namespace reelctl::script
