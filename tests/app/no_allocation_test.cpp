// The viewer's logic allocates nothing on the heap: whole roads through the
// dialog procedure run against a panel that allocates nothing either, while
// every global operator new is counted.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#include "app/dialog.h"
#include "app/state.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "panel/primitives.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    if (counting) ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace reelctl {
namespace {

// A dialog kept in fixed arrays: only the combos' items, which the logic reads back.
class FixedPanel final : public PanelPrimitives, public PlatformSeam {
public:
    void set_text(int, const char*) override {}
    void enable(int, bool) override {}
    void show(int, bool) override {}
    void check(int, bool) override {}
    void check_radio(int, int, int) override {}
    void set_image(int, BitmapHandle) override {}
    void combo_reset(int id) override { combo(id).count = 0; }
    void combo_add(int id, const char* text) override {
        Combo& c = combo(id);
        if (c.count < c.items.size()) std::strncpy(c.items[c.count++].data(), text, 63);
    }
    void combo_text(int id, char* buffer, std::size_t size) override {
        std::strncpy(buffer, combo(id).items[selected[id - IDC_ROLE_COMBO]].data(), size - 1);
        buffer[size - 1] = '\0';
    }
    void focus(int) override {}
    void caption(const char*) override {}
    void message(const char*, const char*) override {}
    void menu_check(int, bool) override {}
    int control_top(int id) override { return id == IDC_SLIDE_FIRST ? 348 : 324; }
    BitmapHandle load_bitmap(const char*) override { return ++bitmaps; }
    void delete_bitmap(BitmapHandle) override {}
    MailslotHandle mailslot_open(const char*) override { return 7; }
    void mailslot_write(MailslotHandle, const void*, std::size_t size) override { written += static_cast<int>(size); }
    void mailslot_close(MailslotHandle) override {}
    void help(const char*, unsigned) override {}
    void end_dialog(int value) override { ended = value; }

    struct Combo {
        std::array<std::array<char, 64>, 12> items{};
        std::size_t count = 0;
    };
    Combo& combo(int id) { return combos[static_cast<std::size_t>(id - IDC_ROLE_COMBO)]; }

    std::array<Combo, 3> combos;   // 1057, 1058, 1059
    std::array<std::size_t, 3> selected{};
    BitmapHandle bitmaps = 0;
    int written = 0;
    int ended = 0;
};

struct Road {
    FixedPanel ui;
    Panel panel{ui, ui};

    void command(int id, int code = 0) { dialog_procedure(panel, msg_command, command_param(id, code), 0); }
    void pick(int combo, std::size_t item) {
        ui.selected[static_cast<std::size_t>(combo - IDC_ROLE_COMBO)] = item;
        command(combo, 9);
    }
    void pick_role(int role) {
        for (std::size_t i = 0; i < ui.combo(IDC_ROLE_COMBO).count; ++i)
            if (std::strcmp(ui.combo(IDC_ROLE_COMBO).items[i].data(), role_names[role]) == 0) return pick(IDC_ROLE_COMBO, i);
        FAIL() << "role " << role << " not offered";
    }
};

TEST(NoAllocation, WholeRoadsAllocateNothing) {
    Road r;
    counting = true;
    dialog_procedure(r.panel, msg_initdialog, 0, 0);
    // Center first: BIG BONUS, table (1), center press 19, Select 101.
    r.command(IDM_ORDER_FIRST + 2);
    r.pick_role(4);
    r.pick(IDC_TABLE_COMBO, 0);
    r.command(IDC_RADIO_FIRST + 100 + 18);
    r.command(IDC_SELECT_CENTER);
    // Left first: ten-coin role, pattern, left stop, center press, entry pick.
    r.command(IDM_ORDER_FIRST);
    r.pick_role(10);
    r.pick(IDC_PATTERN_COMBO, 0);
    r.command(IDC_RADIO_FIRST + 1);
    r.command(IDC_RADIO_FIRST + 100 + 19);
    r.pick(IDC_TABLE_COMBO, 1);
    // Right first, two coins: REG BONUS, table (1), right press 17, Select 102.
    r.command(IDM_BET_2);
    r.command(IDM_ORDER_FIRST + 4);
    r.pick_role(7);
    r.pick(IDC_TABLE_COMBO, 0);
    r.command(IDC_RADIO_FIRST + 200 + 17);
    r.command(IDC_SELECT_RIGHT);
    r.command(IDM_HELP);
    r.command(IDC_CLOSE);
    counting = false;

    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(r.panel.state.slide_table, 49);  // the road really ran to its end
    EXPECT_EQ(r.ui.written, 32);
    EXPECT_EQ(r.ui.ended, 1);
}

}  // namespace
}  // namespace reelctl
