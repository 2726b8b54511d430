// The dialog manager against a dialog of its own: each rule, as measured on
// the real window, and the tab order's round trip over every state.

#include "panel/dialog_manager.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "panel/control_ids.h"
#include "panel/dialog_layout.h"
#include "panel/layout_metrics.h"
#include "panel/messages.h"

namespace reelctl {
namespace {

// The template's controls in their first state; the procedure answers
// WM_SETFOCUS as the panel does (a focus call on the role combo, then 0).
class FakeDialog final : public ManagedDialog {
public:
    FakeDialog() {
        for (const layout::Control& c : layout::controls) {
            if (c.id < 0) continue;
            if (c.state != layout::State::hidden) shown.insert(c.id);
            if (c.state != layout::State::disabled) on.insert(c.id);
        }
    }

    bool visible(int id) const override { return shown.count(id) != 0; }
    bool enabled(int id) const override { return on.count(id) != 0; }
    bool checked(int id) const override { return radios_checked.count(id) != 0; }
    std::intptr_t send_setfocus() override {
        ++setfocus_sent;
        if (manager && logic_focuses_role_combo) manager->focus_call(IDC_ROLE_COMBO);
        return setfocus_answer;
    }
    void focus_moved(std::optional<int> id) override { moves.push_back(id); }

    std::set<int> shown, on, radios_checked;
    DialogManager* manager = nullptr;
    bool logic_focuses_role_combo = true;
    std::intptr_t setfocus_answer = 0;
    int setfocus_sent = 0;
    std::vector<std::optional<int>> moves;  // what the front end was told
};

class DialogManagerTest : public ::testing::Test {
protected:
    DialogManagerTest() { dialog.manager = &manager; }

    // Starts the dialog and checks that the front end follows every move.
    void start() { manager.started(1); }
    void TearDown() override {
        if (!dialog.moves.empty()) {
            EXPECT_EQ(dialog.moves.back(), manager.focus());
        }
    }

    FakeDialog dialog;
    DialogManager manager{dialog};
};

const KeyAction nothing{};

TEST_F(DialogManagerTest, StartFocusCallsAndDisabling) {
    manager.started(0);  // WM_INITDIALOG set the focus itself
    EXPECT_EQ(manager.focus(), std::nullopt);
    EXPECT_TRUE(dialog.moves.empty());
    start();
    EXPECT_EQ(manager.focus(), IDC_CLOSE);

    manager.focus_call(IDC_TABLE_COMBO);  // disabled: nothing moves
    EXPECT_EQ(manager.focus(), IDC_CLOSE);
    dialog.on.insert(IDC_TABLE_COMBO);
    manager.focus_call(IDC_TABLE_COMBO);
    EXPECT_EQ(manager.focus(), IDC_TABLE_COMBO);
    manager.disabling(IDC_ROLE_COMBO);  // not the focused one
    EXPECT_EQ(manager.focus(), IDC_TABLE_COMBO);
    manager.disabling(IDC_TABLE_COMBO);  // the focus goes to nobody, and no WM_SETFOCUS
    EXPECT_EQ(manager.focus(), std::nullopt);
    EXPECT_FALSE(manager.dialog_focused());
    EXPECT_EQ(dialog.setfocus_sent, 0);

    manager.focus_call(IDC_ROLE_COMBO);
    manager.focus_call(4242);  // no such control: SetFocus(NULL)
    EXPECT_EQ(manager.focus(), std::nullopt);
}

TEST_F(DialogManagerTest, HidingAndSetfocusGiveTheFocusToTheDialog) {
    start();
    const int radio = stop_radio_id(1, 4);
    manager.user_acts(radio);
    EXPECT_EQ(manager.focus(), radio);
    manager.hiding(IDC_ROLE_COMBO);  // not the focused one
    EXPECT_EQ(dialog.setfocus_sent, 0);
    manager.hiding(radio);  // WM_SETFOCUS: the logic's call on the role combo, then the first tab stop
    EXPECT_EQ(dialog.setfocus_sent, 1);
    EXPECT_EQ(manager.focus(), IDC_CLOSE);
    EXPECT_EQ(dialog.moves, (std::vector<std::optional<int>>{IDC_CLOSE, radio, std::nullopt, IDC_ROLE_COMBO, IDC_CLOSE}));

    dialog.setfocus_answer = 1;  // a procedure that handles WM_SETFOCUS keeps its own choice
    manager.setfocus_message();
    EXPECT_EQ(manager.focus(), IDC_ROLE_COMBO);
    dialog.setfocus_answer = 0;
    manager.setfocus_message();
    EXPECT_EQ(manager.focus(), IDC_CLOSE);

    dialog.shown.erase(IDC_CLOSE);  // the first tab stop shown and enabled
    manager.setfocus_message();
    EXPECT_EQ(manager.focus(), IDC_ROLE_COMBO);
}

TEST_F(DialogManagerTest, MessageBoxGivesTheFocusBack) {
    start();
    manager.focus_call(IDC_ROLE_COMBO);
    manager.message_box_closed(IDC_ROLE_COMBO);
    EXPECT_EQ(manager.focus(), IDC_ROLE_COMBO);
    EXPECT_EQ(dialog.setfocus_sent, 0);
    manager.message_box_closed(std::nullopt);  // none had it: the dialog takes it
    EXPECT_EQ(dialog.setfocus_sent, 1);
    EXPECT_EQ(manager.focus(), IDC_CLOSE);
}

TEST_F(DialogManagerTest, MinimizedDialogKeepsItsFocusAndTakesNoUser) {
    start();
    for (std::uintptr_t other : {syscommand_close, std::uintptr_t{0xF030}, std::uintptr_t{0xF010}}) {
        manager.system_command(other);
        EXPECT_FALSE(manager.iconic());
    }
    manager.system_command(syscommand_minimize | 1);  // the low four bits are not looked at
    ASSERT_TRUE(manager.iconic());
    EXPECT_FALSE(manager.reachable());
    EXPECT_EQ(manager.focus(), IDC_CLOSE);

    manager.focus_call(IDC_ROLE_COMBO);  // fails as on a disabled control
    manager.setfocus_message();          // the logic's call fails, the focus stays
    EXPECT_EQ(dialog.setfocus_sent, 1);
    manager.user_acts(IDC_ROLE_COMBO);
    manager.tab(false);
    EXPECT_EQ(manager.enter(), nothing);
    EXPECT_EQ(manager.escape(), nothing);
    EXPECT_EQ(manager.mnemonic('S'), nothing);
    EXPECT_EQ(manager.focus(), IDC_CLOSE);
    manager.minimized();
    EXPECT_EQ(manager.focus(), IDC_CLOSE);
    manager.hiding(IDC_CLOSE);  // the hidden control keeps the focus
    EXPECT_EQ(dialog.setfocus_sent, 1);
    EXPECT_EQ(manager.focus(), IDC_CLOSE);

    // A message box ends with the dialog itself focused: WM_SETFOCUS, whose focus call fails.
    manager.message_box_closed(IDC_CLOSE);
    EXPECT_EQ(dialog.setfocus_sent, 2);
    EXPECT_EQ(manager.focus(), std::nullopt);
    EXPECT_TRUE(manager.dialog_focused());
}

TEST_F(DialogManagerTest, RestoredDialogTakesTheFocusUnlessItHadIt) {
    start();
    manager.restored();  // not minimized: nothing
    EXPECT_EQ(dialog.setfocus_sent, 0);

    // The dialog itself had the focus: it keeps it, no WM_SETFOCUS.
    manager.minimized();
    manager.message_box_closed(IDC_CLOSE);
    const int sent = dialog.setfocus_sent;
    manager.system_command(syscommand_restore | 0xF);
    EXPECT_FALSE(manager.iconic());
    EXPECT_EQ(dialog.setfocus_sent, sent);
    EXPECT_EQ(manager.focus(), std::nullopt);

    // A control had it, or nobody: WM_SETFOCUS, the logic's call, the first tab stop.
    for (std::optional<int> before : {std::optional<int>(IDC_ROLE_COMBO), std::optional<int>()}) {
        manager.focus_call(IDC_ROLE_COMBO);
        if (!before) manager.disabling(IDC_ROLE_COMBO);
        EXPECT_EQ(manager.focus(), before);
        manager.system_command(syscommand_minimize);
        const int before_restore = dialog.setfocus_sent;
        manager.system_command(syscommand_restore);
        EXPECT_EQ(dialog.setfocus_sent, before_restore + 1);
        EXPECT_EQ(manager.focus(), IDC_CLOSE);
        EXPECT_TRUE(manager.reachable());
    }
}

TEST_F(DialogManagerTest, EndingSendsSetfocusOnlyFromAControl) {
    struct Case {
        const char* what;
        std::function<void(DialogManager&)> before;
        int setfocus_at_end;
    };
    const Case cases[] = {
        {"a control focused", [](DialogManager& m) { m.focus_call(IDC_ROLE_COMBO); }, 1},
        {"no control focused", [](DialogManager& m) { m.focus_call(4242); }, 0},
        {"the dialog focused", [](DialogManager& m) { m.minimized(); m.message_box_closed(std::nullopt); m.restored(); }, 0},
        {"minimized", [](DialogManager& m) { m.minimized(); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDialog fake;
        DialogManager m(fake);
        fake.manager = &m;
        m.started(1);
        c.before(m);
        const int sent = fake.setfocus_sent;
        m.ending();
        EXPECT_EQ(fake.setfocus_sent - sent, c.setfocus_at_end);
        EXPECT_EQ(m.focus(), std::nullopt);
        EXPECT_EQ(fake.moves.back(), std::nullopt);
        EXPECT_TRUE(m.ended());
        // After the end nothing reaches the dialog.
        m.focus_call(IDC_ROLE_COMBO);
        m.user_acts(IDC_CLOSE);
        m.ending();
        m.restored();
        EXPECT_EQ(m.focus(), std::nullopt);
        EXPECT_EQ(fake.setfocus_sent - sent, c.setfocus_at_end);
        EXPECT_EQ(m.enter(), nothing);
    }
}

TEST_F(DialogManagerTest, UserActsOnTabStopsOnly) {
    start();
    manager.user_acts(IDC_ROLE_COMBO);
    EXPECT_EQ(manager.focus(), IDC_ROLE_COMBO);
    manager.user_acts(IDC_TABLE_LABEL);  // a label takes no focus
    EXPECT_EQ(manager.focus(), IDC_ROLE_COMBO);
}

// Tab goes through the stops that are shown, enabled and, for a radio,
// checked, round; Shift+Tab undoes every Tab, from every stop, whatever is
// hidden, disabled or checked.
TEST_F(DialogManagerTest, TabAndShiftTabAreEachOthersInverse) {
    std::vector<int> stops;
    for (const layout::Control& c : layout::controls)
        if (c.id >= 0 && layout::is_tab_stop(c.kind)) stops.push_back(c.id);
    ASSERT_GT(stops.size(), 10u);
    for (int round = 0; round < 8; ++round) {
        FakeDialog fake;
        DialogManager m(fake);
        // Every third stop in turn hidden, disabled, or (a radio) checked.
        for (std::size_t i = 0; i < stops.size(); ++i) {
            const int id = stops[i];
            const std::size_t pick = (i * 7 + static_cast<std::size_t>(round)) % 3;
            if (pick == 0) fake.shown.erase(id);
            if (pick == 1) fake.on.erase(id);
            if (pick == 2) { fake.shown.insert(id); fake.on.insert(id); fake.radios_checked.insert(id); }
        }
        std::vector<int> reachable;
        for (int id : stops)
            if (fake.visible(id) && fake.enabled(id) &&
                (!layout::has_kind(id, layout::Kind::radio) || fake.checked(id)))
                reachable.push_back(id);
        ASSERT_FALSE(reachable.empty());
        m.user_acts(reachable.front());
        std::vector<int> visited;
        for (std::size_t i = 0; i < reachable.size(); ++i) {
            visited.push_back(*m.focus());
            m.tab(false);
            const int next = *m.focus();
            m.tab(true);
            EXPECT_EQ(m.focus(), visited.back());
            m.user_acts(next);
        }
        EXPECT_EQ(visited, reachable);  // in template order, each once
        EXPECT_EQ(m.focus(), reachable.front());  // round
    }
    // From no focus, Tab goes to the first stop and Shift+Tab to the last.
    start();
    manager.focus_call(4242);
    manager.tab(false);
    EXPECT_EQ(manager.focus(), IDC_CLOSE);
    manager.focus_call(4242);
    manager.tab(true);
    EXPECT_NE(manager.focus(), std::nullopt);
    const std::optional<int> last = manager.focus();
    manager.tab(false);
    EXPECT_EQ(manager.focus(), IDC_CLOSE);
    manager.tab(true);
    EXPECT_EQ(manager.focus(), last);
}

TEST_F(DialogManagerTest, EnterPressesTheFocusedPushButtonElseTheDefault) {
    start();
    EXPECT_EQ(manager.enter(), (KeyAction{KeyAction::Kind::press, IDC_CLOSE}));
    dialog.on.insert(IDC_SELECT_CENTER);
    manager.focus_call(IDC_SELECT_CENTER);
    EXPECT_EQ(manager.enter(), (KeyAction{KeyAction::Kind::press, IDC_SELECT_CENTER}));
    for (std::optional<int> elsewhere : {std::optional<int>(IDC_ROLE_COMBO), std::optional<int>()}) {
        if (elsewhere) manager.focus_call(*elsewhere);
        else manager.disabling(IDC_ROLE_COMBO);
        EXPECT_EQ(manager.enter(), (KeyAction{KeyAction::Kind::command, id_ok}));
        EXPECT_EQ(manager.escape(), (KeyAction{KeyAction::Kind::command, id_cancel}));  // wherever the focus is
    }
}

TEST_F(DialogManagerTest, MnemonicPressesTheNextControlWithIt) {
    start();
    EXPECT_EQ(DialogManager::mnemonic_letter(IDC_SELECT_CENTER), 'S');
    EXPECT_EQ(manager.mnemonic('S'), nothing);  // both Select buttons disabled
    EXPECT_EQ(manager.focus(), IDC_CLOSE);
    dialog.on.insert(IDC_SELECT_CENTER);
    dialog.on.insert(IDC_SELECT_RIGHT);
    EXPECT_EQ(manager.mnemonic('s'), (KeyAction{KeyAction::Kind::press, IDC_SELECT_CENTER}));
    EXPECT_EQ(manager.focus(), IDC_SELECT_CENTER);
    EXPECT_EQ(manager.mnemonic('S'), (KeyAction{KeyAction::Kind::press, IDC_SELECT_RIGHT}));
    EXPECT_EQ(manager.mnemonic('S'), (KeyAction{KeyAction::Kind::press, IDC_SELECT_CENTER}));  // round
    dialog.shown.erase(IDC_SELECT_RIGHT);
    EXPECT_EQ(manager.mnemonic('S'), (KeyAction{KeyAction::Kind::press, IDC_SELECT_CENTER}));
    EXPECT_EQ(manager.mnemonic('C'), nothing);  // the menu bar's
    EXPECT_EQ(manager.focus(), IDC_SELECT_CENTER);
}

}  // namespace
}  // namespace reelctl
