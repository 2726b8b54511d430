#include "script/user.h"

#include "script/dialog_under_test.h"

namespace reelctl::script {

UserResult user_pick_text(DialogUnderTest& dialog, int id, std::string_view text) {
    if (!combo_control(id)) return UserResult::not_applicable;
    if (dialog.iconic()) return UserResult::iconic;
    if (!dialog.enabled(id)) return UserResult::disabled;
    const std::vector<std::string> items = dialog.items(id);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == text) return user_pick(dialog, id, i);
    return UserResult::no_item;
}

}  // namespace reelctl::script
