// The compiled resources against the layout they are written from: every
// control of the dialog "AppReel" with its class, style, state and place,
// the menu "CONDMENU", and the pictures the logic loads by name.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "frontends/win32/win32_panel.h"
#include "machine/symbols.h"
#include "panel/dialog_layout.h"
#include "panel/layout_metrics.h"

namespace reelctl {
namespace {

std::wstring from_utf8(const char8_t* text) {
    const char* bytes = reinterpret_cast<const char*>(text);
    const int length = MultiByteToWideChar(CP_UTF8, 0, bytes, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

std::wstring window_text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

INT_PTR CALLBACK bare_procedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The template as the dialog manager makes it, with no logic behind it.
class DialogTemplate : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = CreateDialogParamW(GetModuleHandleW(nullptr), L"" REELCTL_DIALOG_NAME, nullptr, bare_procedure, 0);
        ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    }
    void TearDown() override { DestroyWindow(dialog); }

    // A rectangle of dialog units in the dialog's client pixels.
    RECT pixels(int x, int y, int width, int height) const {
        RECT rect{x, y, x + width, y + height};
        MapDialogRect(dialog, &rect);
        return rect;
    }

    RECT client_rect_of(HWND control) const {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    HWND dialog = nullptr;
};

// The dialog template as stored in the resources.
struct StoredItem {
    DWORD style = 0, exstyle = 0;
    short x = 0, y = 0, width = 0, height = 0;
    DWORD id = 0;
    std::wstring window_class, text;
};

struct StoredDialog {
    DWORD style = 0, exstyle = 0;
    short x = 0, y = 0, width = 0, height = 0;
    std::wstring menu, title, font;
    WORD font_points = 0;
    std::vector<StoredItem> items;
};

// Reads a DLGTEMPLATEEX.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* at) : at_(at) {}
    WORD word() { WORD v; std::memcpy(&v, at_, 2); at_ += 2; return v; }
    DWORD dword() { DWORD v; std::memcpy(&v, at_, 4); at_ += 4; return v; }
    short coordinate() { return static_cast<short>(word()); }
    std::wstring text() {
        std::wstring t;
        for (WORD c = word(); c != 0; c = word()) t.push_back(static_cast<wchar_t>(c));
        return t;
    }
    // A name or an ordinal; the predefined window classes come as ordinals.
    std::wstring name_or_ordinal() {
        WORD first = word();
        if (first == 0) return L"";
        if (first == 0xFFFF) {
            const WORD ordinal = word();
            const wchar_t* classes[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
            return ordinal >= 0x80 && ordinal <= 0x85 ? classes[ordinal - 0x80] : L"#" + std::to_wstring(ordinal);
        }
        std::wstring t(1, static_cast<wchar_t>(first));
        for (WORD c = word(); c != 0; c = word()) t.push_back(static_cast<wchar_t>(c));
        return t;
    }
    void align() {
        while (reinterpret_cast<std::uintptr_t>(at_) % 4 != 0) ++at_;
    }
    void skip(std::size_t bytes) { at_ += bytes; }

private:
    const BYTE* at_;
};

StoredDialog stored_dialog() {
    HRSRC resource = FindResourceW(nullptr, L"" REELCTL_DIALOG_NAME, MAKEINTRESOURCEW(5));  // RT_DIALOG
    TemplateReader read(static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource))));
    StoredDialog d;
    EXPECT_EQ(read.word(), 1) << "DLGTEMPLATEEX version";
    EXPECT_EQ(read.word(), 0xFFFF) << "DLGTEMPLATEEX signature";
    read.dword();  // help id
    d.exstyle = read.dword();
    d.style = read.dword();
    const WORD count = read.word();
    d.x = read.coordinate();
    d.y = read.coordinate();
    d.width = read.coordinate();
    d.height = read.coordinate();
    d.menu = read.name_or_ordinal();
    read.name_or_ordinal();  // window class
    d.title = read.text();
    d.font_points = read.word();
    read.word();  // weight
    read.word();  // italic, character set
    d.font = read.text();
    for (WORD i = 0; i < count; ++i) {
        read.align();
        StoredItem item;
        read.dword();  // help id
        item.exstyle = read.dword();
        item.style = read.dword();
        item.x = read.coordinate();
        item.y = read.coordinate();
        item.width = read.coordinate();
        item.height = read.coordinate();
        item.id = read.dword();
        item.window_class = read.name_or_ordinal();
        item.text = read.name_or_ordinal();
        read.skip(read.word());  // creation data
        d.items.push_back(item);
    }
    return d;
}

struct KindOnWindows {
    const wchar_t* window_class;
    DWORD style;
    DWORD exstyle;
};

// What each kind of control of the layout must be in the template.
KindOnWindows on_windows(layout::Kind kind) {
    switch (kind) {
    case layout::Kind::group_box: return {L"Button", BS_GROUPBOX, 0};
    case layout::Kind::label: return {L"Static", SS_LEFT, 0};
    case layout::Kind::bitmap: return {L"Static", SS_BITMAP, WS_EX_CLIENTEDGE};
    case layout::Kind::combo: return {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case layout::Kind::edit: return {L"Edit", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0};
    case layout::Kind::readonly_edit: return {L"Edit", ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP, 0};
    case layout::Kind::radio: return {L"Button", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0};
    case layout::Kind::default_button: return {L"Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 0};
    }
    return {};
}

DWORD state_style(layout::State state) {
    switch (state) {
    case layout::State::shown: return WS_VISIBLE;
    case layout::State::hidden: return 0;
    case layout::State::disabled: return WS_VISIBLE | WS_DISABLED;
    }
    return 0;
}

TEST(StoredTemplate, DialogAndEveryControlAsTheLayoutHasThem) {
    const StoredDialog d = stored_dialog();
    EXPECT_EQ(d.style, static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | DS_ABSALIGN | WS_POPUP | WS_CAPTION |
                                          WS_SYSMENU | WS_MINIMIZEBOX));
    EXPECT_EQ(d.exstyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
    EXPECT_EQ(d.x, REELCTL_DIALOG_X);
    EXPECT_EQ(d.y, REELCTL_DIALOG_Y);
    EXPECT_EQ(d.width, REELCTL_DIALOG_WIDTH);
    EXPECT_EQ(d.height, REELCTL_DIALOG_HEIGHT);
    EXPECT_EQ(_wcsicmp(d.menu.c_str(), L"" REELCTL_MENU_NAME), 0);
    EXPECT_EQ(d.title, from_utf8(layout::dialog_caption));
    EXPECT_EQ(d.font_points, REELCTL_DIALOG_FONT_POINTS);
    EXPECT_EQ(d.font, from_utf8(layout::dialog_font));

    ASSERT_EQ(d.items.size(), layout::control_count);
    for (std::size_t i = 0; i < layout::control_count; ++i) {
        const layout::Control& expected = layout::controls[i];
        const StoredItem& item = d.items[i];
        SCOPED_TRACE(::testing::Message() << "control " << i << " id " << expected.id << " "
                                          << reinterpret_cast<const char*>(expected.text));
        const KindOnWindows kind = on_windows(expected.kind);
        EXPECT_EQ(static_cast<WORD>(item.id), static_cast<WORD>(expected.id));
        EXPECT_EQ(_wcsicmp(item.window_class.c_str(), kind.window_class), 0) << "class";
        EXPECT_EQ(item.style, WS_CHILD | state_style(expected.state) | kind.style) << std::hex << item.style;
        EXPECT_EQ(item.exstyle, kind.exstyle);
        EXPECT_EQ(item.x, expected.x);
        EXPECT_EQ(item.y, expected.y);
        EXPECT_EQ(item.width, expected.width);
        EXPECT_EQ(item.height, expected.height);
        EXPECT_EQ(item.text, from_utf8(expected.text));
    }
}

TEST_F(DialogTemplate, ControlsInLayoutOrderWithTheirStateTextAndPixels) {
    // The dialog's base units: 4 horizontal and 8 vertical dialog units in pixels.
    const RECT base = pixels(0, 0, 4, 8);
    HWND control = GetWindow(dialog, GW_CHILD);
    for (const layout::Control& expected : layout::controls) {
        ASSERT_NE(control, nullptr) << "the dialog ends before control " << expected.id;
        SCOPED_TRACE(::testing::Message() << "control " << expected.id << " "
                                          << reinterpret_cast<const char*>(expected.text));
        EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(control)), static_cast<WORD>(expected.id));
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        EXPECT_EQ((style & WS_VISIBLE) != 0, expected.state != layout::State::hidden);
        EXPECT_EQ(IsWindowEnabled(control) != FALSE, expected.state != layout::State::disabled);

        // The dialog manager maps the place and the size each on its own.
        const RECT place = pixels(expected.x, expected.y, 0, 0);
        const RECT size = pixels(0, 0, expected.width, expected.height);
        const RECT got = client_rect_of(control);
        EXPECT_EQ(got.left, place.left);
        EXPECT_EQ(got.top, place.top);
        // The front ends that place the controls themselves compute the same.
        EXPECT_EQ(layout::mul_div(expected.x, base.right, 4), place.left);
        EXPECT_EQ(layout::mul_div(expected.y, base.bottom, 8), place.top);
        EXPECT_EQ(layout::mul_div(expected.width, base.right, 4), size.right);
        EXPECT_EQ(layout::mul_div(expected.height, base.bottom, 8), size.bottom);
        if (expected.kind == layout::Kind::bitmap) {
            // Sized by its picture, which the template names.
            HBITMAP picture = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
            ASSERT_NE(picture, nullptr);
            BITMAP bitmap{};
            GetObjectW(picture, sizeof bitmap, &bitmap);
            const bool strip = expected.id >= IDC_STRIP_FIRST;
            EXPECT_EQ(bitmap.bmWidth, 40);
            EXPECT_EQ(bitmap.bmHeight, strip ? 504 : 26);
        } else if (expected.kind == layout::Kind::combo) {
            // A closed drop-down list is as high as its font.
            EXPECT_EQ(got.right - got.left, size.right);
        } else {
            EXPECT_EQ(got.right - got.left, size.right);
            EXPECT_EQ(got.bottom - got.top, size.bottom);
            EXPECT_EQ(window_text(control), from_utf8(expected.text));
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
    EXPECT_EQ(control, nullptr) << "the dialog has more controls than the layout";
}

TEST_F(DialogTemplate, PlaceSizeFontAndTabOrder) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(std::wstring(font.lfFaceName), from_utf8(layout::dialog_font));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(REELCTL_DIALOG_FONT_POINTS, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);

    RECT window{};
    GetWindowRect(dialog, &window);
    EXPECT_EQ(window.left, REELCTL_DIALOG_X) << "placed in screen coordinates";
    EXPECT_EQ(window.top, REELCTL_DIALOG_Y);
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT size = pixels(0, 0, REELCTL_DIALOG_WIDTH, REELCTL_DIALOG_HEIGHT);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    // The close button is the first tab stop; the role combo follows the close button.
    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), GetDlgItem(dialog, IDC_CLOSE));
    EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDC_CLOSE), FALSE), GetDlgItem(dialog, IDC_ROLE_COMBO));
}

TEST_F(DialogTemplate, MenuAsInTheLayoutWithItsInitialChecks) {
    HMENU menus[4] = {GetMenu(dialog)};
    int positions[4] = {0};
    int depth = 0;
    ASSERT_NE(menus[0], nullptr);
    for (const layout::MenuEntry& entry : layout::menu) {
        SCOPED_TRACE(::testing::Message() << "entry " << reinterpret_cast<const char*>(entry.text));
        if (entry.kind == layout::MenuEntryKind::end) {
            EXPECT_EQ(GetMenuItemCount(menus[depth]), positions[depth]) << "items of the popup";
            --depth;
            continue;
        }
        HMENU menu = menus[depth];
        const int position = positions[depth]++;
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
        EXPECT_EQ(text, from_utf8(entry.text));
        if (entry.kind == layout::MenuEntryKind::popup) {
            HMENU popup = GetSubMenu(menu, position);
            ASSERT_NE(popup, nullptr);
            menus[++depth] = popup;
            positions[depth] = 0;
        } else {
            EXPECT_EQ(GetMenuItemID(menu, position), static_cast<UINT>(entry.id));
            const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
            EXPECT_EQ((state & MF_CHECKED) != 0, entry.check == layout::Check::checked);
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(GetMenuItemCount(menus[0]), positions[0]) << "items of the menu bar";
}

// Every picture the logic loads by name, as stored: Japanese, 4 bits per pixel, uncompressed, of its size.
TEST(Resources, PicturesIconDialogAndMenuAreJapanese) {
    const WORD japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    struct Expected {
        const char* name;
        int width, height;
    };
    std::vector<Expected> pictures;
    const int symbol_width[] = {40, 44}, symbol_height[] = {26, 32}, strip_height[] = {504, 630};
    for (int variant = 0; variant < layout_variant_count; ++variant) {
        for (int code = 0; code < symbol_count; ++code) {
            const bool large_blank = variant == 1 && code == symbol_blank;
            pictures.push_back({symbol_bitmap_names[variant][code], large_blank ? 42 : symbol_width[variant],
                                large_blank ? 30 : symbol_height[variant]});
        }
        for (int reel = 0; reel < reel_count; ++reel)
            pictures.push_back({strip_bitmap_names[variant][reel], 40, strip_height[variant]});
    }
    pictures.push_back({"VSK", 147, 95});

    for (const Expected& picture : pictures) {
        SCOPED_TRACE(picture.name);
        HRSRC resource = FindResourceExA(nullptr, MAKEINTRESOURCEA(2), picture.name, japanese);  // RT_BITMAP
        ASSERT_NE(resource, nullptr);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, resource)));
        EXPECT_EQ(header->biWidth, picture.width);
        EXPECT_EQ(header->biHeight, picture.height);
        EXPECT_EQ(header->biBitCount, 4);
        EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
    }
    EXPECT_NE(FindResourceExW(nullptr, MAKEINTRESOURCEW(14), L"VSICON", japanese), nullptr);  // RT_GROUP_ICON
    EXPECT_NE(FindResourceExW(nullptr, MAKEINTRESOURCEW(5), L"" REELCTL_DIALOG_NAME, japanese), nullptr);
    EXPECT_NE(FindResourceExW(nullptr, MAKEINTRESOURCEW(4), L"" REELCTL_MENU_NAME, japanese), nullptr);
}

// The version the project names, and a manifest with the Windows versions and the DPI handling.
TEST(Resources, VersionAndManifest) {
    HRSRC version = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));  // VS_VERSION_INFO, RT_VERSION
    ASSERT_NE(version, nullptr);
    const auto* block = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, version)));
    std::vector<BYTE> copy(block, block + SizeofResource(nullptr, version));  // VerQueryValue wants writable memory
    wchar_t* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\StringFileInfo\\041104B0\\ProductVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_EQ(std::wstring(text), std::wstring(L"" REELCTL_TEST_VERSION));
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueW(copy.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    const std::string xml(static_cast<const char*>(LockResource(LoadResource(nullptr, manifest))),
                          SizeofResource(nullptr, manifest));
    EXPECT_NE(xml.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // Windows 10 and 11
    EXPECT_NE(xml.find("<gdiScaling"), std::string::npos);
    EXPECT_NE(xml.find(">false</dpiAware>"), std::string::npos);
}

}  // namespace
}  // namespace reelctl
