#pragma once

#include "auction_board.h"
#include "auction_receiver.h"

#include <QStringList>

// The board behind its receive path, with the sales it recorded and the pages and sounds it asked for.
struct BoardSession {
    BoardSession()
    {
        board.setUserId(QStringLiteral("me"));
        board.setSaleRecorder([this](const SaleRecord &r) {
            sales << QStringList{r.user,    r.productId, r.productName, r.highBidder,
                                 r.lastBid, r.currency,  r.seller,      r.lastListLine}
                         .join(u'|');
        });
        QObject::connect(&board, &AuctionBoard::changed, [this] { ++changes; });
        QObject::connect(&board, &AuctionBoard::navigateDescription,
                         [this](const QString &page) { pages << page; });
        QObject::connect(&board, &AuctionBoard::playSound, [this](const QString &path) { sounds << path; });
    }

    // One "name=value" line each, so that a difference names its control.
    QStringList shown() const
    {
        const AuctionBoard &b = board;
        const auto flag = [](bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); };
        const auto number = [](int n) { return QString::number(n); };
        return QStringList() << "CurrentProductID=" + b.currentProductId() << "PDesc=" + b.pDesc()
                             << "nQty=" + b.nQty() << "fbidat=" + b.fbidat() << "MinBid=" + b.minBid()
                             << "Hi_Bid=" + b.hiBid() << "Lb_bid=" + b.lbBid() << "bid_Inc=" + b.bidInc()
                             << "SellerBy=" + b.sellerBy() << "cCurrency=" + b.cCurrency()
                             << "lbYourBid=" + b.lbYourBid() << "aucList=" + b.aucList().join(u'|')
                             << "selected=" + number(b.aucListSelected())
                             << "colours=" + number(int(b.bidColours()))
                             << "countDown=" + number(b.countDown())
                             << "img_count=" + number(b.stagePicture())
                             << "displastbid=" + flag(b.displastbidVisible()) + ':' + b.displastbidText()
                             << "GOBID=" + flag(b.gobidEnabled()) << "msgchat=" + b.msgchat()
                             << "sales=" + sales.join(u';') << "url=" + pages.value(pages.size() - 1)
                             << "sound=" + sounds.value(sounds.size() - 1);
    }

    void read(QByteArrayView bytes) { receiver.receive(bytes); }

    AuctionBoard board;
    AuctionReceiver receiver{board};
    QStringList sales;
    QStringList pages;
    QStringList sounds;
    int changes = 0;
};
