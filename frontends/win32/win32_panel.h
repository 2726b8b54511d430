// The panel primitives and the platform seam on a Windows dialog.
//
// Each primitive is one Win32 call on a control of the dialog, addressed by
// its id. The logic's texts are code page 932 bytes; they are converted to
// UTF-16 and handed to the wide functions, so they show the same on any
// system code page. No result of a platform call is tested.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "panel/primitives.h"

namespace reelctl {

// The code page of the logic's texts.
inline constexpr UINT logic_code_page = 932;

// The help page that comes with the program, beside it.
inline constexpr const wchar_t* help_page_name = L"help.html";

// Code page 932 bytes as UTF-16.
std::wstring widen(const char* text);
// UTF-16 as code page 932 bytes.
std::string to_cp932(std::wstring_view text);
// UTF-16 as code page 932 bytes in `buffer` (size bytes, always terminated);
// a longer text is cut before the first character that does not fit whole.
void narrow(const wchar_t* text, char* buffer, std::size_t size);

class Win32Panel final : public PanelPrimitives, public PlatformSeam {
public:
    // The module whose resources hold the pictures.
    void set_instance(HINSTANCE instance) { instance_ = instance; }
    // The dialog whose controls the primitives act on.
    void set_dialog(HWND dialog) { dialog_ = dialog; }
    HWND dialog() const { return dialog_; }

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
    HWND control(int id) const { return GetDlgItem(dialog_, id); }

    HINSTANCE instance_ = nullptr;
    HWND dialog_ = nullptr;
};

}  // namespace reelctl
