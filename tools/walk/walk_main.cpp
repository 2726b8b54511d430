// reelctl-walk: walks every situation a user can reach on the panel, checks
// the panel rules at every step and prints what it saw.
//
//     reelctl-walk [--switches FILE] [--no-stop-clicks]
//
// --switches FILE writes one JSON line per situation: the road to it, the
// table in force and, in a press choice, the press positions that put another
// table in force. Exit status 0 when every rule held, 1 otherwise, 2 for a
// bad option.
#include <cstdio>
#include <cstring>
#include <ctime>

#include "tools/walk/walk.h"

namespace {

// <chrono> cannot be compiled with the code page 932 execution character set.
double seconds_now() {
    std::timespec now{};
    std::timespec_get(&now, TIME_UTC);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
    reelctl::walk::WalkOptions options;
    const char* switches_path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--switches") == 0 && i + 1 < argc) {
            switches_path = argv[++i];
        } else if (std::strcmp(argv[i], "--no-stop-clicks") == 0) {
            options.click_stops = false;
        } else {
            std::fprintf(stderr, "usage: reelctl-walk [--switches FILE] [--no-stop-clicks]\n");
            return 2;
        }
    }
    std::FILE* switches = nullptr;
    if (switches_path) {
        switches = std::fopen(switches_path, "w");
        if (!switches) {
            std::fprintf(stderr, "reelctl-walk: cannot write %s\n", switches_path);
            return 2;
        }
        options.switches = switches;
    }

    const double start = seconds_now();
    const reelctl::walk::WalkResult result = reelctl::walk::run_walk(options);
    const double stop = seconds_now();
    if (switches) std::fclose(switches);

    std::printf("roads walked:            %ld\n", result.roads);
    std::printf("distinct situations:     %ld\n", result.situations);
    std::printf("press choices answered:  %ld\n", result.press_choices);
    std::printf("stop clicks (windows):   %ld\n", result.stop_clicks);
    std::printf("slide tables in force:   %d\n", result.tables_in_force);
    std::printf("distinct column contents: %ld\n", result.distinct_columns);
    std::printf("broken rules:            %ld\n", result.failures);
    if (result.failures) std::printf("first: %s\n", result.first_failure.c_str());
    std::printf("wall time:               %.3f s\n", stop - start);
    return result.failures == 0 ? 0 : 1;
}
