#include "frontends/qt/qt_panel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocalSocket>
#include <QMessageBox>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "text/cp932.h"

namespace reelctl::qt {

namespace {

constexpr BitmapHandle first_bitmap_handle = 0x2000;

}  // namespace

QString from_cp932(const char* value) {
    QStringDecoder decoder("CP932");
    return decoder.decode(QByteArrayView(value ? value : ""));
}

std::string to_cp932(const QString& value) {
    // Qt's encoder writes 0xFCFC for a character without a code; the logic gets "?" as from
    // a Windows conversion without best-fit characters.
    return utf8_to_cp932(value.toStdString());
}

QtPanel::QtPanel(PanelWindow& window, BindingOptions options) : window_(window), options_(std::move(options)) {
    // The template's own pictures count as given until the logic replaces them.
    for (const PanelWindow::TemplatePicture& initial : window_.template_pictures()) {
        QLabel* label = window_.bitmap(initial.id);
        if (!label) continue;
        if (auto file = picture_file(initial.name)) {
            Picture picture{QFileInfo(*file).completeBaseName(), 0, QPixmap(*file)};
            picture.key = picture.pixmap.cacheKey();
            label->setPixmap(picture.pixmap);
            pictures_.push_back(picture);
        }
        window_.fit_bitmap(label);
    }
}

QtPanel::~QtPanel() = default;

// ---- PanelPrimitives ------------------------------------------------------

void QtPanel::set_text(int id, const char* value) {
    const QString shown = from_cp932(value);
    if (QLineEdit* edit = window_.edit(id)) {
        edit->setText(shown);
    } else if (QComboBox* combo = window_.combo(id)) {
        // A drop-down list shows a text of no item in place of a selection.
        combo->setCurrentIndex(-1);
        combo->setPlaceholderText(shown);
    } else if (QAbstractButton* button = window_.button(id)) {
        button->setText(shown);
    } else if (window_.kind(id) == WidgetKind::label) {
        static_cast<QLabel*>(window_.control(id))->setText(shown);
    }
}

void QtPanel::enable(int id, bool on) {
    QWidget* widget = window_.control(id);
    if (!widget) return;
    // The dialog manager moves the focus first (Qt would hand it on to the next control).
    if (!on) window_.dialog_manager().disabling(id);
    widget->setEnabled(on);
}

void QtPanel::show(int id, bool on) {
    QWidget* widget = window_.control(id);
    if (!widget) return;
    if (!on) window_.dialog_manager().hiding(id);
    widget->setHidden(!on);
}

void QtPanel::set_checked(int id, bool on) {
    if (window_.kind(id) != WidgetKind::radio) return;
    QButtonGroup* group = window_.radio_group(id);
    // An exclusive group keeps its one button checked: let go of that for the moment.
    group->setExclusive(false);
    window_.button(id)->setChecked(on);
    group->setExclusive(true);
}

void QtPanel::check(int id, bool on) {
    set_checked(id, on);
}

void QtPanel::check_radio(int first, int last, int id) {
    for (int i = first; i <= last; ++i) set_checked(i, i == id);
}

void QtPanel::set_image(int id, BitmapHandle bitmap) {
    const std::optional<QString> name = picture_name(bitmap);
    QLabel* label = window_.bitmap(id);
    if (!label) return;
    const std::size_t index = bitmap - first_bitmap_handle;
    if (name && !pictures_[index].pixmap.isNull()) label->setPixmap(pictures_[index].pixmap);
    else label->clear();
    window_.fit_bitmap(label);
}

void QtPanel::combo_reset(int id) {
    if (QComboBox* combo = window_.combo(id)) {
        combo->clear();
        combo->setPlaceholderText(QString());
    }
}

void QtPanel::combo_add(int id, const char* value) {
    if (QComboBox* combo = window_.combo(id)) {
        const int selected = combo->currentIndex();
        combo->addItem(from_cp932(value));
        // Adding to an empty list selects nothing, as a Windows combo does.
        if (selected < 0) combo->setCurrentIndex(-1);
    }
}

void QtPanel::combo_text(int id, char* buffer, std::size_t size) {
    QString value;
    if (QComboBox* combo = window_.combo(id))
        value = combo->currentIndex() >= 0 ? combo->currentText() : combo->placeholderText();
    if (buffer == nullptr || size == 0) return;
    const std::string text = to_cp932(value);
    const std::string_view whole(text.data(), std::min(text.find('\0'), text.size()));
    const std::size_t length = cp932_whole_length(whole, size - 1);
    std::memcpy(buffer, whole.data(), length);
    buffer[length] = '\0';
}

void QtPanel::focus(int id) { window_.dialog_manager().focus_call(id); }

void QtPanel::caption(const char* value) {
    window_.setWindowTitle(from_cp932(value));
}

void QtPanel::message(const char* value, const char* box_caption) {
    // The box takes the focus while it is open; when it closes the dialog
    // manager gives it back.
    const std::optional<int> had_focus = window_.dialog_manager().focus();
    QMessageBox box(QMessageBox::NoIcon, from_cp932(box_caption), from_cp932(value), QMessageBox::Ok, &window_);
    if (answer_) QTimer::singleShot(0, &box, [this, &box] { answer_(box); });
    box.exec();
    window_.dialog_manager().message_box_closed(had_focus);
}

void QtPanel::menu_check(int id, bool on) {
    for (int item : window_.check_items())
        if (item == id) window_.menu_action(id)->setChecked(on);
}

int QtPanel::control_top(int id) {
    QWidget* widget = window_.control(id);
    if (!widget) return 0;
    return widget->mapToGlobal(QPoint(0, 0)).y();
}

// ---- PlatformSeam ---------------------------------------------------------

std::optional<QString> QtPanel::picture_file(const QString& name) const {
    // Resource names match whatever their case.
    const QDir dir(options_.pictures);
    for (const QString& file : dir.entryList({QStringLiteral("*.bmp")}, QDir::Files))
        if (QFileInfo(file).completeBaseName().compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(file);
    return std::nullopt;
}

std::optional<QString> QtPanel::picture_name(BitmapHandle bitmap) const {
    if (bitmap < first_bitmap_handle || bitmap - first_bitmap_handle >= pictures_.size()) return std::nullopt;
    return pictures_[bitmap - first_bitmap_handle].name;
}

std::optional<QString> QtPanel::picture_of(int id) const {
    QLabel* label = window_.bitmap(id);
    if (!label) return std::nullopt;
    const QPixmap shown = label->pixmap();
    if (shown.isNull()) return std::nullopt;
    for (const Picture& picture : pictures_)
        if (picture.key == shown.cacheKey()) return picture.name;
    return QStringLiteral("?");
}

BitmapHandle QtPanel::load_bitmap(const char* name) {
    const std::optional<QString> file = picture_file(QString::fromLatin1(name ? name : ""));
    if (!file) return 0;
    Picture picture{QFileInfo(*file).completeBaseName(), 0, QPixmap(*file)};
    if (picture.pixmap.isNull()) return 0;
    picture.key = picture.pixmap.cacheKey();
    pictures_.push_back(picture);
    return first_bitmap_handle + pictures_.size() - 1;
}

void QtPanel::delete_bitmap(BitmapHandle bitmap) {
    // The statics keep their own copies, as a static keeps drawing a deleted bitmap's last picture.
    if (picture_name(bitmap)) pictures_[bitmap - first_bitmap_handle].pixmap = QPixmap();
}

MailslotHandle QtPanel::mailslot_open(const char* name) {
    if (!is_companion_mailslot(name ? name : "")) return invalid_mailslot;
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(options_.companion_server, QIODevice::WriteOnly);
    // No companion listening: the open fails, silently.
    if (!socket->waitForConnected(500)) return invalid_mailslot;
    const MailslotHandle handle = next_mailslot_;
    next_mailslot_ += 4;
    sockets_[handle] = std::move(socket);
    return handle;
}

void QtPanel::mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) {
    auto it = sockets_.find(mailslot);
    if (it == sockets_.end() || bytes == nullptr) return;
    it->second->write(static_cast<const char*>(bytes), static_cast<qint64>(size));
    it->second->waitForBytesWritten(500);
}

void QtPanel::mailslot_close(MailslotHandle mailslot) {
    auto it = sockets_.find(mailslot);
    if (it == sockets_.end()) return;
    it->second->flush();
    it->second->disconnectFromServer();
    sockets_.erase(it);
}

void QtPanel::help(const char*, unsigned) {
    // The program's own help document stands in for the help file and its context:
    // in the desktop's viewer, or, where none opens it, in a window of the program.
    if (help_opener_) help_opener_(options_.help_document);
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(options_.help_document))) show_help_inside();
}

void QtPanel::show_help_inside() {
    auto* viewer = new QDialog(&window_);
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setWindowTitle(window_.windowTitle());
    auto* browser = new QTextBrowser(viewer);
    browser->setOpenExternalLinks(true);
    browser->setSource(QUrl::fromLocalFile(options_.help_document));
    auto* column = new QVBoxLayout(viewer);
    column->addWidget(browser);
    viewer->resize(640, 560);
    viewer->show();
}

void QtPanel::end_dialog(int value) {
    end_value_ = value;
    window_.dialog_manager().ending();
    window_.done(value);
}

}  // namespace reelctl::qt
