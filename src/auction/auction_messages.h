#pragma once

#include <QByteArray>
#include <QStringView>

// What the client sends to the auction server, in the wire format of wire_format.h.
namespace AuctionMessages {
// "AuctionGO", the user, an empty field and "0": the first message on a new connection, with no terminator.
QByteArray auctionGo(QStringView userId);
// A bid of the amount shown in yourBidText, sent as a whole number without separators.
QByteArray bid(QStringView userId, QStringView yourBidText);
QByteArray chat(QStringView userId, QStringView text);
// Asks the server for the product description.
QByteArray getPd();
} // namespace AuctionMessages
