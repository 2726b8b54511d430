// What the machine and the player draw in a game, read from the dialog as a
// user sees it: the one home of the draw rule of the window model
// (tools/windows) and of the practice page's game (programs/web).
//
// An open offer is an enabled combo with entries and no current text (the
// role, pattern or table combo); the machine draws one of its entries by the
// percent its text ends in. A reel is pressed at one of its 21 presses: on a
// column that shows slides the reel comes to rest at press + slide and the
// player's act is the click on that stop's radio; on a press choice (all 21
// radios shown, no slides) the act is the click on the press's own radio.
#pragma once

#include <string_view>

#include "engine/state.h"

namespace reelctl {

// What the rule reads of a dialog; texts are code page 932 bytes.
class DrawView {
public:
    virtual ~DrawView() = default;
    virtual bool visible(int id) const = 0;
    virtual bool enabled(int id) const = 0;
    virtual std::string_view text(int id) const = 0;  // edit boxes and combos
    virtual int item_count(int combo) const = 0;
    virtual std::string_view item(int combo, int index) const = 0;
};

// Percents are counted in hundredths: an offer's entries add up to this.
inline constexpr long percent_whole = 10000;

// The percent that ends an entry's text ("(2) 37.5%", "ﾊﾟﾀｰﾝ２(25%)") in
// hundredths, or -1 when it names none.
long percent_of(std::string_view text);

// The open offer: its combo, or 0 when none is open; `open` counts the open
// combos (more than one is a fault of the panel).
int open_offer(const DrawView& view, int& open);

enum class OfferFault { none, no_percent, not_whole };
// Whether every entry of the offer names a percent and the percents add up to 100.
OfferFault offer_fault(const DrawView& view, int combo);

// The entry a draw in [0, percent_whole) picks by the entries' shares (entry
// e takes the draws from the sum of the shares before it, for its share), or
// -1 when the draw is out of range or the offer is faulty.
int entry_drawn(const DrawView& view, int combo, long draw);

// The panel asks for a press choice on the reel: all 21 radios shown, no slides.
bool shows_press_choice(const DrawView& view, const PanelState& state, int reel);

// The slide a row of the reel's column shows (0..4), or -1.
int shown_slide(const DrawView& view, int reel, int row);

// The row whose radio a press of the reel clicks (the press itself on a press
// choice, else the stop press + slide), or -1 when the reel shows neither
// slides nor a press choice.
int press_radio_row(const DrawView& view, const PanelState& state, int reel, int press);

}  // namespace reelctl
