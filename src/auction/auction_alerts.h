#pragma once

#include "auction_board.h"

#include <QList>
#include <QString>

// Something the user would want to hear of while looking at another window.
struct AuctionAlert {
    enum class Kind { Outbid, Closing, Won, AutoBidStopped, ConnectionLost };
    Kind kind;
    QString product; // as PDesc shows it
    QString bidder;
    QString amount; // as the panel shows it
};

// Which reads deserve an alert: this user outbid, the countdown starting on a product they have bid on, a
// sale to them. Decided on what the read brought and the board it left, so it runs without any notification
// service.
class AuctionAlerts {
public:
    QList<AuctionAlert> afterRead(const AuctionBoard &board, AuctionBoard::Events events);

private:
    bool m_bidOnProduct = false; // the server has taken a bid of this user on the product on show
};
