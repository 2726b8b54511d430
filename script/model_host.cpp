#include "script/model_host.h"

#include "app/dialog.h"

namespace reelctl::script {

ModelHost::ModelHost(ModelOptions options) : model_(options), tracer_(model_, model_), panel_(tracer_, tracer_) {
    model_.set_dialog_procedure([this](std::uint32_t message) { return dialog_procedure(panel_, message, 0, 0); });
}

void ModelHost::start() { model_.dialog_manager().started(dialog_procedure(panel_, msg_initdialog, 0, 0)); }

void ModelHost::send(std::uint32_t message, std::uintptr_t wparam) { dialog_procedure(panel_, message, wparam, 0); }

// What the dialog procedure leaves of a system command goes to the dialog manager.
void ModelHost::syscommand(std::uintptr_t value) {
    if (dialog_procedure(panel_, msg_syscommand, value, 0) == 0) model_.dialog_manager().system_command(value);
}

void ModelHost::setfocus() { model_.dialog_manager().setfocus_message(); }

void ModelHost::click(int id) {
    model_.dialog_manager().user_acts(id);
    model_.radio_checks_itself(id);
    command(id, notify_clicked);
}

void ModelHost::pick(int id, std::size_t item) {
    model_.dialog_manager().user_acts(id);
    model_.select_item(id, item);
    command(id, notify_selendok);
}

void ModelHost::type_text(int id, std::string_view text) { model_.type_text(id, text); }

bool ModelHost::visible(int id) {
    const ModelControl* c = model_.control(id);
    return c && c->visible;
}

bool ModelHost::enabled(int id) {
    const ModelControl* c = model_.control(id);
    return c && c->enabled;
}

bool ModelHost::checked(int id) {
    const ModelControl* c = model_.control(id);
    return c && c->checked;
}

std::string ModelHost::text(int id) {
    const ModelControl* c = model_.control(id);
    return c ? c->text : std::string();
}

std::vector<std::string> ModelHost::items(int combo) {
    const ModelControl* c = model_.control(combo);
    return c ? c->items : std::vector<std::string>();
}

std::optional<std::string> ModelHost::image(int id) {
    const ModelControl* c = model_.control(id);
    return c ? c->image : std::nullopt;
}

std::vector<ShownMessage> ModelHost::take_messages() {
    std::vector<ShownMessage> taken;
    const auto& shown = model_.messages();
    for (; messages_taken_ < shown.size(); ++messages_taken_)
        taken.push_back({shown[messages_taken_].text, shown[messages_taken_].caption});
    return taken;
}

}  // namespace reelctl::script
