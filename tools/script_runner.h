// Runs panel scripts: the viewer's logic on the in-memory model panel,
// driven line by line, with trace and dump lines as JSON.
#pragma once

#include <iosfwd>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/state.h"
#include "panel/model_panel.h"
#include "tools/json_writer.h"
#include "tools/script_parser.h"

namespace reelctl::script {

struct RunOptions {
    int row_pixels = 24;
    bool companion = false;
};

// Exit statuses of reelctl-script.
inline constexpr int exit_ok = 0;
inline constexpr int exit_failure = 1;
inline constexpr int exit_malformed = 2;

class ScriptRunner {
public:
    ScriptRunner(const RunOptions& options, std::ostream& out, std::ostream& err);
    ScriptRunner(const ScriptRunner&) = delete;
    ScriptRunner& operator=(const ScriptRunner&) = delete;

    // Opens the panel: WM_INITDIALOG, then the dialog manager's focus.
    void start();

    // Runs one line (without its line end). False when it is malformed: the
    // message went to the error stream and the caller runs nothing more.
    bool run_line(std::string_view line, long line_number);

    // Runs every line of `in` after start(); the exit status.
    int run(std::istream& in);

    // One dump line's JSON object, {"dump": ...}; forgets the messages shown so far.
    std::string dump();

    ModelPanel& model() { return model_; }
    const Panel& panel() const { return panel_; }
    bool ended() const { return model_.end_value().has_value(); }

private:
    void note(long line_number, std::string_view line, std::string_view why);
    void deliver(std::uint32_t message, std::uintptr_t wparam);
    void execute(const Event& event, std::string_view line, long line_number);
    void trace_line(const TraceCall& call);

    ModelPanel model_;
    Panel panel_;
    std::ostream& out_;
    std::ostream& err_;
    bool started_ = false;
    bool tracing_ = false;
    std::size_t messages_dumped_ = 0;
};

// Pieces of the output shared with other front ends that run scripts.
std::string hex_bytes(std::string_view bytes);           // lower-case hex
void write_state(JsonWriter& json, const Panel& panel);  // a dump's "state" object
std::string trace_json(const TraceCall& call);           // one trace line, without its end
const char* why_ignored(Verb verb, UserResult result);   // the reason in a note on an ignored line

// The whole command line: arguments after the program name, the standard
// streams; the exit status.
int run_command_line(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace reelctl::script
