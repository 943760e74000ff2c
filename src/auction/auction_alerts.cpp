#include "auction_alerts.h"

#include "bid_receipts.h"
#include "connection_notes.h"
#include "notifier.h"
#include "user_settings.h"

AuctionAlerts::AuctionAlerts(Notifier &notifier, const UserSettings &settings, std::function<bool()> attended)
    : m_notifier(notifier), m_settings(settings), m_attended(std::move(attended))
{}

void AuctionAlerts::watch(const AuctionBoard &board, const AuctionConnection &connection,
                          const BidReceipts &receipts, QObject *context)
{
    QObject::connect(&board, &AuctionBoard::applied, context,
                     [this, &board](AuctionBoard::Events events) { afterRead(board, events); });
    QObject::connect(&connection, &AuctionConnection::stateChanged, context,
                     [this](AuctionConnection::State state) { connectionChanged(state); });
    QObject::connect(&connection, &AuctionConnection::reconnected, context,
                     [this](qint64 ms) { reconnected(ms); });
    QObject::connect(&receipts, &BidReceipts::settled, context, [this, &receipts] { bidSettled(receipts); });
}

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
    // Only a connection that was working is lost; a failed attempt has its own box, a new sign-in ends it on
    // purpose.
    if (before == AuctionConnection::State::Connected &&
        (state == AuctionConnection::State::NotConnected || state == AuctionConnection::State::Waiting))
        tell(AlertText::connectionLost.in(m_column));
}

void AuctionAlerts::reconnected(qint64 ms)
{
    tell(NoteText::reconnected.in(m_column).arg(Reconnect::seconds(ms)));
}

void AuctionAlerts::bidSettled(const BidReceipts &receipts)
{
    // Auto-bid's own bids are told of only when it stops.
    using State = BidReceipts::State;
    const State state = receipts.state();
    if (receipts.byHand() && (state == State::Outbid || state == State::Closed || state == State::Lost))
        tell(receipts.text(m_column));
}

void AuctionAlerts::tell(const QString &body)
{
    if (!m_settings.notifications() || m_attended())
        return;
    m_notifier.notify(body);
}
