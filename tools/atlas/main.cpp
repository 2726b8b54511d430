// reelctl-atlas: every situation a user can reach on the panel, written out.
//
//     reelctl-atlas --out DIR [--formats jsonl,csv,html,windows]
//     reelctl-atlas --judge --bet B --order O [--left L] [--center C] [--right R]
//     reelctl-atlas --aim --bet B --order O --role R --reel REEL --line LINE --symbol SYMBOL
//
// Every output is written under a temporary name and renamed into place when
// complete (tools/files/whole_file.h): a run that is killed or fails leaves
// the files and the html/ folder of an earlier run whole.
//
// DIR/situations.jsonl  a line per situation: the road to it (panel-script
//                       lines), the state a dump prints, the window pictures
// DIR/presses.csv       a row per situation, shown reel and press position
// DIR/html/             static pages: a tree of choices per role with every
//                       situation drawn like the panel, and a reverse lookup
//                       (tools/atlas/html.h); served as the site's atlas/
// DIR/judge/          judge-B-O.json, the judge page's data (not a default format)
// DIR/windows.csv       the probability of every window of every bet, stop
//                       order and role; tells.csv and tell-counts.csv, what
//                       each window tells; aim.csv, where each press of a
//                       reel stops it (tools/windows/, docs/windows.md)
// DIR/atlas.sqlite      the situations, presses and windows as tables (not a
//                       default format; built when SQLite is there)
#include <getopt.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include "tools/atlas/atlas.h"
#include "tools/atlas/html.h"
#include "tools/files/whole_file.h"
#ifdef REELCTL_HAVE_SQLITE
#include "tools/atlas/sqlite_out.h"
#endif
#include "tools/windows/judge.h"
#include "tools/windows/judge_data.h"
#include "tools/windows/tells.h"

namespace {

constexpr const char* program_name = "reelctl-atlas";
constexpr std::string_view format_names[] = {"jsonl", "csv", "html", "windows", "judge", "sqlite"};

int usage(std::FILE* out, int status) {
    std::fprintf(out, "usage: %s --out DIR [--formats jsonl,csv,html,windows,judge,sqlite]\n"
                      "       %s --judge --bet B --order O [--left L] [--center C] [--right R] (--judge --help)\n"
                      "       %s --aim --bet B --order O --role R --reel REEL --line LINE --symbol SYMBOL\n",
                 program_name, program_name, program_name);
    return status;
}

bool write_file(const std::filesystem::path& path, void (*writer)(std::ostream&, const reelctl::atlas::Atlas&),
                const reelctl::atlas::Atlas& atlas) {
    std::string problem;
    if (!reelctl::files::write_whole(path, [&](std::ostream& out) { writer(out, atlas); }, problem)) {
        std::fprintf(stderr, "%s: %s\n", program_name, problem.c_str());
        return false;
    }
    return true;
}

// The pages into a partial folder, which then takes the place of html/.
bool write_pages(const std::filesystem::path& dir, const reelctl::atlas::Atlas& atlas, const reelctl::windows::Model& model,
                 reelctl::atlas::HtmlReport& report, std::string& problem) {
    const std::filesystem::path partial = reelctl::files::partial_path(dir);
    std::error_code ignored;
    std::filesystem::remove_all(partial, ignored);
    if (!reelctl::atlas::write_html(partial, atlas, &model, report, problem)) {
        std::filesystem::remove_all(partial, ignored);
        return false;
    }
    return reelctl::files::rename_into_place(partial, dir, problem);
}

}  // namespace

int main(int argc, char** argv) {
    if (reelctl::windows::judge_asked(argc, argv)) return reelctl::windows::judge_main(argc, argv);
    static const option long_options[] = {
        {"out", required_argument, nullptr, 'o'},
        {"formats", required_argument, nullptr, 'f'},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    std::string out_dir;
    std::string formats = "jsonl,csv,html,windows";
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
    bool wanted[6] = {};
    for (std::size_t start = 0; start <= formats.size();) {
        const std::size_t end = std::min(formats.find(',', start), formats.size());
        const std::string name = formats.substr(start, end - start);
        const auto known = std::find(std::begin(format_names), std::end(format_names), name);
        if (known == std::end(format_names)) {
            std::fprintf(stderr, "%s: unknown format \"%s\" (jsonl, csv, html, windows, judge, sqlite)\n", program_name, name.c_str());
            return usage(stderr, 1);
        }
        wanted[known - std::begin(format_names)] = true;
        start = end + 1;
    }

#ifndef REELCTL_HAVE_SQLITE
    if (wanted[5]) {
        std::fprintf(stderr, "%s: the sqlite format is not built in (SQLite was not found when it was configured)\n",
                     program_name);
        return 1;
    }
#endif

    std::error_code error;
    std::filesystem::create_directories(out_dir, error);
    if (error) {
        std::fprintf(stderr, "%s: %s: %s\n", program_name, out_dir.c_str(), error.message().c_str());
        return 1;
    }
    // The window model, once, for every format that shows it (the index
    // of the pages counts the windows).
    reelctl::windows::Model model;
    if (wanted[2] || wanted[3] || wanted[4] || wanted[5]) {
        double seconds = 0;
        std::string problem, summary;
        if (!reelctl::windows::compute_model(model, seconds, problem)) {
            std::fprintf(stderr, "%s: %s\n", program_name, problem.c_str());
            return 1;
        }
        if (wanted[3] && !reelctl::windows::make_window_files(out_dir, model, seconds, summary, problem)) {
            std::fprintf(stderr, "%s: %s\n", program_name, problem.c_str());
            return 1;
        }
        if (wanted[3]) std::printf("%s\n", summary.c_str());
        // The judge page's data: judge/judge-B-O.json for each bet and stop order.
        if (wanted[4] && !reelctl::windows::write_judge_files(std::filesystem::path(out_dir) / "judge", model, problem)) {
            std::fprintf(stderr, "%s: %s\n", program_name, problem.c_str());
            return 1;
        }
        if (!wanted[0] && !wanted[1] && !wanted[2] && !wanted[5]) return 0;
    }
    const reelctl::atlas::Atlas atlas = reelctl::atlas::collect();
    if (atlas.walk.failures) {
        std::fprintf(stderr, "%s: the walk found a broken rule: %s\n", program_name, atlas.walk.first_failure.c_str());
        return 1;
    }
    const std::filesystem::path dir(out_dir);
    // The pages are written beside the JSON lines and the CSV, on a thread of their own.
    reelctl::atlas::HtmlReport report;
    std::string html_problem;
    bool html_ok = true;
    std::thread html;
    if (wanted[2]) html = std::thread([&] { html_ok = write_pages(dir / "html", atlas, model, report, html_problem); });
    bool ok = true;
    if (wanted[0]) ok &= write_file(dir / "situations.jsonl", reelctl::atlas::write_situations, atlas);
    if (wanted[1]) ok &= write_file(dir / "presses.csv", reelctl::atlas::write_presses, atlas);
#ifdef REELCTL_HAVE_SQLITE
    if (wanted[5]) {
        std::string problem;
        if (!reelctl::atlas::write_sqlite(dir / "atlas.sqlite", atlas, model, problem)) {
            std::fprintf(stderr, "%s: %s\n", program_name, problem.c_str());
            ok = false;
        }
    }
#endif
    if (html.joinable()) html.join();
    std::printf("%zu situations\n", atlas.situations.size());
    if (wanted[2] && html_ok) {
        std::printf("html: %d role pages, %ju bytes in all, lookup.json %ju bytes, largest page %s %ju bytes\n",
                    report.pages, report.bytes, report.lookup_bytes, report.largest_page.c_str(), report.largest);
    } else if (wanted[2]) {
        std::fprintf(stderr, "%s: %s\n", program_name, html_problem.c_str());
        ok = false;
    }
    return ok ? 0 : 1;
}
