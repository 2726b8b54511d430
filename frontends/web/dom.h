// The page's side of the binding: functions of the panel view, imported
// into WebAssembly from dom_imports.js. Ids are the template's control ids.
//
// Code page 932 texts are passed as bytes and length and decoded by the page.
// Texts coming back are UTF-8, in memory from malloc that the caller frees;
// a null pointer stands for "none".
#pragma once

extern "C" {

// ---- building and the primitives --------------------------------------------
// A fresh dialog in the page from the layout; rows `row_pixels` apart, or from the font when negative.
void reelctl_dom_build(int row_pixels);
void reelctl_dom_set_text(int id, const char* cp932, int length);
void reelctl_dom_enable(int id, int on);
void reelctl_dom_show(int id, int on);
void reelctl_dom_check(int id, int on);
void reelctl_dom_set_image(int id, const char* name);  // null: no picture
void reelctl_dom_combo_reset(int id);
void reelctl_dom_combo_add(int id, const char* cp932, int length);
char* reelctl_dom_combo_text(int id);
void reelctl_dom_caption(const char* cp932, int length);
void reelctl_dom_message(const char* cp932, int length, const char* caption_cp932, int caption_length);
void reelctl_dom_menu_check(int id, int on);
int reelctl_dom_control_top(int id);
int reelctl_dom_channel_open(const char* name);  // a handle, or -1
void reelctl_dom_channel_post(int channel, const void* bytes, int size);
void reelctl_dom_channel_close(int channel);
void reelctl_dom_help(const char* document);
void reelctl_dom_end_dialog(int value);

// The title bar's buttons, each a system command (WebPanel::title_button_command).
enum { reelctl_dom_title_close = 0, reelctl_dom_title_minimize = 1, reelctl_dom_title_restore = 2 };

// ---- the dialog manager -------------------------------------------------------
// The focus moved to control `id`, or to no control (-1): the DOM focus follows.
void reelctl_dom_focus_moved(int id);
// The dialog is minimized (1) or restored (0).
void reelctl_dom_show_iconic(int on);
// A control's state, which the dialog manager and a script host read: bits
// for the control exists, is shown, enabled, checked.
enum { reelctl_dom_exists = 1, reelctl_dom_shown = 2, reelctl_dom_enabled = 4, reelctl_dom_checked = 8 };
int reelctl_dom_state(int id);

// ---- what a script host reads and does (page/read_back.js) --------------------
char* reelctl_dom_text(int id);  // an edit box's text, a combo's current text
int reelctl_dom_item_count(int id);
char* reelctl_dom_item(int id, int index);
char* reelctl_dom_image(int id);  // the picture's name
char* reelctl_dom_caption_text();
int reelctl_dom_iconic();  // the dialog is shown minimized
int reelctl_dom_menu_checked(int id);
// The open message box: its text and caption, then a click on its OK button. Null when none is open.
char* reelctl_dom_message_text();
char* reelctl_dom_message_caption();
void reelctl_dom_answer_message();
void reelctl_dom_click(int id);                  // a user's click
void reelctl_dom_pick(int id, int index);        // a user's choice in a combo's list
void reelctl_dom_type_text(int id, const char* utf8);
int reelctl_dom_menu_command(int id);            // a click on the menu item; 0 when the menu has none
// A click on the title bar's button (reelctl_dom_title_*); 0 when the title bar does not show it.
int reelctl_dom_title_button(int button);
// A key pressed and released as the user's, by its DOM `key` and `code` (UTF-8).
void reelctl_dom_press_key(const char* key, const char* code, int shift, int alt);
// A companion of the run that listens on `channel`, and the bytes it has
// received: their count (copied up to `size`), or -1 while nothing came.
void reelctl_dom_companion_listen(const char* channel);
int reelctl_dom_companion_received(char* buffer, int size);

}  // extern "C"
