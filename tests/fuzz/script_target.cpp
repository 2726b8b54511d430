// Fuzz target: reelctl-script's parser and runner on arbitrary script text.
//
// The first byte chooses the options (companion, row distance); the rest is
// the script. Each line is parsed and run as the program runs it; after each
// line the panel rules are checked on the model panel, a malformed line must
// stop the run, the close must deliver the 32-byte notice once (with the
// companion) or nothing, and every line printed must be one JSON value in
// valid UTF-8.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "app/dialog.h"
#include "panel/control_ids.h"
#include "tests/fuzz/json_check.h"
#include "tests/fuzz/model_shown.h"
#include "script/model_host.h"
#include "script/session.h"
#include "text/cp932.h"
#include "tools/walk/panel_checks.h"

namespace reelctl::fuzz {
namespace {

[[noreturn]] void broken(long line, std::string_view what, std::string_view detail = {}) {
    std::fprintf(stderr, "script line %ld: %.*s %.*s\n", line, static_cast<int>(what.size()), what.data(),
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

// The WM_COMMAND a line will deliver to the dialog procedure: its id and
// code, or id 0 when it delivers none (an ignored click or pick, a typed
// text, a system command).
struct Delivery {
    int id = 0;
    int code = 0;
};

Delivery delivery_of(const ModelPanel& model, const script::Event& event) {
    using script::Verb;
    const ModelControl* c = model.control(event.id);
    switch (event.verb) {
    case Verb::command: return {event.id, event.code};
    case Verb::menu: return {event.id, 0};
    case Verb::click: {
        const bool clickable = c && (c->kind == ControlKind::push_button || c->kind == ControlKind::auto_radio);
        return clickable && c->visible && c->enabled ? Delivery{event.id, notify_clicked} : Delivery{};
    }
    case Verb::pick:
    case Verb::picktext: {
        if (!c || c->kind != ControlKind::combo || !c->enabled) return {};
        const bool has_item = event.verb == Verb::pick
                                  ? event.item < c->items.size()
                                  : std::find(c->items.begin(), c->items.end(), utf8_to_cp932(event.text)) != c->items.end();
        return has_item ? Delivery{event.id, notify_selendok} : Delivery{};
    }
    default: return {};
    }
}

}  // namespace
}  // namespace reelctl::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace reelctl;
    using namespace reelctl::fuzz;
    if (size == 0) return 0;
    ModelOptions options;
    options.companion = (data[0] & 1) != 0;
    options.row_pixels = (data[0] & 2) ? 25 + (data[0] >> 2) % 8 : 24;
    std::ostringstream out, err;
    script::ModelHost host(options);
    script::Session runner(host, out, err, "reelctl-script");
    runner.start();
    const ModelShown shown(host.model());
    check::Context context;
    check::PickWatch watch;
    check::Failure failure;
    if (!check::check_panel(host.panel(), shown, context, failure)) broken(0, failure.what);

    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    long number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string line(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);

        const script::ParsedLine parsed = script::parse_line(line);
        const bool event = parsed.kind == script::ParsedLine::Kind::event && !host.end_value().has_value();
        if (event) {
            const Delivery delivery = delivery_of(host.model(), parsed.event);
            const bool user_pick = parsed.event.verb == script::Verb::pick || parsed.event.verb == script::Verb::picktext;
            if (!user_pick) check::note_command(context, shown, delivery.id, delivery.code);
            else if (delivery.id == IDC_TABLE_COMBO) context.entries_at_pick = shown.item_count(IDC_TABLE_COMBO);
            watch.before(host.panel(), delivery.id, delivery.code);
        }
        const bool ran = runner.run_line(line, number);
        if (ran != (parsed.kind != script::ParsedLine::Kind::malformed)) broken(number, "run_line and parse_line disagree");
        if (!ran) break;  // nothing after a malformed line runs
        if (!check::check_panel(host.panel(), shown, context, failure)) broken(number, failure.what, line);
        if (event && !watch.after(host.panel(), shown, context, failure)) broken(number, failure.what, line);
    }

    if (host.end_value().has_value()) {
        const auto& received = host.model().companion_received();
        if (options.companion ? (!received || received->size() != 32) : received.has_value())
            broken(number, "the close notice was not delivered once with 32 bytes");
    } else if (host.model().companion_received()) {
        broken(number, "the companion received bytes before the close");
    }

    const std::string printed = out.str();
    std::string_view rest(printed);
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) broken(number, "output not ended by a line end");
        if (!JsonCheck::valid(rest.substr(0, end))) broken(number, "an output line is no JSON in UTF-8:", rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    return 0;
}
