// Control and command ids of the panel, shared by the logic, the resources
// and every binding.
#pragma once

// Plain macros so that the resource compiler can read this header too.
#define IDC_CLOSE 1
#define IDC_SELECT_CENTER 101
#define IDC_SELECT_RIGHT 102
#define IDC_SPARE_EDIT 1001
#define IDC_ROLE_COMBO 1057
#define IDC_TABLE_COMBO 1058
#define IDC_PATTERN_COMBO 1059
#define IDC_TABLE_LABEL 1062
#define IDC_PATTERN_LABEL 1063
#define IDC_WINDOW_FIRST 1065   /* 1065 + 3 * reel + line (0 bottom .. 2 top) */
#define IDC_WINDOW_LAST 1073
#define IDC_SLIDE_FIRST 1101    /* 1101 + 100 * reel + row */
#define IDC_RADIO_FIRST 1122    /* 1122 + 100 * reel + row */
#define IDC_STRIP_FIRST 1350    /* 1350 + reel */

#define IDM_BET_1 40021
#define IDM_BET_2 40022
#define IDM_BET_3 40023
#define IDM_ORDER_FIRST 40024
#define IDM_ORDER_LAST 40029
#define IDM_HELP 40030

#ifdef __cplusplus
namespace reelctl {

constexpr int slide_edit_id(int reel, int row) { return IDC_SLIDE_FIRST + 100 * reel + row; }
constexpr int stop_radio_id(int reel, int row) { return IDC_RADIO_FIRST + 100 * reel + row; }
constexpr int window_static_id(int reel, int line) { return IDC_WINDOW_FIRST + 3 * reel + line; }
constexpr int strip_static_id(int reel) { return IDC_STRIP_FIRST + reel; }

// The reel (0..2) whose stop radio `id` is, or -1.
constexpr int radio_reel(int id) {
    for (int reel = 0; reel < 3; ++reel)
        if (id >= stop_radio_id(reel, 0) && id <= stop_radio_id(reel, 20)) return reel;
    return -1;
}

}  // namespace reelctl
#endif
