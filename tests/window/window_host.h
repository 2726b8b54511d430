// The real reelctl.exe window as a dialog under test: the program runs in a
// process of its own, and the host acts on its dialog and reads it from
// outside, as the system and a user would.
//
// The system's acts are messages sent to the dialog (WM_COMMAND with the
// control's handle, WM_SYSCOMMAND, WM_SETFOCUS); with `keys`, the commands
// IDOK and IDCANCEL are the Enter and Escape keys, posted to the control with
// the focus and turned into commands by the dialog's own message loop. The
// user's acts are the user's input: a click is the left mouse button pressed
// and let go on the control, a pick a click on the combo and one on the item
// of its dropped list (mouse messages posted to the control, as the system
// posts the user's), and key lines are keys sent through the system's input;
// so the focus moves as it does for the user. A drop-down list shows one of
// its items or nothing, so the only text typed into it is the empty one (it
// selects nothing); any other fails the run.
//
// Message boxes that the program shows are read and answered with OK while
// the host waits for the program. The menu checks and the names of the
// pictures come from window_probe.dll, hooked into the program (see
// probe_protocol.h); its answer to a posted question also tells that the
// dialog has handled everything posted before. After the program has ended
// the dialog can no longer be read, but for its focus as it was left at the
// end, which the probe recorded (standard error also tells how many
// WM_SETFOCUS the dialog got at its end).
//
// Once the dialog shows, standard error tells the distance in pixels of the
// slide rows 1 and 2 as the program measured it ("row pixels N") and the
// ANSI code page ("code page N").
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "script/dialog_under_test.h"
#include "tests/window/probe_protocol.h"
#include "tests/window/receiver.h"
#include "tests/window/screen.h"
#include "tests/window/wine_session.h"

namespace reelctl::window {

struct HostOptions {
    std::wstring program;
    bool companion = false;  // notice_receiver.exe makes the mailslot before the program starts
    bool keys = false;
    DWORD log_pixels = 0;    // the program's pixels per inch; 0 leaves Wine's setting
    // At every dump, the pixels on the screen of each bitmap static, where no
    // other control covers them, must be DIR\NAME.bmp of the picture it
    // shows, as the static draws it into its client area.
    std::wstring pictures;
    std::wstring shots;      // at every dump, the dialog's pixels go to DIR\dump-N.bmp
};

struct PictureCounts {
    int checked = 0;
    int wrong = 0;
    int resized = 0;  // drawn into a client area of another size
};

class WindowHost final : public script::DialogUnderTest {
public:
    // `log` takes the host's reports (row pixels, code page, the picture
    // check), each line begun with `program`.
    WindowHost(HostOptions options, std::ostream& log, std::string program);
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;
    ~WindowHost() override { shut_down(); }

    void start() override;
    void send(std::uint32_t message, std::uintptr_t wparam) override;
    void command(int id, int code) override;
    void settle() override;
    void click(int id) override;
    void pick(int id, std::size_t item) override;
    void type_text(int id, std::string_view text) override;
    bool press_keys(const std::vector<script::KeyPress>& presses) override;

    bool readable() override { return dialog_open(); }
    bool focus_readable() override { return dialog_open() || end_record(); }
    bool iconic() override { return IsWindow(dialog_) && IsIconic(dialog_); }
    std::optional<int> end_value() override;
    bool visible(int id) override;
    bool enabled(int id) override;
    bool checked(int id) override;
    std::string text(int id) override;
    std::vector<std::string> items(int combo) override;
    std::size_t item_count(int combo) override;
    std::optional<std::string> image(int id) override;
    std::string caption() override;
    std::optional<int> focus() override;
    std::optional<std::vector<int>> menu_checked() override;
    std::vector<script::ShownMessage> take_messages() override;
    std::optional<std::string> notice() override { return receiver_.received(); }
    void dumped() override;

    // Ends the program if it still runs, and the receiver.
    void shut_down();

    const PictureCounts& pictures() const { return picture_counts_; }

private:
    static LRESULT CALLBACK reply_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    HWND control(int id) const { return GetDlgItem(dialog_, id); }
    bool program_ended() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }
    bool dialog_open() const { return IsWindow(dialog_) && IsWindowVisible(dialog_) && !program_ended(); }
    void start_program();
    void find_dialog();
    void hook_probe();
    void wait_for(const std::function<bool()>& done, const char* what);
    void answer_message_boxes();
    void deliver(UINT message, WPARAM wparam, LPARAM lparam);
    void press_key(UINT key);
    void activate();
    void post_click(HWND target, POINT at);
    void send_input(INPUT* input, int count, int releases);
    HWND dropped_list() const;
    bool message_box_open() const;
    const std::optional<ProbeEnd>& end_record();
    void check_pictures();
    void check_picture(const ProbeImage& image);
    const Image& picture_file(const std::string& name);
    std::vector<RECT> covering(HWND picture_control, const RECT& area) const;
    void save_shot();

    HostOptions options_;
    std::ostream& log_;
    std::string program_;
    LogPixels log_pixels_;
    Receiver receiver_;
    HANDLE process_ = nullptr;
    HWND dialog_ = nullptr;
    DWORD dialog_thread_ = 0;
    HMODULE probe_module_ = nullptr;
    HHOOK hook_ = nullptr;
    HWND reply_window_ = nullptr;
    UINT probe_message_ = 0;
    std::uint32_t sequence_ = 0;
    std::optional<ProbeAnswer> answer_;
    std::uint32_t setfocus_count_ = 0;  // as the last answer told it
    HANDLE end_block_ = nullptr;        // where the probe records the end
    std::optional<ProbeEnd> end_;
    std::vector<script::ShownMessage> messages_;
    std::set<HWND> answered_boxes_;
    std::map<std::string, Image> picture_files_;
    int dumps_ = 0;
    PictureCounts picture_counts_;
};

}  // namespace reelctl::window
