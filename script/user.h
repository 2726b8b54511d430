// A user's acts on a dialog, with the rules of the real dialog: only a shown,
// enabled push button or radio button can be clicked, only an item of an
// enabled combo picked, only a combo typed into. The one place these rules
// live: the script session, the tests, the walk, the fuzz targets and the
// benchmarks all act through them.
//
// `Dialog` is a dialog under test or any other driven dialog that answers
// iconic(), visible(id), enabled(id) and item_count(id), and carries out
// click(id), pick(id, item) and type_text(id, text) once the rules allow
// them. A minimized (iconic) dialog shows no control the mouse could reach.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "panel/control_ids.h"
#include "panel/layout_metrics.h"

namespace reelctl::script {

enum class UserResult {
    done,            // carried out, the dialog notified
    not_applicable,  // no control of the kind the act needs
    hidden,
    disabled,
    no_item,         // the combo has no such item
    iconic,          // the dialog is minimized
};

// The template's push buttons and radio buttons, and its combos.
constexpr bool clickable_control(int id) {
    return id == IDC_CLOSE || id == IDC_SELECT_CENTER || id == IDC_SELECT_RIGHT || radio_reel(id) >= 0;
}
constexpr bool combo_control(int id) {
    return id == IDC_ROLE_COMBO || id == IDC_TABLE_COMBO || id == IDC_PATTERN_COMBO;
}
static_assert(layout::has_kind(IDC_CLOSE, layout::Kind::default_button) &&
              layout::has_kind(IDC_SELECT_RIGHT, layout::Kind::default_button) &&
              layout::has_kind(stop_radio_id(2, 20), layout::Kind::radio) &&
              layout::has_kind(IDC_PATTERN_COMBO, layout::Kind::combo));

template <typename Dialog>
UserResult user_click(Dialog& dialog, int id) {
    if (!clickable_control(id)) return UserResult::not_applicable;
    if (dialog.iconic()) return UserResult::iconic;
    if (!dialog.visible(id)) return UserResult::hidden;
    if (!dialog.enabled(id)) return UserResult::disabled;
    dialog.click(id);
    return UserResult::done;
}

template <typename Dialog>
UserResult user_pick(Dialog& dialog, int id, std::uint64_t item) {
    if (!combo_control(id)) return UserResult::not_applicable;
    if (dialog.iconic()) return UserResult::iconic;
    if (!dialog.enabled(id)) return UserResult::disabled;
    if (item >= static_cast<std::uint64_t>(dialog.item_count(id))) return UserResult::no_item;
    dialog.pick(id, static_cast<std::size_t>(item));
    return UserResult::done;
}

class DialogUnderTest;

// A pick of the first item whose text equals `text` (code page 932).
UserResult user_pick_text(DialogUnderTest& dialog, int id, std::string_view text);

// A text typed into a combo (code page 932), selecting nothing, notifying nobody.
template <typename Dialog>
UserResult user_type_text(Dialog& dialog, int id, std::string_view text) {
    if (!combo_control(id)) return UserResult::not_applicable;
    dialog.type_text(id, text);
    return UserResult::done;
}

// Why an act was not carried out, as the notes on ignored lines say it;
// `by_text` for a pick by text.
constexpr const char* why_not_done(UserResult result, bool click, bool by_text) {
    switch (result) {
        case UserResult::not_applicable: return click ? "not a push button or radio button" : "not a combo";
        case UserResult::hidden: return "the control is hidden";
        case UserResult::disabled: return "the control is disabled";
        case UserResult::no_item: return by_text ? "no item of the combo has this text" : "the combo has no such item";
        case UserResult::iconic: return "the dialog is minimized";
        case UserResult::done: break;
    }
    return "";
}

}  // namespace reelctl::script
