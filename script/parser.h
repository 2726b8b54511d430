// The lines of a panel script.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace reelctl::script {

enum class Verb {
    command,     // command ID [CODE]
    click,       // click ID
    pick,        // pick ID N
    picktext,    // picktext ID TEXT
    settext,     // settext ID [TEXT]
    menu,        // menu ID
    close,       // close
    syscommand,  // syscommand VALUE
    setfocus,    // setfocus
    trace,       // trace on|off
    dump,        // dump
};

struct Event {
    Verb verb = Verb::dump;
    int id = 0;                 // ID, 0..65535
    int code = 0;               // CODE of command, 0..65535
    std::uint64_t item = 0;     // N of pick (saturated; no combo has that many items)
    std::uintptr_t value = 0;   // VALUE of syscommand
    bool on = false;            // trace on
    std::string text;           // TEXT of picktext and settext, as written (UTF-8)
};

struct ParsedLine {
    enum class Kind { skip, event, malformed };
    Kind kind = Kind::skip;
    Event event;
    std::string error;  // what is wrong with a malformed line
};

// One line without its line end. Blanks are spaces and tabs.
ParsedLine parse_line(std::string_view line);

}  // namespace reelctl::script
