#include "script/session.h"

#include <istream>
#include <ostream>

#include "script/dump.h"
#include "script/excerpt.h"
#include "script/tracing_panel.h"
#include "script/user.h"
#include "text/cp932.h"

namespace reelctl::script {

Session::Session(DialogUnderTest& dialog, std::ostream& out, std::ostream& err, std::string program)
    : dialog_(dialog), out_(out), err_(err), program_(std::move(program)) {}

void Session::start() {
    if (started_) return;
    started_ = true;
    dialog_.start();
}

void Session::note(long line_number, std::string_view line, std::string_view why) {
    err_ << program_ << ": line " << line_number << ": " << why << ", ignored: " << readable_excerpt(line, 80) << '\n';
}

void Session::execute(const Event& event, std::string_view line, long line_number) {
    if (event.verb != Verb::dump && dialog_.end_value()) {
        note(line_number, line, "the panel is closed");
        return;
    }
    UserResult result = UserResult::done;
    switch (event.verb) {
        case Verb::command: dialog_.command(event.id, event.code); return;
        case Verb::menu: dialog_.menu(event.id); return;
        case Verb::close: dialog_.syscommand(syscommand_close); return;
        case Verb::syscommand: dialog_.syscommand(event.value); return;
        case Verb::setfocus: dialog_.setfocus(); return;
        case Verb::trace:
            if (TracingPanel* tracer = dialog_.tracer()) tracer->print_to(event.on ? &out_ : nullptr);
            else note(line_number, line, "a window cannot trace the program's calls");
            return;
        case Verb::dump:
            out_ << dump_json(dialog_) << '\n' << std::flush;
            dialog_.dumped();
            return;
        case Verb::click: result = user_click(dialog_, event.id); break;
        case Verb::pick: result = user_pick(dialog_, event.id, event.item); break;
        case Verb::picktext: result = user_pick_text(dialog_, event.id, utf8_to_cp932(event.text)); break;
        case Verb::settext: result = user_type_text(dialog_, event.id, utf8_to_cp932(event.text)); break;
    }
    if (result != UserResult::done)
        note(line_number, line, why_not_done(result, event.verb == Verb::click, event.verb == Verb::picktext));
}

bool Session::run_line(std::string_view line, long line_number) {
    if (key_lines_) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start != std::string_view::npos && line.substr(start, 4) == "key ") {
            const auto presses = parse_keys(line.substr(start + 4));
            if (!presses) {
                out_.flush();
                err_ << program_ << ": line " << line_number << ": unknown key in " << readable_excerpt(line) << '\n';
                return false;
            }
            if (dialog_.end_value()) note(line_number, line, "the panel is closed");
            else if (!dialog_.press_keys(*presses)) note(line_number, line, "this dialog takes no keys");
            dialog_.settle();
            out_.flush();
            return true;
        }
    }
    const ParsedLine parsed = parse_line(line);
    switch (parsed.kind) {
        case ParsedLine::Kind::skip:
            return true;
        case ParsedLine::Kind::malformed:
            out_.flush();
            err_ << program_ << ": line " << line_number << ": " << parsed.error << '\n';
            return false;
        case ParsedLine::Kind::event:
            execute(parsed.event, line, line_number);
            dialog_.settle();
            out_.flush();
            return true;
    }
    return true;
}

int Session::run(std::istream& in) {
    start();
    std::string line;
    long line_number = 0;
    while (std::getline(in, line)) {
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.pop_back();  // CR LF line ends
        if (line_number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // a UTF-8 byte order mark
        if (!run_line(line, line_number)) return exit_malformed;
    }
    if (in.bad()) {
        err_ << program_ << ": cannot read the script after line " << line_number << '\n';
        return exit_failure;
    }
    out_.flush();
    if (!out_) {
        err_ << program_ << ": cannot write the output\n";
        return exit_failure;
    }
    return exit_ok;
}

}  // namespace reelctl::script
