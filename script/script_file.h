// Reading a script file for a program that plays scripts.
#pragma once

#include <optional>
#include <string>

namespace reelctl::script {

// The whole file, or none with the reason in `why` ("No such file or
// directory", "Is a directory", ...), as the program then reports it:
// "program: FILE: why".
std::optional<std::string> read_script_file(const std::string& path, std::string& why);

}  // namespace reelctl::script
