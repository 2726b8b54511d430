#include "script/keys.h"

#include <array>
#include <utility>

namespace reelctl::script {
namespace {

constexpr std::array<std::pair<std::string_view, Key>, 11> named_keys = {{
    {"Tab", Key::tab}, {"Enter", Key::enter}, {"Escape", Key::escape}, {"Space", Key::space}, {"Up", Key::up},
    {"Down", Key::down}, {"Left", Key::left}, {"Right", Key::right}, {"Home", Key::home}, {"End", Key::end},
    {"F4", Key::f4},
}};

bool take_prefix(std::string_view& text, std::string_view prefix) {
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

std::optional<KeyPress> parse_key(std::string_view text) {
    KeyPress press;
    for (bool more = true; more;) {
        more = false;
        if (take_prefix(text, "Shift+")) more = press.shift = true;
        if (take_prefix(text, "Alt+")) more = press.alt = true;
    }
    for (const auto& [name, key] : named_keys)
        if (text == name) {
            press.key = key;
            return press;
        }
    if (text.size() == 1) {
        char c = text[0];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            press.key = Key::character;
            press.character = c;
            return press;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<KeyPress>> parse_keys(std::string_view names) {
    std::vector<KeyPress> presses;
    while (!names.empty()) {
        const std::size_t start = names.find_first_not_of(" \t");
        if (start == std::string_view::npos) break;
        names.remove_prefix(start);
        const std::size_t end = std::min(names.find_first_of(" \t"), names.size());
        const std::optional<KeyPress> press = parse_key(names.substr(0, end));
        if (!press) return std::nullopt;
        presses.push_back(*press);
        names.remove_prefix(end);
    }
    if (presses.empty()) return std::nullopt;
    return presses;
}

std::string key_name(const KeyPress& press) {
    std::string name = std::string(press.shift ? "Shift+" : "") + (press.alt ? "Alt+" : "");
    if (press.key == Key::character) return name + press.character;
    for (const auto& [text, key] : named_keys)
        if (key == press.key) return name + std::string(text);
    return name;
}

}  // namespace reelctl::script
