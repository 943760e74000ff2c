#pragma once

#include <array>
#include <string_view>

// Where the main window's movable controls go, in twips, as a pure function of the window's outer size: the
// window applies the result. Positions are relative to each control's container, as in the design table.
namespace Frm2BidLayout {

enum Id : int {
    ButSend,
    Pict_Auc,
    webspn,
    PFInfo,
    msgchat,
    txtSend,
    ssTab_Bid,
    webBid,
    pload1,
    ImgContain,
    lbAuc,
    aucList,
    GOBID,
    webgalley,
    pload2,
    countDown,
    displastbid,
    IdCount
};

// The controls' object names, in Id order.
extern const std::array<std::string_view, IdCount> names;

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    friend bool operator==(const Rect &, const Rect &) = default;
};

struct Layout {
    std::array<Rect, IdCount> rects{};
    // The wide view's check mark; the auction column is hidden while it is on.
    bool wideView = false;

    Rect &operator[](Id id) { return rects[std::size_t(id)]; }
    const Rect &operator[](Id id) const { return rects[std::size_t(id)]; }
    friend bool operator==(const Layout &, const Layout &) = default;
};

inline constexpr double statusBarHeight = 315;

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

} // namespace Frm2BidLayout
