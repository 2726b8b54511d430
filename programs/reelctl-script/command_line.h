// reelctl-script's command line: the options, the script file, the run.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace reelctl::script {

// The arguments after the program name and the standard streams; the exit status.
int run_command_line(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace reelctl::script
