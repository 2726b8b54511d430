// The panel on the Qt window, driven as a user drives it: mouse clicks on
// the widgets, keys in the combos' lists, the close box, the Enter key.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "frontends/qt/panel_window.h"
#include "frontends/qt/qt_panel.h"
#include "panel/control_ids.h"

using reelctl::qt::PanelWindow;
using reelctl::qt::QtPanel;

namespace {

struct Shown {
    QString text;
    QString caption;
};

// One open panel on a window of its own, started as the program starts it.
struct Viewer {
    explicit Viewer(std::optional<int> row_pixels = 24, QString companion = QStringLiteral("reelctl-qt-test-none"))
        : window(reelctl::qt::WindowOptions{row_pixels}), binding(window, options(companion)), panel(binding, binding) {
        binding.set_message_answer([this](QMessageBox& box) {
            messages.push_back({box.text(), box.windowTitle()});
            QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
        });
        binding.set_help_opener([this](const QString& document) { help_opened.push_back(document); });
        window.set_deliver([this](std::uint32_t message, std::uintptr_t wparam) {
            return reelctl::dialog_procedure(panel, message, wparam, 0);
        });
        const std::intptr_t answer = reelctl::dialog_procedure(panel, reelctl::msg_initdialog, 0, 0);
        window.show();
        window.start(answer);
        window.activateWindow();
        (void)QTest::qWaitForWindowExposed(&window);
    }
    static reelctl::qt::BindingOptions options(const QString& companion) {
        reelctl::qt::BindingOptions o;
        o.companion_server = companion;
        o.help_document = QStringLiteral("/nowhere/help.html");
        return o;
    }

    // Opens the combo's list and walks to the item with the keys, then Enter.
    void choose(int id, const QString& text) {
        QComboBox* combo = window.combo(id);
        const int target = combo->findText(text);
        QVERIFY2(target >= 0, qPrintable(text));
        window.dialog_manager().user_acts(id);  // as the mouse going down on it
        QTest::keyClick(combo, Qt::Key_F4);  // opens the list
        QAbstractItemView* list = combo->view();
        QTRY_VERIFY(list->isVisible());
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < target; ++i) QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
    }
    void click(int id) { QTest::mouseClick(window.button(id), Qt::LeftButton); }
    QString slide(int id) const { return window.edit(id)->text(); }

    PanelWindow window;
    QtPanel binding;
    reelctl::Panel panel;
    std::vector<Shown> messages;
    std::vector<QString> help_opened;
};

std::vector<int> checked_radios(const PanelWindow& window) {
    std::vector<int> ids;
    for (int id : window.ids())
        if (window.kind(id) == reelctl::qt::WidgetKind::radio && window.button(id)->isChecked()) ids.push_back(id);
    return ids;
}

}  // namespace

class PanelWidgets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Three coins, center reel first, BIG BONUS, table (1), then a mouse click on the center radio of 19.
    void typical_road_by_mouse_and_keys() {
        Viewer v;
        v.window.menu_action(IDM_ORDER_FIRST + 2)->trigger();  // the command reaches the panel once the menu has closed
        QTRY_VERIFY(v.window.menu_action(IDM_ORDER_FIRST + 2)->isChecked());
        QVERIFY(!v.window.menu_action(IDM_ORDER_FIRST + 0)->isChecked());
        QCOMPARE(v.window.focusWidget(), v.window.control(IDC_ROLE_COMBO));
        v.choose(IDC_ROLE_COMBO, QStringLiteral("BIG BONUS"));
        QVERIFY(v.window.combo(IDC_TABLE_COMBO)->isEnabled());
        v.choose(IDC_TABLE_COMBO, v.window.combo(IDC_TABLE_COMBO)->itemText(0));
        QCOMPARE(v.panel.state.slide_table, 34);
        QCOMPARE(v.panel.state.awaiting_stop, 1);
        // The rows the reel cannot stop from are greyed, the others offer their radio.
        for (int row : {2, 3, 18, 19}) QVERIFY(!v.window.edit(reelctl::slide_edit_id(1, row - 1))->isEnabled());
        QRadioButton* radio19 = static_cast<QRadioButton*>(v.window.button(reelctl::stop_radio_id(1, 18)));
        QVERIFY(!radio19->isHidden());

        QTest::mouseClick(radio19, Qt::LeftButton);
        QCOMPARE(v.panel.state.slide_table, 35);
        QCOMPARE(v.panel.state.stop_pos[1], 18);
        QCOMPARE(checked_radios(v.window), std::vector<int>{reelctl::stop_radio_id(1, 18)});
        // The center window: seven, moon, orange from the bottom up.
        QCOMPARE(v.binding.picture_of(reelctl::window_static_id(1, 0)), QStringLiteral("VS7S"));
        QCOMPARE(v.binding.picture_of(reelctl::window_static_id(1, 1)), QStringLiteral("VSMS"));
        QCOMPARE(v.binding.picture_of(reelctl::window_static_id(1, 2)), QStringLiteral("VSOS"));
        QVERIFY(v.window.button(IDC_SELECT_CENTER)->isEnabled());
        QVERIFY(v.messages.empty());
    }

    // A click on a checked radio keeps it checked; the logic can uncheck every radio again.
    void radios_are_groups_of_their_own() {
        Viewer v;
        const int a = reelctl::stop_radio_id(0, 3), b = reelctl::stop_radio_id(0, 4);
        v.binding.show(a, true);
        v.binding.show(b, true);
        v.binding.check(a, true);
        v.binding.check(b, true);
        QCOMPARE(checked_radios(v.window), (std::vector<int>{a, b}));
        v.click(a);
        QVERIFY(v.window.button(a)->isChecked());
        v.binding.check_radio(reelctl::stop_radio_id(0, 0), reelctl::stop_radio_id(0, 20), -1);
        QVERIFY(checked_radios(v.window).empty());
    }

    // A disabled Select button takes no click; a picture-less static shows nothing.
    void disabled_button_ignores_the_mouse() {
        Viewer v;
        const auto before = v.panel.state;
        v.click(IDC_SELECT_CENTER);
        QCOMPARE(v.panel.state.awaiting_stop, before.awaiting_stop);
        QVERIFY(v.messages.empty());
        v.binding.set_image(reelctl::window_static_id(0, 0), 0);
        QCOMPARE(v.binding.picture_of(reelctl::window_static_id(0, 0)), std::nullopt);
    }

    // A table pick before a role: the box shows the program's texts and is answered with OK.
    void message_box_shows_the_texts() {
        Viewer v;
        v.binding.set_text(IDC_ROLE_COMBO, "");
        v.window.send(reelctl::msg_command, reelctl::command_param(IDC_ROLE_COMBO, reelctl::notify_selendok));
        QCOMPARE(v.messages.size(), std::size_t{1});
        QCOMPARE(v.messages[0].text, QStringLiteral("成立役を選択して下さい．"));
        QCOMPARE(v.messages[0].caption, QStringLiteral("ﾘｰﾙ制御"));
        QCOMPARE(v.window.focusWidget(), v.window.control(IDC_ROLE_COMBO));
    }

    // The combo text the logic reads: 63 bytes at most, no double-byte character split, "?" for no code.
    void combo_text_for_the_logic() {
        Viewer v;
        QString long_text = QStringLiteral("A");
        for (int i = 0; i < 40; ++i) long_text += QStringLiteral("役");
        v.window.combo(IDC_ROLE_COMBO)->setCurrentIndex(-1);
        v.window.combo(IDC_ROLE_COMBO)->setPlaceholderText(long_text);
        char buffer[64];
        v.binding.combo_text(IDC_ROLE_COMBO, buffer, sizeof buffer);
        QCOMPARE(std::string(buffer).size(), std::size_t{63});  // "A" and 31 characters of two bytes
        v.window.combo(IDC_ROLE_COMBO)->setPlaceholderText(QStringLiteral("x€y"));
        v.binding.combo_text(IDC_ROLE_COMBO, buffer, sizeof buffer);
        QCOMPARE(std::string(buffer), std::string("x?y"));
        QCOMPARE(reelctl::qt::from_cp932("\x83\x8A\x81\x5B\x83\x8B"), QStringLiteral("リール"));
    }

    // Rows 24 pixels apart take the small pictures, any other distance the large ones.
    void row_distance_picks_the_pictures() {
        Viewer small(24), large(30);
        QCOMPARE(small.window.control(IDC_SLIDE_FIRST)->y() - small.window.control(IDC_SLIDE_FIRST + 1)->y(), 24);
        QCOMPARE(small.panel.state.layout_variant, 0);
        QCOMPARE(small.binding.picture_of(IDC_STRIP_FIRST), QStringLiteral("VSSL"));
        QCOMPARE(large.panel.state.layout_variant, 1);
        QCOMPARE(large.binding.picture_of(IDC_STRIP_FIRST + 2), QStringLiteral("VSMR"));
        // The static takes its picture's size.
        QLabel* strip = large.window.bitmap(IDC_STRIP_FIRST);
        QCOMPARE(strip->size(), strip->pixmap().size() + QSize(2 * strip->frameWidth(), 2 * strip->frameWidth()));
    }

    // The close box ends the panel; a listening companion gets the 32-byte notice once.
    void close_box_tells_the_companion() {
        const QString name = QStringLiteral("reelctl-qt-test-%1").arg(QCoreApplication::applicationPid());
        QLocalServer companion;
        QLocalServer::removeServer(name);
        QVERIFY(companion.listen(name));
        Viewer v(24, name);
        QVERIFY(companion.waitForNewConnection(1000));
        QLocalSocket* link = companion.nextPendingConnection();
        QVERIFY(v.window.close() == false);  // the logic ends the dialog itself
        QCOMPARE(v.binding.end_value(), std::optional<int>(1));
        QVERIFY(v.window.isHidden());
        QByteArray received;
        while (received.size() < 32 && link->waitForReadyRead(1000)) received += link->readAll();
        QCOMPARE(received.size(), 32);
        QCOMPARE(received.left(4), QByteArray("\x01\x00\x01\x01", 4));
    }

    // No companion: the close is silent. Enter on the close button closes.
    void enter_closes_without_companion() {
        Viewer v;
        QCOMPARE(v.window.focusWidget(), v.window.control(IDC_CLOSE));
        QTest::keyClick(v.window.focusWidget(), Qt::Key_Return);
        QCOMPARE(v.binding.end_value(), std::optional<int>(1));
        QVERIFY(v.messages.empty());
    }

    // Escape is command 2, which the panel ignores; Alt+H, the help item's mnemonic, opens the help document.
    void escape_and_help() {
        Viewer v;
        QTest::keyClick(&v.window, Qt::Key_Escape);
        QCOMPARE(v.binding.end_value(), std::nullopt);
        QVERIFY(!v.window.isHidden());
        QTest::keyClick(v.window.focusWidget(), Qt::Key_H, Qt::AltModifier);
        QTRY_COMPARE(v.help_opened, std::vector<QString>{QStringLiteral("/nowhere/help.html")});
        QVERIFY(!v.window.menu_action(IDM_HELP)->isCheckable());
    }

    // The window minimized and restored by the window system, as by the user:
    // the dialog manager hears of it. Minimized, the order menu's focus call
    // on the role combo fails and the mouse reaches no control; restored, the
    // dialog takes the focus (the panel's WM_SETFOCUS, then the close button).
    void minimized_by_the_user() {
        Viewer v;
        v.window.setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(v.window.dialog_manager().iconic());
        v.window.menu_action(IDM_ORDER_FIRST + 2)->trigger();
        QTRY_VERIFY(v.window.menu_action(IDM_ORDER_FIRST + 2)->isChecked());
        QCOMPARE(v.window.focused_control(), std::optional<int>(IDC_CLOSE));
        QTest::mousePress(v.window.combo(IDC_ROLE_COMBO), Qt::LeftButton);
        QCOMPARE(v.window.focused_control(), std::optional<int>(IDC_CLOSE));
        v.window.setWindowState(Qt::WindowNoState);
        QTRY_VERIFY(!v.window.dialog_manager().iconic());
        QCOMPARE(v.window.focused_control(), std::optional<int>(IDC_CLOSE));
        QTest::mousePress(v.window.combo(IDC_ROLE_COMBO), Qt::LeftButton);
        QCOMPARE(v.window.focused_control(), std::optional<int>(IDC_ROLE_COMBO));
    }
};

QTEST_MAIN(PanelWidgets)
#include "panel_widgets_test.moc"
