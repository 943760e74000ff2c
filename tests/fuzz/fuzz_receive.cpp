// Server bytes, cut into reads where the input says, through the receive path into the board. After every
// read the board must show only what the panel can show; at the end it must be exactly where the same bytes
// in one read leave it, with the same sales recorded and the same last page and sound asked for.
#include "../auction/board_session.h"
#include "amount.h"
#include "fuzz_support.h"

namespace {
// An amount label holds what FormatAmount writes (the design's "0" before the first product).
bool isShownAmount(const QString &text)
{
    return text == u"0" || FormatAmount(AmountValue(text)) == text;
}

void checkShowable(const AuctionBoard &b)
{
    FUZZ_CHECK(b.aucList().size() <= AuctionBoard::maxListLines);
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

    BoardSession cut;
    for (const QByteArrayView read : stream.reads) {
        cut.read(read);
        checkShowable(cut.board);
        FUZZ_CHECK(cut.receiver.pendingSize() <= MessageFramer::maxPartialSize);
    }
    BoardSession whole;
    whole.read(stream.whole);
    // Below the partial-message cap the cuts must not matter.
    if (stream.whole.size() < MessageFramer::maxPartialSize) {
        FUZZ_CHECK(cut.shown() == whole.shown());
        FUZZ_CHECK(cut.receiver.pendingSize() == whole.receiver.pendingSize());
    }
    return 0;
}
