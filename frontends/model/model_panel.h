// The in-memory model of the panel's dialog.
//
// A binding of the panel primitives and the platform seam that keeps every
// control of the dialog template in memory instead of on a screen. The
// headless driver and the tests run the viewer's logic against it, act as
// the user and the dialog manager, and read back what the dialog shows.
// Texts are held as code page 932 bytes, exactly as the logic writes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "panel/dialog_manager.h"
#include "panel/messages.h"
#include "panel/primitives.h"

namespace reelctl {

enum class ControlKind {
    push_button,    // 1, 101, 102
    auto_radio,     // the stop radios, each a group of its own
    combo,          // drop-down lists 1057, 1058, 1059
    edit,           // slide edit boxes and the spare edit box 1001
    bitmap_static,  // window statics and reel-strip statics
    label,          // the labels with an id, 1062 and 1063
};

struct ModelControl {
    int id = 0;
    ControlKind kind = ControlKind::label;
    int top_units = 0;                  // top edge in dialog units from the client area's top
    std::string text;                   // an edit box's text, a combo's current text
    bool enabled = true;
    bool visible = true;
    bool checked = false;               // radios only
    std::optional<std::string> image;   // resource name of the picture shown, none when empty
    std::vector<std::string> items;     // combos only, in the order added
    int selection = -1;                 // combos only; -1 none
};

struct ModelMessage {
    std::string text;
    std::string caption;
};

struct ModelHelpCall {
    std::string file;
    unsigned context = 0;
};

struct ModelOptions {
    int row_pixels = 24;     // distance between the tops of two neighbouring rows
    bool companion = false;  // the companion display program is running
};

class ModelPanel final : public PanelPrimitives, public PlatformSeam, private ManagedDialog {
public:
    explicit ModelPanel(ModelOptions options = {});

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

    // The dialog manager, which keeps the focus. `send` hands a message to
    // the dialog procedure and returns its result; the dialog manager needs
    // it for WM_SETFOCUS.
    using DialogSend = std::function<std::intptr_t(std::uint32_t message)>;
    void set_dialog_procedure(DialogSend send) { send_ = std::move(send); }
    DialogManager& dialog_manager() { return manager_; }
    const DialogManager& dialog_manager() const { return manager_; }

    // What a control does itself when the user acts on it, before the dialog
    // is notified: an auto radio button checks itself (each is a group of its
    // own); a combo's picked item becomes its selection and text; a typed text
    // selects nothing. Nothing else is checked here: whether the user can act
    // so is the caller's question.
    void radio_checks_itself(int id);
    void select_item(int id, std::size_t item);
    void type_text(int id, std::string_view text);

    // What the dialog shows.
    const ModelControl* control(int id) const;
    const std::vector<ModelControl>& controls() const { return controls_; }  // ascending ids
    const std::string& caption_text() const { return caption_; }
    std::optional<int> focused_control() const { return manager_.focus(); }
    std::vector<int> checked_menu_items() const;  // ascending
    bool menu_item_checked(int id) const;
    const std::vector<ModelMessage>& messages() const { return messages_; }  // oldest first
    const std::vector<ModelHelpCall>& help_calls() const { return help_calls_; }
    std::optional<int> end_value() const { return end_value_; }
    // The bytes the companion received, none when nothing was delivered.
    const std::optional<std::string>& companion_received() const { return received_; }
    // The resource name behind a handle from load_bitmap, also after its delete.
    std::optional<std::string> bitmap_name(BitmapHandle bitmap) const;
    int live_bitmap_count() const { return static_cast<int>(live_bitmaps_.size()); }
    int open_mailslot_count() const { return static_cast<int>(open_mailslots_.size()); }

private:
    ModelControl* find(int id);

    // ManagedDialog
    bool visible(int id) const override;
    bool enabled(int id) const override;
    bool checked(int id) const override;
    std::intptr_t send_setfocus() override { return send_ ? send_(msg_setfocus) : 0; }

    ModelOptions options_;
    std::vector<ModelControl> controls_;  // ascending ids
    std::vector<int> index_by_id_;        // index into controls_ by id; -1 for no control
    std::string caption_;
    DialogSend send_;
    DialogManager manager_{*this};
    std::vector<std::pair<int, bool>> menu_items_;  // the first popup's items and their checks
    std::vector<ModelMessage> messages_;
    std::vector<ModelHelpCall> help_calls_;
    std::optional<int> end_value_;
    std::vector<std::string> loaded_bitmaps_;  // handle h names loaded_bitmaps_[h - first handle]
    std::set<BitmapHandle> live_bitmaps_;
    std::set<MailslotHandle> open_mailslots_;
    MailslotHandle next_mailslot_ = 0x100;
    std::optional<std::string> received_;
};

}  // namespace reelctl
