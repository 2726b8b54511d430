// The panel primitives and the platform seam on the page's DOM.
//
// The logic runs in WebAssembly; the dialog is the page's DOM, built from the
// one dialog layout by the page's panel view (frontends/web/page). Each
// primitive is one call of the view through the imports of dom.h. Texts go
// out as code page 932 bytes, which the page decodes; the combo texts come
// back as UTF-8 and are encoded for the logic here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "panel/primitives.h"

namespace reelctl::web {

struct WebOptions {
    // The BroadcastChannel that stands in for the companion's mailslot.
    std::string channel = companion_mailslot_name;
    // The help document that the help command opens in a new tab; empty: none is opened.
    std::string help_document = "help.html";
};

class WebPanel final : public PanelPrimitives, public PlatformSeam {
public:
    explicit WebPanel(WebOptions options = {});

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
    WebOptions options_;
    std::vector<std::string> pictures_;  // handle h names pictures_[h - first handle]
    std::optional<int> end_value_;
};

}  // namespace reelctl::web
