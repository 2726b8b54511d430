// Keys as the user presses them, for the hosts on real windows: a front end
// is also driven by its keyboard, which the dialog manager handles (tab
// order, mnemonics, Enter and Escape) and the panel logic never sees.
//
// A key line (accepted only where a host is asked to take them) is
// `key KEY...`: each KEY a key name with optional Shift+ and Alt+ before
// it: Tab, Enter, Escape, Space, Up, Down, Left, Right, Home, End, F4, or a
// letter or digit (Alt+C, Alt+S).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reelctl::script {

enum class Key { tab, enter, escape, space, up, down, left, right, home, end, f4, character };

struct KeyPress {
    Key key = Key::tab;
    char character = 0;  // upper-case letter or digit, for Key::character
    bool shift = false;
    bool alt = false;
};

// The presses of KEY...; none when a name is unknown.
std::optional<std::vector<KeyPress>> parse_keys(std::string_view names);

// A press as its KEY.
std::string key_name(const KeyPress& press);

}  // namespace reelctl::script
