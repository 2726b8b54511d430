// A panel script played on a dialog under test: the one line loop (line
// ends, byte order mark, comments, malformed lines), the meaning of every
// line, the notes on ignored lines and the trace and dump output.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "script/dialog_under_test.h"
#include "script/parser.h"

namespace reelctl::script {

// Exit statuses of a script run.
inline constexpr int exit_ok = 0;
inline constexpr int exit_failure = 1;
inline constexpr int exit_malformed = 2;

class Session {
public:
    // `program` names the host in messages on `err`.
    Session(DialogUnderTest& dialog, std::ostream& out, std::ostream& err, std::string program);

    // Takes `key KEY...` lines (script/keys.h) besides the language's own:
    // for the keyboard tests of the front ends on real windows. Off, such a
    // line is malformed, as the language has it.
    void take_key_lines(bool on) { key_lines_ = on; }

    // Opens the panel (once).
    void start();

    // One line, without its line end. False when it is malformed: the message
    // went to the error stream and the caller runs nothing more.
    bool run_line(std::string_view line, long line_number);

    // Starts the panel and runs every line of `in`; the exit status.
    int run(std::istream& in);

    // Carries out one parsed event of line `line_number`.
    void execute(const Event& event, std::string_view line, long line_number);

private:
    void note(long line_number, std::string_view line, std::string_view why);

    DialogUnderTest& dialog_;
    std::ostream& out_;
    std::ostream& err_;
    std::string program_;
    bool started_ = false;
    bool key_lines_ = false;
};

}  // namespace reelctl::script
