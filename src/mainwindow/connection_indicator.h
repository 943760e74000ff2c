#pragma once

#include "auction_connection.h"

#include <QLabel>

// The status bar's connection state: a coloured dot and a word in the interface language, with the bids'
// round trip once known and the seconds to the next try while reconnecting. Screen readers hear both what it
// is and what it says.
class ConnectionIndicator : public QLabel {
public:
    explicit ConnectionIndicator(QWidget *parent = nullptr);

    void setState(AuctionConnection::State state);
    AuctionConnection::State state() const { return m_state; }
    // Until the next try, while waiting to reconnect.
    void setWaitingSeconds(int seconds);
    // The median round trip of the bids taken, in milliseconds; negative: none yet.
    void setRoundTrip(qint64 ms);
    // Puts the words up in the language of column.
    void showIn(int column);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showState();

    AuctionConnection::State m_state = AuctionConnection::State::NotConnected;
    int m_waitingSeconds = 0;
    qint64 m_roundTrip = -1;
    int m_column = 0;
};
