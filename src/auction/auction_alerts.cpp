#include "auction_alerts.h"

QList<AuctionAlert> AuctionAlerts::afterRead(const AuctionBoard &board, AuctionBoard::Events events)
{
    using Kind = AuctionAlert::Kind;
    QList<AuctionAlert> alerts;
    if (events & (AuctionBoard::ProductPutUp | AuctionBoard::Cancelled))
        m_bidOnProduct = false;
    if (events & AuctionBoard::OwnBid)
        m_bidOnProduct = true;
    // Taken back within the same read, the lead was never lost as far as the user can see.
    if (events & AuctionBoard::Outbid && !board.highBidIsMine())
        alerts.append({Kind::Outbid, board.pDesc(), board.hiBid(), board.lbBid()});
    if (events & AuctionBoard::ClosingStarted && m_bidOnProduct)
        alerts.append({Kind::Closing, board.pDesc(), {}, board.lbBid()});
    if (events & AuctionBoard::Sold) {
        const SaleRecord &sale = board.lastSale();
        if (!sale.user.isEmpty() && sale.highBidder == sale.user)
            alerts.append({Kind::Won, sale.productName, sale.highBidder, sale.lastBid});
        m_bidOnProduct = false;
    }
    return alerts;
}
