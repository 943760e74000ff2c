#include "auction_messages.h"

#include "amount.h"
#include "cp874.h"

namespace AuctionMessages {
namespace {
void appendField(QByteArray &out, QStringView text)
{
    out += encodeField(text);
    out += fieldDelimiter;
}

void appendField(QByteArray &out, QLatin1StringView text)
{
    out += QByteArrayView(text.data(), text.size());
    out += fieldDelimiter;
}
} // namespace

QByteArray encodeField(QStringView text)
{
    QByteArray bytes = Cp874::encode(text);
    for (char &c : bytes) {
        if (c == '\t' || c == '\r' || c == '\n' || c == terminator)
            c = ' ';
    }
    return bytes;
}

QByteArray auctionGo(QStringView userId)
{
    QByteArray out;
    appendField(out, QLatin1StringView("AuctionGO"));
    appendField(out, userId);
    appendField(out, QLatin1StringView(""));
    appendField(out, QLatin1StringView("0"));
    return out;
}

QByteArray bid(QStringView userId, QStringView yourBidText)
{
    QByteArray out;
    appendField(out, userId);
    appendField(out, QLatin1StringView("ROBOT CLICK BID"));
    appendField(out, PlainAmount(AmountValue(yourBidText)));
    out += terminator;
    return out;
}

QByteArray chat(QStringView userId, QStringView text)
{
    QByteArray out;
    appendField(out, QLatin1StringView("UMSG"));
    appendField(out, userId);
    appendField(out, text);
    out += terminator;
    return out;
}

QByteArray getPd()
{
    QByteArray out;
    appendField(out, QLatin1StringView("GETPD"));
    out += terminator;
    return out;
}
} // namespace AuctionMessages
