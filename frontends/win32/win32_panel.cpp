#include "frontends/win32/win32_panel.h"

#include <shellapi.h>

#include <cstdint>

#include "text/cp932.h"

namespace reelctl {

std::wstring widen(const char* text) {
    const int length = MultiByteToWideChar(logic_code_page, 0, text, -1, nullptr, 0);
    if (length <= 1) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(logic_code_page, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));  // the terminator
    return wide;
}

std::string to_cp932(std::wstring_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(logic_code_page, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(logic_code_page, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

void narrow(const wchar_t* text, char* buffer, std::size_t size) {
    if (size == 0) return;
    const std::string bytes = to_cp932(text);
    const std::size_t kept = cp932_whole_length(bytes, size - 1);
    bytes.copy(buffer, kept);
    buffer[kept] = '\0';
}

void Win32Panel::set_text(int id, const char* text) { SetDlgItemTextW(dialog_, id, widen(text).c_str()); }

void Win32Panel::enable(int id, bool on) { EnableWindow(control(id), on ? TRUE : FALSE); }

void Win32Panel::show(int id, bool on) { ShowWindow(control(id), on ? SW_SHOW : SW_HIDE); }

void Win32Panel::check(int id, bool on) {
    SendDlgItemMessageW(dialog_, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32Panel::check_radio(int first, int last, int id) { CheckRadioButton(dialog_, first, last, id); }

void Win32Panel::set_image(int id, BitmapHandle bitmap) {
    SendDlgItemMessageW(dialog_, id, STM_SETIMAGE, IMAGE_BITMAP, static_cast<LPARAM>(bitmap));
}

void Win32Panel::combo_reset(int id) { SendDlgItemMessageW(dialog_, id, CB_RESETCONTENT, 0, 0); }

void Win32Panel::combo_add(int id, const char* text) {
    const std::wstring wide = widen(text);
    SendDlgItemMessageW(dialog_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32Panel::combo_text(int id, char* buffer, std::size_t size) {
    std::wstring wide(static_cast<std::size_t>(GetWindowTextLengthW(control(id))) + 1, L'\0');
    GetDlgItemTextW(dialog_, id, wide.data(), static_cast<int>(wide.size()));
    narrow(wide.c_str(), buffer, size);
}

void Win32Panel::focus(int id) { SetFocus(control(id)); }

void Win32Panel::caption(const char* text) { SetWindowTextW(dialog_, widen(text).c_str()); }

void Win32Panel::message(const char* text, const char* caption) {
    MessageBoxW(dialog_, widen(text).c_str(), widen(caption).c_str(), MB_OK);
}

void Win32Panel::menu_check(int id, bool on) {
    CheckMenuItem(GetSubMenu(GetMenu(dialog_), 0), static_cast<UINT>(id),
                  MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

int Win32Panel::control_top(int id) {
    RECT rect{};
    GetWindowRect(control(id), &rect);
    return rect.top;
}

BitmapHandle Win32Panel::load_bitmap(const char* name) {
    return reinterpret_cast<BitmapHandle>(LoadBitmapA(instance_, name));
}

void Win32Panel::delete_bitmap(BitmapHandle bitmap) { DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap)); }

MailslotHandle Win32Panel::mailslot_open(const char* name) {
    const HANDLE handle = CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    return reinterpret_cast<MailslotHandle>(handle);  // INVALID_HANDLE_VALUE is invalid_mailslot
}

void Win32Panel::mailslot_write(MailslotHandle mailslot, const void* bytes, std::size_t size) {
    DWORD written = 0;
    WriteFile(reinterpret_cast<HANDLE>(mailslot), bytes, static_cast<DWORD>(size), &written, nullptr);
}

void Win32Panel::mailslot_close(MailslotHandle mailslot) { CloseHandle(reinterpret_cast<HANDLE>(mailslot)); }

// The help file's viewer is no longer part of Windows: where WinHelp fails,
// the help page that comes with the program, beside it, opens in the browser.
void Win32Panel::help(const char* file, unsigned context) {
    if (WinHelpA(dialog_, file, HELP_CONTEXT, context)) return;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    std::wstring page(path, length);
    page.resize(page.find_last_of(L"\\/") + 1);
    page += help_page_name;
    ShellExecuteW(dialog_, L"open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Panel::end_dialog(int value) { EndDialog(dialog_, value); }

}  // namespace reelctl
