#include "programs/reelctl-qt/qt_script.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <utility>
#include <fstream>
#include <istream>
#include <limits>
#include <memory>
#include <ostream>

#include "app/dialog.h"
#include "frontends/qt/panel_window.h"
#include "frontends/qt/qt_panel.h"
#include "panel/control_ids.h"
#include "script/dialog_under_test.h"
#include "script/session.h"
#include "script/tracing_panel.h"

namespace reelctl::qt {

namespace {

constexpr const char* program_name = "reelctl-qt";

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

Qt::Key qt_key(const script::KeyPress& press) {
    switch (press.key) {
        case script::Key::tab: return press.shift ? Qt::Key_Backtab : Qt::Key_Tab;
        case script::Key::enter: return Qt::Key_Return;
        case script::Key::escape: return Qt::Key_Escape;
        case script::Key::space: return Qt::Key_Space;
        case script::Key::up: return Qt::Key_Up;
        case script::Key::down: return Qt::Key_Down;
        case script::Key::left: return Qt::Key_Left;
        case script::Key::right: return Qt::Key_Right;
        case script::Key::home: return Qt::Key_Home;
        case script::Key::end: return Qt::Key_End;
        case script::Key::f4: return Qt::Key_F4;
        case script::Key::character: break;
    }
    return static_cast<Qt::Key>(press.character);  // Qt::Key_A.. and Key_0.. are the ASCII codes
}

// The panel on a Qt window, as a dialog under test: the user's acts are the
// widgets' own, and everything is read back from the widgets.
class QtHost final : public script::DialogUnderTest {
public:
    explicit QtHost(const ScriptOptions& options)
        : window_(WindowOptions{options.row_pixels, false}),
          binding_(window_, binding_options(options)),
          tracer_(binding_, binding_),
          panel_(tracer_, tracer_) {
        if (options.companion) companion_ = std::make_unique<Companion>(companion_name());
        // Each box is read as the user sees it and answered with OK.
        binding_.set_message_answer([this](QMessageBox& box) {
            messages_.push_back({to_cp932(box.text()), to_cp932(box.windowTitle())});
            box.button(QMessageBox::Ok)->click();
        });
        binding_.set_help_opener([](const QString&) {});  // a script run opens no viewer
        window_.set_deliver([this](std::uint32_t message, std::uintptr_t wparam) {
            return dialog_procedure(panel_, message, wparam, 0);
        });
    }

    void start() override {
        const std::intptr_t result = dialog_procedure(panel_, msg_initdialog, 0, 0);
        window_.show();
        window_.activateWindow();
        QApplication::processEvents();
        window_.start(result);
        QApplication::processEvents();
    }
    void send(std::uint32_t message, std::uintptr_t wparam) override {
        dialog_procedure(panel_, message, wparam, 0);
    }
    void menu(int id) override {
        // A command of the menu is the item's own; any other id goes straight to the dialog.
        if (QAction* action = window_.menu_action(id)) action->trigger();
        else dialog_procedure(panel_, msg_command, command_param(id, 0), 0);
    }
    void syscommand(std::uintptr_t value) override { window_.system_command(value); }
    void setfocus() override { window_.dialog_manager().setfocus_message(); }
    // The user's mouse: the control takes the focus as the button goes down,
    // then the button's own click (an auto radio checks itself) notifies.
    void click(int id) override {
        window_.dialog_manager().user_acts(id);
        window_.button(id)->click();
    }
    void pick(int id, std::size_t item) override {
        QComboBox* combo = window_.combo(id);
        window_.dialog_manager().user_acts(id);
        const int index = static_cast<int>(item);
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);  // the user's completed choice
    }
    // The user's keyboard, through the system's key events (shortcuts and
    // mnemonics included), to the widget with the focus.
    bool press_keys(const std::vector<script::KeyPress>& presses) override {
        for (const script::KeyPress& press : presses) {
            Qt::KeyboardModifiers modifiers;
            if (press.shift) modifiers |= Qt::ShiftModifier;
            if (press.alt) modifiers |= Qt::AltModifier;
            QTest::keyClick(key_target(), qt_key(press), modifiers);
            QApplication::processEvents();
        }
        return true;
    }
    void settle() override { QApplication::processEvents(); }
    // Where a key goes: the list of a dropped-down combo, an open menu, or the focus.
    QWidget* key_target() {
        for (int id : window_.ids())
            if (QComboBox* combo = window_.combo(id); combo && combo->view()->isVisible()) return combo->view();
        if (QWidget* popup = QApplication::activePopupWidget()) return popup;
        if (QWidget* focused = window_.focusWidget()) return focused;
        return &window_;
    }
    void type_text(int id, std::string_view text) override {
        QComboBox* combo = window_.combo(id);
        combo->setCurrentIndex(-1);
        combo->setPlaceholderText(from_cp932(std::string(text).c_str()));
    }

    bool readable() override { return true; }
    bool iconic() override { return window_.isMinimized(); }
    std::optional<int> end_value() override { return binding_.end_value(); }
    bool visible(int id) override {
        QWidget* widget = window_.control(id);
        return widget && !widget->isHidden();
    }
    bool enabled(int id) override {
        QWidget* widget = window_.control(id);
        return widget && widget->isEnabled();
    }
    bool checked(int id) override {
        QAbstractButton* button = window_.button(id);
        return button && button->isChecked();
    }
    std::string text(int id) override {
        if (QLineEdit* edit = window_.edit(id)) return to_cp932(edit->text());
        if (QComboBox* combo = window_.combo(id))
            return to_cp932(combo->currentIndex() >= 0 ? combo->currentText() : combo->placeholderText());
        return {};
    }
    std::vector<std::string> items(int id) override {
        std::vector<std::string> texts;
        if (QComboBox* combo = window_.combo(id))
            for (int i = 0; i < combo->count(); ++i) texts.push_back(to_cp932(combo->itemText(i)));
        return texts;
    }
    std::optional<std::string> image(int id) override {
        if (auto name = binding_.picture_of(id)) return name->toStdString();
        return std::nullopt;
    }
    std::string caption() override { return to_cp932(window_.windowTitle()); }
    std::optional<int> focus() override { return window_.focused_control(); }
    std::optional<std::vector<int>> menu_checked() override {
        std::vector<int> checked;
        for (int id : window_.check_items())
            if (window_.menu_action(id)->isChecked()) checked.push_back(id);
        std::sort(checked.begin(), checked.end());
        return checked;
    }
    std::vector<script::ShownMessage> take_messages() override { return std::exchange(messages_, {}); }
    std::optional<std::string> notice() override {
        if (!companion_) return std::nullopt;
        return companion_->received();
    }
    const EngineState* engine_state() override { return &panel_; }
    script::TracingPanel* tracer() override { return &tracer_; }

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

    PanelWindow window_;
    QtPanel binding_;
    script::TracingPanel tracer_;
    Panel panel_;
    std::unique_ptr<Companion> companion_;
    std::vector<script::ShownMessage> messages_;
};

}  // namespace

int run_script(const ScriptOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    QtHost host(options);
    script::Session session(host, out, err, program_name);
    session.take_key_lines(options.key_lines);
    const int status = session.run(in);
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
