#include "tests/window/window_host.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "frontends/win32/win32_panel.h"
#include "panel/control_ids.h"

namespace reelctl::window {
namespace {

constexpr DWORD start_timeout_ms = 30000;
constexpr DWORD repaint_timeout_ms = 3000;

std::wstring text_of(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A dialog window of the program: a visible #32770.
bool is_shown_dialog(HWND window) { return class_of(window) == L"#32770" && IsWindowVisible(window); }

// Item `index` of a combo of another process (CB_GETLBTEXT of the wide
// version: the narrow one returns UTF-16 across processes under Wine).
std::wstring combo_item(HWND combo, std::size_t index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

bool inside(const RECT& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

}  // namespace

WindowHost::WindowHost(HostOptions options, std::ostream& log, std::string program)
    : options_(std::move(options)), log_(log), program_(std::move(program)) {}

// ---- the program ------------------------------------------------------------------

LRESULT CALLBACK WindowHost::reply_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* host = reinterpret_cast<WindowHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && host) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
        if (data->dwData == probe_magic && data->cbData == sizeof(ProbeAnswer)) {
            ProbeAnswer answer;
            std::memcpy(&answer, data->lpData, sizeof answer);
            if (answer.magic == probe_magic) {
                host->answer_ = answer;
                host->setfocus_count_ = answer.setfocus_count;
            }
            return TRUE;
        }
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void WindowHost::start() {
    probe_message_ = RegisterWindowMessageW(probe_message_name);
    WNDCLASSW reply_class{};
    reply_class.lpfnWndProc = reply_procedure;
    reply_class.hInstance = GetModuleHandleW(nullptr);
    reply_class.lpszClassName = L"reelctl.window.driver";
    RegisterClassW(&reply_class);
    reply_window_ = CreateWindowExW(0, reply_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    reply_class.hInstance, nullptr);
    if (!reply_window_) throw Failure("cannot make the reply window");
    SetWindowLongPtrW(reply_window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    if (options_.companion) receiver_.start(beside_this_program(L"notice_receiver.exe"));
    if (options_.log_pixels) log_pixels_.set(options_.log_pixels);
    start_program();
    find_dialog();
    activate();
    log_pixels_.restore();  // read by the program at its start
    hook_probe();

    // What the program measured at its start to choose its pictures.
    RECT row_1{}, row_2{};
    GetWindowRect(control(slide_edit_id(0, 0)), &row_1);
    GetWindowRect(control(slide_edit_id(0, 1)), &row_2);
    log_ << program_ << ": row pixels " << row_1.top - row_2.top << '\n';
    log_ << program_ << ": code page " << GetACP() << '\n';  // the program's too: same environment
}

void WindowHost::start_program() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring command = L"\"" + options_.program + L"\"";
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(options_.program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        throw Failure("cannot start " + to_utf8(options_.program) + " (error " + std::to_string(GetLastError()) + ")");
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    end_block_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeEnd),
                                    probe_end_name(process.dwProcessId).c_str());
    if (!end_block_) throw Failure("cannot make the probe's end record");
}

// What the probe recorded at the dialog's destruction, once the program has ended.
const std::optional<ProbeEnd>& WindowHost::end_record() {
    if (end_ || !end_block_ || !program_ended()) return end_;
    if (const void* view = MapViewOfFile(end_block_, FILE_MAP_READ, 0, 0, sizeof(ProbeEnd))) {
        ProbeEnd end;
        std::memcpy(&end, view, sizeof end);
        UnmapViewOfFile(view);
        if (end.magic == probe_magic) {
            end_ = end;
            log_ << program_ << ": WM_SETFOCUS to the dialog at its end: " << end.setfocus_count - setfocus_count_
                 << '\n';
        }
    }
    return end_;
}

void WindowHost::find_dialog() {
    struct Search {
        DWORD process_id;
        HWND found;
    } search{GetProcessId(process_), nullptr};
    const DWORD started = GetTickCount();
    for (;;) {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s->process_id || !is_shown_dialog(window)) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) break;
        if (program_ended()) throw Failure("the program ended before its dialog showed");
        if (GetTickCount() - started > start_timeout_ms) throw Failure("the program's dialog did not show");
        Sleep(10);
    }
    dialog_ = search.found;
    dialog_thread_ = GetWindowThreadProcessId(dialog_, nullptr);
}

void WindowHost::hook_probe() {
    const std::wstring probe_path = beside_this_program(L"window_probe.dll");
    probe_module_ = LoadLibraryW(probe_path.c_str());
    if (!probe_module_) throw Failure("cannot load " + to_utf8(probe_path));
    auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(probe_module_, probe_hook_export)));
    hook_ = hook ? SetWindowsHookExW(WH_GETMESSAGE, hook, probe_module_, dialog_thread_) : nullptr;
    if (!hook_) throw Failure("cannot hook the probe into the program");

    settle();
    if (!answer_) throw Failure("the probe does not answer");
}

void WindowHost::shut_down() {
    if (hook_) UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (process_) {
        if (!program_ended()) {
            TerminateProcess(process_, 0);
            WaitForSingleObject(process_, end_timeout_ms);
        }
        CloseHandle(process_);
        process_ = nullptr;
    }
    receiver_.finish();
    log_pixels_.restore();
    if (end_block_) CloseHandle(end_block_);
    end_block_ = nullptr;
    if (reply_window_) DestroyWindow(reply_window_);
    reply_window_ = nullptr;
}

// Lets the program work until `done` holds or the program has ended,
// reading and answering its message boxes meanwhile.
void WindowHost::wait_for(const std::function<bool()>& done, const char* what) {
    const DWORD started = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (done() || program_ended()) return;
        answer_message_boxes();
        if (GetTickCount() - started > answer_timeout_ms) throw Failure(std::string("the program did not finish ") + what);
        MsgWaitForMultipleObjects(1, &process_, FALSE, 10, QS_ALLINPUT);
    }
}

void WindowHost::answer_message_boxes() {
    std::erase_if(answered_boxes_, [](HWND box) { return !IsWindow(box); });
    std::vector<HWND> windows;
    EnumThreadWindows(
        dialog_thread_,
        [](HWND window, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    for (HWND box : windows) {
        if (box == dialog_ || answered_boxes_.count(box) || !is_shown_dialog(box)) continue;
        script::ShownMessage shown{{}, to_cp932(text_of(box))};
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (class_of(child) != L"Static" || (style & SS_TYPEMASK) == SS_ICON) continue;
            const std::wstring text = text_of(child);
            if (!text.empty()) shown.text = to_cp932(text);
        }
        messages_.push_back(std::move(shown));
        answered_boxes_.insert(box);
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
    }
}

// ---- the system and the user ---------------------------------------------------

// A message to the dialog, sent as the system sends it; returns once the dialog has handled it.
void WindowHost::deliver(UINT message, WPARAM wparam, LPARAM lparam) {
    bool handled = false;
    const SENDASYNCPROC sent = [](HWND, UINT, ULONG_PTR data, LRESULT) { *reinterpret_cast<bool*>(data) = true; };
    if (!SendMessageCallbackW(dialog_, message, wparam, lparam, sent, reinterpret_cast<ULONG_PTR>(&handled)))
        throw Failure("cannot send to the dialog");
    wait_for([&] { return handled; }, "a message");
}

void WindowHost::send(std::uint32_t message, std::uintptr_t wparam) { deliver(message, wparam, 0); }

void WindowHost::command(int id, int code) {
    if (options_.keys && code == 0 && (id == id_ok || id == id_cancel))
        press_key(id == id_ok ? VK_RETURN : VK_ESCAPE);
    else
        deliver(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control(id)));
}

// A click as the user's: the left mouse button pressed and let go in the
// middle of the control. The messages are posted to the control as the
// system posts the user's mouse input, so the control takes the focus as it
// would for the user and an auto radio button checks itself before it
// notifies the dialog; posted, they keep their order with the probe's
// questions, so the host knows when they have been handled.
void WindowHost::click(int id) {
    HWND target = control(id);
    RECT client{};
    GetClientRect(target, &client);
    post_click(target, {client.right / 2, client.bottom / 2});
}

// A pick as the user's with the mouse: a click on the combo drops its list
// down (the combo takes the focus), a click on the item chooses it.
void WindowHost::pick(int id, std::size_t item) {
    HWND combo = control(id);
    RECT client{};
    GetClientRect(combo, &client);
    post_click(combo, {client.right / 2, client.bottom / 2});
    HWND list = dropped_list();
    if (!list) throw Failure("the list of combo " + std::to_string(id) + " did not drop down");
    // An item below the list's end is scrolled into view, as with the scroll bar.
    const LRESULT item_height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    GetClientRect(list, &client);
    LONG y = static_cast<LONG>((static_cast<LRESULT>(item) - top) * item_height + item_height / 2);
    if (y < 0 || y >= client.bottom) {
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(item), 0);
        y = static_cast<LONG>((static_cast<LRESULT>(item) - SendMessageW(list, LB_GETTOPINDEX, 0, 0)) * item_height +
                              item_height / 2);
    }
    post_click(list, {client.right / 2, y});
}

// The list of a combo of the program that is dropped down, or null.
HWND WindowHost::dropped_list() const {
    HWND found = nullptr;
    EnumThreadWindows(
        dialog_thread_,
        [](HWND window, LPARAM data) -> BOOL {
            if (class_of(window) != L"ComboLBox" || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(data) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void WindowHost::post_click(HWND target, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(target, WM_MOUSEMOVE, 0, where);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(target, WM_LBUTTONUP, 0, where);
    settle();
}

// Keys as the user's keyboard sends them, through the system's input: the
// dialog's message loop and dialog manager take them as they take the user's.
bool WindowHost::press_keys(const std::vector<script::KeyPress>& presses) {
    std::vector<INPUT> input;
    auto key = [&](UINT vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(vk);
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        input.push_back(in);
    };
    int releases = 0;
    for (const script::KeyPress& press : presses) {
        UINT vk = 0;
        switch (press.key) {
            case script::Key::tab: vk = VK_TAB; break;
            case script::Key::enter: vk = VK_RETURN; break;
            case script::Key::escape: vk = VK_ESCAPE; break;
            case script::Key::space: vk = VK_SPACE; break;
            case script::Key::up: vk = VK_UP; break;
            case script::Key::down: vk = VK_DOWN; break;
            case script::Key::left: vk = VK_LEFT; break;
            case script::Key::right: vk = VK_RIGHT; break;
            case script::Key::home: vk = VK_HOME; break;
            case script::Key::end: vk = VK_END; break;
            case script::Key::f4: vk = VK_F4; break;
            case script::Key::character: vk = static_cast<UINT>(press.character); break;
        }
        if (press.shift) key(VK_SHIFT, false);
        if (press.alt) key(VK_MENU, false);
        key(vk, false);
        key(vk, true);
        if (press.alt) key(VK_MENU, true);
        if (press.shift) key(VK_SHIFT, true);
        releases += 1 + (press.shift ? 1 : 0) + (press.alt ? 1 : 0);
    }
    send_input(input.data(), static_cast<int>(input.size()), releases);
    return true;
}

// Input goes to the program's thread after the messages posted to it: it has
// been taken, and handled, once the probe counts its releases.
void WindowHost::send_input(INPUT* input, int count, int releases) {
    settle();
    if (!answer_) throw Failure("the program cannot take input any more");
    const std::uint32_t expected = answer_->releases_taken + static_cast<std::uint32_t>(releases);
    if (SendInput(static_cast<UINT>(count), input, sizeof(INPUT)) != static_cast<UINT>(count))
        throw Failure("the input was not sent");
    const DWORD started = GetTickCount();
    for (;;) {
        settle();
        if (!answer_ || answer_->releases_taken >= expected) break;
        if (GetTickCount() - started > answer_timeout_ms) throw Failure("the program did not take the input");
        Sleep(5);
    }
    settle();
}

void WindowHost::type_text(int id, std::string_view text) {
    if (!text.empty())
        throw Failure("a drop-down list cannot show a text that is not its item; settext takes no text here");
    SendMessageW(control(id), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

// A key pressed and let go on the control with the focus, through the dialog's message loop.
void WindowHost::press_key(UINT key) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = GetGUIThreadInfo(dialog_thread_, &info) && info.hwndFocus ? info.hwndFocus : dialog_;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(target, WM_KEYUP, key, 1 | scan | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

// The program just started is the one the user works with: a click on an
// empty spot of the dialog (below the " Stop " group) makes it the active window.
void WindowHost::activate() {
    RECT spot{7, 175, 8, 176};
    MapDialogRect(dialog_, &spot);
    POINT point{spot.left, spot.top};
    ClientToScreen(dialog_, &point);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input[3] = {};
    for (INPUT& in : input) {
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((point.x * 65535 + width / 2) / (width - 1));
        in.mi.dy = static_cast<LONG>((point.y * 65535 + height / 2) / (height - 1));
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    }
    input[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(3, input, sizeof(INPUT));
    const DWORD started = GetTickCount();
    while (GetForegroundWindow() != dialog_ && GetTickCount() - started < 2000) Sleep(10);
    if (GetForegroundWindow() != dialog_) log_ << program_ << ": the dialog did not become the active window\n";
}

// Waits until the dialog has handled everything posted to it so far and no
// message box of the program is open, and takes the probe's answer.
void WindowHost::settle() {
    do {
        answer_.reset();
        if (!dialog_open()) return;
        const std::uint32_t sequence = ++sequence_;
        PostMessageW(dialog_, probe_message_, reinterpret_cast<WPARAM>(reply_window_), static_cast<LPARAM>(sequence));
        wait_for([&] { return answer_ && answer_->sequence == sequence; }, "the probe's question");
        if (answer_ && answer_->sequence != sequence) answer_.reset();
    } while (message_box_open());
}

bool WindowHost::message_box_open() const {
    struct Search {
        HWND dialog;
        bool open;
    } search{dialog_, false};
    EnumThreadWindows(
        dialog_thread_,
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (window != s->dialog && is_shown_dialog(window)) s->open = true;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.open;
}

// ---- what the window shows -------------------------------------------------------

std::optional<int> WindowHost::end_value() {
    if (!program_ended()) {
        if (dialog_open()) return std::nullopt;
        // The dialog has ended; the program is on its way out.
        if (WaitForSingleObject(process_, end_timeout_ms) != WAIT_OBJECT_0)
            throw Failure("the dialog has gone but the program does not end");
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<int>(code);
}

bool WindowHost::visible(int id) {
    HWND c = control(id);
    return c && (GetWindowLongW(c, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool WindowHost::enabled(int id) {
    HWND c = control(id);
    return c && IsWindowEnabled(c);
}

bool WindowHost::checked(int id) {
    HWND c = control(id);
    return c && SendMessageW(c, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string WindowHost::text(int id) {
    HWND c = control(id);
    return c ? to_cp932(text_of(c)) : std::string();
}

std::vector<std::string> WindowHost::items(int combo) {
    std::vector<std::string> texts(item_count(combo));
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = to_cp932(combo_item(control(combo), i));
    return texts;
}

std::size_t WindowHost::item_count(int combo) {
    HWND c = control(combo);
    const LRESULT count = c ? SendMessageW(c, CB_GETCOUNT, 0, 0) : 0;
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::optional<std::string> WindowHost::image(int id) {
    if (answer_)
        for (const ProbeImage& image : answer_->images)
            if (image.id == id && image.name[0]) return std::string(image.name);
    return std::nullopt;
}

std::string WindowHost::caption() { return to_cp932(text_of(dialog_)); }

std::optional<int> WindowHost::focus() {
    if (!dialog_open()) {
        if (!end_record() || end_->focus < 0) return std::nullopt;
        return end_->focus;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(dialog_thread_, &info) || !info.hwndFocus || info.hwndFocus == dialog_)
        return std::nullopt;
    HWND focused = info.hwndFocus;
    while (focused && GetParent(focused) != dialog_) focused = GetParent(focused);
    if (!focused) return std::nullopt;
    return GetDlgCtrlID(focused);
}

std::optional<std::vector<int>> WindowHost::menu_checked() {
    if (!answer_ || !answer_->menu_found) return std::nullopt;
    return std::vector<int>(answer_->checked, answer_->checked + answer_->checked_count);
}

std::vector<script::ShownMessage> WindowHost::take_messages() { return std::exchange(messages_, {}); }

// ---- the pixels --------------------------------------------------------------------

void WindowHost::dumped() {
    ++dumps_;
    if (!dialog_open()) return;
    if (!options_.pictures.empty()) check_pictures();
    if (!options_.shots.empty()) save_shot();
}

const Image& WindowHost::picture_file(const std::string& name) {
    auto file = picture_files_.find(name);
    if (file == picture_files_.end()) {
        const std::wstring path = options_.pictures + L"\\" + std::wstring(name.begin(), name.end()) + L".bmp";
        auto loaded = read_bmp_file(path);
        if (!loaded) throw Failure("cannot read " + to_utf8(path));
        file = picture_files_.emplace(name, std::move(*loaded)).first;
    }
    return file->second;
}

// The pixels of each bitmap static on the screen against the file of the picture the probe named.
void WindowHost::check_pictures() {
    if (!answer_) return;
    for (const ProbeImage& image : answer_->images)
        if (image.name[0]) check_picture(image);
}

void WindowHost::check_picture(const ProbeImage& image) {
    const std::string where = "dump " + std::to_string(dumps_) + ", static " + std::to_string(image.id);
    if (image.name[0] == '?') {
        log_ << program_ << ": " << where << " shows a picture that is none of the program's\n";
        ++picture_counts_.wrong;
        return;
    }
    const Image& file = picture_file(image.name);
    HWND picture_control = control(image.id);
    RECT client{};
    GetClientRect(picture_control, &client);
    POINT origin{0, 0};
    ClientToScreen(picture_control, &origin);
    if (client.right != file.width || client.bottom != file.height) {
        if (picture_counts_.resized++ == 0)
            log_ << program_ << ": " << where << " (" << image.name << ") is " << client.right << " x "
                 << client.bottom << " pixels inside its edge, the picture " << file.width << " x " << file.height
                 << ": the static draws it " << (client.right < file.width ? "squeezed" : "stretched") << '\n';
    }
    const Image expected = as_drawn(file, client.right, client.bottom);
    // Only the part inside the dialog's client area can be seen.
    RECT dialog_client{};
    GetClientRect(dialog_, &dialog_client);
    MapWindowPoints(dialog_, nullptr, reinterpret_cast<POINT*>(&dialog_client), 2);
    const RECT picture{origin.x, origin.y, origin.x + expected.width, origin.y + expected.height};
    RECT seen{};
    if (!IntersectRect(&seen, &picture, &dialog_client)) return;
    const int seen_width = seen.right - seen.left;
    const int seen_height = seen.bottom - seen.top;
    const std::vector<RECT> covered = covering(picture_control, seen);
    // The static may not have painted yet: look again for a while.
    std::size_t differing = 0;
    const DWORD started = GetTickCount();
    for (;;) {
        const Image shown = capture(seen.left, seen.top, seen_width, seen_height);
        differing = 0;
        for (int y = 0; y < seen_height; ++y)
            for (int x = 0; x < seen_width; ++x) {
                if (std::any_of(covered.begin(), covered.end(),
                                [&](const RECT& r) { return inside(r, seen.left + x, seen.top + y); }))
                    continue;
                differing += shown.pixel(x, y) != expected.pixel(x + seen.left - origin.x, y + seen.top - origin.y);
            }
        if (differing == 0 || GetTickCount() - started > repaint_timeout_ms) break;
        Sleep(50);
    }
    ++picture_counts_.checked;
    if (differing) {
        log_ << program_ << ": " << where << " (" << image.name << "): " << differing << " of "
             << seen_width * seen_height << " pixels on the screen differ from " << image.name << ".bmp\n";
        ++picture_counts_.wrong;
    }
}

// The parts of `area` (screen pixels) where other shown controls stand over
// `picture_control` (the Select buttons over a long strip): their pixels are
// not the picture's. Group boxes are hollow.
std::vector<RECT> WindowHost::covering(HWND picture_control, const RECT& area) const {
    std::vector<RECT> covered;
    for (HWND other = GetWindow(dialog_, GW_CHILD); other; other = GetWindow(other, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(other, GWL_STYLE);
        if (other == picture_control || !(style & WS_VISIBLE)) continue;
        if (class_of(other) == L"Button" && (style & BS_TYPEMASK) == BS_GROUPBOX) continue;
        RECT rect{}, overlap{};
        GetWindowRect(other, &rect);
        if (IntersectRect(&overlap, &rect, &area)) covered.push_back(overlap);
    }
    return covered;
}

void WindowHost::save_shot() {
    RECT frame{};
    GetWindowRect(dialog_, &frame);
    Sleep(200);  // let the last changes reach the screen
    const Image shot = capture(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    const std::wstring path = options_.shots + L"\\dump-" + std::to_wstring(dumps_) + L".bmp";
    if (!write_bmp_file(path, shot)) throw Failure("cannot write " + to_utf8(path));
}

}  // namespace reelctl::window
