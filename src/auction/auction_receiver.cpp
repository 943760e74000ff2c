#include "auction_receiver.h"

#include "auction_board.h"

void AuctionReceiver::receive(QByteArrayView bytes)
{
    m_framer.feed(bytes, [this](QByteArrayView message) { m_board.handleMessage(message); });
    m_board.flush();
}
