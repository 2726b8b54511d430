// The panel's dialog as Qt widgets, built from the one dialog layout.
//
// Every control of panel/dialog_layout.h becomes a widget at its place:
// dialog units are turned into pixels from the dialog font's metrics as the
// Windows dialog manager does (a quarter of the average character width
// across, an eighth of the line height down), or, when a row distance is
// asked for, so that two rows of a reel column stand exactly that many
// pixels apart. The window knows nothing of the logic: user actions leave it
// as window messages through `deliver`.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

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

class PanelWindow final : public QDialog {
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

    // The dialog manager's part in the focus, as on Windows (docs/panel-script.md, "Focus").
    // The control with the focus, or none.
    std::optional<int> focused_control() const;
    // The dialog takes the focus itself (a hidden focused control, a message
    // box closed while no control had the focus, WM_SETFOCUS): the panel gets
    // WM_SETFOCUS and, where it leaves the message to the dialog manager, the
    // first tab stop gets the focus.
    void dialog_takes_focus();
    // The first tab stop that is shown and enabled.
    QWidget* first_tab_stop() const;

protected:
    void closeEvent(QCloseEvent* event) override;  // the close box: SC_CLOSE
    void reject() override;                        // Escape: command 2 (IDCANCEL)
    // Tab and Shift+Tab: the template's tab stops in its order, passing
    // hidden and disabled controls and radios that are not checked.
    bool focusNextPrevChild(bool next) override;

private:
    void build_menu();
    void build_controls();
    bool takes_tab(int id) const;
    void mnemonic_s();

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
    std::vector<int> tab_stops_;  // in the template's order
    std::map<int, QAction*> actions_;
    std::vector<int> check_items_;
    std::vector<TemplatePicture> template_pictures_;
};

}  // namespace reelctl::qt
