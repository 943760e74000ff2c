#pragma once

#include <QObject>

class AuctionPanel;
class CaptionSwitcher;
struct Frm2BidUi;

// The status bar's added panels bound to what they show: the connection indicator to the connection's state,
// the seconds to its next try and the bids' round trip; the receipts' panel to the latest of the bid
// receipts and the notes on reconnecting. Both speak the interface language.
class StatusPanels : public QObject {
    Q_OBJECT
public:
    StatusPanels(const Frm2BidUi &ui, AuctionPanel &auction, CaptionSwitcher &captions, QObject *parent);

private:
    enum class Latest { Nothing, Receipt, Note };
    void showLatest(Latest latest);
    void showIn(int column);

    const Frm2BidUi &m_ui;
    AuctionPanel &m_auction;
    Latest m_latest = Latest::Nothing;
    int m_column = 0;
};
