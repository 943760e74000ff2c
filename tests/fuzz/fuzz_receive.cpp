// Server bytes, cut into reads where the input says, through the receive path into the board. After every
// read the board must show only what the panel can show; at the end it must be exactly where the same bytes
// in one read leave it, with the same sales recorded and the same last page and sound asked for.
#include "../auction/board_session.h"
#include "amount.h"
#include "fuzz_support.h"

#include <algorithm>
#include <vector>

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
    FUZZ_CHECK(b.countDown() >= 0 && b.countDown() <= 15);
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
    // A count, then that many read sizes used in turn (0 is an empty read); the rest is the stream.
    std::vector<uint8_t> sizes(input.byte() % 16);
    for (uint8_t &size : sizes)
        size = input.byte();
    const QByteArrayView stream = input.rest();
    const bool cut = std::any_of(sizes.begin(), sizes.end(), [](uint8_t size) { return size > 0; });

    BoardSession reads;
    for (qsizetype pos = 0, i = 0; pos < stream.size(); ++i) {
        const qsizetype n =
            cut ? std::min<qsizetype>(sizes[size_t(i) % sizes.size()], stream.size() - pos) : stream.size();
        reads.read(stream.sliced(pos, n));
        pos += n;
        checkShowable(reads.board);
        FUZZ_CHECK(reads.receiver.pendingSize() <= MessageFramer::maxPartialSize);
    }
    BoardSession whole;
    whole.read(stream);
    // Below the partial-message cap the cuts must not matter.
    if (stream.size() < MessageFramer::maxPartialSize) {
        FUZZ_CHECK(reads.shown() == whole.shown());
        FUZZ_CHECK(reads.receiver.pendingSize() == whole.receiver.pendingSize());
    }
    return 0;
}
