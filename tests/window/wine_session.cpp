#include "tests/window/wine_session.h"

#include "frontends/win32/win32_panel.h"
#include "text/cp932.h"

namespace reelctl::window {

std::string to_utf8(std::wstring_view text) { return cp932_to_utf8(to_cp932(text)); }

std::wstring windows_path(std::string_view path) {
    std::wstring wide;
    if (!path.empty()) {
        const int size = static_cast<int>(path.size());
        const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), size, nullptr, 0);
        wide.assign(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, path.data(), size, wide.data(), length);
    }
    if (!wide.empty() && wide[0] == L'/') {
        for (wchar_t& c : wide)
            if (c == L'/') c = L'\\';
        wide = L"Z:" + wide;
    }
    return wide;
}

std::wstring beside_this_program(const wchar_t* file) {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring own(path, length);
    return own.substr(0, own.find_last_of(L"\\/") + 1) + file;
}

void LogPixels::set(DWORD value) {
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                        &key_, nullptr) != ERROR_SUCCESS)
        throw Failure("cannot open the LogPixels key");
    DWORD size = sizeof old_;
    DWORD type = 0;
    had_old_ = RegQueryValueExW(key_, L"LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old_), &size) ==
                   ERROR_SUCCESS &&
               type == REG_DWORD;
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

void LogPixels::restore() {
    if (!key_) return;
    if (had_old_)
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
    else
        RegDeleteValueW(key_, L"LogPixels");
    RegCloseKey(key_);
    key_ = nullptr;
}

}  // namespace reelctl::window
