// The panel primitives and the platform seam on the page's DOM.
//
// The logic runs in WebAssembly; the dialog is the page's DOM, built from the
// one dialog layout by the page's panel view (frontends/web/page). Each
// primitive is one call of the view through the imports of dom.h. Texts go
// out as code page 932 bytes, which the page decodes; the combo texts come
// back as UTF-8 and are encoded for the logic here.
//
// The dialog manager (panel/dialog_manager.h) runs here, in WebAssembly: it
// keeps the focus, reads the controls' state from the DOM and tells the page
// where to move the DOM focus; the page hands it the user's mouse, keys and
// title bar buttons through the module's exports (programs/web/main.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "panel/dialog_manager.h"
#include "panel/primitives.h"

namespace reelctl::web {

struct WebOptions {
    // The BroadcastChannel that stands in for the companion's mailslot.
    std::string channel = companion_mailslot_name;
    // The help document that the help command opens in a new tab; empty: none is opened.
    std::string help_document = "help.html";
};

class WebPanel final : public PanelPrimitives, public PlatformSeam, private ManagedDialog {
public:
    explicit WebPanel(WebOptions options = {});
    WebPanel(const WebPanel&) = delete;
    WebPanel& operator=(const WebPanel&) = delete;

    std::optional<int> end_value() const { return end_value_; }

    // The panel's dialog procedure: a message and its first parameter, the answer.
    using DialogProcedure = std::function<std::intptr_t(std::uint32_t message, std::uintptr_t wparam)>;
    void set_dialog_procedure(DialogProcedure procedure) { procedure_ = std::move(procedure); }
    const DialogManager& dialog_manager() const { return manager_; }

    // ---- the system and the page's user, through the dialog manager ----------
    // WM_INITDIALOG, then the dialog manager's first focus.
    void start();
    // A message to the dialog procedure (a click's or a pick's command, a menu command).
    std::intptr_t deliver(std::uint32_t message, std::uintptr_t wparam);
    // WM_SYSCOMMAND: what the dialog procedure leaves goes to the dialog manager
    // (minimize, restore), and the page shows the dialog minimized or restored.
    void syscommand(std::uintptr_t value);
    // The system command of a title bar button (reelctl_dom_title_* of dom.h); 0 for none.
    static std::uintptr_t title_button_command(int button);
    // WM_SETFOCUS to the dialog, as the system sends it.
    void setfocus() { manager_.setfocus_message(); }
    // The user's mouse goes down on control `id`.
    void user_acts(int id) { manager_.user_acts(id); }
    // The dialog manager's keys: Tab and Shift+Tab, Enter, Escape, Alt and a
    // letter (false when no control has that mnemonic: the menu bar's then).
    void tab(bool backwards) { manager_.tab(backwards); }
    void enter() { perform(manager_.enter()); }
    void escape();
    bool mnemonic(char letter);

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
    // ManagedDialog: the controls' state as the page's DOM shows it.
    bool visible(int id) const override;
    bool enabled(int id) const override;
    bool checked(int id) const override;
    std::intptr_t send_setfocus() override;
    void focus_moved(std::optional<int> id) override;

    // A key's press or command: WM_COMMAND (id, BN_CLICKED).
    void perform(KeyAction action);

    WebOptions options_;
    std::vector<std::string> pictures_;  // handle h names pictures_[h - first handle]
    std::optional<int> end_value_;
    DialogProcedure procedure_;
    DialogManager manager_{*this};
};

}  // namespace reelctl::web
