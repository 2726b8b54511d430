#include "tools/windows/judge.h"

#include <getopt.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "machine/roles.h"
#include "machine/symbols.h"
#include "tools/windows/aim.h"
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
    "(BIG-only, REG-only, bonus-only, no-bonus, mixed or impossible).\n"
    "\n"
    "       reelctl-atlas --aim --bet B --order O --role R --reel REEL --line LINE --symbol SYMBOL\n"
    "\n"
    "Where to press a reel (left, center or right) to bring a symbol (seven, bar,\n"
    "frog, moon, orange, bell, cherry) to a line (top, middle or bottom) when the\n"
    "machine has won role R (the dump's state.role, 0..10) at that bet and stop\n"
    "order. One JSON line per press index (0..20) that can do it, with the\n"
    "probability over the machine's draws and the other reels' presses; one per\n"
    "stop index that shows it, with how many of the 21 presses reach that stop\n"
    "(on the average, and whatever the machine draws); then one line with the\n"
    "probability for a press at random and the presses that never miss.\n";

constexpr const char* reel_words[] = {"left", "center", "right"};
constexpr const char* line_words[] = {"bottom", "middle", "top"};  // by window_symbol's line

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
        if (std::string_view(argv[i]) == "--judge" || std::string_view(argv[i]) == "--aim") return true;
    return false;
}

namespace {

// The index of `text` among `words`, or -1.
template <std::size_t N>
int word(const char* text, const char* const (&words)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (std::string_view(text) == words[i]) return static_cast<int>(i);
    return -1;
}

int judge(int bet, int order, const PartialWindow& part) {
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

int aim(int bet, int order, int role, int reel, int line, int symbol) {
    const Model model = compute_windows(1, bet, order);
    if (model.faults) {
        std::fprintf(stderr, "%s: the model found a fault: %s\n", program, model.first_fault.c_str());
        return 1;
    }
    const TripleWindows* triple = nullptr;
    for (const TripleWindows& t : model.triples)
        if (t.triple.role == role) triple = &t;
    if (!triple) return bad("--role " + std::to_string(role) + ": the role combo does not offer that role at bet " + std::to_string(bet));
    const Aim answer = aim_at(*triple, reel, line, symbol);
    const std::string query = "\"bet\": " + std::to_string(bet) + ", \"stop_order\": " + std::to_string(order) +
                              ", \"role\": " + std::to_string(role) + ", \"reel\": \"" + reel_words[reel] +
                              "\", \"line\": \"" + line_words[line] + "\", \"symbol\": \"" + symbol_names[static_cast<std::size_t>(symbol)] + "\"";
    std::string sure;
    for (const AimPress& p : answer.presses) {
        std::printf("{%s, \"press\": %d, \"probability\": \"%s\", \"fraction\": \"%s\"}\n", query.c_str(), p.press,
                    decimal_text(p.probability).c_str(), fraction_text(p.probability).c_str());
        if (p.probability.numerator == p.probability.denominator) sure += (sure.empty() ? "" : ", ") + std::to_string(p.press);
    }
    for (const AimStop& st : answer.stops)
        std::printf("{%s, \"stop\": %d, \"presses\": \"%s\", \"sure_presses\": %d}\n", query.c_str(), st.stop,
                    fraction_text(st.presses).c_str(), st.sure);
    std::printf("{%s, \"hit_probability\": \"%s\", \"fraction\": \"%s\", \"never_miss\": [%s]}\n", query.c_str(),
                decimal_text(answer.hit).c_str(), fraction_text(answer.hit).c_str(), sure.c_str());
    return 0;
}

}  // namespace

int judge_main(int argc, char** argv) {
    static const option options[] = {
        {"judge", no_argument, nullptr, 'j'},  {"aim", no_argument, nullptr, 'a'},
        {"bet", required_argument, nullptr, 'b'}, {"order", required_argument, nullptr, 'o'},
        {"left", required_argument, nullptr, 'l'}, {"center", required_argument, nullptr, 'c'},
        {"right", required_argument, nullptr, 'r'}, {"role", required_argument, nullptr, 'R'},
        {"reel", required_argument, nullptr, 'e'}, {"line", required_argument, nullptr, 'L'},
        {"symbol", required_argument, nullptr, 's'}, {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    int bet = -1, order = -1, role = -1, reel = -1, line = -1, symbol = -1;
    bool judging = false, aiming = false, window_given = false, aim_given = false;
    PartialWindow part{-1, -1, -1};
    opterr = 0;
    optind = 1;
    for (int c; (c = getopt_long(argc, argv, "+:", options, nullptr)) != -1;) {
        const std::string given = optarg ? optarg : "";
        switch (c) {
            case 'j': judging = true; break;
            case 'a': aiming = true; break;
            case 'h': std::fputs(usage_text, stdout); return 0;
            case 'b':
                if ((bet = number(optarg, 0, 2)) < 0) return bad("--bet " + given + ": a bet is 0, 1 or 2");
                break;
            case 'o':
                if ((order = number(optarg, 0, 5)) < 0) return bad("--order " + given + ": a stop order is 0 to 5");
                break;
            case 'l': case 'c': case 'r': {
                const int r = c == 'l' ? 0 : c == 'c' ? 1 : 2;
                window_given = true;
                if ((part[static_cast<std::size_t>(r)] = number(optarg, 0, 20)) < 0)
                    return bad(std::string("--") + reel_words[r] + " " + given + ": a stop index is 0 to 20");
                break;
            }
            case 'R':
                aim_given = true;
                if ((role = number(optarg, 0, role_count - 1)) < 0) return bad("--role " + given + ": a role is 0 to 10");
                break;
            case 'e':
                aim_given = true;
                if ((reel = word(optarg, reel_words)) < 0) return bad("--reel " + given + ": a reel is left, center or right");
                break;
            case 'L':
                aim_given = true;
                if ((line = word(optarg, line_words)) < 0) return bad("--line " + given + ": a line is top, middle or bottom");
                break;
            case 's':
                aim_given = true;
                for (int k = 0; k < symbol_count - 1; ++k)
                    if (given == symbol_names[static_cast<std::size_t>(k)]) symbol = k;
                if (symbol < 0) return bad("--symbol " + given + ": a symbol is seven, bar, frog, moon, orange, bell or cherry");
                break;
            case ':': return bad(std::string(argv[optind - 1]) + " needs a value");
            default: return bad(std::string("unknown option ") + argv[optind - 1] + " (see --judge --help)");
        }
    }
    if (optind != argc) return bad(std::string("unexpected argument ") + argv[optind]);
    if (judging == aiming) return bad("either --judge or --aim");
    const char* mode = judging ? "--judge" : "--aim";
    if (bet < 0 || order < 0) return bad(std::string(mode) + " needs --bet and --order");
    if (judging && aim_given) return bad("--role, --reel, --line and --symbol belong to --aim");
    if (judging) return judge(bet, order, part);
    if (window_given) return bad("--left, --center and --right belong to --judge");
    if (role < 0 || reel < 0 || line < 0 || symbol < 0) return bad("--aim needs --role, --reel, --line and --symbol");
    return aim(bet, order, role, reel, line, symbol);
}

}  // namespace reelctl::windows
