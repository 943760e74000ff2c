#pragma once

#include "auction_board.h"
#include "auction_connection.h"
#include "auto_bid.h"

#include <QObject>

class AuctionAlerts;
class AuctionPanel;
class CaptionSwitcher;
class Prompter;
class QAction;
class QLabel;
class QLineEdit;

// Auto-bid as the window shows it: the Setting menu's check item, the status bar's panel, and Max. Bid
// followed as the user edits it. It answers a read before anything else looks at it. A connection that comes
// back by itself leaves it off, and says so.
class AutoBidControl : public QObject {
    Q_OBJECT
public:
    struct Parts {
        QAction *item;
        QLabel *panel;
        QLineEdit *maximum;
        AuctionPanel &auction;
        AuctionAlerts &alerts;
        Prompter &prompter;
        CaptionSwitcher &captions;
    };
    AutoBidControl(Parts parts, QObject *parent);

    void MAutoBid_Click();
    const AutoBid &autoBid() const { return m_autoBid; }

private:
    void afterRead(AuctionBoard::Events events);
    void connectionEnded();
    void carryOut(AutoBid::Move move);
    void follow();
    void show();

    Parts m_parts;
    AutoBid m_autoBid;
    bool m_stoppedByLoss = false; // armed when the connection dropped, and reconnecting
};
