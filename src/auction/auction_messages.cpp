#include "auction_messages.h"

#include "amount.h"
#include "wire_format.h"

namespace AuctionMessages {
QByteArray auctionGo(QStringView userId)
{
    return Wire::announcement(
        {QStringLiteral("AuctionGO"), userId.toString(), QString(), QStringLiteral("0")});
}

QByteArray bid(QStringView userId, QStringView yourBidText)
{
    return Wire::message(
        {userId.toString(), QStringLiteral("ROBOT CLICK BID"), PlainAmount(AmountValue(yourBidText))});
}

QByteArray chat(QStringView userId, QStringView text)
{
    return Wire::message({QStringLiteral("UMSG"), userId.toString(), text.toString()});
}

QByteArray getPd()
{
    return Wire::message({QStringLiteral("GETPD")});
}
} // namespace AuctionMessages
