#include "auction_engine.h"
#include "auction_wire.h"
#include "test_support.h"

#include <QTest>
#include <map>

using namespace Qt::StringLiterals;

namespace {
using Id = AuctionEngine::ClientId;

const QByteArray lampInfo = wireMessage({"#BidManPInfo", "P1", "Lamp (Desk lamp)", "1", "2500", "3000", "-",
                                         "2500", "100", " ", "THB", "http://h:81/product/P1.htm"});

// Delivers the engine's outbox into one byte stream per client.
struct Harness {
    Harness() : engine(options()) {}
    static AuctionEngine::Options options()
    {
        AuctionEngine::Options o;
        o.timing = {1000, 0, 0, 5000, 100, 200, 300, 400, 0, 0};
        o.pageBase = QStringLiteral("http://h:81");
        Product lamp;
        lamp.id = QStringLiteral("P1");
        lamp.nameTh = QStringLiteral("Lamp");
        lamp.nameEn = QStringLiteral("Desk\tlamp"); // a TAB or 0xFE inside a field would shift the rest
        lamp.seller = QString(QChar(0xF8C7));       // 0xFE in Windows-874
        lamp.firstBid = 2500;
        lamp.minBid = 3000;
        lamp.increment = 100;
        o.catalogue = {lamp};
        o.simulatedBidders = o.simulatedChat = false;
        return o;
    }
    void join(Id id, const QByteArray &name)
    {
        engine.clientConnected(id);
        engine.clientMessage(id, "AuctionGO\t" + name + "\t\t0\t", true);
    }
    void send(Id id, const QByteArray &message) { engine.clientMessage(id, message, false); }
    QByteArray take(Id id)
    {
        for (auto &out : engine.takeOutbox())
            streams[out.to] += out.bytes;
        return std::exchange(streams[id], {});
    }

    AuctionEngine engine;
    std::map<Id, QByteArray> streams;
};

QByteArray countdown(int from, int to)
{
    QByteArray out;
    for (int left = from; left >= to; --left) {
        out += wireMessage({"#LEFTCOUNT", QString::number(left)});
        if (left <= 10 && left % 5 == 0)
            out += wireMessage({left == 10 ? "#COUNT1" : left == 5 ? "#COUNT2" : "#COUNT3"});
    }
    return out;
}
} // namespace

class TestDemoEngine : public QObject {
    Q_OBJECT
private slots:
    void scriptedAuction();
    void bid_data();
    void bid();
    void framing_data();
    void framing();
};

void TestDemoEngine::scriptedAuction()
{
    const QByteArray somying = "\xCA\xC1\xCB\xAD\xD4\xA7"; // สมหญิง in Windows-874
    Harness h;
    h.engine.advanceTo(0);
    h.join(1, "somchai");
    QCOMPARE(h.take(1), lampInfo); // shown, not open yet
    h.engine.advanceTo(1000);
    QCOMPARE(h.take(1), wireMessage({"#GOBID"}));
    h.join(2, somying);
    QCOMPARE(h.take(2), lampInfo + wireMessage({"#GOBID"}));

    h.engine.advanceTo(1500);
    h.send(1, "somchai\tROBOT CLICK BID\t2600\t");
    h.send(2, somying + "\tROBOT CLICK BID\t2550\t"); // below the last bid
    h.send(2, somying + "\tROBOT CLICK BID\t2750\t");
    QCOMPARE(h.take(1), wireMessage({"#BID", "somchai", "2600", "100", "10:00:01"}) +
                            wireMessage({"#BID", u"สมหญิง"_s, "2750", "100", "10:00:01"}));

    // Quiet for 5 s after the last bid: the countdown starts; a bid cancels it.
    h.engine.advanceTo(6499);
    QCOMPARE(h.take(1), QByteArray());
    h.engine.advanceTo(7000);
    h.send(1, "somchai\tROBOT CLICK BID\t2850\t");
    // Quiet again: the whole countdown, the sale, the pause and the product again from its first bid.
    h.engine.advanceTo(13700);
    h.send(1, "somchai\tROBOT CLICK BID\t9000\t"); // sold: nothing more is taken
    h.engine.advanceTo(14400);
    const QByteArray rest = countdown(15, 10) + wireMessage({"#COUNTCANCEL"}) +
                            wireMessage({"#BID", "somchai", "2850", "100", "10:00:07"}) + countdown(15, 0) +
                            wireMessage({"#COUNTS"}) + wireMessage({"#PAUSEBID"}) + lampInfo;
    QCOMPARE(h.take(1), rest);
    QCOMPARE(h.take(2).right(rest.size()), rest);
}

void TestDemoEngine::bid_data()
{
    QTest::addColumn<QByteArray>("amount");
    QTest::addColumn<bool>("taken");
    QTest::newRow("one above") << QByteArray("2501\t") << true;
    QTest::newRow("equal") << QByteArray("2500\t") << false;
    QTest::newRow("too large") << QByteArray("1000000000000\t") << false;
    QTest::newRow("overflowing") << QByteArray("99999999999999999999999\t") << false;
    QTest::newRow("not closed") << QByteArray("2600") << false;
}

// The bid is in the announced name, not the one the message claims.
void TestDemoEngine::bid()
{
    QFETCH(QByteArray, amount);
    QFETCH(bool, taken);
    Harness h;
    h.engine.advanceTo(1000);
    h.join(1, "bob");
    h.take(1);
    h.send(1, "eve\tROBOT CLICK BID\t" + amount);
    QCOMPARE(h.take(1),
             taken ? wireMessage({"#BID", "bob", QString::fromLatin1(amount.chopped(1)), "100", "10:00:01"})
                   : QByteArray());
}

void TestDemoEngine::framing_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArrayList>("messages"); // "A:" marks the announcement
    QTest::addColumn<ClientFramer::Status>("status");
    const QByteArray hello = "AuctionGO\tbob\t\t0\t";
    const QByteArray bid = "bob\tROBOT CLICK BID\t1600\t";
    const QByteArray longest(ClientFramer::maxPending, 'x');
    using S = ClientFramer::Status;

    QTest::newRow("announcement, bid, unfinished bid")
        << hello + bid + '\xFE' + bid << QByteArrayList{"A:" + hello, bid} << S::Ok;
    QTest::newRow("announcement closed by terminator")
        << QByteArray("AuctionGO\tbob\t\xFEGETPD\t\xFE") << QByteArrayList{"A:AuctionGO\tbob\t", "GETPD\t"}
        << S::Ok;
    QTest::newRow("no announcement, thai, line break")
        << QByteArray("AuctionGX\t\t\t\t\xFEUMSG\tx\t\xCA\xC1\r\n\t\xFE")
        << QByteArrayList{"AuctionGX\t\t\t\t", "UMSG\tx\t\xCA\xC1\r\n\t"} << S::Ok;
    QTest::newRow("nul after a message")
        << hello + bid + '\xFE' + QByteArray("x\0y\xFE", 4) << QByteArrayList{"A:" + hello, bid} << S::Junk;
    QTest::newRow("longest message") << longest + '\xFE' << QByteArrayList{longest} << S::Ok;
    QTest::newRow("one byte too many") << longest + 'x' << QByteArrayList{} << S::Overflow;
    QTest::newRow("endless announcement") << "AuctionGO\t" + longest << QByteArrayList{} << S::Overflow;
}

// However the reads cut the stream, the same messages come out; a failed framer takes nothing more.
void TestDemoEngine::framing()
{
    QFETCH(QByteArray, stream);
    QFETCH(QByteArrayList, messages);
    QFETCH(ClientFramer::Status, status);
    for (qsizetype piece : {stream.size(), qsizetype(1), qsizetype(7), stream.size() / 2 + 1}) {
        ClientFramer framer;
        std::vector<ClientFramer::Message> out;
        ClientFramer::Status got = ClientFramer::Status::Ok;
        for (qsizetype at = 0; at < stream.size(); at += piece)
            got = framer.feed(QByteArrayView(stream).sliced(at, std::min(piece, stream.size() - at)), out);
        if (got != ClientFramer::Status::Ok)
            QCOMPARE(framer.feed("GETPD\t\xFE", out), got);
        QByteArrayList list;
        for (const auto &m : out)
            list.append(m.announcement ? "A:" + m.bytes : m.bytes);
        QCOMPARE(list, messages);
        QCOMPARE(got, status);
    }
}

QTEST_GUILESS_MAIN(TestDemoEngine)
#include "test_demo_engine.moc"
