#include "tools/script_runner.h"

#include <fstream>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>

#include "app/dialog.h"
#include "panel/control_ids.h"
#include "tools/cp932.h"
#include "tools/json_writer.h"

namespace reelctl::script {

namespace {

constexpr const char* program_name = "reelctl-script";

void write_control(JsonWriter& json, const ModelControl& c) {
    json.begin_object();
    switch (c.kind) {
        case ControlKind::edit:
            json.key("text").value(cp932_to_utf8(c.text));
            json.key("enabled").value(c.enabled);
            break;
        case ControlKind::auto_radio:
            json.key("visible").value(c.visible);
            json.key("checked").value(c.checked);
            break;
        case ControlKind::bitmap_static:
            json.key("image");
            if (c.image) json.value(cp932_to_utf8(*c.image));
            else json.null();
            break;
        case ControlKind::combo:
            json.key("items").begin_array();
            for (const std::string& item : c.items) json.value(cp932_to_utf8(item));
            json.end_array();
            json.key("text").value(cp932_to_utf8(c.text));
            json.key("enabled").value(c.enabled);
            break;
        case ControlKind::label:
        case ControlKind::push_button:
            json.key("enabled").value(c.enabled);
            break;
    }
    json.end_object();
}

void usage(std::ostream& err) {
    err << "usage: " << program_name << " [--row-pixels N] [--companion] [SCRIPT]\n";
}

std::optional<int> signed_int(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    long long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int>::max()) return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

std::string hex_bytes(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (char ch : bytes) {
        unsigned char c = static_cast<unsigned char>(ch);
        out += digits[c >> 4];
        out += digits[c & 0x0F];
    }
    return out;
}

template <typename Array>
void write_numbers(JsonWriter& json, const Array& values) {
    json.begin_array();
    for (auto v : values) json.value(static_cast<long long>(v));
    json.end_array();
}

void write_state(JsonWriter& json, const Panel& panel) {
    const PanelState& s = panel.state;
    json.begin_object();
    json.key("bet").value(s.bet);
    json.key("stop_order").value(s.stop_order);
    json.key("role").value(s.role);
    json.key("pattern_code").value(s.pattern_code);
    json.key("slide_table").value(s.slide_table);
    json.key("role_kind").value(s.role_kind);
    json.key("left_pattern").value(s.left_pattern);
    json.key("table_choice").value(s.table_choice);
    json.key("awaiting_stop").value(static_cast<long long>(s.awaiting_stop));
    json.key("split_pending").value(static_cast<long long>(s.split_pending));
    json.key("pattern_mode").value(static_cast<long long>(s.pattern_mode));
    json.key("layout_variant").value(s.layout_variant);
    json.key("stop_pos");
    write_numbers(json, s.stop_pos);
    json.key("columns").begin_array();
    for (const ReelColumn& column : panel.columns) {
        json.begin_array();
        for (const ReelRow& row : column) json.begin_array().value(row.slide).value(row.mark).end_array();
        json.end_array();
    }
    json.end_array();
    json.key("conflict_mask");
    write_numbers(json, panel.conflict_mask);
    const TenCoinWork& t = panel.ten_coin;
    json.key("ten_coin").begin_object();
    json.key("codes");
    write_numbers(json, t.codes);
    json.key("candidates_a").value(t.candidates_a);
    json.key("candidates_b").value(t.candidates_b);
    json.key("weights");
    write_numbers(json, t.weights);
    json.key("saved_center_pos").value(t.saved_center_pos);
    json.key("saved_right_pos").value(t.saved_right_pos);
    json.end_object();
    json.end_object();
}

const char* why_ignored(Verb verb, UserResult result) {
    switch (result) {
        case UserResult::not_applicable:
            return verb == Verb::click ? "not a push button or radio button" : "not a combo";
        case UserResult::hidden: return "the control is hidden";
        case UserResult::disabled: return "the control is disabled";
        case UserResult::no_item:
            return verb == Verb::pick ? "the combo has no such item" : "no item of the combo has this text";
        case UserResult::done: break;
    }
    return "";
}

std::string trace_json(const TraceCall& call) {
    JsonWriter json;
    json.begin_object();
    json.key("call").value(call.name);
    for (const TraceField& field : call.fields) {
        json.key(field.key);
        switch (field.type) {
            case TraceField::Type::integer: json.value(field.number); break;
            case TraceField::Type::boolean: json.value(field.number != 0); break;
            case TraceField::Type::text: json.value(cp932_to_utf8(field.text)); break;
            case TraceField::Type::bytes: json.value(hex_bytes(field.text)); break;
            case TraceField::Type::null: json.null(); break;
        }
    }
    json.end_object();
    return json.str();
}

ScriptRunner::ScriptRunner(const RunOptions& options, std::ostream& out, std::ostream& err)
    : model_(ModelOptions{options.row_pixels, options.companion}), panel_(model_, model_), out_(out), err_(err) {
    model_.set_trace_sink([this](const TraceCall& call) { trace_line(call); });
}

void ScriptRunner::trace_line(const TraceCall& call) {
    if (!tracing_) return;
    out_ << trace_json(call) << '\n';
}

void ScriptRunner::deliver(std::uint32_t message, std::uintptr_t wparam) {
    dialog_procedure(panel_, message, wparam, 0);
}

void ScriptRunner::start() {
    if (started_) return;
    started_ = true;
    std::intptr_t result = dialog_procedure(panel_, msg_initdialog, 0, 0);
    model_.initial_focus(result);
}

std::string ScriptRunner::dump() {
    JsonWriter json;
    json.begin_object().key("dump").begin_object();
    json.key("caption").value(cp932_to_utf8(model_.caption_text()));
    json.key("ended");
    if (auto value = model_.end_value()) json.value(*value);
    else json.null();
    json.key("focus");
    if (auto id = model_.focused_control()) json.value(*id);
    else json.null();
    json.key("menu_checked");
    write_numbers(json, model_.checked_menu_items());
    json.key("messages").begin_array();
    const auto& messages = model_.messages();
    for (std::size_t i = messages_dumped_; i < messages.size(); ++i)
        json.begin_object()
            .key("text").value(cp932_to_utf8(messages[i].text))
            .key("caption").value(cp932_to_utf8(messages[i].caption))
            .end_object();
    messages_dumped_ = messages.size();
    json.end_array();
    json.key("notice");
    if (const auto& received = model_.companion_received()) json.value(hex_bytes(*received));
    else json.null();
    json.key("state");
    write_state(json, panel_);
    json.key("controls").begin_object();
    for (const ModelControl& c : model_.controls()) {
        if (c.id == IDC_SPARE_EDIT) continue;  // never used by the logic
        json.key(std::to_string(c.id));
        write_control(json, c);
    }
    json.end_object();
    json.end_object().end_object();
    return json.str();
}

void ScriptRunner::note(long line_number, std::string_view line, std::string_view why) {
    err_ << program_name << ": line " << line_number << ": " << why << ", ignored: " << line << '\n';
}

void ScriptRunner::execute(const Event& event, std::string_view line, long line_number) {
    if (ended() && event.verb != Verb::dump) {
        note(line_number, line, "the panel is closed");
        return;
    }
    UserResult result = UserResult::done;
    int notification = 0;
    switch (event.verb) {
        case Verb::command:
            deliver(msg_command, command_param(event.id, event.code));
            return;
        case Verb::menu:
            deliver(msg_command, command_param(event.id, 0));
            return;
        case Verb::close:
            deliver(msg_syscommand, syscommand_close);
            return;
        case Verb::syscommand:
            deliver(msg_syscommand, event.value);
            return;
        case Verb::setfocus:
            deliver(msg_setfocus, 0);
            return;
        case Verb::trace:
            tracing_ = event.on;
            return;
        case Verb::dump:
            out_ << dump() << '\n';
            return;
        case Verb::click:
            result = model_.click(event.id);
            notification = notify_clicked;
            break;
        case Verb::pick: {
            constexpr std::uint64_t most = std::numeric_limits<std::size_t>::max();
            result = model_.pick(event.id, static_cast<std::size_t>(event.item < most ? event.item : most));
            notification = notify_selendok;
            break;
        }
        case Verb::picktext:
            result = model_.pick_text(event.id, utf8_to_cp932(event.text));
            notification = notify_selendok;
            break;
        case Verb::settext:
            result = model_.set_combo_text(event.id, utf8_to_cp932(event.text));
            if (result == UserResult::done) return;  // no notification
            break;
    }
    if (result != UserResult::done) {
        note(line_number, line, why_ignored(event.verb, result));
        return;
    }
    deliver(msg_command, command_param(event.id, notification));
}

bool ScriptRunner::run_line(std::string_view line, long line_number) {
    ParsedLine parsed = parse_line(line);
    switch (parsed.kind) {
        case ParsedLine::Kind::skip:
            return true;
        case ParsedLine::Kind::malformed:
            out_.flush();
            err_ << program_name << ": line " << line_number << ": " << parsed.error << '\n';
            return false;
        case ParsedLine::Kind::event:
            execute(parsed.event, line, line_number);
            out_.flush();
            return true;
    }
    return true;
}

int ScriptRunner::run(std::istream& in) {
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
        err_ << program_name << ": cannot read the script after line " << line_number << '\n';
        return exit_failure;
    }
    out_.flush();
    if (!out_) {
        err_ << program_name << ": cannot write the output\n";
        return exit_failure;
    }
    return exit_ok;
}

int run_command_line(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    RunOptions options;
    std::optional<std::string> script;
    bool options_done = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!options_done && arg == "--") {
            options_done = true;
        } else if (!options_done && arg == "--companion") {
            options.companion = true;
        } else if (!options_done && (arg == "--row-pixels" || arg.rfind("--row-pixels=", 0) == 0)) {
            std::string value;
            if (arg == "--row-pixels") {
                if (i + 1 == args.size()) {
                    err << program_name << ": --row-pixels needs a number\n";
                    usage(err);
                    return exit_failure;
                }
                value = args[++i];
            } else {
                value = arg.substr(std::string_view("--row-pixels=").size());
            }
            auto pixels = signed_int(value);
            if (!pixels) {
                err << program_name << ": --row-pixels: \"" << value << "\" is not a whole number\n";
                usage(err);
                return exit_failure;
            }
            options.row_pixels = *pixels;
        } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
            err << program_name << ": unknown option " << arg << '\n';
            usage(err);
            return exit_failure;
        } else if (script) {
            err << program_name << ": more than one script: " << *script << ", " << arg << '\n';
            usage(err);
            return exit_failure;
        } else {
            script = arg;
        }
    }

    std::ifstream file;
    std::istream* source = &in;
    if (script && *script != "-") {
        file.open(*script, std::ios::binary);
        if (!file) {
            err << program_name << ": cannot open " << *script << '\n';
            return exit_failure;
        }
        source = &file;
    }
    ScriptRunner runner(options, out, err);
    return runner.run(*source);
}

}  // namespace reelctl::script
