// reelctl-qt: the panel as a native Qt window; with --script, a panel script
// played on that window.

#include <QApplication>
#include <QDir>

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "frontends/qt/panel_window.h"
#include "frontends/qt/qt_panel.h"
#include "panel/control_ids.h"
#include "programs/reelctl-qt/qt_script.h"

namespace {

// The help document is installed next to the program.
QString help_document() { return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help.html")); }

int run_viewer() {
    reelctl::qt::PanelWindow window;
    reelctl::qt::BindingOptions options;
    options.help_document = help_document();
    reelctl::qt::QtPanel binding(window, options);
    reelctl::Panel panel(binding, binding);
    window.set_deliver([&panel](std::uint32_t message, std::uintptr_t wparam) {
        reelctl::dialog_procedure(panel, message, wparam, 0);
    });
    const std::intptr_t result = reelctl::dialog_procedure(panel, reelctl::msg_initdialog, 0, 0);
    if (binding.end_value()) return *binding.end_value();
    window.show();
    if (result != 0) window.control(IDC_CLOSE)->setFocus(Qt::OtherFocusReason);
    window.exec();
    return binding.end_value().value_or(1);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool script_run = reelctl::qt::wants_script(args);
    // A script needs no screen.
    if (script_run && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (!script_run) return run_viewer();

    reelctl::qt::ScriptOptions options;
    std::string script;
    if (!reelctl::qt::parse_script_command_line(args, options, script, std::cerr)) return 1;
    options.help_document = help_document();
    std::ifstream file;
    std::istream* source = &std::cin;
    if (script != "-") {
        file.open(script, std::ios::binary);
        if (!file) {
            std::cerr << "reelctl-qt: cannot open " << script << '\n';
            return 1;
        }
        source = &file;
    }
    return reelctl::qt::run_script(options, *source, std::cout, std::cerr);
}
