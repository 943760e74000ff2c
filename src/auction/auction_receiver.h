#pragma once

#include "message_framer.h"

#include <QByteArrayView>

class AuctionBoard;

// The receive path of the auction connection: frames each read, hands every message to the board in arrival
// order, then lets the board tell the window once for the whole read.
class AuctionReceiver {
public:
    explicit AuctionReceiver(AuctionBoard &board) : m_board(board) {}

    // One read of the socket, whatever its size; a message may span reads.
    void receive(QByteArrayView bytes);
    // A new or lost connection: a partial message of the old stream is dropped.
    void reset() { m_framer.reset(); }
    // As MessageFramer's, for the tests.
    qsizetype pendingSize() const { return m_framer.pendingSize(); }

private:
    AuctionBoard &m_board;
    MessageFramer m_framer;
};
