// Panel scripts on the real Qt window: the lines of reelctl-script, acted
// out on the widgets, and the same JSON lines, read back from the widgets.
#pragma once

#include <QString>

#include <iosfwd>
#include <string>
#include <vector>

namespace reelctl::qt {

struct ScriptOptions {
    int row_pixels = 24;     // the rows of the window stand this many pixels apart
    bool companion = false;  // a companion listens on a local socket of this run
    bool key_lines = false;  // lines `key KEY...` press keys on the window
    QString grab;            // when set, a picture of the window is saved there at the end
    QString pictures = QStringLiteral(":/pictures");
    QString help_document;
};

// Runs the script on a new window; the exit status of reelctl-script.
int run_script(const ScriptOptions& options, std::istream& in, std::ostream& out, std::ostream& err);


}  // namespace reelctl::qt
