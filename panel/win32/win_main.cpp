// reelctl.exe: the panel as a modal dialog of the program's own resources.

#include "panel/win32/win32_panel.h"

#include "app/dialog.h"
#include "app/state.h"
#include "panel/dialog_layout.h"

namespace {

// The one panel of the program, on the dialog window that runs it.
reelctl::Win32Panel binding;
reelctl::Panel panel(binding, binding);

INT_PTR CALLBACK panel_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    binding.set_dialog(dialog);
    return reelctl::dialog_procedure(panel, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    binding.set_instance(instance);  // the pictures are loaded from it
    // 1 after a close; -1 when the dialog cannot be made.
    return static_cast<int>(DialogBoxParamW(instance, L"" REELCTL_DIALOG_NAME, nullptr, panel_procedure, 0));
}
