#pragma once

#include <QByteArray>
#include <QStringView>

// What the client sends to the auction server. Every field is Windows-874 and closed by a TAB; a message ends
// with the terminator byte, except the announcement.
namespace AuctionMessages {
inline constexpr char fieldDelimiter = '\t';
inline constexpr char terminator = '\xFE';

// The field as sent: Windows-874, with TAB, CR, LF and the terminator byte turned into blanks so that no text
// can add fields or end the message early.
QByteArray encodeField(QStringView text);

// "AuctionGO", the user, an empty field and "0": the first message on a new connection, with no terminator.
QByteArray auctionGo(QStringView userId);
// A bid of the amount shown in yourBidText, sent as a whole number without separators.
QByteArray bid(QStringView userId, QStringView yourBidText);
QByteArray chat(QStringView userId, QStringView text);
// Asks the server for the product description.
QByteArray getPd();
} // namespace AuctionMessages
