// Fuzz target: the panel on the probe dialog, driven by a sequence of events
// decoded from the input, with the panel rules checked after every event.
//
// The first byte chooses the picture set and whether the companion runs; then
// each event is one selector byte and its operands:
//   0..3   a user's click on a stop radio (reel, row)
//   4      a user's click on a push button (Select 101, 102, rarely close)
//   5, 6   a user's pick of an item in a combo (an index past the items is no pick)
//   7      a user's pick of a role by its name
//   8      WM_COMMAND with any id and notification code
//   9      a typed combo text of up to 80 arbitrary bytes, then maybe CBN_SELENDOK
//   10     a typed combo text made from a known name or entry, cut or extended
//   11     a menu command 40021..40030
//   12     WM_SYSCOMMAND (SC_CLOSE, or any value)
//   13     WM_SETFOCUS
//   14     a role, then its first offered table or pattern
//   15     Escape (command 2) or help
// When the panel has closed the run stops; a run that ends open is closed.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "app/dialog.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "tests/fuzz/fuzz_input.h"
#include "tools/walk/driven_probe.h"
#include "tools/walk/panel_checks.h"

namespace reelctl::fuzz {
namespace {

constexpr int event_limit = 400;  // events per input; inputs are short anyway

class Run final : public probe::DrivenProbe {
public:
    Run(int row_pixels, bool companion) : DrivenProbe(row_pixels, companion) {
        DrivenProbe::deliver(msg_initdialog, 0);
        check("panel start");
    }

    bool closed() const { return probe.closed(); }

    void event(Input& in) {
        const std::uint8_t selector = in.byte();
        switch (selector % 16) {
        case 0: case 1: case 2: case 3: {
            const int reel = in.byte() % 3;
            user_click(stop_radio_id(reel, in.byte() % position_count));
            break;
        }
        case 4: {
            const std::uint8_t b = in.byte();
            user_click(b % 32 == 0 ? IDC_CLOSE : (b & 1) ? IDC_SELECT_CENTER : IDC_SELECT_RIGHT);
            break;
        }
        case 5: case 6: {
            const int combo = IDC_ROLE_COMBO + in.byte() % 3;
            user_pick(combo, static_cast<std::size_t>(in.byte() % (probe.item_count(combo) + 1)));
            break;
        }
        case 7:
            pick_role(in.byte() % role_count);
            break;
        case 8: {
            const int id = command_id(in);
            command(id, command_code(in));
            break;
        }
        case 9: {
            const std::uint8_t b = in.byte();
            const int id = (b & 0x80) ? in.word() : IDC_ROLE_COMBO + b % 3;
            char text[81];
            const std::size_t length = in.byte() % sizeof text;
            for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(in.byte());
            probe.type_text(id, std::string_view(text, length));
            if (b & 0x40) command(id, notify_selendok);
            break;
        }
        case 10:
            typed_known_text(in);
            break;
        case 11:
            command(IDM_BET_1 + in.byte() % 10, 0);
            break;
        case 12: {
            const std::uint8_t b = in.byte();
            const std::uintptr_t value = b % 8 == 0 ? syscommand_close : (static_cast<std::uintptr_t>(in.word()) << 16 | in.word());
            deliver_and_check(msg_syscommand, value, "syscommand");
            break;
        }
        case 13:
            deliver_and_check(msg_setfocus, 0, "setfocus");
            break;
        case 14: {
            pick_role(in.byte() % role_count);
            const std::uint8_t b = in.byte();
            if (probe.enabled(IDC_PATTERN_COMBO)) user_pick(IDC_PATTERN_COMBO, b % 3);
            else if (probe.enabled(IDC_TABLE_COMBO))
                user_pick(IDC_TABLE_COMBO, static_cast<std::size_t>(b % (probe.item_count(IDC_TABLE_COMBO) + 1)));
            break;
        }
        default:
            command(in.byte() & 1 ? 2 : IDM_HELP, 0);
            break;
        }
    }

    // Closes the panel if the events did not, and checks what the close left.
    void finish() {
        if (!closed()) deliver_and_check(msg_syscommand, syscommand_close, "final close");
        const probe::ProbeDisplay& d = probe.display;
        if (d.mailslot_writes != 1 || d.notice_size != panel.close_notice.bytes.size())
            broken("close", "the notice went out %d times, %zu bytes", d.mailslot_writes, d.notice_size);
        if (std::memcmp(d.notice.data(), panel.close_notice.bytes.data(), d.notice.size()) != 0)
            broken("close", "the companion received other bytes than the notice");
        if (d.mailslot_opens != 1 || d.mailslot_closes != 1)
            broken("close", "the mailslot was opened %d and closed %d times", d.mailslot_opens, d.mailslot_closes);
        if (d.bitmaps_deleted != d.bitmaps_loaded) broken("close", "%d bitmaps loaded, %d deleted", d.bitmaps_loaded, d.bitmaps_deleted);
        for (std::uint8_t deletes : d.bitmap_deletes)
            if (deletes > 1) broken("close", "a bitmap was deleted twice");
    }

private:
    [[noreturn, gnu::format(printf, 3, 4)]] void broken(const char* after, const char* format, ...) {
        std::fprintf(stderr, "panel rule broken after %s (event %d, %s): ", after, events_,
                     context_.user_only ? "user actions only" : "forged input seen");
        va_list args;
        va_start(args, format);
        std::vfprintf(stderr, format, args);
        va_end(args);
        std::fputc('\n', stderr);
        std::abort();
    }

    void check(const char* after) {
        ++events_;
        check::Failure failure;
        if (!check::check_panel(panel, probe, context_, failure)) broken(after, "%s", failure.what);
        if (probe.display.overflow_seen()) broken(after, "a combo got more items or longer items than the dialog holds");
        if (probe.display.unknown_ids != 0) broken(after, "a primitive named an id the dialog does not have");
        if (!closed() && probe.display.mailslot_writes != 0) broken(after, "the notice went out before the close");
    }

    void deliver_and_check(std::uint32_t message, std::uintptr_t wparam, const char* what) {
        DrivenProbe::deliver(message, wparam);
        check(what);
    }

    void command(int id, int code) override {
        check::note_command(context_, probe, id, code);
        watch_.before(panel, id, code);
        deliver_and_check(msg_command, command_param(id, code), "command");
        check::Failure failure;
        if (!watch_.after(panel, probe, context_, failure)) broken("command", "%s", failure.what);
    }

    void pick_role(int role) {
        for (int item = 0; item < probe.item_count(IDC_ROLE_COMBO); ++item)
            if (std::strcmp(probe.display.combos[0].items[static_cast<std::size_t>(item)].data(), role_names[role]) == 0) {
                user_pick(IDC_ROLE_COMBO, static_cast<std::size_t>(item));
                return;
            }
    }

    static int command_id(Input& in) {
        const std::uint8_t b = in.byte();
        switch (b % 8) {
        case 0: return in.word();
        case 1: case 2: case 3: return stop_radio_id(in.byte() % 3, in.byte() % position_count);
        case 4: return IDC_ROLE_COMBO + in.byte() % 3;
        case 5: {
            static constexpr int others[] = {IDC_CLOSE, 2, IDC_SELECT_CENTER, IDC_SELECT_RIGHT, IDC_SPARE_EDIT, IDC_TABLE_LABEL,
                                             IDC_PATTERN_LABEL, IDC_WINDOW_FIRST, IDC_STRIP_FIRST, IDC_SLIDE_FIRST};
            return others[in.byte() % (sizeof others / sizeof others[0])];
        }
        default: return (b & 0x10) ? IDC_SELECT_CENTER + ((b >> 5) & 1) : IDC_TABLE_COMBO;
        }
    }

    static int command_code(Input& in) {
        const std::uint8_t b = in.byte();
        switch (b % 4) {
        case 0: return 0;
        case 1: return notify_selendok;
        case 2: return in.word();
        default: return b >> 4;
        }
    }

    // A known name or table entry, maybe cut or followed by other bytes, typed into a combo.
    void typed_known_text(Input& in) {
        const std::uint8_t b = in.byte();
        const int combo = IDC_ROLE_COMBO + b % 3;
        char text[96] = {};
        const std::uint8_t which = in.byte();
        switch (which % 4) {
        case 0: std::snprintf(text, sizeof text, "%s", role_names[which / 4 % role_count]); break;
        case 1: std::snprintf(text, sizeof text, "%s", left_pattern_names[which / 4 % left_pattern_count]); break;
        case 2: std::snprintf(text, sizeof text, "(%d) 25%%", which / 4 % 12); break;
        default: std::snprintf(text, sizeof text, "(%c%c", static_cast<char>(in.byte()), static_cast<char>(in.byte())); break;
        }
        std::size_t length = std::strlen(text);
        const std::uint8_t change = in.byte();
        if (change & 1) length = length ? change % length : 0;  // cut
        if (change & 2)  // extended
            for (std::size_t extra = in.byte() % 8; extra > 0 && length + 1 < sizeof text; --extra)
                text[length++] = static_cast<char>(in.byte());
        probe.type_text(combo, std::string_view(text, length));
        if (!(b & 0x80)) command(combo, notify_selendok);
    }

    check::Context context_;
    check::PickWatch watch_;
    int events_ = 0;
};

}  // namespace
}  // namespace reelctl::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    reelctl::fuzz::Input in(data, size);
    const std::uint8_t options = in.byte();
    reelctl::fuzz::Run run(options & 1 ? 24 + (options >> 1) % 8 + 1 : 24, (options & 2) != 0);
    for (int event = 0; event < reelctl::fuzz::event_limit && !in.empty() && !run.closed(); ++event) run.event(in);
    run.finish();
    return 0;
}
