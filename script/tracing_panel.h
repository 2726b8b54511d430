// Stands between the logic and a dialog binding and prints every primitive
// call the logic issues as one JSON line, in the order issued, before passing
// it on. Reads (combo text, window rectangles) are passed on unprinted.
#pragma once

#include <iosfwd>
#include <map>
#include <string>

#include "panel/primitives.h"

namespace reelctl::script {

class TracingPanel final : public PanelPrimitives, public PlatformSeam {
public:
    TracingPanel(PanelPrimitives& ui, PlatformSeam& platform) : ui_(ui), platform_(platform) {}

    // Where the lines go; nullptr prints nothing.
    void print_to(std::ostream* out) { out_ = out; }

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

    BitmapHandle load_bitmap(const char* name) override;
    void delete_bitmap(BitmapHandle bitmap) override;
    MailslotHandle mailslot_open(const char* name) override;
    void mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) override;
    void mailslot_close(MailslotHandle mailslot) override;
    void help(const char* file, unsigned context) override;
    void end_dialog(int value) override;

private:
    class Line;
    const std::string* bitmap_name(BitmapHandle bitmap) const;

    PanelPrimitives& ui_;
    PlatformSeam& platform_;
    std::ostream* out_ = nullptr;
    std::map<BitmapHandle, std::string> bitmap_names_;  // what each loaded handle was loaded as
};

}  // namespace reelctl::script
