#include "frm2bid_layout.h"

namespace Frm2BidLayout {
using namespace Frm2BidDesign;

namespace {
// A control refuses a negative size and keeps the one it had; positions may be anything.
void setWidth(TwipsRect &r, double value)
{
    if (value >= 0)
        r.width = value;
}

void setHeight(TwipsRect &r, double value)
{
    if (value >= 0)
        r.height = value;
}

// The web view of the current tab follows the tab control's width.
void fitCurrentView(Layout &l, int tab)
{
    setWidth(l[tab == 1 ? webgalley : webBid], l[ssTab_Bid].width - 200);
}

void centreLastBid(Layout &l)
{
    // Measured from the tab control's edge, not from the view's.
    l[displastbid].left = (l[webBid].width - l[displastbid].width) / 2;
}
} // namespace

Layout designLayout()
{
    Layout layout;
    for (const Control &control : controls)
        layout[control.id] = control.rect;
    return layout;
}

Layout resized(Layout l, double W, double H)
{
    l[ButSend].left = W - l[ButSend].width - 190;
    l[Pict_Auc].left = W - l[Pict_Auc].width - 120;
    setWidth(l[webspn], l[Pict_Auc].left - l[webspn].left - 80);
    l[PFInfo].left = W - l[PFInfo].width - 200;
    l[msgchat].left = l[PFInfo].left;
    setWidth(l[msgchat], l[PFInfo].width);
    l[txtSend].left = l[msgchat].left;
    setWidth(l[txtSend], l[ButSend].left - l[txtSend].left - 20);
    setWidth(l[ssTab_Bid], l[PFInfo].left - 150);
    setHeight(l[ssTab_Bid], H - 1650);
    setWidth(l[webBid], l[ssTab_Bid].width - 200);
    setHeight(l[webBid], l[ssTab_Bid].height - 850);
    l[pload1].left = l[ssTab_Bid].left + 60;
    l[pload1].top = l[webBid].top + l[webBid].height + 10;
    setWidth(l[pload1], l[ssTab_Bid].width - 200);
    l[ImgContain].top = H - (statusBarHeight + l[ImgContain].height) - 150;
    l[ImgContain].left = W - l[ImgContain].width - 150;
    l[lbAuc].top = l[PFInfo].top + l[PFInfo].height + 20;
    l[aucList].top = l[lbAuc].top + l[lbAuc].height + 20;
    l[aucList].left = l[PFInfo].left;
    l[lbAuc].left = l[PFInfo].left;
    l[GOBID].top = l[aucList].top + l[aucList].height + 20;
    l[GOBID].left = l[aucList].left + l[aucList].width / 2 - l[GOBID].width / 2;
    setHeight(l[webgalley], l[ssTab_Bid].height - 850);
    setWidth(l[webgalley], l[ssTab_Bid].width - 200);
    l[pload2].left = l[ssTab_Bid].left + 60;
    l[pload2].top = l[webgalley].top + l[webgalley].height + 10;
    setWidth(l[pload2], l[ssTab_Bid].width - 200);
    l[countDown].left = W - l[countDown].width - 160;
    centreLastBid(l);
    l.wideView = false;
    return l;
}

Layout wideViewSwitched(Layout l, double W, int currentTab)
{
    l.wideView = !l.wideView;
    setWidth(l[ssTab_Bid], l.wideView ? W - 150 : l[PFInfo].left - 150);
    fitCurrentView(l, currentTab);
    return l;
}

Layout tabSelected(Layout l, int tab)
{
    fitCurrentView(l, tab);
    return l;
}

Layout lastBidCentred(Layout l)
{
    centreLastBid(l);
    return l;
}

} // namespace Frm2BidLayout
