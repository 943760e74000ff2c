#include "auto_bid.h"

#include "amount.h"

AutoBid::Refusal AutoBid::arm(const AuctionBoard &board, const QString &maximum, bool connected)
{
    if (!connected)
        return Refusal::Disconnected;
    if (!board.gobidEnabled())
        return Refusal::BiddingClosed;
    const qint64 ceiling = AmountValue(maximum);
    if (ceiling <= AmountValue(board.lbBid()))
        return Refusal::MaximumNotAboveLastBid;
    m_state = State::Armed;
    m_maximum = ceiling;
    m_stoppedAt.clear();
    return Refusal::None;
}

void AutoBid::disarm()
{
    m_state = State::Off;
    m_stoppedAt.clear();
}

void AutoBid::connectionEnded()
{
    disarm();
    m_rivalUnanswered = false;
}

void AutoBid::setMaximum(const QString &maximum)
{
    m_maximum = AmountValue(maximum);
}

AutoBid::Move AutoBid::next(const AuctionBoard &board, AuctionBoard::Events events, bool connected)
{
    // A new product, a sale or a cancel ends what auto-bid was doing, and what it had to say about it.
    if (events & (AuctionBoard::ProductPutUp | AuctionBoard::Sold | AuctionBoard::Cancelled)) {
        m_rivalUnanswered = false;
        disarm();
        return Move::None;
    }
    if (events & AuctionBoard::RivalBid)
        m_rivalUnanswered = true;
    // While bidding is paused the rival's bid waits: it is answered once bidding reopens.
    if (m_state != State::Armed || !m_rivalUnanswered || board.highBidIsMine() || !connected ||
        !board.gobidEnabled())
        return Move::None;
    const qint64 yourBid = AmountValue(board.lbYourBid());
    if (yourBid > m_maximum) {
        m_state = State::Stopped;
        m_stoppedAt = board.lbYourBid();
        return Move::Stop;
    }
    // What the bid button would refuse with a box, auto-bid leaves alone.
    if (!(AmountValue(board.lbBid()) < yourBid))
        return Move::None;
    return Move::Bid;
}
