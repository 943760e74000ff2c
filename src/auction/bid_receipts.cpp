#include "bid_receipts.h"

#include "cp874.h"
#include "timeline.h"

#include <algorithm>
#include <vector>

BidReceipts::BidReceipts(Timeline &timeline, QObject *parent)
    : QObject(parent), m_timeline(timeline), m_answerAlarm(timeline.alarm())
{
    m_answerAlarm->ring = [this] {
        if (m_state != State::Sent)
            return;
        m_state = State::NoAnswer;
        emit changed();
    };
}

BidReceipts::~BidReceipts() = default;

void BidReceipts::sent(Amount::Value amount, bool byHand)
{
    m_state = State::Sent;
    m_byHand = byHand;
    m_amount = amount;
    m_sentAt = m_timeline.now();
    m_answerAlarm->start(answerWait);
    emit changed();
}

void BidReceipts::connectionEnded()
{
    if (pending())
        settle(State::Lost);
}

void BidReceipts::bidHandled(QByteArrayView bidder, bool mine, Amount::Value amount)
{
    if (!pending())
        return;
    if (mine && amount == m_amount) {
        m_took = m_timeline.now() - m_sentAt;
        m_roundTrips.push_back(m_took);
        if (m_roundTrips.size() > std::size_t(roundTripsKept))
            m_roundTrips.pop_front();
        settle(State::Taken);
        emit roundTripChanged(roundTrip());
    } else if (!mine && amount >= m_amount) {
        m_firstBidder = Cp874::decode(bidder);
        m_firstAmount = amount;
        settle(State::Outbid);
    }
}

void BidReceipts::productEnded()
{
    if (pending())
        settle(State::Closed);
}

void BidReceipts::settle(State state)
{
    m_answerAlarm->stop();
    m_state = state;
    emit changed();
    emit settled();
}

qint64 BidReceipts::roundTrip() const
{
    if (m_roundTrips.empty())
        return -1;
    std::vector<qint64> sorted(m_roundTrips.begin(), m_roundTrips.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    // An even count takes the mean of the middle two, to the nearest millisecond.
    return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle] + 1) / 2;
}

QString BidReceipts::text(int column) const
{
    const QString bid = FormatAmount(m_amount);
    switch (m_state) {
    case State::None:
        break;
    case State::Sent:
        return ReceiptText::sent.in(column).arg(bid);
    case State::NoAnswer:
        return ReceiptText::noAnswer.in(column).arg(bid);
    case State::Taken:
        return ReceiptText::taken.in(column).arg(bid, QString::number(m_took));
    case State::Outbid:
        return ReceiptText::outbid.in(column).arg(bid, m_firstBidder, FormatAmount(m_firstAmount));
    case State::Closed:
        return ReceiptText::closed.in(column).arg(bid);
    case State::Lost:
        return ReceiptText::lost.in(column).arg(bid);
    }
    return {};
}
