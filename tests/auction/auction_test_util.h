#pragma once

#include "auction_board.h"
#include "cp874.h"

#include <QByteArray>
#include <QStringList>

// One server message as the server sends it: every field Windows-874 and closed by a TAB, then the
// terminator.
inline QByteArray wire(const QStringList &fields)
{
    QByteArray out;
    for (const QString &field : fields)
        out += Cp874::encode(field) + '\t';
    return out + '\xFE';
}

inline QString flag(bool on)
{
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

// Everything the board shows, one "name=value" line each, so that a difference names its control.
inline QStringList snapshot(const AuctionBoard &board)
{
    return {
        QStringLiteral("CurrentProductID=") + board.currentProductId(),
        QStringLiteral("PDesc=") + board.pDesc(),
        QStringLiteral("nQty=") + board.nQty(),
        QStringLiteral("fbidat=") + board.fbidat(),
        QStringLiteral("MinBid=") + board.minBid(),
        QStringLiteral("Hi_Bid=") + board.hiBid(),
        QStringLiteral("Lb_bid=") + board.lbBid(),
        QStringLiteral("bid_Inc=") + board.bidInc(),
        QStringLiteral("SellerBy=") + board.sellerBy(),
        QStringLiteral("cCurrency=") + board.cCurrency(),
        QStringLiteral("lbYourBid=") + board.lbYourBid(),
        QStringLiteral("aucList=") + board.aucList().join(u'|'),
        QStringLiteral("selected=%1").arg(board.aucListSelected()),
        QStringLiteral("colours=%1").arg(int(board.bidColours())),
        QStringLiteral("countDown=%1").arg(board.countDown()),
        QStringLiteral("img_count=%1").arg(board.stagePicture()),
        QStringLiteral("displastbid=%1:").arg(flag(board.displastbidVisible())) + board.displastbidText(),
        QStringLiteral("GOBID=%1").arg(flag(board.gobidEnabled())),
        QStringLiteral("msgchat=") + board.msgchat(),
    };
}
