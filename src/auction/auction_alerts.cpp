#include "auction_alerts.h"

#include "notifier.h"
#include "user_settings.h"

AuctionAlerts::AuctionAlerts(Notifier &notifier, const UserSettings &settings, std::function<bool()> attended)
    : m_notifier(notifier), m_settings(settings), m_attended(std::move(attended))
{}

void AuctionAlerts::afterRead(const AuctionBoard &board, AuctionBoard::Events events)
{
    if (events & (AuctionBoard::ProductPutUp | AuctionBoard::Cancelled))
        m_bidOnProduct = false;
    if (events & AuctionBoard::OwnBid)
        m_bidOnProduct = true;
    // Taken back within the same read, the lead was never lost as far as the user can see.
    if (events & AuctionBoard::Outbid && !board.highBidIsMine())
        tell(AlertText::outbid.in(m_column).arg(board.hiBid(), board.lbBid(), board.pDesc()));
    if (events & AuctionBoard::ClosingStarted && m_bidOnProduct)
        tell(AlertText::closing.in(m_column).arg(board.pDesc(), board.lbBid()));
    if (events & AuctionBoard::Sold) {
        const SaleRecord &sale = board.lastSale();
        if (!sale.user.isEmpty() && sale.highBidder == sale.user)
            tell(AlertText::won.in(m_column).arg(sale.productName, sale.lastBid));
        m_bidOnProduct = false;
    }
}

void AuctionAlerts::autoBidStopped(const QString &yourBid)
{
    tell(AlertText::autoBidStopped.in(m_column).arg(yourBid));
}

void AuctionAlerts::connectionChanged(AuctionConnection::State state)
{
    const AuctionConnection::State before = std::exchange(m_connection, state);
    // Only a connection that was working is lost; a failed attempt has its own box.
    if (before == AuctionConnection::State::Connected && state == AuctionConnection::State::NotConnected)
        tell(AlertText::connectionLost.in(m_column));
}

void AuctionAlerts::tell(const QString &body)
{
    if (!m_settings.notifications() || m_attended())
        return;
    m_notifier.notify(body);
}
