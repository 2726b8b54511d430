// The system's own texts, held as code page 932 bytes.
//
// Every Japanese literal of the program lives in texts.cpp, the one source
// that must be compiled with a code page 932 execution character set.
//
// The texts the machine's panel shows: role, bet, stop order and pattern
// names, the title and the messages. tests/script/system_texts_test.cpp checks
// every byte of them and their UTF-8 form; texts_test.cpp that every title
// fits the panel's buffer and that each name list holds distinct texts.
#pragma once

#include <array>

#include "machine/conditions.h"
#include "machine/left_patterns.h"
#include "machine/roles.h"

namespace reelctl {

extern const std::array<const char*, role_count> role_names;
extern const std::array<const char*, bet_count> bet_names;
extern const std::array<const char*, stop_order_count> stop_order_names;
extern const std::array<const char*, left_pattern_count> left_pattern_names;

extern const char* const title_format;       // "Vostrelの リール制御 [ %s %s ]"
extern const char* const initial_caption;    // the dialog template's caption
extern const char* const message_caption;    // caption of every message box
extern const char* const message_no_role;    // no role matches the combo text
extern const char* const message_no_table;   // no table number in the combo text
extern const char* const message_no_pattern; // no left stop pattern matches

}  // namespace reelctl
