// A dump line: a snapshot of the whole panel as a dialog under test shows it.
#pragma once

#include <string>
#include <string_view>

#include "engine/state.h"
#include "script/dialog_under_test.h"
#include "text/json_writer.h"

namespace reelctl::script {

// {"dump": {...}}: caption, ended, focus, menu_checked, messages (taken from
// the dialog), notice, state (where the host has it) and controls; a dialog
// that can no longer be read gives only ended, messages and notice.
std::string dump_json(DialogUnderTest& dialog);

// The "state" object of a dump.
void write_state(JsonWriter& json, const EngineState& engine);

// Lower-case hex of raw bytes.
std::string hex_bytes(std::string_view bytes);

}  // namespace reelctl::script
