// reelctl-script's command line: the options, the script file, the run.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "frontends/model/model_panel.h"

namespace reelctl::script {

// What a command line asks for once its options and script file are read.
struct ScriptInvocation {
    ModelOptions options;
    std::optional<std::string> file_text;  // the script file's text; none: standard input
};

// Reads the arguments after the program name and the script file. An exit
// status when the program ends without a run (--help, --version, a bad
// command line, an unreadable file), its output and messages written; else
// the run asked for. Hosts other than the model dialog share it.
std::variant<int, ScriptInvocation> read_command_line(const std::vector<std::string>& args, std::ostream& out,
                                                      std::ostream& err);

// The arguments after the program name and the standard streams; the exit status.
int run_command_line(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace reelctl::script
