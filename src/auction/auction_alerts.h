#pragma once

#include "auction_board.h"
#include "auction_connection.h"
#include "caption.h"

#include <QString>
#include <functional>

class BidReceipts;
class Notifier;
class UserSettings;

// The notifications' texts; %1 to %3 are filled in, amounts as the panel shows them.
namespace AlertText {
inline constexpr Caption outbid{u"มีผู้เสนอราคาสูงกว่า: %1 %2 — %3", u"Outbid: %1 bid %2 on %3"};
inline constexpr Caption closing{u"กำลังปิดการประมูล: %1 ที่ %2", u"Closing: %1 at %2"};
inline constexpr Caption won{u"คุณชนะการประมูล %1 ที่ %2", u"You won %1 at %2"};
inline constexpr Caption autoBidStopped{u"หยุดประมูลอัตโนมัติ: %1 สูงกว่าราคาพอใจซื้อสูงสุด",
                                        u"Auto-bid stopped: %1 is above your maximum"};
inline constexpr Caption connectionLost{u"การเชื่อมต่อกับการประมูลขาดหาย", u"Connection to the auction lost"};
} // namespace AlertText

// Every decision about a desktop notification: this user outbid, the countdown starting on a product they
// have bid on, a sale to them, auto-bid stopping, a working connection lost and back by itself, a bid made by
// hand that was not taken or may not have arrived. Nothing is said while the user looks at the window or
// with notifications turned off. It runs without any notification service: the
// notifier only delivers.
class AuctionAlerts {
public:
    // attended: whether the user is looking at the window (it is active and not minimised).
    AuctionAlerts(Notifier &notifier, const UserSettings &settings, std::function<bool()> attended);

    // The interface language, as a caption column.
    void setLanguage(int column) { m_column = column; }

    // Listens to the board's reads, the connection and the receipts, after whatever listened before.
    void watch(const AuctionBoard &board, const AuctionConnection &connection, const BidReceipts &receipts,
               QObject *context);

    // A read has been applied to the board and brought events.
    void afterRead(const AuctionBoard &board, AuctionBoard::Events events);
    // Auto-bid stopped because Your Bid, as shown, would pass the maximum.
    void autoBidStopped(const QString &yourBid);
    void connectionChanged(AuctionConnection::State state);
    // The connection came back by itself, ms after the loss.
    void reconnected(qint64 ms);
    // The bid followed by receipts has been settled.
    void bidSettled(const BidReceipts &receipts);

private:
    void tell(const QString &body);

    Notifier &m_notifier;
    const UserSettings &m_settings;
    std::function<bool()> m_attended;
    int m_column = 0;
    bool m_bidOnProduct = false; // the server has taken a bid of this user on the product on show
    AuctionConnection::State m_connection = AuctionConnection::State::NotConnected;
};
