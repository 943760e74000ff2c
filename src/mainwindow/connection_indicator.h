#pragma once

#include "auction_connection.h"

#include <QLabel>

// The status bar's connection state: a coloured dot and a word in the interface language. Screen readers hear
// both what it is and the state.
class ConnectionIndicator : public QLabel {
public:
    explicit ConnectionIndicator(QWidget *parent = nullptr);

    void setState(AuctionConnection::State state);
    AuctionConnection::State state() const { return m_state; }
    // Puts the word up in the language of column.
    void showIn(int column);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showState();

    AuctionConnection::State m_state = AuctionConnection::State::NotConnected;
    int m_column = 0;
};
