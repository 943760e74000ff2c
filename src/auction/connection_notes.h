#pragma once

#include "caption.h"

#include <QObject>
#include <QString>

class AuctionBoard;
class AuctionConnection;

// What the receipts' panel says of reconnecting; %1 to %5 are filled in, amounts as the panel shows them.
namespace NoteText {
inline constexpr Caption reconnected{u"เชื่อมต่อใหม่แล้วหลัง %1 วินาที", u"Reconnected after %1 s"};
inline constexpr Caption couldNotReconnect{u"เชื่อมต่อใหม่ไม่สำเร็จ", u"Could not reconnect"};
// %1 the product, %2 and %4 the last bids, %3 and %5 who made them (byBidder or byYou).
inline constexpr Caption lastBidChanged{u"%1: ราคาล่าสุดตอนนี้ %2 %3 (เดิม %4 %5)",
                                        u"%1: last bid now %2 %3 (was %4 %5)"};
inline constexpr Caption byBidder{u"โดย %1", u"by %1"};
inline constexpr Caption byYou{u"โดยคุณ", u"by you"};
inline constexpr Caption autoBidStopped{u"ประมูลอัตโนมัติหยุดเพราะการเชื่อมต่อขาดหาย",
                                        u"Auto-bid was stopped by the connection loss"};
} // namespace NoteText

// The latest thing worth saying about a connection that came back by itself, or did not: how long it took,
// what changed on the product meanwhile, auto-bid having stopped at the loss.
class ConnectionNotes : public QObject {
    Q_OBJECT
public:
    enum class Note { None, Reconnected, CouldNotReconnect, LastBidChanged, AutoBidStopped };

    ConnectionNotes(const AuctionBoard &board, const AuctionConnection &connection,
                    QObject *parent = nullptr);

    // Auto-bid was armed when the connection was lost; said once it is back.
    void autoBidStoppedByLoss();

    Note note() const { return m_note; }
    QString text(int column) const;

signals:
    void changed();

private:
    // What the panel showed of the product, as the last read left it.
    struct Seen {
        QString productId;
        QString lastBid;
        QString highBidder;
        bool mine = false;
    };
    void afterRead();
    void say(Note note);

    const AuctionBoard &m_board;
    Seen m_seen;
    Seen m_beforeLoss;
    bool m_watchProduct = false; // back from a loss: the next product shown may be the same one
    Seen m_now;
    QString m_product;
    qint64 m_seconds = 0;
    Note m_note = Note::None;
};
