// The panel's logic on the in-memory model dialog, as a dialog under test:
// reelctl-script's host, and the driven panel of the tests.
#pragma once

#include <cstddef>

#include "app/panel.h"
#include "frontends/model/model_panel.h"
#include "script/dialog_under_test.h"
#include "script/tracing_panel.h"

namespace reelctl::script {

class ModelHost final : public DialogUnderTest {
public:
    explicit ModelHost(ModelOptions options = {});

    void start() override;
    void send(std::uint32_t message, std::uintptr_t wparam) override;
    void syscommand(std::uintptr_t value) override;
    void setfocus() override;
    void click(int id) override;
    void pick(int id, std::size_t item) override;
    void type_text(int id, std::string_view text) override;

    bool readable() override { return true; }  // after close the controls keep what they showed
    bool iconic() override { return model_.dialog_manager().iconic(); }
    std::optional<int> end_value() override { return model_.end_value(); }
    bool visible(int id) override;
    bool enabled(int id) override;
    bool checked(int id) override;
    std::string text(int id) override;
    std::vector<std::string> items(int combo) override;
    std::optional<std::string> image(int id) override;
    std::string caption() override { return model_.caption_text(); }
    std::optional<int> focus() override { return model_.focused_control(); }
    std::optional<std::vector<int>> menu_checked() override { return model_.checked_menu_items(); }
    std::vector<ShownMessage> take_messages() override;
    std::optional<std::string> notice() override { return model_.companion_received(); }
    const EngineState* engine_state() override { return &panel_; }
    TracingPanel* tracer() override { return &tracer_; }

    ModelPanel& model() { return model_; }
    Panel& panel() { return panel_; }

private:
    ModelPanel model_;
    TracingPanel tracer_;
    Panel panel_;
    std::size_t messages_taken_ = 0;
};

}  // namespace reelctl::script
