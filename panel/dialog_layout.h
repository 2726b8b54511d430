/* The panel's dialog template and its menu, written once for every front end.
 *
 * The resource script (resources/reelctl.rc) expands these lists into the
 * Windows dialog "AppReel" and the menu "CONDMENU"; C++ front ends expand
 * them into the constant tables at the end of this header. Positions and
 * sizes are dialog units; texts are UTF-8. The resource compiler reads this
 * file through the C preprocessor, so it holds nothing but macros outside
 * the C++ part.
 *
 * A control is X(kind, id, text, x, y, width, height, state), in template
 * order, which is also the tab order: the close button comes first, so that
 * it takes the focus when the dialog opens.
 *
 *   kind   group_box, label, bitmap (text is the picture's name, client edge,
 *          sized by its picture), combo (drop-down list, vertical scroll bar,
 *          unsorted), edit, readonly_edit, radio (auto radio button starting
 *          a group of its own), default_button (push button in the default
 *          style)
 *   state  shown, hidden or disabled
 */
#ifndef REELCTL_PANEL_DIALOG_LAYOUT_H
#define REELCTL_PANEL_DIALOG_LAYOUT_H

#include "panel/control_ids.h"

#define REELCTL_DIALOG_NAME "AppReel"
#define REELCTL_MENU_NAME "CONDMENU"
#define REELCTL_DIALOG_CAPTION "Vostrelの リール制御"
#define REELCTL_DIALOG_FONT "ＭＳ Ｐゴシック"
#define REELCTL_DIALOG_FONT_POINTS 9
/* Placed at 0, 0 in screen coordinates. */
#define REELCTL_DIALOG_X 0
#define REELCTL_DIALOG_Y 0
#define REELCTL_DIALOG_WIDTH 349
#define REELCTL_DIALOG_HEIGHT 394

#define REELCTL_NO_ID (-1)

/* The rows of a reel column: row 21 at the top, row 1 at the bottom, 16 units
 * apart, so that they stand 24 pixels apart with the dialog's usual font,
 * one cell of the small strip picture each. */
#define REELCTL_ROW_PITCH 16
#define REELCTL_ROW_1_EDIT_Y 343
#define REELCTL_ROW_EDIT_Y(row) (REELCTL_ROW_1_EDIT_Y - REELCTL_ROW_PITCH * (row))  /* row 0..20 is row 1..21 */
#define REELCTL_ROW_RADIO_Y(row) (REELCTL_ROW_EDIT_Y(row) + 2)
#define REELCTL_ROW_LABEL_WIDTH 10
#define REELCTL_ROW_LABEL_HEIGHT 8
#define REELCTL_EDIT_WIDTH 9
#define REELCTL_EDIT_HEIGHT 13
#define REELCTL_RADIO_SIZE 9

/* One row of one reel: its label, its slide edit box and its stop radio. */
#define REELCTL_ROW_CONTROLS(X, row, row_label, reel, label_x, edit_x, radio_x)                     \
    X(label, REELCTL_NO_ID, row_label, label_x, REELCTL_ROW_RADIO_Y(row), REELCTL_ROW_LABEL_WIDTH,    \
      REELCTL_ROW_LABEL_HEIGHT, shown)                                                              \
    X(edit, IDC_SLIDE_FIRST + 100 * (reel) + (row), "", edit_x, REELCTL_ROW_EDIT_Y(row),              \
      REELCTL_EDIT_WIDTH, REELCTL_EDIT_HEIGHT, shown)                                               \
    X(radio, IDC_RADIO_FIRST + 100 * (reel) + (row), "", radio_x, REELCTL_ROW_RADIO_Y(row),           \
      REELCTL_RADIO_SIZE, REELCTL_RADIO_SIZE, hidden)

/* The 21 rows of a reel, top to bottom. */
#define REELCTL_REEL_ROWS(X, reel, label_x, edit_x, radio_x)           \
    REELCTL_ROW_CONTROLS(X, 20, "21", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 19, "20", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 18, "19", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 17, "18", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 16, "17", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 15, "16", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 14, "15", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 13, "14", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 12, "13", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 11, "12", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 10, "11", reel, label_x, edit_x, radio_x)  \
    REELCTL_ROW_CONTROLS(X, 9, "10", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 8, " 9", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 7, " 8", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 6, " 7", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 5, " 6", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 4, " 5", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 3, " 4", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 2, " 3", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 1, " 2", reel, label_x, edit_x, radio_x)   \
    REELCTL_ROW_CONTROLS(X, 0, " 1", reel, label_x, edit_x, radio_x)

/* The 3 x 3 window of stopped symbols: columns left to right, lines top down. */
#define REELCTL_WINDOW_STATIC(X, reel, line, x, y) \
    X(bitmap, IDC_WINDOW_FIRST + 3 * (reel) + (line), "VSSP", x, y, 15, 17, shown)
#define REELCTL_WINDOW_LINE(X, line, y)             \
    REELCTL_WINDOW_STATIC(X, 0, line, 13, y)        \
    REELCTL_WINDOW_STATIC(X, 1, line, 41, y)        \
    REELCTL_WINDOW_STATIC(X, 2, line, 69, y)

#define REELCTL_DIALOG_CONTROLS(X)                                                    \
    X(default_button, IDC_CLOSE, "閉じる", 7, 373, 38, 14, shown)                    \
    X(group_box, REELCTL_NO_ID, " Stop ", 7, 7, 94, 86, shown)                        \
    REELCTL_WINDOW_LINE(X, 2, 21)                                                     \
    REELCTL_WINDOW_LINE(X, 1, 42)                                                     \
    REELCTL_WINDOW_LINE(X, 0, 63)                                                     \
    X(label, REELCTL_NO_ID, "成立役", 7, 105, 24, 9, shown)                           \
    X(combo, IDC_ROLE_COMBO, "", 35, 103, 73, 101, shown)                             \
    X(label, IDC_PATTERN_LABEL, "左停止ﾊﾟﾀｰﾝ", 7, 126, 44, 9, disabled)               \
    X(combo, IDC_PATTERN_COMBO, "", 52, 124, 56, 107, disabled)                       \
    X(label, IDC_TABLE_LABEL, "ﾃｰﾌﾞﾙ選択", 7, 146, 42, 9, disabled)                  \
    X(combo, IDC_TABLE_COMBO, "", 52, 144, 56, 94, disabled)                          \
    X(readonly_edit, IDC_SPARE_EDIT, "", 7, 181, 41, 12, hidden)                      \
    X(group_box, REELCTL_NO_ID, " Left ", 115, 7, 71, 362, shown)                     \
    X(bitmap, IDC_STRIP_FIRST + 0, "VSSL", 131, 21, 0, 0, shown)                      \
    REELCTL_REEL_ROWS(X, 0, 119, 160, 173)                                            \
    X(group_box, REELCTL_NO_ID, " Center  ", 191, 7, 72, 362, shown)                  \
    X(bitmap, IDC_STRIP_FIRST + 1, "VSSC", 207, 21, 0, 0, shown)                      \
    REELCTL_REEL_ROWS(X, 1, 195, 236, 249)                                            \
    X(group_box, REELCTL_NO_ID, " Right ", 268, 7, 74, 362, shown)                    \
    X(bitmap, IDC_STRIP_FIRST + 2, "VSSR", 285, 21, 0, 0, shown)                      \
    REELCTL_REEL_ROWS(X, 2, 273, 314, 327)                                            \
    X(default_button, IDC_SELECT_CENTER, "選択(&S)", 209, 373, 38, 14, disabled)      \
    X(default_button, IDC_SELECT_RIGHT, "選択(&S)", 286, 373, 38, 14, disabled)

/* The menu: POPUP(text) opens a popup, ITEM(text, id, check) adds a command
 * (check is checked or unchecked), END() closes the innermost popup. */
#define REELCTL_MENU(POPUP, ITEM, END)                   \
    POPUP("条件(&C)")                                    \
        POPUP("掛枚数")                                  \
            ITEM("１枚掛", IDM_BET_1, unchecked)         \
            ITEM("２枚掛", IDM_BET_2, unchecked)         \
            ITEM("３枚掛", IDM_BET_3, checked)           \
        END()                                            \
        POPUP("ﾘｰﾙ停止順")                               \
            ITEM("左→中→右", IDM_ORDER_FIRST + 0, checked)   \
            ITEM("左→右→中", IDM_ORDER_FIRST + 1, unchecked) \
            ITEM("中→左→右", IDM_ORDER_FIRST + 2, unchecked) \
            ITEM("中→右→左", IDM_ORDER_FIRST + 3, unchecked) \
            ITEM("右→左→中", IDM_ORDER_FIRST + 4, unchecked) \
            ITEM("右→中→左", IDM_ORDER_FIRST + 5, unchecked) \
        END()                                            \
    END()                                                \
    ITEM("ﾍﾙﾌﾟ(&H)", IDM_HELP, unchecked)

#if defined(__cplusplus) && !defined(RC_INVOKED)

#include <cstddef>

namespace reelctl::layout {

enum class Kind { group_box, label, bitmap, combo, edit, readonly_edit, radio, default_button };
enum class State { shown, hidden, disabled };

struct Control {
    Kind kind;
    int id;               // -1 for the controls the logic never names
    const char8_t* text;  // UTF-8; a bitmap's picture name
    int x, y, width, height;
    State state;
};

#define REELCTL_LAYOUT_CONTROL_ROW(kind, id, text, x, y, width, height, state) \
    Control{Kind::kind, (id), u8##text, (x), (y), (width), (height), State::state},
inline constexpr Control controls[] = {REELCTL_DIALOG_CONTROLS(REELCTL_LAYOUT_CONTROL_ROW)};
#undef REELCTL_LAYOUT_CONTROL_ROW

inline constexpr std::size_t control_count = sizeof controls / sizeof controls[0];

enum class MenuEntryKind { popup, item, end };
enum class Check { unchecked, checked };

struct MenuEntry {
    MenuEntryKind kind;
    const char8_t* text;  // UTF-8; empty for end
    int id;               // items only
    Check check;          // items only
};

#define REELCTL_LAYOUT_MENU_POPUP(text) MenuEntry{MenuEntryKind::popup, u8##text, 0, Check::unchecked},
#define REELCTL_LAYOUT_MENU_ITEM(text, id, check) MenuEntry{MenuEntryKind::item, u8##text, (id), Check::check},
#define REELCTL_LAYOUT_MENU_END() MenuEntry{MenuEntryKind::end, u8"", 0, Check::unchecked},
inline constexpr MenuEntry menu[] = {
    REELCTL_MENU(REELCTL_LAYOUT_MENU_POPUP, REELCTL_LAYOUT_MENU_ITEM, REELCTL_LAYOUT_MENU_END)};
#undef REELCTL_LAYOUT_MENU_POPUP
#undef REELCTL_LAYOUT_MENU_ITEM
#undef REELCTL_LAYOUT_MENU_END

inline constexpr std::size_t menu_entry_count = sizeof menu / sizeof menu[0];

inline constexpr const char8_t* dialog_caption = u8"" REELCTL_DIALOG_CAPTION;
inline constexpr const char8_t* dialog_font = u8"" REELCTL_DIALOG_FONT;

}  // namespace reelctl::layout

#endif
#endif
