#include "panel/qt/qt_script.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPixmap>

#include <algorithm>
#include <fstream>
#include <istream>
#include <limits>
#include <memory>
#include <ostream>

#include "app/dialog.h"
#include "app/state.h"
#include "panel/control_ids.h"
#include "panel/qt/panel_window.h"
#include "panel/qt/qt_panel.h"
#include "tools/cp932.h"
#include "tools/json_writer.h"
#include "tools/script_parser.h"
#include "tools/script_runner.h"

namespace reelctl::qt {

namespace {

constexpr const char* program_name = "reelctl-qt";

std::string utf8(const QString& text) { return text.toStdString(); }

struct Message {
    std::string text;
    std::string caption;
};

// The companion: a local server of this run that keeps what it receives.
class Companion {
public:
    explicit Companion(const QString& name) {
        QLocalServer::removeServer(name);
        server_.listen(name);
    }
    // Everything received so far; none while nothing came.
    const std::optional<std::string>& received() {
        while (server_.waitForNewConnection(0) && server_.hasPendingConnections())
            clients_.emplace_back(server_.nextPendingConnection());
        for (QLocalSocket* client : clients_) {
            while (client->bytesAvailable() > 0 || client->waitForReadyRead(20)) {
                const QByteArray bytes = client->readAll();
                if (bytes.isEmpty()) break;
                if (!received_) received_.emplace();
                received_->append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
            }
        }
        return received_;
    }

private:
    QLocalServer server_;
    std::vector<QLocalSocket*> clients_;  // owned by the server
    std::optional<std::string> received_;
};

class ScriptHost {
public:
    ScriptHost(const ScriptOptions& options, std::ostream& out, std::ostream& err)
        : window_(WindowOptions{options.row_pixels}),
          binding_(window_, binding_options(options)),
          panel_(binding_, binding_),
          out_(out),
          err_(err) {
        if (options.companion) companion_ = std::make_unique<Companion>(companion_name());
        binding_.set_trace_sink([this](const TraceCall& call) {
            if (tracing_) out_ << script::trace_json(call) << '\n';
        });
        // Each box is read as the user sees it and answered with OK.
        binding_.set_message_answer([this](QMessageBox& box) {
            messages_.push_back({utf8(box.text()), utf8(box.windowTitle())});
            box.button(QMessageBox::Ok)->click();
        });
        binding_.set_help_opener([](const QString&) {});  // a script run opens no viewer
        window_.set_deliver([this](std::uint32_t message, std::uintptr_t wparam) {
            dialog_procedure(panel_, message, wparam, 0);
        });
    }

    void start() {
        const std::intptr_t result = dialog_procedure(panel_, msg_initdialog, 0, 0);
        window_.show();
        window_.activateWindow();
        QApplication::processEvents();
        // The dialog manager puts the focus on the first tab stop, the close button.
        if (result != 0) window_.control(IDC_CLOSE)->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }

    int run(std::istream& in) {
        start();
        std::string line;
        long line_number = 0;
        while (std::getline(in, line)) {
            ++line_number;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line_number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
            const script::ParsedLine parsed = script::parse_line(line);
            if (parsed.kind == script::ParsedLine::Kind::skip) continue;
            if (parsed.kind == script::ParsedLine::Kind::malformed) {
                out_.flush();
                err_ << program_name << ": line " << line_number << ": " << parsed.error << '\n';
                return script::exit_malformed;
            }
            execute(parsed.event, line, line_number);
            QApplication::processEvents();
            out_.flush();
        }
        if (in.bad()) {
            err_ << program_name << ": cannot read the script after line " << line_number << '\n';
            return script::exit_failure;
        }
        out_.flush();
        return out_ ? script::exit_ok : script::exit_failure;
    }

    PanelWindow& window() { return window_; }

private:
    static BindingOptions binding_options(const ScriptOptions& options) {
        BindingOptions b;
        b.pictures = options.pictures;
        b.help_document = options.help_document;
        // Only this run's own companion can be reached; none listens without --companion.
        b.companion_server = companion_name();
        return b;
    }
    static QString companion_name() {
        return QStringLiteral("vsg-vsreel-script-%1").arg(QCoreApplication::applicationPid());
    }

    void note(long line_number, std::string_view line, std::string_view why) {
        err_ << program_name << ": line " << line_number << ": " << why << ", ignored: " << line << '\n';
    }
    void deliver(std::uint32_t message, std::uintptr_t wparam) { dialog_procedure(panel_, message, wparam, 0); }

    UserResult click(int id) {
        QAbstractButton* button = window_.button(id);
        if (!button) return UserResult::not_applicable;
        if (button->isHidden()) return UserResult::hidden;
        if (!button->isEnabled()) return UserResult::disabled;
        button->click();  // the button's own click: an auto radio checks itself, then the notification
        return UserResult::done;
    }

    UserResult pick(int id, std::uint64_t item) {
        QComboBox* combo = window_.combo(id);
        if (!combo) return UserResult::not_applicable;
        if (!combo->isEnabled()) return UserResult::disabled;
        if (item >= static_cast<std::uint64_t>(combo->count())) return UserResult::no_item;
        const int index = static_cast<int>(item);
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);  // the user's completed choice
        return UserResult::done;
    }

    UserResult pick_text(int id, const std::string& cp932) {
        QComboBox* combo = window_.combo(id);
        if (!combo) return UserResult::not_applicable;
        if (!combo->isEnabled()) return UserResult::disabled;
        for (int i = 0; i < combo->count(); ++i)
            if (to_cp932(combo->itemText(i)) == cp932) return pick(id, static_cast<std::uint64_t>(i));
        return UserResult::no_item;
    }

    UserResult set_combo_text(int id, const std::string& cp932) {
        QComboBox* combo = window_.combo(id);
        if (!combo) return UserResult::not_applicable;
        combo->setCurrentIndex(-1);
        combo->setPlaceholderText(from_cp932(cp932.c_str()));
        return UserResult::done;
    }

    void execute(const script::Event& event, std::string_view line, long line_number) {
        using script::Verb;
        if (binding_.end_value() && event.verb != Verb::dump) {
            note(line_number, line, "the panel is closed");
            return;
        }
        UserResult result = UserResult::done;
        switch (event.verb) {
            case Verb::command: deliver(msg_command, command_param(event.id, event.code)); return;
            case Verb::menu:
                // A command of the menu is the item's own; any other id goes straight to the dialog.
                if (QAction* action = window_.menu_action(event.id)) action->trigger();
                else deliver(msg_command, command_param(event.id, 0));
                return;
            case Verb::close: deliver(msg_syscommand, syscommand_close); return;
            case Verb::syscommand: deliver(msg_syscommand, event.value); return;
            case Verb::setfocus: deliver(msg_setfocus, 0); return;
            case Verb::trace: tracing_ = event.on; return;
            case Verb::dump: out_ << dump() << '\n'; return;
            case Verb::click: result = click(event.id); break;
            case Verb::pick: result = pick(event.id, event.item); break;
            case Verb::picktext: result = pick_text(event.id, script::utf8_to_cp932(event.text)); break;
            case Verb::settext: result = set_combo_text(event.id, script::utf8_to_cp932(event.text)); break;
        }
        if (result != UserResult::done) note(line_number, line, script::why_ignored(event.verb, result));
    }

    std::optional<int> focused_id() const {
        QWidget* focused = window_.focusWidget();
        for (int id : window_.ids())
            if (window_.control(id) == focused) return id;
        return std::nullopt;
    }

    void write_control(script::JsonWriter& json, int id) {
        QWidget* widget = window_.control(id);
        json.begin_object();
        switch (*window_.kind(id)) {
            case WidgetKind::edit:
                json.key("text").value(utf8(window_.edit(id)->text()));
                json.key("enabled").value(widget->isEnabled());
                break;
            case WidgetKind::radio:
                json.key("visible").value(!widget->isHidden());
                json.key("checked").value(window_.button(id)->isChecked());
                break;
            case WidgetKind::bitmap:
                json.key("image");
                if (auto name = binding_.picture_of(id)) json.value(utf8(*name));
                else json.null();
                break;
            case WidgetKind::combo: {
                QComboBox* combo = window_.combo(id);
                json.key("items").begin_array();
                for (int i = 0; i < combo->count(); ++i) json.value(utf8(combo->itemText(i)));
                json.end_array();
                json.key("text").value(utf8(combo->currentIndex() >= 0 ? combo->currentText() : combo->placeholderText()));
                json.key("enabled").value(widget->isEnabled());
                break;
            }
            case WidgetKind::label:
            case WidgetKind::push_button:
                json.key("enabled").value(widget->isEnabled());
                break;
        }
        json.end_object();
    }

    std::string dump() {
        script::JsonWriter json;
        json.begin_object().key("dump").begin_object();
        json.key("caption").value(utf8(window_.windowTitle()));
        json.key("ended");
        if (auto value = binding_.end_value()) json.value(*value);
        else json.null();
        json.key("focus");
        if (auto id = focused_id()) json.value(*id);
        else json.null();
        std::vector<int> checked;
        for (int id : window_.check_items())
            if (window_.menu_action(id)->isChecked()) checked.push_back(id);
        std::sort(checked.begin(), checked.end());
        json.key("menu_checked").begin_array();
        for (int id : checked) json.value(id);
        json.end_array();
        json.key("messages").begin_array();
        for (const Message& m : messages_) json.begin_object().key("text").value(m.text).key("caption").value(m.caption).end_object();
        messages_.clear();
        json.end_array();
        json.key("notice");
        if (companion_ && companion_->received()) json.value(script::hex_bytes(*companion_->received()));
        else json.null();
        json.key("state");
        script::write_state(json, panel_);
        json.key("controls").begin_object();
        for (int id : window_.ids()) {
            if (id == IDC_SPARE_EDIT) continue;  // never used by the logic
            json.key(std::to_string(id));
            write_control(json, id);
        }
        json.end_object();
        json.end_object().end_object();
        return json.str();
    }

    PanelWindow window_;
    QtPanel binding_;
    Panel panel_;
    std::unique_ptr<Companion> companion_;
    std::ostream& out_;
    std::ostream& err_;
    bool tracing_ = false;
    std::vector<Message> messages_;
};

std::optional<int> whole_number(std::string_view s) {
    if (s.empty() || s.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

void usage(std::ostream& err) {
    err << "usage: " << program_name << " --script FILE [--row-pixels N] [--companion] [--grab PNG]\n";
}

}  // namespace

bool wants_script(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--script") != args.end();
}

bool parse_script_command_line(const std::vector<std::string>& args, ScriptOptions& options, std::string& script,
                               std::ostream& err) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        if (arg == "--companion") {
            options.companion = true;
        } else if (arg == "--script" || arg == "--row-pixels" || arg == "--grab") {
            if (!has_value) {
                err << program_name << ": " << arg << " needs a value\n";
                usage(err);
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--script") {
                script = value;
            } else if (arg == "--grab") {
                options.grab = QString::fromStdString(value);
            } else {
                auto pixels = whole_number(value);
                // The window's rows need room: a distance of at least one pixel.
                if (!pixels || *pixels < 1) {
                    err << program_name << ": --row-pixels: \"" << value << "\" is not a whole number above 0\n";
                    usage(err);
                    return false;
                }
                options.row_pixels = *pixels;
            }
        } else {
            err << program_name << ": unknown argument " << arg << '\n';
            usage(err);
            return false;
        }
    }
    return true;
}

int run_script(const ScriptOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    ScriptHost host(options, out, err);
    const int status = host.run(in);
    if (!options.grab.isEmpty()) {
        // After a close the window is hidden; the picture shows it as it was left.
        if (!host.window().grab().save(options.grab)) {
            err << program_name << ": cannot write " << options.grab.toStdString() << '\n';
            return script::exit_failure;
        }
    }
    return status;
}

}  // namespace reelctl::qt
