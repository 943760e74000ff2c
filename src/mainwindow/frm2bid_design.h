#pragma once

#include "design_window.h"

#include <array>
#include <cstdint>
#include <string_view>

// The main window as designed: every placed control with its container and rectangle in twips.
namespace Frm2BidDesign {
inline constexpr char16_t caption[] = u"Gavora.Com (Beta I)";
inline constexpr Design::Form form{.name = "frm2Bid",
                                   .caption = caption,
                                   .width = 11295,
                                   .height = 7830,
                                   .fixedSize = false,
                                   .backColor = 0x00E0E0E0};
inline constexpr double statusBarHeight = 315;

// The auction column's two colours (0x00BBGGRR): light blue for the bid list as designed and after an own
// bid, and for the figures' box; light orange for the list after another's bid, and for the chat pane.
inline constexpr std::uint32_t lightBlue = 0x00FFC0C0;
inline constexpr std::uint32_t lightOrange = 0x00C0E0FF;

enum class Container { Form, Frame, Tab0, Tab1, InfoPanel };

// The controls in the order of the table below.
// clang-format off
enum Id : int {
    pFRAME, but_Regis, but_HelpMe, but_Cal, but_basket, webspn, Pict_Auc,
    ssTab_Bid, webBid, displastbid, pload1, webgalley, pload2,
    msgchat, txtSend, ButSend, PFInfo, lbAuc, countDown, aucList, GOBID, ImgContain,
    LBHEAD, bbox, lbfbid, fbidat, lbmbid, MinBid, MaxBid, MMax, lbhbid, Hi_Bid, lbLbid, Lb_bid, lbinc, bid_Inc,
    lbUBid, lbYourBid, cCurrency, PDesc, SellerBy, nQty, img_count,
    IdCount
};
// clang-format on

// Column: Auction for the controls that the wide view hides with the auction column.
enum class Column { Any, Auction };

struct Control {
    Id id;
    std::string_view name;
    Container container;
    Design::TwipsRect rect;
    Column column = Column::Any;
};

// clang-format off
inline constexpr std::array<Control, IdCount> controls{{
    {pFRAME,      "pFRAME",      Container::Form,      {30, 30, 3225, 735}},
    {but_Regis,   "but_Regis",   Container::Frame,     {60, 90, 645, 525}},
    {but_HelpMe,  "but_HelpMe",  Container::Frame,     {780, 0, 675, 615}},
    {but_Cal,     "but_Cal",     Container::Frame,     {1530, 0, 675, 630}},
    {but_basket,  "but_basket",  Container::Frame,     {2370, 0, 750, 600}},
    {webspn,      "webspn",      Container::Form,      {3300, 30, 6105, 735}},
    {Pict_Auc,    "Pict_Auc",    Container::Form,      {9480, 90, 1725, 675}},
    {ssTab_Bid,   "ssTab_Bid",   Container::Form,      {30, 840, 6795, 5775}},
    {webBid,      "webBid",      Container::Tab0,      {90, 450, 6645, 5115}},
    {displastbid, "displastbid", Container::Tab0,      {510, 600, 5775, 1245}},
    {pload1,      "pload1",      Container::Tab0,      {30, 5520, 6705, 225}},
    {webgalley,   "webgalley",   Container::Tab1,      {90, 450, 6645, 5055}},
    {pload2,      "pload2",      Container::Tab1,      {30, 5490, 6705, 225}},
    {msgchat,     "msgchat",     Container::Form,      {6870, 840, 4395, 285},    Column::Auction},
    {txtSend,     "txtSend",     Container::Form,      {6870, 1140, 3645, 285},   Column::Auction},
    {ButSend,     "ButSend",     Container::Form,      {10530, 1140, 705, 285},   Column::Auction},
    {PFInfo,      "PFInfo",      Container::Form,      {6900, 1440, 4365, 4005},  Column::Auction},
    // A caption lies under the window's other controls: in the wide view the pane covers it.
    {lbAuc,       "lbAuc",       Container::Form,      {6900, 5460, 1395, 225}},
    {countDown,   "countDown",   Container::Form,      {8400, 5460, 2865, 225},   Column::Auction},
    {aucList,     "aucList",     Container::Form,      {6870, 5700, 4395, 780},   Column::Auction},
    {GOBID,       "GOBID",       Container::Form,      {8940, 6540, 1005, 885},   Column::Auction},
    {ImgContain,  "ImgContain",  Container::Form,      {10230, 7200, 975, 255}},
    {LBHEAD,      "LBHEAD",      Container::InfoPanel, {0, 0, 4305, 345}},
    {bbox,        "bbox",        Container::InfoPanel, {0, 1080, 4305, 2895}},
    {lbfbid,      "lbfbid",      Container::InfoPanel, {120, 420, 1575, 375}},
    {fbidat,      "fbidat",      Container::InfoPanel, {2280, 420, 1245, 345}},
    {lbmbid,      "lbmbid",      Container::InfoPanel, {30, 810, 1665, 375}},
    {MinBid,      "MinBid",      Container::InfoPanel, {2280, 780, 1245, 345}},
    {MaxBid,      "MaxBid",      Container::InfoPanel, {30, 1200, 1665, 375}},
    {MMax,        "MMax",        Container::InfoPanel, {1980, 1140, 1575, 420}},
    {lbhbid,      "lbhbid",      Container::InfoPanel, {90, 1710, 1815, 255}},
    {Hi_Bid,      "Hi_Bid",      Container::InfoPanel, {1920, 1590, 2025, 480}},
    {lbLbid,      "lbLbid",      Container::InfoPanel, {60, 2250, 1845, 255}},
    {Lb_bid,      "Lb_bid",      Container::InfoPanel, {1920, 2130, 2025, 450}},
    {lbinc,       "lbinc",       Container::InfoPanel, {30, 2790, 1875, 255}},
    {bid_Inc,     "bid_Inc",     Container::InfoPanel, {1920, 2670, 2025, 390}},
    {lbUBid,      "lbUBid",      Container::InfoPanel, {30, 3330, 1875, 255}},
    {lbYourBid,   "lbYourBid",   Container::InfoPanel, {1950, 3180, 2025, 510}},
    {cCurrency,   "cCurrency",   Container::InfoPanel, {2850, 3720, 1335, 195}},
    // Hidden until the auction shows them; their places are ours.
    {PDesc,       "PDesc",       Container::InfoPanel, {120, 3720, 2655, 195}},
    {SellerBy,    "SellerBy",    Container::InfoPanel, {120, 360, 2655, 195}},
    {nQty,        "nQty",        Container::InfoPanel, {2850, 360, 1335, 195}},
    {img_count,   "img_count",   Container::InfoPanel, {1058, 1080, 2250, 2250}},
}};
// clang-format on

constexpr bool inIdOrder()
{
    for (int id = 0; id < IdCount; ++id) {
        if (controls[std::size_t(id)].id != id)
            return false;
    }
    return true;
}
static_assert(inIdOrder(), "each control's row stands at its id");

constexpr const Control &control(Id id)
{
    return controls[std::size_t(id)];
}

constexpr bool onTabPage(Id id)
{
    return control(id).container == Container::Tab0 || control(id).container == Container::Tab1;
}
} // namespace Frm2BidDesign
