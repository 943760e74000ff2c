#pragma once

#include "frm2bid_design.h"

#include <array>

// Where the main window's controls go, in twips, as a pure function of the window's outer size: the window
// applies the result. Positions are relative to each control's container, as in the design table.
namespace Frm2BidLayout {
using Design::TwipsRect;
using Frm2BidDesign::Id;
using Frm2BidDesign::IdCount;

struct Layout {
    std::array<TwipsRect, IdCount> rects{};
    // The wide view's check mark; the auction column is hidden while it is on.
    bool wideView = false;

    TwipsRect &operator[](Id id) { return rects[std::size_t(id)]; }
    const TwipsRect &operator[](Id id) const { return rects[std::size_t(id)]; }
    friend bool operator==(const Layout &, const Layout &) = default;
};

// The places of the design table.
Layout designLayout();

// The window was shown, maximised, restored or resized to an outer size of W x H twips (title, menu bar and
// border included). Lays out the normal view; a width or height a control cannot take is skipped and the
// control keeps its previous one.
Layout resized(Layout layout, double W, double H);

// Switches the wide view on or off; currentTab says which web view follows the tab control's width.
Layout wideViewSwitched(Layout layout, double W, int currentTab);

// The tab that became current: its web view takes the tab control's width.
Layout tabSelected(Layout layout, int tab);

// A countdown stage shows the large last bid: centred over the description view as wide as it is now.
Layout lastBidCentred(Layout layout);

} // namespace Frm2BidLayout
