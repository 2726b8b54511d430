// The panel: the dialog's primitives, the platform seam, the one engine
// state and what the panel itself holds (pictures, the companion's mailslot,
// the close notice). Every operation of the panel logic takes it as its
// first argument.
#pragma once

#include <array>
#include <cstdint>

#include "engine/state.h"
#include "panel/primitives.h"

namespace reelctl {

// The 32-byte record written once at close into the companion's mailslot.
struct CloseNotice {
    std::array<std::uint8_t, 32> bytes{};
};

struct Panel : EngineState {
    Panel(PanelPrimitives& ui_, PlatformSeam& platform_) : ui(ui_), platform(platform_) {}
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    PanelPrimitives& ui;
    PlatformSeam& platform;

    std::array<BitmapHandle, reel_count> strip_bitmaps{};
    std::array<BitmapHandle, symbol_count> symbol_bitmaps{};
    MailslotHandle mailslot_handle = invalid_mailslot;
    CloseNotice close_notice;
};

}  // namespace reelctl
