// The primitives and the platform seam on a real dialog: texts through code
// page 932, the logic driving the controls and the menu, the pictures, and
// the close notice through the companion's mailslot.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "app/dialog.h"
#include "app/panel.h"
#include "frontends/win32/win32_panel.h"
#include "machine/roles.h"
#include "machine/symbols.h"
#include "machine/texts.h"
#include "panel/control_ids.h"
#include "panel/dialog_layout.h"
#include "panel/layout_metrics.h"

namespace reelctl {
namespace {

std::string narrowed(const wchar_t* text, std::size_t size) {
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    narrow(text, buffer, size);
    return buffer;
}

TEST(CodePage932, TextsConvertBothWaysWithBackslashTrailBytes) {
    // 表 and ソ end in byte 0x5C, the backslash.
    EXPECT_EQ(widen("表ソ\\"), L"表ソ\\");
    EXPECT_EQ(narrowed(L"表ソ\\", 64), "表ソ\\");
    EXPECT_EQ(widen("ﾃｰﾌﾞﾙ選択"), L"ﾃｰﾌﾞﾙ選択");
    EXPECT_EQ(narrowed(L"ﾃｰﾌﾞﾙ選択", 64), "ﾃｰﾌﾞﾙ選択");
    EXPECT_EQ(widen(""), L"");
    EXPECT_EQ(narrowed(L"", 64), "");
}

TEST(CodePage932, LongTextsAreCutBeforeTheFirstCharacterThatDoesNotFitWhole) {
    EXPECT_EQ(narrowed(L"３枚掛", 4), "３");      // two bytes each: the 枚 would leave no room for the end
    EXPECT_EQ(narrowed(L"３枚掛", 5), "３枚");
    EXPECT_EQ(narrowed(L"３枚掛", 7), "３枚掛");
    EXPECT_EQ(narrowed(L"ﾃｰﾌﾞﾙ", 3), "ﾃｰ");       // half-width katakana are one byte
    EXPECT_EQ(narrowed(L"(1) 25%", 1), "");
}

// The one panel under test; the dialog procedure reaches it through here.
Panel* panel_under_test = nullptr;

INT_PTR CALLBACK forwarding_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (panel_under_test == nullptr) return FALSE;
    static_cast<Win32Panel&>(panel_under_test->ui).set_dialog(dialog);
    return dialog_procedure(*panel_under_test, message, wparam, lparam);
}

// The panel's logic on the dialog of the program's resources, as reelctl.exe runs it.
class PanelOnDialog : public ::testing::Test {
protected:
    void SetUp() override { start(); }
    void TearDown() override {
        if (dialog != nullptr) DestroyWindow(dialog);
        panel_under_test = nullptr;
    }

    void start() {
        binding.set_instance(GetModuleHandleW(nullptr));
        panel_under_test = &panel;
        dialog = CreateDialogParamW(GetModuleHandleW(nullptr), L"" REELCTL_DIALOG_NAME, nullptr, forwarding_procedure, 0);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    }

    HWND item(int id) const { return GetDlgItem(dialog, id); }
    void command(int id, int code = 0) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(item(id)));
    }
    // The user picks the entry `text` (code page 932) of a combo.
    void pick(int combo, const char* text) {
        const LRESULT index = SendMessageW(item(combo), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(widen(text).c_str()));
        ASSERT_GE(index, 0) << text;
        SendMessageW(item(combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        command(combo, CBN_SELENDOK);
    }
    std::wstring text_of(HWND window) const {
        wchar_t text[128] = {};
        GetWindowTextW(window, text, 128);
        return text;
    }
    std::wstring combo_item(int combo, int index) const {
        wchar_t text[64] = {};
        SendMessageW(item(combo), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    bool menu_checked(int id) const {
        return (GetMenuState(GetSubMenu(GetMenu(dialog), 0), static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    HBITMAP image_of(int id) const {
        return reinterpret_cast<HBITMAP>(SendMessageW(item(id), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }

    Win32Panel binding;
    Panel panel{binding, binding};
    HWND dialog = nullptr;
};

TEST_F(PanelOnDialog, StartShowsTitleRolesAndThePictureSetOfTheRowDistance) {
    EXPECT_EQ(text_of(dialog), L"Vostrelの リール制御 [ ３枚掛 左→中→右 ]");
    ASSERT_EQ(SendMessageW(item(IDC_ROLE_COMBO), CB_GETCOUNT, 0, 0), 11);
    EXPECT_EQ(combo_item(IDC_ROLE_COMBO, 0), widen(role_names[role_big]));
    EXPECT_EQ(combo_item(IDC_ROLE_COMBO, 10), widen(role_names[role_miss]));
    EXPECT_FALSE(IsWindowEnabled(item(IDC_TABLE_COMBO)));
    EXPECT_FALSE(IsWindowEnabled(item(IDC_SELECT_CENTER)));
    EXPECT_TRUE(menu_checked(IDM_BET_3));
    EXPECT_TRUE(menu_checked(IDM_ORDER_FIRST));

    // The rows' distance in screen pixels picks the set: 24 pixels the small pictures.
    RECT pitch{0, 0, 0, layout::row_units};
    MapDialogRect(dialog, &pitch);
    EXPECT_EQ(binding.control_top(slide_edit_id(reel_left, 0)) - binding.control_top(slide_edit_id(reel_left, 1)),
              pitch.bottom);
    const int variant = pitch.bottom == 24 ? 0 : 1;
    EXPECT_EQ(panel.state.layout_variant, variant);
    const int strip_height[] = {504, 630};
    for (int reel = 0; reel < reel_count; ++reel) {
        HBITMAP strip = image_of(strip_static_id(reel));
        ASSERT_EQ(reinterpret_cast<BitmapHandle>(strip), panel.strip_bitmaps[reel]);
        BITMAP bitmap{};
        GetObjectW(strip, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmHeight, strip_height[variant]);
    }
    for (int id = IDC_WINDOW_FIRST; id <= IDC_WINDOW_LAST; ++id)
        EXPECT_EQ(reinterpret_cast<BitmapHandle>(image_of(id)), panel.symbol_bitmaps[symbol_blank]) << id;
}

TEST_F(PanelOnDialog, ARoleTableAndPressDriveTheControls) {
    command(IDM_ORDER_FIRST + 2);  // center, left, right
    EXPECT_TRUE(menu_checked(IDM_ORDER_FIRST + 2));
    EXPECT_FALSE(menu_checked(IDM_ORDER_FIRST));
    EXPECT_EQ(text_of(dialog), L"Vostrelの リール制御 [ ３枚掛 中→左→右 ]");
    EXPECT_EQ(GetFocus(), item(IDC_ROLE_COMBO));

    pick(IDC_ROLE_COMBO, role_names[role_big]);
    ASSERT_EQ(panel.state.role, role_big);  // found from the combo's text read back
    ASSERT_TRUE(IsWindowEnabled(item(IDC_TABLE_COMBO)));
    ASSERT_EQ(SendMessageW(item(IDC_TABLE_COMBO), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(combo_item(IDC_TABLE_COMBO, 0), L"(1) 25%");

    pick(IDC_TABLE_COMBO, "(1) 25%");
    // The center column offers its press positions; those that switch the table are greyed.
    for (int row = 0; row < 21; ++row) {
        const bool conflict = row == 1 || row == 2 || row == 17 || row == 18;
        EXPECT_TRUE(GetWindowLongW(item(stop_radio_id(reel_center, row)), GWL_STYLE) & WS_VISIBLE) << row;
        EXPECT_EQ(IsWindowEnabled(item(slide_edit_id(reel_center, row))) == FALSE, conflict) << row;
    }

    command(stop_radio_id(reel_center, 18), BN_CLICKED);  // a press at position 19
    EXPECT_EQ(SendMessageW(item(stop_radio_id(reel_center, 18)), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(text_of(item(slide_edit_id(reel_center, 18))), L"0");
    EXPECT_TRUE(IsWindowEnabled(item(IDC_SELECT_CENTER)));
    // The center window shows positions 19, 20 and 21 from the bottom up.
    for (int line = 0; line < 3; ++line)
        EXPECT_EQ(reinterpret_cast<BitmapHandle>(image_of(window_static_id(reel_center, line))),
                  panel.symbol_bitmaps[reel_strips[reel_center][18 + line]])
            << line;
    // The left column is computed under the new table: slides everywhere.
    for (int row = 0; row < 21; ++row) EXPECT_NE(text_of(item(slide_edit_id(reel_left, row))), L" ") << row;
}

// Reads what arrived in the mailslot; -1 when nothing.
int read_notice(HANDLE slot, std::array<unsigned char, 64>& bytes) {
    DWORD next = 0, count = 0;
    GetMailslotInfo(slot, nullptr, &next, &count, nullptr);
    if (count == 0 || next == MAILSLOT_NO_MESSAGE) return -1;
    DWORD read = 0;
    ReadFile(slot, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    return static_cast<int>(read);
}

TEST_F(PanelOnDialog, CloseFreesThePicturesAndNotifiesARunningCompanionOnce) {
    // This panel started with no companion: its close goes nowhere, quietly.
    EXPECT_EQ(panel.mailslot_handle, invalid_mailslot);
    const BitmapHandle first_strip = panel.strip_bitmaps[0];
    command(IDC_CLOSE);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(first_strip)), 0u) << "deleted at close";
    DestroyWindow(dialog);
    dialog = nullptr;

    // The companion creates its mailslot before the panel opens.
    HANDLE slot = CreateMailslotA(companion_mailslot_name, 0, 0, nullptr);
    ASSERT_NE(slot, INVALID_HANDLE_VALUE);
    Win32Panel second_binding;
    Panel second{second_binding, second_binding};
    second_binding.set_instance(GetModuleHandleW(nullptr));
    panel_under_test = &second;
    dialog = CreateDialogParamW(GetModuleHandleW(nullptr), L"" REELCTL_DIALOG_NAME, nullptr, forwarding_procedure, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(second.mailslot_handle, invalid_mailslot);

    std::array<unsigned char, 64> bytes{};
    EXPECT_EQ(read_notice(slot, bytes), -1) << "nothing is sent before the close";
    SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_EQ(read_notice(slot, bytes), 32);
    const std::array<unsigned char, 32> expected{1, 0, 1, 1};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin()));
    EXPECT_EQ(read_notice(slot, bytes), -1) << "one notice only";
    CloseHandle(slot);
}

}  // namespace
}  // namespace reelctl
