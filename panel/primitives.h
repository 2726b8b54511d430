// What the viewer's logic needs of its dialog, and nothing more.
//
// The logic (app/) is the only caller and changes the display only through
// these calls, so the same logic runs on every binding: Win32Panel
// (frontends/win32, the Windows dialog), QtPanel (frontends/qt), WebPanel
// (frontends/web, the page's DOM), ModelPanel (frontends/model, the dialog in
// memory of the headless driver and the tests) and ProbePanel
// (frontends/probe, fixed arrays for the walk, fuzzing and benchmarks), and on
// any later front end. TracingPanel (script/tracing_panel.h) stands between
// the logic and any of them, prints each call and passes it on. Texts are
// code page 932 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace reelctl {

// A loaded picture; 0 is the null handle (a picture that failed to load).
using BitmapHandle = std::uintptr_t;
// The write end of the companion's mailslot; invalid_mailslot when the open failed.
using MailslotHandle = std::intptr_t;
inline constexpr MailslotHandle invalid_mailslot = -1;

// The mailslot of the companion reel display program, which receives the close notice.
inline constexpr const char* companion_mailslot_name = "\\\\.\\mailslot\\vsg\\vsreel";

// True for the companion's mailslot however its letters are cased, as Windows matches object names.
constexpr bool is_companion_mailslot(std::string_view name) {
    const std::string_view companion = companion_mailslot_name;
    if (name.size() != companion.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
        if (c != companion[i]) return false;
    }
    return true;
}

class PanelPrimitives {
public:
    virtual ~PanelPrimitives() = default;

    virtual void set_text(int id, const char* text) = 0;          // an edit box's text
    virtual void enable(int id, bool on) = 0;                      // any control
    virtual void show(int id, bool on) = 0;                        // a radio button
    virtual void check(int id, bool on) = 0;                       // one radio button
    virtual void check_radio(int first, int last, int id) = 0;     // one radio of a run, the others unchecked
    virtual void set_image(int id, BitmapHandle bitmap) = 0;       // a bitmap static
    virtual void combo_reset(int id) = 0;
    virtual void combo_add(int id, const char* text) = 0;
    // Reads the combo's current text into `buffer` (size bytes, terminated; longer texts are cut).
    virtual void combo_text(int id, char* buffer, std::size_t size) = 0;
    virtual void focus(int id) = 0;
    virtual void caption(const char* text) = 0;
    virtual void message(const char* text, const char* caption) = 0;  // modal, one OK button
    virtual void menu_check(int id, bool on) = 0;                      // an item of the first menu popup
    // The top of a control's window rectangle in screen pixels.
    virtual int control_top(int id) = 0;
};

// The few platform services outside the dialog's controls.
class PlatformSeam {
public:
    virtual ~PlatformSeam() = default;

    virtual BitmapHandle load_bitmap(const char* name) = 0;  // a named bitmap resource
    virtual void delete_bitmap(BitmapHandle bitmap) = 0;
    virtual MailslotHandle mailslot_open(const char* name) = 0;
    virtual void mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) = 0;
    virtual void mailslot_close(MailslotHandle mailslot) = 0;
    virtual void help(const char* file, unsigned context) = 0;
    virtual void end_dialog(int value) = 0;
};

}  // namespace reelctl
