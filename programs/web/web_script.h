// Panel scripts in the page: the lines of reelctl-script, acted out on the
// panel in the page's DOM through the one script engine, and the same
// output, read back from the DOM.
//
// A run goes one line at a time, so that the page can take its turn between
// lines (the companion's BroadcastChannel delivers between tasks).
#pragma once

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/panel.h"

namespace reelctl {
struct ModelOptions;
}

namespace reelctl::web {

class WebHost;
class WebPanel;

// The binding of the panel that the page's DOM events go to; null while none is open.
WebPanel*& dom_binding();

class ScriptRun {
public:
    // `args` as reelctl-script takes them, and `--key-lines` (key lines as
    // the keyboard tests press them, script/keys.h); `input` stands for its
    // standard input.
    ScriptRun(const std::vector<std::string>& args, std::string input, int run_number);
    // A road played for the user: the lines on a fresh panel that then stays
    // the user's, with the page's own companion channel and help page.
    static std::unique_ptr<ScriptRun> road(std::string lines);
    ~ScriptRun();

    // Runs the next line: none while lines remain, else the exit status.
    std::optional<int> step();
    std::optional<int> status() const { return status_; }

    // The panel as it is now, as the run's `dump` line would print it (the
    // message boxes those that the run answered since the last dump); empty
    // where the command line ended the run before a panel opened.
    std::string dump();

    std::string out() const { return out_.str(); }
    std::string err() const { return err_.str(); }
    // The channel on which this run's companion listens.
    const std::string& channel() const { return channel_; }

private:
    ScriptRun() = default;
    void begin(const ModelOptions& options, std::string input, bool live, bool key_lines);

    std::ostringstream out_;
    std::ostringstream err_;
    std::string channel_;
    std::optional<int> status_;
    std::istringstream in_;
    long line_number_ = 0;
    std::unique_ptr<WebHost> host_;
    struct Play;
    std::unique_ptr<Play> play_;
};

}  // namespace reelctl::web
