#include "tools/windows/judge.h"

#include <getopt.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/windows/tells.h"

namespace reelctl::windows {
namespace {

constexpr const char* program = "reelctl-atlas";

constexpr const char* usage_text =
    "usage: reelctl-atlas --judge --bet B --order O [--left L] [--center C] [--right R]\n"
    "\n"
    "Which roles can show a window at bet B (0 one coin .. 2 three coins) and stop\n"
    "order O (0..5, the menu's order), when the reels given stand at those stop\n"
    "indices (0..20, the panel's row 1..21 less one); reels not given are still\n"
    "turning. One JSON line per role that can show it, with the probability that\n"
    "the role shows it, then one line with the roles and the window's class\n"
    "(BIG-only, REG-only, bonus-only, no-bonus, mixed or impossible).\n";

// A whole number from `low` to `high`, or -1.
int number(const char* text, int low, int high) {
    const std::string_view s(text);
    if (s.empty() || s.size() > 3) return -1;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value >= low && value <= high ? value : -1;
}

int bad(const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", program, what.c_str());
    return 2;
}

std::string json_text(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string query_fields(int bet, int order, const PartialWindow& part) {
    std::string text = "\"bet\": " + std::to_string(bet) + ", \"stop_order\": " + std::to_string(order);
    const char* names[] = {"left", "center", "right"};
    for (int reel = 0; reel < 3; ++reel)
        text += std::string(", \"") + names[reel] + "\": " + (part[static_cast<std::size_t>(reel)] < 0 ? std::string("null") : std::to_string(part[static_cast<std::size_t>(reel)]));
    return text;
}

}  // namespace

bool judge_asked(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--judge") return true;
    return false;
}

int judge_main(int argc, char** argv) {
    static const option options[] = {
        {"judge", no_argument, nullptr, 'j'},  {"bet", required_argument, nullptr, 'b'},
        {"order", required_argument, nullptr, 'o'}, {"left", required_argument, nullptr, 'l'},
        {"center", required_argument, nullptr, 'c'}, {"right", required_argument, nullptr, 'r'},
        {"help", no_argument, nullptr, 'h'},   {nullptr, 0, nullptr, 0},
    };
    int bet = -1, order = -1;
    PartialWindow part{-1, -1, -1};
    opterr = 0;
    optind = 1;
    for (int c; (c = getopt_long(argc, argv, "+:", options, nullptr)) != -1;) {
        const std::string given = optarg ? optarg : "";
        switch (c) {
            case 'j': break;
            case 'h': std::fputs(usage_text, stdout); return 0;
            case 'b':
                if ((bet = number(optarg, 0, 2)) < 0) return bad("--bet " + given + ": a bet is 0, 1 or 2");
                break;
            case 'o':
                if ((order = number(optarg, 0, 5)) < 0) return bad("--order " + given + ": a stop order is 0 to 5");
                break;
            case 'l': case 'c': case 'r': {
                const int reel = c == 'l' ? 0 : c == 'c' ? 1 : 2;
                const char* name = reel == 0 ? "--left" : reel == 1 ? "--center" : "--right";
                if ((part[static_cast<std::size_t>(reel)] = number(optarg, 0, 20)) < 0)
                    return bad(std::string(name) + " " + given + ": a stop index is 0 to 20");
                break;
            }
            case ':': return bad(std::string(argv[optind - 1]) + " needs a value");
            default: return bad(std::string("unknown option ") + argv[optind - 1] + " (see --judge --help)");
        }
    }
    if (optind != argc) return bad(std::string("unexpected argument ") + argv[optind]);
    if (bet < 0 || order < 0) return bad("--judge needs --bet and --order");

    const Model model = compute_windows(1, bet, order);
    if (model.faults) {
        std::fprintf(stderr, "%s: the model found a fault: %s\n", program, model.first_fault.c_str());
        return 1;
    }
    const std::vector<RoleOdds> roles = roles_showing(model, bet, order, part);
    const std::string query = query_fields(bet, order, part);
    for (const RoleOdds& r : roles)
        std::printf("{%s, \"role\": %d, \"role_name\": %s, \"probability\": \"%s\", \"fraction\": \"%s\"}\n", query.c_str(),
                    r.role, json_text(role_name(r.role)).c_str(), decimal_text(r.probability).c_str(),
                    fraction_text(r.probability).c_str());
    std::string list;
    for (const RoleOdds& r : roles) list += (list.empty() ? "" : ", ") + std::to_string(r.role);
    std::printf("{%s, \"roles\": [%s], \"class\": \"%s\"}\n", query.c_str(), list.c_str(), class_name(class_of(roles)));
    return 0;
}

}  // namespace reelctl::windows
