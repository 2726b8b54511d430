// The system's own texts. This source is written in UTF-8 and compiled with a
// code page 932 execution character set, so every literal below is stored as
// the Shift-JIS bytes that the dialog shows: half-width katakana as single
// bytes, full-width digits and punctuation as double bytes.
#include "machine/texts.h"

namespace reelctl {

// By role index 0..10.
const std::array<const char*, role_count> role_names = {
    "ﾊｽﾞﾚ",          // 0 miss
    "ﾘﾌﾟﾚｲ",         // 1 replay
    "2枚ﾁｪﾘｰ",       // 2 2-coin cherry
    "4枚ﾁｪﾘｰ",       // 3 4-coin cherry
    "BIG BONUS",     // 4
    "BIG+2枚ﾁｪﾘｰ",   // 5
    "BIG+4枚ﾁｪﾘｰ",   // 6
    "REG BONUS",     // 7
    "REG+2枚ﾁｪﾘｰ",   // 8
    "REG+4枚ﾁｪﾘｰ",   // 9
    "10枚小役",      // 10 ten-coin role
};

// By bet 0..2: one, two, three coins.
const std::array<const char*, bet_count> bet_names = {
    "１枚掛",
    "２枚掛",
    "３枚掛",
};

// By stop order 0..5, the reels in the order they are stopped (left, center, right).
const std::array<const char*, stop_order_count> stop_order_names = {
    "左→中→右",
    "左→右→中",
    "中→左→右",
    "中→右→左",
    "右→左→中",
    "右→中→左",
};

// By left pattern 0..2; the shares are part of the texts.
const std::array<const char*, left_pattern_count> left_pattern_names = {
    "ﾊﾟﾀｰﾝ１(50%)",
    "ﾊﾟﾀｰﾝ２(25%)",
    "ﾊﾟﾀｰﾝ３(25%)",
};

const char* const title_format = "Vostrelの リール制御 [ %s %s ]";
const char* const initial_caption = "Vostrelの リール制御";
const char* const message_caption = "ﾘｰﾙ制御";
const char* const message_no_role = "成立役を選択して下さい．";
const char* const message_no_table = "テーブルを選択して下さい．";
const char* const message_no_pattern = "左停止ﾊﾟﾀｰﾝを選択して下さい．";

}  // namespace reelctl
