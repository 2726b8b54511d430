// reelctl-atlas: every situation a user can reach on the panel, written out.
//
//     reelctl-atlas --out DIR [--formats jsonl,csv]
//
// DIR/situations.jsonl  a line per situation: the road to it (panel-script
//                       lines), the state a dump prints, the window pictures
// DIR/presses.csv       a row per situation, shown reel and press position
#include <getopt.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/atlas/atlas.h"

namespace {

constexpr const char* program_name = "reelctl-atlas";

int usage(std::FILE* out, int status) {
    std::fprintf(out, "usage: %s --out DIR [--formats jsonl,csv]\n", program_name);
    return status;
}

bool write_file(const std::filesystem::path& path, void (*writer)(std::ostream&, const reelctl::atlas::Atlas&),
                const reelctl::atlas::Atlas& atlas) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) writer(out, atlas);
    if (!out.flush()) {
        std::fprintf(stderr, "%s: %s: cannot be written\n", program_name, path.string().c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    static const option long_options[] = {
        {"out", required_argument, nullptr, 'o'},
        {"formats", required_argument, nullptr, 'f'},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    std::string out_dir;
    std::string formats = "jsonl,csv";
    opterr = 0;
    for (int c; (c = getopt_long(argc, argv, "+:", long_options, nullptr)) != -1;) {
        switch (c) {
            case 'o': out_dir = optarg; break;
            case 'f': formats = optarg; break;
            case 'h': return usage(stdout, 0);
            default:
                std::fprintf(stderr, "%s: bad option %s\n", program_name, argv[optind - 1]);
                return usage(stderr, 1);
        }
    }
    if (out_dir.empty() || optind != argc) return usage(stderr, 1);
    std::error_code error;
    std::filesystem::create_directories(out_dir, error);
    if (error) {
        std::fprintf(stderr, "%s: %s: %s\n", program_name, out_dir.c_str(), error.message().c_str());
        return 1;
    }
    const auto wants = [&](const char* format) { return ("," + formats + ",").find(std::string(",") + format + ",") != std::string::npos; };

    const reelctl::atlas::Atlas atlas = reelctl::atlas::collect();
    if (atlas.walk.failures) {
        std::fprintf(stderr, "%s: the walk found a broken rule: %s\n", program_name, atlas.walk.first_failure.c_str());
        return 1;
    }
    const std::filesystem::path dir(out_dir);
    bool ok = true;
    if (wants("jsonl")) ok &= write_file(dir / "situations.jsonl", reelctl::atlas::write_situations, atlas);
    if (wants("csv")) ok &= write_file(dir / "presses.csv", reelctl::atlas::write_presses, atlas);
    std::printf("%zu situations\n", atlas.situations.size());
    return ok ? 0 : 1;
}
