#include "programs/web/web_script.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <variant>

#include "app/dialog.h"
#include "frontends/web/dom.h"
#include "frontends/web/web_panel.h"
#include "panel/control_ids.h"
#include "panel/dialog_layout.h"
#include "programs/reelctl-script/command_line.h"
#include "script/dialog_under_test.h"
#include "script/dump.h"
#include "script/session.h"
#include "script/tracing_panel.h"
#include "text/cp932.h"

namespace reelctl::web {

WebPanel*& dom_binding() {
    static WebPanel* binding = nullptr;
    return binding;
}

namespace {

constexpr const char* program_name = "reelctl-script";

// A UTF-8 text from the page, freed here; empty for none.
std::string take(char* utf8) {
    std::string text = utf8 ? utf8 : "";
    std::free(utf8);
    return text;
}

std::optional<std::string> take_optional(char* utf8) {
    if (!utf8) return std::nullopt;
    return take(utf8);
}

// A key as the page's key handling reads it: the DOM's `key` and `code`.
std::pair<std::string, std::string> dom_key(const script::KeyPress& press) {
    switch (press.key) {
        case script::Key::tab: return {"Tab", "Tab"};
        case script::Key::enter: return {"Enter", "Enter"};
        case script::Key::escape: return {"Escape", "Escape"};
        case script::Key::space: return {" ", "Space"};
        case script::Key::up: return {"ArrowUp", "ArrowUp"};
        case script::Key::down: return {"ArrowDown", "ArrowDown"};
        case script::Key::left: return {"ArrowLeft", "ArrowLeft"};
        case script::Key::right: return {"ArrowRight", "ArrowRight"};
        case script::Key::home: return {"Home", "Home"};
        case script::Key::end: return {"End", "End"};
        case script::Key::f4: return {"F4", "F4"};
        case script::Key::character: break;
    }
    const char c = press.character;
    if (c >= '0' && c <= '9') return {std::string(1, c), std::string("Digit") + c};
    const char lower = static_cast<char>(c - 'A' + 'a');
    return {std::string(1, press.shift ? c : lower), std::string("Key") + c};
}

}  // namespace

// The panel in the page's DOM, as a dialog under test: the user's acts are
// DOM events on the page's controls, and everything is read back from the DOM.
class WebHost final : public script::DialogUnderTest {
public:
    // `live`: the panel of a road, which stays the user's: the page's own
    // companion channel and help page, no companion of the run.
    WebHost(const ModelOptions& options, const std::string& channel, bool live)
        : options_(options), live_(live), binding_channel_(channel), binding_(live ? WebOptions{} : web_options(channel)),
          tracer_(binding_, binding_), panel_(tracer_, tracer_) {
        binding_.set_dialog_procedure(
            [this](std::uint32_t message, std::uintptr_t wparam) { return dialog_procedure(panel_, message, wparam, 0); });
    }
    ~WebHost() override {
        if (dom_binding() == &binding_) dom_binding() = nullptr;
    }

    void start() override {
        reelctl_dom_build(live_ ? -1 : options_.row_pixels);
        if (options_.companion && !live_) reelctl_dom_companion_listen(binding_channel_.c_str());
        dom_binding() = &binding_;
        binding_.start();
    }
    void send(std::uint32_t message, std::uintptr_t wparam) override { binding_.deliver(message, wparam); }
    void menu(int id) override {
        // A command of the menu is a click on its item; any other id goes straight to the dialog.
        if (!reelctl_dom_menu_command(id)) send(msg_command, command_param(id, 0));
    }
    // A system command of a title bar button that the page shows is a click
    // on it; any other goes to the dialog.
    void syscommand(std::uintptr_t value) override {
        for (int button : {reelctl_dom_title_close, reelctl_dom_title_minimize, reelctl_dom_title_restore})
            if (WebPanel::title_button_command(button) == value && reelctl_dom_title_button(button)) return;
        binding_.syscommand(value);
    }
    void setfocus() override { binding_.setfocus(); }
    void click(int id) override { reelctl_dom_click(id); }
    void pick(int id, std::size_t item) override { reelctl_dom_pick(id, static_cast<int>(item)); }
    void type_text(int id, std::string_view text) override {
        reelctl_dom_type_text(id, cp932_to_utf8(text).c_str());
    }
    // Each key as a DOM event through the page's key handling; a message box
    // that a key opens is answered before the next key.
    bool press_keys(const std::vector<script::KeyPress>& presses) override {
        for (const script::KeyPress& press : presses) {
            const auto [key, code] = dom_key(press);
            reelctl_dom_press_key(key.c_str(), code.c_str(), press.shift, press.alt);
            settle();
        }
        return true;
    }
    // Each message box is read as the user sees it and answered with OK.
    void settle() override {
        while (std::optional<std::string> text = take_optional(reelctl_dom_message_text())) {
            const std::string caption = take(reelctl_dom_message_caption());
            messages_.push_back({utf8_to_cp932(*text), utf8_to_cp932(caption)});
            reelctl_dom_answer_message();
        }
    }

    bool readable() override { return true; }  // after close the page keeps the controls as they were
    bool iconic() override { return reelctl_dom_iconic() != 0; }
    std::optional<int> end_value() override { return binding_.end_value(); }
    bool visible(int id) override { return (reelctl_dom_state(id) & reelctl_dom_shown) != 0; }
    bool enabled(int id) override { return (reelctl_dom_state(id) & reelctl_dom_enabled) != 0; }
    bool checked(int id) override { return (reelctl_dom_state(id) & reelctl_dom_checked) != 0; }
    std::string text(int id) override { return utf8_to_cp932(take(reelctl_dom_text(id))); }
    std::vector<std::string> items(int id) override {
        std::vector<std::string> texts;
        const int count = reelctl_dom_item_count(id);
        for (int i = 0; i < count; ++i) texts.push_back(utf8_to_cp932(take(reelctl_dom_item(id, i))));
        return texts;
    }
    std::size_t item_count(int id) override { return static_cast<std::size_t>(std::max(0, reelctl_dom_item_count(id))); }
    std::optional<std::string> image(int id) override { return take_optional(reelctl_dom_image(id)); }
    std::string caption() override { return utf8_to_cp932(take(reelctl_dom_caption_text())); }
    // The dialog manager's focus, which the page's DOM focus follows.
    std::optional<int> focus() override { return binding_.dialog_manager().focus(); }
    std::optional<std::vector<int>> menu_checked() override {
        std::vector<int> checked;
        for (const layout::MenuEntry& entry : layout::menu)
            if (entry.kind == layout::MenuEntryKind::item && entry.id >= IDM_BET_1 && entry.id <= IDM_ORDER_LAST &&
                reelctl_dom_menu_checked(entry.id))
                checked.push_back(entry.id);
        std::sort(checked.begin(), checked.end());
        return checked;
    }
    std::vector<script::ShownMessage> take_messages() override { return std::exchange(messages_, {}); }
    std::optional<std::string> notice() override {
        if (!options_.companion) return std::nullopt;
        char bytes[256];
        const int count = reelctl_dom_companion_received(bytes, sizeof bytes);
        if (count < 0) return std::nullopt;
        return std::string(bytes, static_cast<std::size_t>(std::min<int>(count, sizeof bytes)));
    }
    const EngineState* engine_state() override { return &panel_; }
    script::TracingPanel* tracer() override { return &tracer_; }

private:
    static WebOptions web_options(const std::string& channel) {
        WebOptions options;
        options.channel = channel;  // only this run's own companion hears the notice
        options.help_document.clear();  // a script run opens no tab
        return options;
    }

    ModelOptions options_;
    bool live_;
    std::string binding_channel_;
    WebPanel binding_;
    script::TracingPanel tracer_;
    Panel panel_;
    std::vector<script::ShownMessage> messages_;
};

struct ScriptRun::Play {
    Play(WebHost& host, std::ostream& out, std::ostream& err) : session(host, out, err, program_name) {}
    script::Session session;
};

ScriptRun::ScriptRun(const std::vector<std::string>& args, std::string input, int run_number)
    : channel_(std::string(companion_mailslot_name) + "#script-" + std::to_string(run_number)) {
    // --key-lines is the keyboard hosts' option, before any `--`; the rest is reelctl-script's.
    std::vector<std::string> options;
    bool key_lines = false;
    bool operands = false;
    for (const std::string& arg : args) {
        if (arg == "--") operands = true;
        if (!operands && arg == "--key-lines") key_lines = true;
        else options.push_back(arg);
    }
    std::variant<int, script::ScriptInvocation> read = script::read_command_line(options, out_, err_);
    if (const int* status = std::get_if<int>(&read)) {
        status_ = *status;
        return;
    }
    script::ScriptInvocation& invocation = std::get<script::ScriptInvocation>(read);
    begin(invocation.options, invocation.file_text ? std::move(*invocation.file_text) : std::move(input), false, key_lines);
}

std::unique_ptr<ScriptRun> ScriptRun::road(std::string lines) {
    std::unique_ptr<ScriptRun> run(new ScriptRun());
    run->channel_ = companion_mailslot_name;
    run->begin(ModelOptions{}, std::move(lines), true, false);
    return run;
}

void ScriptRun::begin(const ModelOptions& options, std::string input, bool live, bool key_lines) {
    in_.str(std::move(input));
    host_ = std::make_unique<WebHost>(options, channel_, live);
    play_ = std::make_unique<Play>(*host_, out_, err_);
    play_->session.take_key_lines(key_lines);
    play_->session.start();
}

ScriptRun::~ScriptRun() = default;

std::string ScriptRun::dump() { return host_ ? script::dump_json(*host_) : std::string(); }

// The line loop of a script session, one line a call: CR LF line ends, a
// byte order mark before the first line, a malformed line ends the run.
std::optional<int> ScriptRun::step() {
    if (status_) return status_;
    std::string line;
    if (!std::getline(in_, line)) {
        out_.flush();
        status_ = script::exit_ok;
        return status_;
    }
    ++line_number_;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line_number_ == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    if (!play_->session.run_line(line, line_number_)) status_ = script::exit_malformed;
    return status_;
}

}  // namespace reelctl::web
