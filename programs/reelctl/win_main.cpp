// reelctl.exe: the panel as a modal dialog of the program's own resources.

#include "frontends/win32/win32_panel.h"

#include "app/dialog.h"
#include "app/panel.h"
#include "panel/control_ids.h"
#include "panel/dialog_layout.h"

namespace {

// The one panel of the program, on the dialog window that runs it.
reelctl::Win32Panel binding;
reelctl::Panel panel(binding, binding);

INT_PTR CALLBACK panel_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    binding.set_dialog(dialog);
    const INT_PTR result = reelctl::dialog_procedure(panel, message, wparam, lparam);
    // The close button and both Select buttons carry the default-button style,
    // and the dialog manager makes the last of them, Select 102, the default.
    // Enter must close the panel while the focus is on no other push button.
    if (message == WM_INITDIALOG) SendMessageW(dialog, DM_SETDEFID, IDC_CLOSE, 0);
    return result;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    binding.set_instance(instance);  // the pictures are loaded from it
    // 1 after a close; -1 when the dialog cannot be made.
    return static_cast<int>(DialogBoxParamW(instance, L"" REELCTL_DIALOG_NAME, nullptr, panel_procedure, 0));
}
