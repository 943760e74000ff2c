#pragma once

#include "amount.h"
#include "auction_board.h"
#include "caption.h"

#include <QObject>
#include <QString>
#include <deque>
#include <memory>

class Alarm;
class Timeline;

// What the receipts say; %1 is the bid, as the panel shows amounts.
namespace ReceiptText {
inline constexpr Caption sent{u"ส่งราคา %1 แล้ว", u"Bid %1 sent"};
// %2: the round trip in milliseconds.
inline constexpr Caption taken{u"ราคา %1 ได้รับแล้ว · %2 ms", u"Bid %1 taken · %2 ms"};
// %2: the bidder who came first, %3: their bid.
inline constexpr Caption outbid{u"ราคา %1 ไม่ได้รับ: %2 เสนอ %3 ก่อน", u"Bid %1 not taken: %2 bid %3 first"};
inline constexpr Caption closed{u"ราคา %1 ไม่ได้รับ: ปิดการประมูลสินค้านี้แล้ว",
                                u"Bid %1 not taken: the product closed"};
inline constexpr Caption noAnswer{u"ยังไม่มีคำตอบสำหรับราคา %1", u"No answer yet for bid %1"};
inline constexpr Caption lost{u"ราคา %1 อาจไม่ถึงเครื่องบริการ: การเชื่อมต่อขาดหาย",
                              u"Bid %1 may not have arrived: connection lost"};
} // namespace ReceiptText

// Follows the latest bid this client sent until the server settles it: taken when its own bid comes back at
// that amount, not taken when another bidder's bid at that amount or above comes first or the product ends,
// possibly lost when the connection ends first. Without an answer for a while it says so, and a later answer
// still settles it. The first event that settles a bid is final; a newer bid replaces the one followed.
class BidReceipts : public QObject, public BoardObserver {
    Q_OBJECT
public:
    enum class State { None, Sent, NoAnswer, Taken, Outbid, Closed, Lost };
    static constexpr qint64 answerWait = 3000;
    static constexpr int roundTripsKept = 5;

    explicit BidReceipts(Timeline &timeline, QObject *parent = nullptr);
    ~BidReceipts() override;

    // A bid of amount has just been written to the connection; byHand: from the bid button or Enter.
    void sent(Amount::Value amount, bool byHand);
    // The connection the bid went on has ended.
    void connectionEnded();

    State state() const { return m_state; }
    bool byHand() const { return m_byHand; }
    bool pending() const { return m_state == State::Sent || m_state == State::NoAnswer; }
    // What the receipts' panel says, in the language of column; empty before the first bid.
    QString text(int column) const;
    // The median of the last round trips of taken bids, in milliseconds; -1 before the first.
    qint64 roundTrip() const;

    // BoardObserver
    void bidHandled(QByteArrayView bidder, bool mine, Amount::Value amount) override;
    void productEnded() override;

signals:
    // The text changed.
    void changed();
    // The bid was settled: taken, not taken or possibly lost.
    void settled();
    void roundTripChanged(qint64 ms);

private:
    void settle(State state);

    Timeline &m_timeline;
    std::unique_ptr<Alarm> m_answerAlarm;
    State m_state = State::None;
    bool m_byHand = false;
    Amount::Value m_amount = 0;
    qint64 m_sentAt = 0;
    qint64 m_took = 0;
    QString m_firstBidder;
    Amount::Value m_firstAmount = 0;
    std::deque<qint64> m_roundTrips;
};
