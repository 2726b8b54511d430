#include "programs/reelctl-script/command_line.h"

#include <fstream>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <string_view>

#include "script/model_host.h"
#include "script/session.h"

namespace reelctl::script {

namespace {

constexpr const char* program_name = "reelctl-script";

struct RunOptions {
    int row_pixels = 24;
    bool companion = false;
};

void usage(std::ostream& err) {
    err << "usage: " << program_name << " [--row-pixels N] [--companion] [SCRIPT]\n";
}

std::optional<int> signed_int(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    long long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

int run_command_line(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    RunOptions options;
    std::optional<std::string> script;
    bool options_done = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options_done && arg == "--") {
            options_done = true;
        } else if (!options_done && arg == "--companion") {
            options.companion = true;
        } else if (!options_done && (arg == "--row-pixels" || arg.rfind("--row-pixels=", 0) == 0)) {
            std::string value;
            if (arg == "--row-pixels") {
                if (i + 1 == args.size()) {
                    err << program_name << ": --row-pixels needs a number\n";
                    usage(err);
                    return exit_failure;
                }
                value = args[++i];
            } else {
                value = arg.substr(std::string_view("--row-pixels=").size());
            }
            auto pixels = signed_int(value);
            if (!pixels) {
                err << program_name << ": --row-pixels: \"" << value << "\" is not a whole number\n";
                usage(err);
                return exit_failure;
            }
            options.row_pixels = *pixels;
        } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
            err << program_name << ": unknown option " << arg << '\n';
            usage(err);
            return exit_failure;
        } else if (script) {
            err << program_name << ": more than one script: " << *script << ", " << arg << '\n';
            usage(err);
            return exit_failure;
        } else {
            script = arg;
        }
    }

    std::ifstream file;
    std::istream* source = &in;
    if (script && *script != "-") {
        file.open(*script, std::ios::binary);
        if (!file) {
            err << program_name << ": cannot open " << *script << '\n';
            return exit_failure;
        }
        source = &file;
    }
    ModelHost host(ModelOptions{options.row_pixels, options.companion});
    Session session(host, out, err, program_name);
    return session.run(*source);
}

}  // namespace reelctl::script
