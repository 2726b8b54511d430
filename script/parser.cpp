#include "script/parser.h"

#include "script/excerpt.h"

#include <limits>
#include <optional>
#include <vector>

namespace reelctl::script {

namespace {

constexpr std::uint64_t max_id = 65535;

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::size_t skip_blanks(std::string_view s, std::size_t i) {
    while (i < s.size() && is_blank(s[i])) ++i;
    return i;
}

std::size_t token_end(std::string_view s, std::size_t i) {
    while (i < s.size() && !is_blank(s[i])) ++i;
    return i;
}

std::vector<std::string_view> split(std::string_view s) {
    std::vector<std::string_view> tokens;
    std::size_t i = skip_blanks(s, 0);
    while (i < s.size()) {
        std::size_t end = token_end(s, i);
        tokens.push_back(s.substr(i, end - i));
        i = skip_blanks(s, end);
    }
    return tokens;
}

// Digits only; values past the range saturate.
std::optional<std::uint64_t> decimal(std::string_view s) {
    if (s.empty()) return std::nullopt;
    std::uint64_t value = 0;
    constexpr std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        unsigned digit = static_cast<unsigned>(c - '0');
        value = (value > (limit - digit) / 10) ? limit : value * 10 + digit;
    }
    return value;
}

// Decimal, or hex after 0x; nullopt when out of range.
std::optional<std::uintptr_t> syscommand_value(std::string_view s) {
    std::uint64_t value = 0;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        for (char c : s.substr(2)) {
            unsigned digit;
            if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
            else return std::nullopt;
            if (value > (std::numeric_limits<std::uint64_t>::max() >> 4)) return std::nullopt;
            value = (value << 4) | digit;
        }
    } else {
        auto parsed = decimal(s);
        if (!parsed || *parsed == std::numeric_limits<std::uint64_t>::max()) return std::nullopt;
        value = *parsed;
    }
    if (value > std::numeric_limits<std::uintptr_t>::max()) return std::nullopt;
    return static_cast<std::uintptr_t>(value);
}

ParsedLine malformed(std::string message) {
    ParsedLine line;
    line.kind = ParsedLine::Kind::malformed;
    line.error = std::move(message);
    return line;
}

std::string quoted(std::string_view s) { return "\"" + readable_excerpt(s) + "\""; }

// An ID or CODE: a decimal number up to 65535.
bool small_number(std::string_view token, const char* what, int& out, std::string& error) {
    auto value = decimal(token);
    if (!value) {
        error = std::string(what) + " " + quoted(token) + " is not a decimal number";
        return false;
    }
    if (*value > max_id) {
        error = std::string(what) + " " + std::string(token) + " is above 65535";
        return false;
    }
    out = static_cast<int>(*value);
    return true;
}

struct VerbName {
    const char* name;
    Verb verb;
};

constexpr VerbName verbs[] = {
    {"command", Verb::command}, {"click", Verb::click},       {"pick", Verb::pick},
    {"picktext", Verb::picktext}, {"settext", Verb::settext}, {"menu", Verb::menu},
    {"close", Verb::close},     {"syscommand", Verb::syscommand}, {"setfocus", Verb::setfocus},
    {"trace", Verb::trace},     {"dump", Verb::dump},
};

}  // namespace

ParsedLine parse_line(std::string_view line) {
    std::size_t start = skip_blanks(line, 0);
    if (start == line.size() || line[start] == '#') return {};

    std::size_t keyword_end = token_end(line, start);
    std::string_view keyword = line.substr(start, keyword_end - start);
    const VerbName* found = nullptr;
    for (const VerbName& v : verbs)
        if (keyword == v.name) found = &v;
    if (!found) return malformed("unknown keyword " + quoted(keyword));

    ParsedLine result;
    result.kind = ParsedLine::Kind::event;
    Event& event = result.event;
    event.verb = found->verb;
    std::string error;
    const std::string arguments_error = "wrong number of arguments for " + std::string(keyword);

    // picktext and settext: ID, then exactly one blank, then the rest of the line as it is.
    if (event.verb == Verb::picktext || event.verb == Verb::settext) {
        std::size_t id_start = skip_blanks(line, keyword_end);
        if (id_start == line.size()) return malformed(arguments_error);
        std::size_t id_end = token_end(line, id_start);
        if (!small_number(line.substr(id_start, id_end - id_start), "ID", event.id, error)) return malformed(error);
        if (id_end < line.size()) event.text = std::string(line.substr(id_end + 1));
        if (event.verb == Verb::picktext && event.text.empty()) return malformed("picktext without a text");
        return result;
    }

    std::vector<std::string_view> args = split(line.substr(keyword_end));
    auto count_is = [&](std::size_t low, std::size_t high) { return args.size() >= low && args.size() <= high; };

    switch (event.verb) {
        case Verb::command:
            if (!count_is(1, 2)) return malformed(arguments_error);
            if (!small_number(args[0], "ID", event.id, error)) return malformed(error);
            if (args.size() == 2 && !small_number(args[1], "CODE", event.code, error)) return malformed(error);
            break;
        case Verb::click:
        case Verb::menu:
            if (!count_is(1, 1)) return malformed(arguments_error);
            if (!small_number(args[0], "ID", event.id, error)) return malformed(error);
            break;
        case Verb::pick: {
            if (!count_is(2, 2)) return malformed(arguments_error);
            if (!small_number(args[0], "ID", event.id, error)) return malformed(error);
            auto item = decimal(args[1]);
            if (!item) return malformed("N " + quoted(args[1]) + " is not a decimal number");
            event.item = *item;
            break;
        }
        case Verb::syscommand: {
            if (!count_is(1, 1)) return malformed(arguments_error);
            auto value = syscommand_value(args[0]);
            if (!value) return malformed("VALUE " + quoted(args[0]) + " is not a decimal or 0x hex number in range");
            event.value = *value;
            break;
        }
        case Verb::trace:
            if (!count_is(1, 1)) return malformed(arguments_error);
            if (args[0] != "on" && args[0] != "off") return malformed("trace takes on or off, not " + quoted(args[0]));
            event.on = args[0] == "on";
            break;
        case Verb::close:
        case Verb::setfocus:
        case Verb::dump:
            if (!args.empty()) return malformed(arguments_error);
            break;
        case Verb::picktext:
        case Verb::settext:
            break;
    }
    return result;
}

}  // namespace reelctl::script
