// The panel primitives and the platform seam on the Qt window.
//
// A separate object that acts on a PanelWindow: the window is a QDialog with
// its own show() and setFocus(), which must not be hidden by the primitives
// of the same names. The logic's code page 932 texts are decoded for the
// widgets and the combo texts encoded back for the logic.
#pragma once

#include <QPixmap>
#include <QString>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "panel/primitives.h"
#include "frontends/qt/panel_window.h"

class QLocalSocket;
class QMessageBox;

namespace reelctl::qt {

// Code page 932 bytes as text, and back (characters without a code become "?").
QString from_cp932(const char* text);
std::string to_cp932(const QString& text);

struct BindingOptions {
    // Where the pictures are: a directory or a Qt resource path holding NAME.bmp.
    QString pictures = QStringLiteral(":/pictures");
    // The local socket that stands in for the companion's mailslot.
    QString companion_server = QStringLiteral("vsg-vsreel");
    // The help document opened by the help command.
    QString help_document;
};

class QtPanel final : public PanelPrimitives, public PlatformSeam {
public:
    using MessageAnswer = std::function<void(QMessageBox& box)>;
    using HelpOpener = std::function<void(const QString& document)>;

    QtPanel(PanelWindow& window, BindingOptions options = {});
    ~QtPanel() override;

    // Called while a message box is open (it must close it); none: the user answers.
    void set_message_answer(MessageAnswer answer) { answer_ = std::move(answer); }
    // Opens the help document; by default the desktop's viewer, or a window of
    // the program where the desktop has none.
    void set_help_opener(HelpOpener opener) { help_opener_ = std::move(opener); }

    // The picture a bitmap static shows, named by the picture it was given; none when empty.
    std::optional<QString> picture_of(int id) const;
    std::optional<int> end_value() const { return end_value_; }

    // PanelPrimitives
    void set_text(int id, const char* text) override;
    void enable(int id, bool on) override;
    void show(int id, bool on) override;
    void check(int id, bool on) override;
    void check_radio(int first, int last, int id) override;
    void set_image(int id, BitmapHandle bitmap) override;
    void combo_reset(int id) override;
    void combo_add(int id, const char* text) override;
    void combo_text(int id, char* buffer, std::size_t size) override;
    void focus(int id) override;
    void caption(const char* text) override;
    void message(const char* text, const char* caption) override;
    void menu_check(int id, bool on) override;
    int control_top(int id) override;

    // PlatformSeam
    BitmapHandle load_bitmap(const char* name) override;
    void delete_bitmap(BitmapHandle bitmap) override;
    MailslotHandle mailslot_open(const char* name) override;
    void mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) override;
    void mailslot_close(MailslotHandle mailslot) override;
    void help(const char* file, unsigned context) override;
    void end_dialog(int value) override;

private:
    struct Picture {
        QString name;       // the resource name, as stored
        qint64 key = 0;     // the pixmap's cache key, also after the delete
        QPixmap pixmap;     // null after the delete
    };
    std::optional<QString> picture_file(const QString& name) const;
    std::optional<QString> picture_name(BitmapHandle bitmap) const;
    void set_checked(int id, bool on);
    void show_help_inside();

    PanelWindow& window_;
    BindingOptions options_;
    MessageAnswer answer_;
    HelpOpener help_opener_;
    std::vector<Picture> pictures_;  // handle h is pictures_[h - first handle]
    std::map<MailslotHandle, std::unique_ptr<QLocalSocket>> sockets_;
    MailslotHandle next_mailslot_ = 0x100;
    std::optional<int> end_value_;
};

}  // namespace reelctl::qt
