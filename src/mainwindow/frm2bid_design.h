#pragma once

#include "design_units.h"

#include <QString>
#include <optional>
#include <string_view>

// The main window as designed: every placed control with its container and rectangle in twips.
namespace Frm2BidDesign {
inline constexpr int clientWidth = 11295;
inline constexpr int clientHeight = 7830;
inline constexpr int statusBarHeight = 315;

enum class Container { Window, Frame, Tab0, Tab1, InfoPanel };

struct Control {
    std::string_view name;
    Container container;
    Design::TwipsRect rect;
};

// clang-format off
inline constexpr Control controls[] = {
    {"pFRAME",      Container::Window,    {30, 30, 3225, 735}},
    {"but_Regis",   Container::Frame,     {60, 90, 645, 525}},
    {"but_HelpMe",  Container::Frame,     {780, 0, 675, 615}},
    {"but_Cal",     Container::Frame,     {1530, 0, 675, 630}},
    {"but_basket",  Container::Frame,     {2370, 0, 750, 600}},
    {"webspn",      Container::Window,    {3300, 30, 6105, 735}},
    {"Pict_Auc",    Container::Window,    {9480, 90, 1725, 675}},
    {"ssTab_Bid",   Container::Window,    {30, 840, 6795, 5775}},
    {"webBid",      Container::Tab0,      {90, 450, 6645, 5115}},
    {"displastbid", Container::Tab0,      {510, 600, 5775, 1245}},
    {"pload1",      Container::Tab0,      {30, 5520, 6705, 225}},
    {"webgalley",   Container::Tab1,      {90, 450, 6645, 5055}},
    {"pload2",      Container::Tab1,      {30, 5490, 6705, 225}},
    {"msgchat",     Container::Window,    {6870, 840, 4395, 285}},
    {"txtSend",     Container::Window,    {6870, 1140, 3645, 285}},
    {"ButSend",     Container::Window,    {10530, 1140, 705, 285}},
    {"PFInfo",      Container::Window,    {6900, 1440, 4365, 4005}},
    {"lbAuc",       Container::Window,    {6900, 5460, 1395, 225}},
    {"countDown",   Container::Window,    {8400, 5460, 2865, 225}},
    {"aucList",     Container::Window,    {6870, 5700, 4395, 780}},
    {"GOBID",       Container::Window,    {8940, 6540, 1005, 885}},
    {"ImgContain",  Container::Window,    {10230, 7200, 975, 255}},
    {"LBHEAD",      Container::InfoPanel, {0, 0, 4305, 345}},
    {"bbox",        Container::InfoPanel, {0, 1080, 4305, 2895}},
    {"lbfbid",      Container::InfoPanel, {120, 420, 1575, 375}},
    {"fbidat",      Container::InfoPanel, {2280, 420, 1245, 345}},
    {"lbmbid",      Container::InfoPanel, {30, 810, 1665, 375}},
    {"MinBid",      Container::InfoPanel, {2280, 780, 1245, 345}},
    {"MaxBid",      Container::InfoPanel, {30, 1200, 1665, 375}},
    {"MMax",        Container::InfoPanel, {1980, 1140, 1575, 420}},
    {"lbhbid",      Container::InfoPanel, {90, 1710, 1815, 255}},
    {"Hi_Bid",      Container::InfoPanel, {1920, 1590, 2025, 480}},
    {"lbLbid",      Container::InfoPanel, {60, 2250, 1845, 255}},
    {"Lb_bid",      Container::InfoPanel, {1920, 2130, 2025, 450}},
    {"lbinc",       Container::InfoPanel, {30, 2790, 1875, 255}},
    {"bid_Inc",     Container::InfoPanel, {1920, 2670, 2025, 390}},
    {"lbUBid",      Container::InfoPanel, {30, 3330, 1875, 255}},
    {"lbYourBid",   Container::InfoPanel, {1950, 3180, 2025, 510}},
    {"cCurrency",   Container::InfoPanel, {2850, 3720, 1335, 195}},
    // Hidden until the auction shows them; their places are ours.
    {"PDesc",       Container::InfoPanel, {120, 3720, 2655, 195}},
    {"SellerBy",    Container::InfoPanel, {120, 360, 2655, 195}},
    {"nQty",        Container::InfoPanel, {2850, 360, 1335, 195}},
    {"img_count",   Container::InfoPanel, {1058, 1080, 2250, 2250}},
};
// clang-format on

std::optional<Control> find(std::string_view name);
} // namespace Frm2BidDesign
