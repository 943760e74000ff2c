// Server bytes, cut into reads where the input says, through the receive path into the board. After every
// read the board must show only what the panel can show; at the end it must be exactly where the same bytes
// in one read leave it, and record the same sales.
#include "amount.h"
#include "auction_board.h"
#include "auction_receiver.h"
#include "fuzz_support.h"

#include <QStringList>

namespace {
struct Side {
    Side()
    {
        board.setUserId(QStringLiteral("me"));
        board.setSaleRecorder([this](const SaleRecord &r) {
            sales << QStringList{r.user,    r.productId, r.productName, r.highBidder,
                                 r.lastBid, r.currency,  r.seller,      r.lastListLine}
                         .join(u'|');
        });
    }
    AuctionBoard board;
    AuctionReceiver receiver{board};
    QStringList sales;
};

QStringList shown(const AuctionBoard &b)
{
    return QStringList() << b.currentProductId() << b.pDesc() << b.nQty() << b.fbidat() << b.minBid()
                         << b.hiBid() << b.lbBid() << b.bidInc() << b.sellerBy() << b.cCurrency()
                         << b.lbYourBid() << b.aucList() << QString::number(int(b.bidColours()))
                         << QString::number(b.countDown()) << QString::number(b.stagePicture())
                         << QString::number(b.displastbidVisible()) << b.displastbidText()
                         << QString::number(b.gobidEnabled()) << b.msgchat();
}

// An amount label holds what FormatAmount writes (the design's "0" before the first product).
bool isShownAmount(const QString &text)
{
    return text == u"0" || FormatAmount(AmountValue(text)) == text;
}

void checkShowable(const AuctionBoard &b)
{
    FUZZ_CHECK(b.aucList().size() <= AuctionBoard::maxListLines);
    FUZZ_CHECK(b.aucListSelected() == b.aucList().size() - 1);
    for (const QString &line : b.aucList())
        FUZZ_CHECK(line.startsWith(u"AT  "));
    FUZZ_CHECK(b.countDown() >= 0 && b.countDown() <= AuctionBoard::countDownMaximum);
    FUZZ_CHECK(b.stagePicture() >= 0 && b.stagePicture() <= AuctionBoard::soldPicture);
    FUZZ_CHECK(b.cCurrency().startsWith(u"Currency = "));
    for (const QString *amount :
         {&b.nQty(), &b.fbidat(), &b.minBid(), &b.lbBid(), &b.bidInc(), &b.lbYourBid()})
        FUZZ_CHECK(amount->isEmpty() || isShownAmount(*amount));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const CutStream stream = cutStream(input);

    Side cut;
    for (const QByteArrayView read : stream.reads) {
        cut.receiver.receive(read);
        checkShowable(cut.board);
        FUZZ_CHECK(cut.receiver.pendingSize() <= MessageFramer::maxPartialSize);
    }
    Side whole;
    whole.receiver.receive(stream.whole);
    // Below the partial-message cap the cuts must not matter.
    if (stream.whole.size() < MessageFramer::maxPartialSize) {
        FUZZ_CHECK(shown(cut.board) == shown(whole.board));
        FUZZ_CHECK(cut.sales == whole.sales);
        FUZZ_CHECK(cut.receiver.pendingSize() == whole.receiver.pendingSize());
    }
    return 0;
}
