#include "frontends/web/web_panel.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "frontends/web/dom.h"
#include "machine/symbols.h"
#include "panel/messages.h"
#include "text/cp932.h"

namespace reelctl::web {

namespace {

constexpr BitmapHandle first_bitmap_handle = 0x2000;

int length_of(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

// The site's picture of a resource name, as the site stores it; none for a name it has not.
std::optional<std::string> picture_of(std::string_view name) {
    const char* known = picture_named(name);
    return known ? std::optional<std::string>(known) : std::nullopt;
}

}  // namespace

WebPanel::WebPanel(WebOptions options) : options_(std::move(options)) {}

// ---- PanelPrimitives ------------------------------------------------------

void WebPanel::set_text(int id, const char* text) { reelctl_dom_set_text(id, text ? text : "", length_of(text)); }

void WebPanel::enable(int id, bool on) {
    if (!on) manager_.disabling(id);
    reelctl_dom_enable(id, on);
}

void WebPanel::show(int id, bool on) {
    if (!on) manager_.hiding(id);
    reelctl_dom_show(id, on);
}

void WebPanel::check(int id, bool on) { reelctl_dom_check(id, on); }

void WebPanel::check_radio(int first, int last, int id) {
    for (int i = first; i <= last; ++i) reelctl_dom_check(i, i == id);
}

void WebPanel::set_image(int id, BitmapHandle bitmap) {
    const bool known = bitmap >= first_bitmap_handle && bitmap - first_bitmap_handle < pictures_.size();
    reelctl_dom_set_image(id, known ? pictures_[bitmap - first_bitmap_handle].c_str() : nullptr);
}

void WebPanel::combo_reset(int id) { reelctl_dom_combo_reset(id); }

void WebPanel::combo_add(int id, const char* text) { reelctl_dom_combo_add(id, text ? text : "", length_of(text)); }

void WebPanel::combo_text(int id, char* buffer, std::size_t size) {
    if (buffer == nullptr || size == 0) return;
    char* utf8 = reelctl_dom_combo_text(id);
    const std::string text = utf8 ? utf8_to_cp932(utf8) : std::string();
    std::free(utf8);
    const std::string_view whole(text.data(), std::min(text.find('\0'), text.size()));
    const std::size_t length = cp932_whole_length(whole, size - 1);
    if (length > 0) std::memcpy(buffer, whole.data(), length);
    buffer[length] = '\0';
}

void WebPanel::focus(int id) { manager_.focus_call(id); }

void WebPanel::caption(const char* text) { reelctl_dom_caption(text ? text : "", length_of(text)); }

// The page's box stays open after this call, which a Windows message box
// does not: the dialog manager gives the focus back at once, and the page
// moves the DOM focus there when the box closes.
void WebPanel::message(const char* text, const char* box_caption) {
    const std::optional<int> had_focus = manager_.focus();
    reelctl_dom_message(text ? text : "", length_of(text), box_caption ? box_caption : "", length_of(box_caption));
    manager_.message_box_closed(had_focus);
}

void WebPanel::menu_check(int id, bool on) { reelctl_dom_menu_check(id, on); }

int WebPanel::control_top(int id) { return reelctl_dom_control_top(id); }

// ---- PlatformSeam ---------------------------------------------------------

BitmapHandle WebPanel::load_bitmap(const char* name) {
    const std::optional<std::string> picture = picture_of(name ? name : "");
    if (!picture) return 0;
    pictures_.push_back(*picture);
    return first_bitmap_handle + pictures_.size() - 1;
}

// The statics keep what they show, as a static keeps drawing a deleted bitmap's last picture.
void WebPanel::delete_bitmap(BitmapHandle) {}

MailslotHandle WebPanel::mailslot_open(const char* name) {
    if (!is_companion_mailslot(name ? name : "")) return invalid_mailslot;
    const int channel = reelctl_dom_channel_open(options_.channel.c_str());
    return channel < 0 ? invalid_mailslot : channel;
}

void WebPanel::mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) {
    if (mailslot == invalid_mailslot || bytes == nullptr) return;
    reelctl_dom_channel_post(static_cast<int>(mailslot), bytes, static_cast<int>(size));
}

void WebPanel::mailslot_close(MailslotHandle mailslot) {
    if (mailslot != invalid_mailslot) reelctl_dom_channel_close(static_cast<int>(mailslot));
}

// The site's help page stands in for the help file and its context.
void WebPanel::help(const char*, unsigned) {
    if (!options_.help_document.empty()) reelctl_dom_help(options_.help_document.c_str());
}

void WebPanel::end_dialog(int value) {
    end_value_ = value;
    manager_.ending();
    reelctl_dom_end_dialog(value);
}

// ---- the system and the user ------------------------------------------------

void WebPanel::start() { manager_.started(deliver(msg_initdialog, 0)); }

std::intptr_t WebPanel::deliver(std::uint32_t message, std::uintptr_t wparam) {
    return procedure_ ? procedure_(message, wparam) : 0;
}

void WebPanel::syscommand(std::uintptr_t value) {
    if (deliver(msg_syscommand, value) != 0) return;
    const bool was_iconic = manager_.iconic();
    manager_.system_command(value);
    if (manager_.iconic() == was_iconic) return;
    reelctl_dom_show_iconic(manager_.iconic());
    // The restored panel is shown again: the DOM focus goes where the manager put it.
    if (!manager_.iconic()) focus_moved(manager_.focus());
}

std::uintptr_t WebPanel::title_button_command(int button) {
    switch (button) {
        case reelctl_dom_title_close: return syscommand_close;
        case reelctl_dom_title_minimize: return syscommand_minimize;
        case reelctl_dom_title_restore: return syscommand_restore;
        default: return 0;
    }
}

void WebPanel::escape() { perform(manager_.escape()); }

bool WebPanel::mnemonic(char letter) {
    const KeyAction action = manager_.mnemonic(letter);
    perform(action);
    return action.kind != KeyAction::Kind::none;
}

void WebPanel::perform(KeyAction action) {
    if (action.kind != KeyAction::Kind::none) deliver(msg_command, command_param(action.id, notify_clicked));
}

// ---- ManagedDialog ------------------------------------------------------------

bool WebPanel::visible(int id) const { return (reelctl_dom_state(id) & reelctl_dom_shown) != 0; }

bool WebPanel::enabled(int id) const { return (reelctl_dom_state(id) & reelctl_dom_enabled) != 0; }

bool WebPanel::checked(int id) const { return (reelctl_dom_state(id) & reelctl_dom_checked) != 0; }

std::intptr_t WebPanel::send_setfocus() { return deliver(msg_setfocus, 0); }

void WebPanel::focus_moved(std::optional<int> id) { reelctl_dom_focus_moved(id.value_or(-1)); }

}  // namespace reelctl::web
