// The demo service's parsers on any bytes, cut into reads where the input says. The first input byte picks
// the web server's request reader (then the page for a complete request) or the auction server's client
// framer (then the auction engine for every message). However the reads fall, each reader must end as the
// same bytes in one read leave it; what the service answers must stay well formed.
#include "auction_engine.h"
#include "client_framer.h"
#include "demo_site.h"
#include "fuzz_support.h"
#include "http_request.h"
#include "wire_format.h"

namespace {
void fuzzHttp(const CutStream &stream)
{
    HttpRequestReader cut;
    for (const QByteArrayView read : stream.reads)
        cut.feed(read);
    HttpRequestReader whole;
    whole.feed(stream.whole);
    FUZZ_CHECK(cut.state() == whole.state());
    FUZZ_CHECK(cut.method() == whole.method() && cut.target() == whole.target());
    if (whole.state() != HttpRequestReader::State::Complete)
        return;
    FUZZ_CHECK(!whole.target().isEmpty());
    const HttpResponse response = DemoSite::get(whole.target());
    FUZZ_CHECK(response.status >= 200 && response.status < 600);
    const QByteArray bytes = response.serialize();
    const qsizetype headEnd = bytes.indexOf("\r\n\r\n");
    FUZZ_CHECK(headEnd > 0 && bytes.size() - headEnd - 4 == response.body.size());
    FUZZ_CHECK(
        bytes.first(headEnd).contains("\r\nContent-Length: " + QByteArray::number(response.body.size())));
}

void fuzzAuction(const CutStream &stream)
{
    std::vector<ClientFramer::Message> cutMessages;
    ClientFramer cut;
    for (const QByteArrayView read : stream.reads) {
        cut.feed(read, cutMessages);
        FUZZ_CHECK(cut.pendingSize() <= ClientFramer::maxPending);
    }
    std::vector<ClientFramer::Message> messages;
    ClientFramer whole;
    whole.feed(stream.whole, messages);
    if (stream.whole.size() <= ClientFramer::maxPending) {
        FUZZ_CHECK(cut.status() == whole.status());
        FUZZ_CHECK(cutMessages.size() == messages.size());
        for (size_t i = 0; i < messages.size(); ++i) {
            FUZZ_CHECK(cutMessages[i].bytes == messages[i].bytes);
            FUZZ_CHECK(cutMessages[i].announcement == messages[i].announcement);
        }
    }

    AuctionEngine::Options options;
    options.timing = AuctionEngine::Timing::fast();
    options.simulatedBidders = false;
    options.simulatedChat = false;
    options.cancelOneIn = 0;
    options.pageBase = QStringLiteral("http://127.0.0.1:8080");
    AuctionEngine engine(options);
    engine.clientConnected(1);
    engine.clientConnected(2);
    qint64 now = options.timing.openDelay + 1;
    engine.advanceTo(now);
    for (const ClientFramer::Message &message : messages) {
        engine.clientMessage(1, message.bytes, message.announcement);
        engine.advanceTo(now += 20);
        FUZZ_CHECK(engine.lastBid() >= 0 && engine.lastBid() <= AuctionEngine::maxBid);
        FUZZ_CHECK(engine.highBidder().size() <= 64);
        for (const AuctionEngine::Outgoing &out : engine.takeOutbox()) {
            FUZZ_CHECK(out.to == 1 || out.to == 2);
            FUZZ_CHECK(out.bytes.endsWith(Wire::terminator));
            FUZZ_CHECK(out.bytes.count(Wire::terminator) == 1);
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const bool http = input.byte() % 2 == 0;
    const CutStream stream = cutStream(input);
    if (http)
        fuzzHttp(stream);
    else
        fuzzAuction(stream);
    return 0;
}
