#pragma once

#include "auction_board.h"

#include <QString>

// Auto-bid up to Max. Bid, without widgets. The window arms it, tells it of every read applied to the board
// and of every bid that goes out, and carries out what it decides. Armed, it answers a rival's bid with Your
// Bid as the panel shows it while that stays within the maximum: once per rival bid, never while this user
// holds the high bid, and never while bidding is paused (a rival's bid then waits for bidding to reopen). It
// lasts for the product on show only and is never kept between runs.
class AutoBid {
public:
    enum class State {
        Off,
        Armed,
        Stopped, // disarmed because the next bid would pass the maximum; stoppedAt() says at what
    };
    enum class Refusal { None, Disconnected, BiddingClosed, MaximumNotAboveLastBid };
    enum class Move { None, Bid, Stop };

    // Arms with the maximum as MMax shows it, if the connection is up, bidding is open and the maximum lies
    // above the last bid. A rival's bid that stands unanswered is answered by the next call of next().
    Refusal arm(const AuctionBoard &board, const QString &maximum, bool connected);
    // The user's own choice. A rival's bid that stands unanswered is still answered if the user arms again.
    void disarm();
    // The connection has ended: the next one starts with nothing to answer.
    void connectionEnded();
    // MMax as it shows now, when the user has finished editing it or the bid button has raised it.
    void setMaximum(const QString &maximum);

    // After a read has been applied to the board (events is what it brought), and right after arming (no
    // events): whether to send Your Bid now, stop at the maximum, or do nothing.
    Move next(const AuctionBoard &board, AuctionBoard::Events events, bool connected);
    // A bid went out, the user's own or auto-bid's: the rival's bid it answers needs no other answer.
    void bidSent() { m_rivalUnanswered = false; }

    State state() const { return m_state; }
    qint64 maximum() const { return m_maximum; }
    // Your Bid, as shown, that would have passed the maximum.
    const QString &stoppedAt() const { return m_stoppedAt; }

private:
    State m_state = State::Off;
    qint64 m_maximum = 0;
    QString m_stoppedAt;
    bool m_rivalUnanswered = false;
};
