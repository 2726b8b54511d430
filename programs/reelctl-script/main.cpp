// reelctl-script: the viewer's logic on the in-memory panel, driven by a script.
#include <iostream>
#include <string>
#include <vector>

#include "programs/reelctl-script/command_line.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    return reelctl::script::run_command_line(args, std::cin, std::cout, std::cerr);
}
