#include "connection_notes.h"

#include "auction_board.h"
#include "auction_connection.h"

ConnectionNotes::ConnectionNotes(const AuctionBoard &board, const AuctionConnection &connection,
                                 QObject *parent)
    : QObject(parent), m_board(board)
{
    connect(&board, &AuctionBoard::applied, this, [this](AuctionBoard::Events events) {
        if (m_watchProduct && events & AuctionBoard::ProductPutUp) {
            m_watchProduct = false;
            const Seen now{m_board.currentProductId(), m_board.lbBid(), m_board.hiBid(),
                           m_board.highBidIsMine()};
            if (now.productId == m_beforeLoss.productId &&
                (now.lastBid != m_beforeLoss.lastBid || now.highBidder != m_beforeLoss.highBidder)) {
                m_now = now;
                m_product = m_board.pDesc();
                say(Note::LastBidChanged);
            }
        }
        afterRead();
    });
    connect(&connection, &AuctionConnection::ended, this, [this] {
        m_beforeLoss = m_seen;
        m_watchProduct = false;
        // What was said of the last connection is stale now.
        if (m_note != Note::None)
            say(Note::None);
    });
    connect(&connection, &AuctionConnection::reconnected, this, [this](qint64 ms) {
        m_seconds = Reconnect::seconds(ms);
        m_watchProduct = true;
        say(Note::Reconnected);
    });
    connect(&connection, &AuctionConnection::gaveUp, this, [this] { say(Note::CouldNotReconnect); });
}

void ConnectionNotes::afterRead()
{
    m_seen = {m_board.currentProductId(), m_board.lbBid(), m_board.hiBid(), m_board.highBidIsMine()};
}

void ConnectionNotes::autoBidStoppedByLoss()
{
    say(Note::AutoBidStopped);
}

void ConnectionNotes::say(Note note)
{
    m_note = note;
    emit changed();
}

QString ConnectionNotes::text(int column) const
{
    const auto by = [column](const Seen &seen) {
        return seen.mine ? NoteText::byYou.in(column) : NoteText::byBidder.in(column).arg(seen.highBidder);
    };
    switch (m_note) {
    case Note::None:
        break;
    case Note::Reconnected:
        return NoteText::reconnected.in(column).arg(m_seconds);
    case Note::CouldNotReconnect:
        return NoteText::couldNotReconnect.in(column);
    case Note::LastBidChanged:
        return NoteText::lastBidChanged.in(column).arg(m_product, m_now.lastBid, by(m_now),
                                                       m_beforeLoss.lastBid, by(m_beforeLoss));
    case Note::AutoBidStopped:
        return NoteText::autoBidStopped.in(column);
    }
    return {};
}
