// reelctl-qt: the panel as a native Qt window; with --script, a panel script
// played on that window.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "app/dialog.h"
#include "frontends/qt/panel_window.h"
#include "frontends/qt/qt_panel.h"
#include "panel/control_ids.h"
#include "programs/reelctl-qt/qt_script.h"
#include "script/script_file.h"

#ifndef REELCTL_VERSION
#define REELCTL_VERSION "unknown"
#endif

namespace {

constexpr const char* program_name = "reelctl-qt";

// The help document is installed next to the program, or in the data folder beside its bin.
QString help_document() {
    const QDir bin(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {bin.filePath(QStringLiteral("help.html")),
                                     bin.filePath(QStringLiteral("../share/doc/reelctl/help.html"))})
        if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
    return bin.filePath(QStringLiteral("help.html"));
}

struct CommandLine {
    std::optional<int> row_pixels;
    bool companion = false;
    bool key_lines = false;
    QString script;
    QString grab;
};

[[noreturn]] void refuse(const QString& message) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", program_name, qPrintable(message), program_name);
    std::exit(1);
}

// The options, checked before any window opens: --help and --version print
// and end the program, a bad command line ends it with status 1.
CommandLine parse_command_line(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The reel-control panel of the Vostrel machine on a Qt window. With --script, a panel\n"
        "script is played on the window (offscreen) and the same JSON lines are printed as by\n"
        "reelctl-script."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption script({QStringLiteral("script")},
                                    QStringLiteral("Play the panel script FILE (- for standard input)."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption rows({QStringLiteral("row-pixels")},
                                  QStringLiteral("The slide rows stand N pixels apart (0..65535); "
                                                 "default: from the font, in a script run 24."),
                                  QStringLiteral("N"));
    const QCommandLineOption companion({QStringLiteral("companion")},
                                       QStringLiteral("In a script run, a companion receives the close notice."));
    const QCommandLineOption key_lines({QStringLiteral("key-lines")},
                                       QStringLiteral("In a script run, lines 'key KEY...' press keys on the window "
                                                      "(for keyboard tests; not part of the panel-script language)."));
    const QCommandLineOption grab({QStringLiteral("grab")},
                                  QStringLiteral("In a script run, save a picture of the window to PNG at the end."),
                                  QStringLiteral("PNG"));
    parser.addOptions({script, rows, companion, key_lines, grab});
    parser.process(app);  // --help, --version and unknown options end here
    if (!parser.positionalArguments().isEmpty())
        refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));

    CommandLine line;
    if (parser.isSet(rows)) {
        bool ok = false;
        const QString value = parser.value(rows);
        const uint pixels = value.toUInt(&ok, 10);
        const bool digits_only = !value.isEmpty() && std::all_of(value.begin(), value.end(), [](QChar c) { return c.isDigit(); });
        if (!ok || !digits_only || pixels > 65535)
            refuse(QStringLiteral("--row-pixels: \"%1\" is not a whole number from 0 to 65535").arg(value));
        line.row_pixels = static_cast<int>(pixels);
    }
    line.companion = parser.isSet(companion);
    line.key_lines = parser.isSet(key_lines);
    line.script = parser.value(script);
    line.grab = parser.value(grab);
    if (!parser.isSet(script) && (parser.isSet(companion) || parser.isSet(grab) || parser.isSet(key_lines)))
        refuse(QStringLiteral("--companion, --key-lines and --grab belong to a script run (--script FILE)"));
    if (parser.isSet(script) && line.script.isEmpty()) refuse(QStringLiteral("--script needs a file"));
    return line;
}

int run_viewer(const CommandLine& line) {
    reelctl::qt::PanelWindow window(reelctl::qt::WindowOptions{line.row_pixels});
    reelctl::qt::BindingOptions options;
    options.help_document = help_document();
    reelctl::qt::QtPanel binding(window, options);
    reelctl::Panel panel(binding, binding);
    window.set_deliver([&panel](std::uint32_t message, std::uintptr_t wparam) {
        return reelctl::dialog_procedure(panel, message, wparam, 0);
    });
    const std::intptr_t result = reelctl::dialog_procedure(panel, reelctl::msg_initdialog, 0, 0);
    if (!binding.end_value()) {
        window.show();
        window.start(result);
        window.exec();
    }
    // The panel ends with 1 as on Windows; a Linux program that ended normally says 0.
    return binding.end_value() ? 0 : 1;
}

// The script's text, read before any window opens; none for standard input.
std::optional<std::string> read_script(const CommandLine& line) {
    if (line.script == QStringLiteral("-")) return std::nullopt;
    std::string why;
    std::optional<std::string> text = reelctl::script::read_script_file(line.script.toStdString(), why);
    if (!text) {
        std::cerr << program_name << ": " << line.script.toStdString() << ": " << why << '\n';
        std::exit(1);
    }
    return text;
}

int run_script(const CommandLine& line, const std::optional<std::string>& text) {
    reelctl::qt::ScriptOptions options;
    options.row_pixels = line.row_pixels.value_or(24);
    options.companion = line.companion;
    options.key_lines = line.key_lines;
    options.grab = line.grab;
    options.help_document = help_document();
    if (!text) return reelctl::qt::run_script(options, std::cin, std::cout, std::cerr);
    std::istringstream in(*text);
    return reelctl::qt::run_script(options, in, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    {
        // The command line is read before the first window: no display is needed for it.
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName(QString::fromLatin1(program_name));
        QCoreApplication::setApplicationVersion(QStringLiteral(REELCTL_VERSION));
        line = parse_command_line(core);
    }
    // A script needs no screen.
    const bool script_run = !line.script.isEmpty();
    const std::optional<std::string> text = script_run ? read_script(line) : std::nullopt;
    if (script_run && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(program_name));
    QApplication::setApplicationVersion(QStringLiteral(REELCTL_VERSION));
    QApplication::setDesktopFileName(QString::fromLatin1(program_name));  // reelctl-qt.desktop
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/VSICON.ico")));
    return script_run ? run_script(line, text) : run_viewer(line);
}
