// The panel's dialog as Qt widgets, built from the one dialog layout.
//
// Every control of panel/dialog_layout.h becomes a widget at its place:
// dialog units are turned into pixels from the dialog font's metrics as the
// Windows dialog manager does (a quarter of the average character width
// across, an eighth of the line height down), or, when a row distance is
// asked for, so that two rows of a reel column stand exactly that many
// pixels apart. The window knows nothing of the logic: user actions leave it
// as window messages through `deliver`.
//
// The window runs the one dialog manager (panel/dialog_manager.h): it keeps
// the focus, and the widgets' own focus follows it; Tab and Shift+Tab, Enter,
// the mnemonics, a mouse button going down on a control, minimizing and
// restoring the window are handed to it. Qt decides none of these itself.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "panel/dialog_manager.h"
#include "panel/messages.h"

class QAbstractButton;
class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;

namespace reelctl::qt {

// What a control of the layout became.
enum class WidgetKind { push_button, radio, combo, edit, bitmap, label };

struct WindowOptions {
    // The pixels between the tops of two neighbouring rows; none: from the font.
    std::optional<int> row_pixels;
    // The window is no larger than the screen's free area (the panel scrolls
    // then); off, it takes the dialog's whole size wherever it is shown.
    bool fit_screen = true;
};

class PanelWindow final : public QDialog, private ManagedDialog {
public:
    using Deliver = std::function<std::intptr_t(std::uint32_t message, std::uintptr_t wparam)>;

    explicit PanelWindow(const WindowOptions& options = {});

    // Where user actions go: WM_COMMAND and WM_SYSCOMMAND as the dialog procedure takes them.
    void set_deliver(Deliver deliver) { deliver_ = std::move(deliver); }

    QWidget* control(int id) const;
    std::optional<WidgetKind> kind(int id) const;
    const std::vector<int>& ids() const { return ids_; }  // controls with an id, ascending
    QComboBox* combo(int id) const;
    QAbstractButton* button(int id) const;
    QLabel* bitmap(int id) const;
    QLineEdit* edit(int id) const;
    QButtonGroup* radio_group(int id) const;

    QAction* menu_action(int id) const;     // any item of the menu
    std::vector<int> check_items() const;   // the first popup's items, in menu order
    QMenuBar* menu_bar() const { return menu_bar_; }
    QWidget* client() const { return client_; }

    // Dialog units to pixels of the client area.
    int x_pixels(int units) const;
    int y_pixels(int units) const;

    // The picture a bitmap static was given by the template.
    struct TemplatePicture {
        int id;
        QString name;
    };
    const std::vector<TemplatePicture>& template_pictures() const { return template_pictures_; }

    // A picture's static takes the picture's size with its border.
    void fit_bitmap(QLabel* label);

    std::intptr_t send(std::uint32_t message, std::uintptr_t wparam) { return deliver_ ? deliver_(message, wparam) : 0; }

    DialogManager& dialog_manager() { return manager_; }
    // WM_INITDIALOG answered `answer`: the dialog manager's first focus.
    void start(std::intptr_t answer) { manager_.started(answer); }
    // WM_SYSCOMMAND to the dialog procedure; what it leaves goes to the dialog
    // manager, and the window is minimized or restored as the manager has it.
    void system_command(std::uintptr_t value);
    // The control whose widget has the focus, or none: read from the widgets.
    std::optional<int> focused_control() const;

protected:
    void closeEvent(QCloseEvent* event) override;  // the close box: SC_CLOSE
    void reject() override;                        // Escape: command 2 (IDCANCEL)
    bool focusNextPrevChild(bool next) override;   // Tab and Shift+Tab
    void keyPressEvent(QKeyEvent* event) override; // Enter
    void changeEvent(QEvent* event) override;      // the user minimizes or restores the window
    bool eventFilter(QObject* watched, QEvent* event) override;  // the mouse on a control

private:
    void build_menu();
    void build_controls();
    void act(KeyAction action);
    void follow_iconic();

    // ManagedDialog
    bool visible(int id) const override;
    bool enabled(int id) const override;
    bool checked(int id) const override;
    std::intptr_t send_setfocus() override { return send(msg_setfocus, 0); }
    void focus_moved(std::optional<int> id) override;

    Deliver deliver_;
    QMenuBar* menu_bar_ = nullptr;
    QWidget* client_ = nullptr;
    int base_x_ = 0;       // average character width
    int y_numerator_ = 0;  // y pixels = units * y_numerator_ / y_denominator_
    int y_denominator_ = 1;
    bool y_from_font_ = true;
    std::map<int, QWidget*> controls_;
    std::map<int, WidgetKind> kinds_;
    std::map<int, QButtonGroup*> radio_groups_;
    std::vector<int> ids_;
    std::map<int, QAction*> actions_;
    std::vector<int> check_items_;
    std::vector<TemplatePicture> template_pictures_;
    DialogManager manager_{*this};
};

}  // namespace reelctl::qt
