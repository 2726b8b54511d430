// The viewer's logic allocates nothing on the heap: whole roads through the
// dialog procedure run against a panel that allocates nothing either, while
// every global operator new is counted.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/dialog.h"
#include "frontends/probe/probe_panel.h"
#include "machine/texts.h"
#include "panel/control_ids.h"

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

// The logic on the probe dialog, which keeps everything in fixed arrays.
struct Road {
    probe::ProbePanel ui;
    Panel panel{ui, ui};

    void command(int id, int code = 0) { dialog_procedure(panel, msg_command, command_param(id, code), 0); }
    void pick(int combo, std::size_t item) {
        ui.select_item(combo, item);
        command(combo, notify_selendok);
    }
    void pick_role(int role) {
        for (int i = 0; i < ui.item_count(IDC_ROLE_COMBO); ++i)
            if (ui.item(IDC_ROLE_COMBO, i) == role_names[role]) return pick(IDC_ROLE_COMBO, static_cast<std::size_t>(i));
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
    EXPECT_EQ(r.ui.display.notice_size, 32u);
    EXPECT_EQ(r.ui.display.end_value, 1);
}

}  // namespace
}  // namespace reelctl
