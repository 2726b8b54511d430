// The model panel of the headless driver, read as the panel rules read a dialog.
#pragma once

#include <algorithm>
#include <string_view>

#include "machine/symbols.h"
#include "frontends/model/model_panel.h"
#include "frontends/probe/shown_controls.h"

namespace reelctl::fuzz {

class ModelShown final : public ShownControls {
public:
    explicit ModelShown(const ModelPanel& model) : model_(model) {}

    bool visible(int id) const override {
        const ModelControl* c = model_.control(id);
        return c && c->visible;
    }
    bool enabled(int id) const override {
        const ModelControl* c = model_.control(id);
        return c && c->enabled;
    }
    bool checked(int id) const override {
        const ModelControl* c = model_.control(id);
        return c && c->checked;
    }
    std::string_view text(int id) const override {
        const ModelControl* c = model_.control(id);
        return c ? std::string_view(c->text) : std::string_view();
    }
    int picture(int id) const override {
        const ModelControl* c = model_.control(id);
        if (!c || !c->image) return -1;
        for (int set = 0; set < layout_variant_count; ++set)
            for (int code = 0; code < symbol_count; ++code)
                if (*c->image == symbol_bitmap_names[set][code]) return symbol_count * set + code;
        return -1;
    }
    int item_count(int id) const override {
        const ModelControl* c = model_.control(id);
        return c ? static_cast<int>(c->items.size()) : 0;
    }
    bool text_is_item(int id) const override {
        const ModelControl* c = model_.control(id);
        return c && std::find(c->items.begin(), c->items.end(), c->text) != c->items.end();
    }
    std::string_view item(int id, int index) const override {
        const ModelControl* c = model_.control(id);
        if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return {};
        return c->items[static_cast<std::size_t>(index)];
    }
    bool menu_checked(int id) const override { return model_.menu_item_checked(id); }
    bool closed() const override { return model_.end_value().has_value(); }

private:
    const ModelPanel& model_;
};

}  // namespace reelctl::fuzz
