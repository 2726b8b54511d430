#include "frontends/qt/panel_window.h"

#include <algorithm>

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QScrollArea>
#include <QVBoxLayout>

#include "panel/messages.h"
#include "panel/control_ids.h"
#include "panel/layout_metrics.h"

namespace reelctl::qt {

namespace {

QString utf8(const char8_t* text) { return QString::fromUtf8(reinterpret_cast<const char*>(text)); }

// A drop-down list as Windows has it: opened without a selection, its first
// Down key goes to the first item.
class DropDownList final : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override {
        QComboBox::showPopup();
        if (currentIndex() < 0) view()->setCurrentIndex(QModelIndex());
    }
};

}  // namespace

PanelWindow::PanelWindow(const WindowOptions& options) {
    // The template's frame: a caption, the system menu, the close and minimize boxes.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinimizeButtonHint);
    setWindowTitle(utf8(layout::dialog_caption));

    QFont font(utf8(layout::dialog_font), REELCTL_DIALOG_FONT_POINTS);
    // Where the template's font is missing, the IPA P Gothic of fonts-ipafont-gothic stands in.
    font.setFamilies({utf8(layout::dialog_font), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    setFont(font);

    // The dialog base units: the average width of the 52 letters and the line height.
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    base_x_ = (letters / 26 + 1) / 2;
    if (options.row_pixels) {
        y_from_font_ = false;
        y_numerator_ = *options.row_pixels;
        y_denominator_ = layout::row_units;
    } else {
        // The template font's line on Windows is its em height (ＭＳ Ｐゴシック has
        // no internal leading: 12 pixels at 9 points and 96 dpi, rows 24 pixels
        // apart). Its stand-ins here draw a taller line, which would put the rows
        // 26 pixels apart, load the large pictures and misalign the strips.
        y_numerator_ = QFontInfo(font).pixelSize();
        y_denominator_ = 8;
    }

    menu_bar_ = new QMenuBar(this);
    build_menu();
    client_ = new QWidget(this);
    build_controls();
    // The controls' mnemonics are the dialog manager's (the menu bar keeps its own).
    QString mnemonics;
    for (const layout::Control& entry : layout::controls) {
        const char letter = entry.id >= 0 ? DialogManager::mnemonic_letter(entry.id) : 0;
        if (letter == 0 || mnemonics.contains(QChar(letter))) continue;
        mnemonics += QChar(letter);
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(letter)), this);
        connect(shortcut, &QShortcut::activated, this, [this, letter] { act(manager_.mnemonic(letter)); });
    }

    // The menu bar on top, the controls below it in a scroll area: on a screen
    // smaller than the dialog (a high scale factor) the panel scrolls.
    const int menu_height = menu_bar_->sizeHint().height();
    const int width = x_pixels(REELCTL_DIALOG_WIDTH);
    const int height = y_pixels(REELCTL_DIALOG_HEIGHT);
    client_->setFixedSize(width, height);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(client_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->setMenuBar(menu_bar_);
    column->addWidget(scroll);
    const QSize full(width, menu_height + height);
    setMaximumSize(full);
    QSize size = full;
    if (options.fit_screen && screen()) size = size.boundedTo(screen()->availableGeometry().size());
    resize(size);
    move(REELCTL_DIALOG_X, REELCTL_DIALOG_Y);
}

int PanelWindow::x_pixels(int units) const { return layout::mul_div(units, base_x_, 4); }

int PanelWindow::y_pixels(int units) const {
    if (y_from_font_) return layout::mul_div(units, y_numerator_, y_denominator_);
    return layout::floor_div(static_cast<long long>(units) * y_numerator_, y_denominator_);
}

void PanelWindow::build_menu() {
    std::vector<QMenu*> open;
    bool first_popup_done = false;
    for (const layout::MenuEntry& entry : layout::menu) {
        switch (entry.kind) {
            case layout::MenuEntryKind::popup: {
                QMenu* menu = open.empty() ? menu_bar_->addMenu(utf8(entry.text)) : open.back()->addMenu(utf8(entry.text));
                open.push_back(menu);
                break;
            }
            case layout::MenuEntryKind::end:
                if (!open.empty()) open.pop_back();
                if (open.empty()) first_popup_done = true;
                break;
            case layout::MenuEntryKind::item: {
                QAction* action = open.empty() ? menu_bar_->addAction(utf8(entry.text)) : open.back()->addAction(utf8(entry.text));
                const int id = entry.id;
                action->setData(id);
                if (!open.empty() && !first_popup_done) {
                    // A menu item carries a check mark only when the logic sets one.
                    action->setCheckable(true);
                    action->setChecked(entry.check == layout::Check::checked);
                    check_items_.push_back(id);
                }
                // A menu command is posted: it reaches the dialog once the menu has closed.
                connect(action, &QAction::triggered, this, [this, action, id] {
                    if (action->isCheckable()) action->setChecked(!action->isChecked());  // undo Qt's own toggle
                    QTimer::singleShot(0, this, [this, id] { send(msg_command, command_param(id, 0)); });
                });
                actions_[id] = action;
                break;
            }
        }
    }
}

void PanelWindow::build_controls() {
    for (const layout::Control& entry : layout::controls) {
        const QRect rect(x_pixels(entry.x), y_pixels(entry.y), x_pixels(entry.width), y_pixels(entry.height));
        const QString text = utf8(entry.text);
        const int id = entry.id;
        QWidget* widget = nullptr;
        std::optional<WidgetKind> kind;
        switch (entry.kind) {
            case layout::Kind::group_box:
                widget = new QGroupBox(text, client_);
                widget->setGeometry(rect);
                break;
            case layout::Kind::label:
                widget = new QLabel(text, client_);
                widget->setGeometry(rect);
                kind = WidgetKind::label;
                break;
            case layout::Kind::bitmap: {
                auto* label = new QLabel(client_);
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);  // the client edge
                label->setLineWidth(2);
                label->move(rect.topLeft());
                widget = label;
                kind = WidgetKind::bitmap;
                template_pictures_.push_back({id, text});
                break;
            }
            case layout::Kind::combo: {
                auto* combo = new DropDownList(client_);  // a drop-down list: no typing
                combo->setEditable(false);
                combo->setGeometry(rect.x(), rect.y(), rect.width(), combo->sizeHint().height());
                connect(combo, &QComboBox::activated, this, [this, id] { send(msg_command, command_param(id, notify_selendok)); });
                widget = combo;
                kind = WidgetKind::combo;
                break;
            }
            case layout::Kind::edit:
            case layout::Kind::readonly_edit: {
                auto* edit = new QLineEdit(client_);
                edit->setReadOnly(true);  // the slides are shown, not typed
                edit->setTextMargins(0, 0, 0, 0);
                edit->setGeometry(rect);
                widget = edit;
                kind = WidgetKind::edit;
                break;
            }
            case layout::Kind::radio: {
                auto* radio = new QRadioButton(client_);
                radio->setGeometry(rect);
                // Each radio a group of its own: a click checks it and leaves every other radio alone.
                auto* group = new QButtonGroup(radio);
                group->addButton(radio);
                group->setExclusive(true);
                radio_groups_[id] = group;
                connect(radio, &QAbstractButton::clicked, this, [this, id] { send(msg_command, command_param(id, notify_clicked)); });
                widget = radio;
                kind = WidgetKind::radio;
                break;
            }
            case layout::Kind::default_button: {
                auto* button = new QPushButton(text, client_);
                button->setGeometry(rect);
                // Enter and the mnemonic are the dialog manager's (keyPressEvent, the shortcuts).
                button->setAutoDefault(false);
                button->setDefault(false);
                button->setShortcut(QKeySequence());
                connect(button, &QAbstractButton::clicked, this, [this, id] { send(msg_command, command_param(id, notify_clicked)); });
                widget = button;
                kind = WidgetKind::push_button;
                break;
            }
        }
        if (!widget) continue;
        // Only the template's tab stops take the focus, and only as the dialog
        // manager gives it: Qt's own click focus is off, the mouse going down
        // is handed to the manager (eventFilter).
        widget->setFocusPolicy(layout::is_tab_stop(entry.kind) ? Qt::TabFocus : Qt::NoFocus);
        if (id >= 0 && layout::is_tab_stop(entry.kind)) widget->installEventFilter(this);
        if (entry.state == layout::State::hidden) widget->setHidden(true);
        if (entry.state == layout::State::disabled) widget->setEnabled(false);
        if (id >= 0 && kind) {
            controls_[id] = widget;
            kinds_[id] = *kind;
            ids_.push_back(id);
        }
    }
    std::sort(ids_.begin(), ids_.end());
}

void PanelWindow::fit_bitmap(QLabel* label) {
    const QPixmap pixmap = label->pixmap();
    const int frame = 2 * label->frameWidth();
    if (pixmap.isNull()) label->resize(frame, frame);
    else label->resize(pixmap.width() + frame, pixmap.height() + frame);
}

QWidget* PanelWindow::control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

std::optional<WidgetKind> PanelWindow::kind(int id) const {
    auto it = kinds_.find(id);
    if (it == kinds_.end()) return std::nullopt;
    return it->second;
}

QComboBox* PanelWindow::combo(int id) const { return kind(id) == WidgetKind::combo ? static_cast<QComboBox*>(control(id)) : nullptr; }

QAbstractButton* PanelWindow::button(int id) const {
    const auto k = kind(id);
    return (k == WidgetKind::push_button || k == WidgetKind::radio) ? static_cast<QAbstractButton*>(control(id)) : nullptr;
}

QLabel* PanelWindow::bitmap(int id) const { return kind(id) == WidgetKind::bitmap ? static_cast<QLabel*>(control(id)) : nullptr; }

QLineEdit* PanelWindow::edit(int id) const { return kind(id) == WidgetKind::edit ? static_cast<QLineEdit*>(control(id)) : nullptr; }

QButtonGroup* PanelWindow::radio_group(int id) const {
    auto it = radio_groups_.find(id);
    return it == radio_groups_.end() ? nullptr : it->second;
}

QAction* PanelWindow::menu_action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

std::vector<int> PanelWindow::check_items() const { return check_items_; }

void PanelWindow::closeEvent(QCloseEvent* event) {
    // The logic decides: it ends the dialog itself through the platform seam.
    event->ignore();
    system_command(syscommand_close);
}

void PanelWindow::reject() { act(manager_.escape()); }

// The window's focus widget: the control that has the focus while the window
// is active, and keeps it while a message box is open or after the window
// has gone.
std::optional<int> PanelWindow::focused_control() const {
    QWidget* focused = focusWidget();
    for (const auto& [id, widget] : controls_)
        if (widget == focused) return id;
    return std::nullopt;
}

bool PanelWindow::visible(int id) const {
    QWidget* widget = control(id);
    return widget && !widget->isHidden();
}

bool PanelWindow::enabled(int id) const {
    QWidget* widget = control(id);
    return widget && widget->isEnabled();
}

bool PanelWindow::checked(int id) const {
    QAbstractButton* b = kind(id) == WidgetKind::radio ? button(id) : nullptr;
    return b && b->isChecked();
}

// The widgets' focus follows the dialog manager's.
void PanelWindow::focus_moved(std::optional<int> id) {
    if (QWidget* widget = id ? control(*id) : nullptr) widget->setFocus(Qt::OtherFocusReason);
    else if (QWidget* focused = focusWidget()) focused->clearFocus();
}

bool PanelWindow::focusNextPrevChild(bool next) {
    manager_.tab(!next);
    return true;
}

void PanelWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::AltModifier)) {
        act(manager_.enter());
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void PanelWindow::act(KeyAction action) {
    switch (action.kind) {
        case KeyAction::Kind::none: break;
        case KeyAction::Kind::press:
            if (QAbstractButton* b = button(action.id)) b->click();
            break;
        case KeyAction::Kind::command: send(msg_command, command_param(action.id, notify_clicked)); break;
    }
}

// The mouse button going down on a tab stop: the dialog manager gives it the focus.
bool PanelWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton)
            for (const auto& [id, widget] : controls_)
                if (widget == watched) manager_.user_acts(id);
    }
    return QDialog::eventFilter(watched, event);
}

void PanelWindow::system_command(std::uintptr_t value) {
    if (send(msg_syscommand, value) == 0) manager_.system_command(value);
    follow_iconic();
}

// The user minimized or restored the window: the system command goes
// through the dialog procedure and the dialog manager as from a script.
void PanelWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() != manager_.iconic())
        system_command(isMinimized() ? syscommand_minimize : syscommand_restore);
}

// The window is minimized while the dialog manager has it so, and only then.
void PanelWindow::follow_iconic() {
    if (isMinimized() == manager_.iconic()) return;
    setWindowState(manager_.iconic() ? windowState() | Qt::WindowMinimized : windowState() & ~Qt::WindowMinimized);
}

}  // namespace reelctl::qt
