// The receive path against a server that misbehaves: a connection cut inside a message, a message that never
// ends, a flood in one write, and every keyword with fields that are missing, empty, negative, too large for
// any amount or not numbers. Whatever arrives, the panel shows only what it can show.
#include "amount.h"
#include "auction_board.h"
#include "auction_receiver.h"
#include "auction_socket.h"
#include "loopback_peers.h"
#include "test_support.h"

#include <QMap>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString huge = u"99999999999999999999"_s;
const QString largest = u"9,223,372,036,854,775,807"_s;

QByteArray product()
{
    return wireMessage({"#BidManPInfo", "P1", "Watch", "2", "1000", "500", "nobody", "1000", "100", "Shop",
                        "THB", "http://h/p"});
}

// The board as "name=value" by control, for comparing the controls a case cares about.
QMap<QString, QString> shown(const AuctionBoard &b)
{
    return {{u"CurrentProductID"_s, b.currentProductId()},
            {u"PDesc"_s, b.pDesc()},
            {u"nQty"_s, b.nQty()},
            {u"fbidat"_s, b.fbidat()},
            {u"MinBid"_s, b.minBid()},
            {u"Hi_Bid"_s, b.hiBid()},
            {u"Lb_bid"_s, b.lbBid()},
            {u"bid_Inc"_s, b.bidInc()},
            {u"SellerBy"_s, b.sellerBy()},
            {u"cCurrency"_s, b.cCurrency()},
            {u"lbYourBid"_s, b.lbYourBid()},
            {u"aucList"_s, b.aucList().join(u'|')},
            {u"countDown"_s, QString::number(b.countDown())},
            {u"img_count"_s, QString::number(b.stagePicture())},
            {u"displastbid"_s, b.displastbidVisible() ? b.displastbidText() : u"hidden"_s},
            {u"GOBID"_s, b.gobidEnabled() ? u"on"_s : u"off"_s},
            {u"msgchat"_s, b.msgchat()}};
}

// What no server can make the panel show.
void verifyShowable(const AuctionBoard &b)
{
    QVERIFY(b.aucList().size() <= AuctionBoard::maxListLines);
    QVERIFY(b.countDown() >= 0 && b.countDown() <= AuctionBoard::countDownMaximum);
    for (const QString *amount :
         {&b.nQty(), &b.fbidat(), &b.minBid(), &b.lbBid(), &b.bidInc(), &b.lbYourBid()})
        QVERIFY2(amount->isEmpty() || *amount == u"0" || FormatAmount(AmountValue(*amount)) == *amount,
                 qPrintable(*amount));
}

// The client's receive path on a loopback connection, wired as the main window wires it.
struct Link {
    Link()
    {
        QObject::connect(&socket, &AuctionSocket::dataArrival, [this] {
            const QByteArray read = socket.GetData();
            largestRead = std::max(largestRead, read.size());
            receiver.receive(read);
            largestPending = std::max(largestPending, receiver.pendingSize());
        });
        QObject::connect(&socket, &AuctionSocket::closed, [this] {
            ++closes;
            receiver.reset();
            board.connectionClosed();
        });
        QObject::connect(&board, &AuctionBoard::changed, [this] { ++repaints; });
        socket.setRemoteHost(u"127.0.0.1"_s);
    }
    void connect()
    {
        socket.setRemotePort(peer.port());
        socket.Connect();
    }

    ScriptedPeer peer;
    AuctionSocket socket;
    AuctionBoard board;
    AuctionReceiver receiver{board};
    qsizetype largestRead = 0;
    qsizetype largestPending = 0;
    int closes = 0;
    int repaints = 0;
};
} // namespace

class TestAuctionFaults : public QObject {
    Q_OBJECT
private slots:
    // Half a bid before the close must not join the first bytes of the next connection.
    void closedInsideAMessage()
    {
        Link link;
        link.connect();
        QTRY_VERIFY(link.peer.hasClient());
        link.peer.send(wireMessage({"#GOBID"}) + "#BID\tx\t15");
        QTRY_VERIFY(link.board.gobidEnabled());
        link.peer.closeClient();
        QTRY_COMPARE(link.closes, 1);
        QCOMPARE(link.receiver.pendingSize(), 0);
        QVERIFY(!link.board.gobidEnabled());

        link.connect();
        QTRY_COMPARE(link.peer.connectionCount(), 2);
        QTRY_VERIFY(link.peer.hasClient());
        link.peer.send("00\tsaid\t\xFE" + wireMessage({"#LEFTCOUNT", "5"}));
        QTRY_COMPARE(link.board.countDown(), 5);
        QCOMPARE(link.board.aucList(), QStringList());
        QCOMPARE(link.board.msgchat(), u"said"_s);
    }

    // The attempt fails once, as an error the window can report, and nothing else follows.
    void unreachableServer_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<bool>("refusing");
        QTest::addColumn<int>("error");
        QTest::newRow("host that does not resolve")
            << u"gavora-no-such-host.invalid"_s << false << int(QAbstractSocket::HostNotFoundError);
        QTest::newRow("refused port")
            << u"127.0.0.1"_s << true << int(QAbstractSocket::ConnectionRefusedError);
    }
    void unreachableServer()
    {
        QFETCH(QString, host);
        QFETCH(bool, refusing);
        QFETCH(int, error);
        int port = 4000;
        if (refusing) {
            ScriptedPeer gone;
            port = gone.port();
        }
        AuctionSocket socket;
        QList<int> errors;
        int other = 0;
        connect(&socket, &AuctionSocket::error, [&errors](int number) { errors << number; });
        connect(&socket, &AuctionSocket::connected, [&other] { ++other; });
        connect(&socket, &AuctionSocket::closed, [&other] { ++other; });
        socket.setRemoteHost(host);
        socket.setRemotePort(port);
        socket.Connect();
        QTRY_COMPARE_WITH_TIMEOUT(errors, QList<int>{error}, 10000);
        QCOMPARE(other, 0);
        QVERIFY(!socket.isConnected());
    }

    // 10 MiB without a terminator is dropped up to its end, holding at most the cap meanwhile; the message
    // after it is handled.
    void runawayMessage()
    {
        Link link;
        link.connect();
        QTRY_VERIFY(link.peer.hasClient());
        link.peer.send(wireMessage({"x", "before"}) + QByteArray(10 * 1024 * 1024, 'A'));
        link.peer.send("\t\xFE" + wireMessage({"#GOBID"}));
        QTRY_VERIFY_WITH_TIMEOUT(link.board.gobidEnabled(), 10000);
        QCOMPARE(link.board.msgchat(), u"before"_s);
        QVERIFY(link.largestPending <= MessageFramer::maxPartialSize);
        QCOMPARE(link.receiver.pendingSize(), 0);
    }

    // 100,000 bids in one write: all taken in order, the list keeps its last 31, and the panel is told once
    // per read rather than once per bid.
    void floodInOneWrite()
    {
        Link link;
        link.connect();
        QTRY_VERIFY(link.peer.hasClient());
        constexpr int count = 100'000;
        QByteArray flood;
        flood.reserve(count * 24);
        for (int i = 1; i <= count; ++i)
            flood += wireMessage({"#BID", "b", QString::number(i), "1", "t"});
        link.peer.send(flood);
        QTRY_VERIFY_WITH_TIMEOUT(link.board.lbBid() == u"100,000", 10000);
        QCOMPARE(link.board.aucList().size(), AuctionBoard::maxListLines);
        QCOMPARE(link.board.aucList().first(), u"AT  99,970  By  b Time : t"_s);
        QCOMPARE(link.board.lbYourBid(), u"100,001"_s);
        QVERIFY2(link.repaints < 1000, qPrintable(QString::number(link.repaints)));
    }

    // Each keyword with its fields in one of the forms a broken server sends, after a product (last bid
    // 1,000) and a countdown at 7. "fields" holds the fields after the keyword; only the controls named in
    // "changes" may differ from the panel before.
    void badFields_data()
    {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("changes");
        const QStringList productCleared = {"CurrentProductID=",
                                            "PDesc=",
                                            "nQty=",
                                            "fbidat=",
                                            "MinBid=",
                                            "Hi_Bid=",
                                            "Lb_bid=",
                                            "bid_Inc=",
                                            "SellerBy=",
                                            "cCurrency=Currency = ",
                                            "lbYourBid=",
                                            "displastbid=hidden"};
        const auto product = [](const QString &v) {
            return QStringList{"#BidManPInfo"} << QStringList(11, v);
        };
        QTest::newRow("product, missing") << QStringList{"#BidManPInfo"} << productCleared;
        QTest::newRow("product, empty") << product({}) << productCleared;
        QTest::newRow("product, negative")
            << product("-5")
            << QStringList{
                   "CurrentProductID=-5", "PDesc=-5",  "nQty=-5",    "fbidat=-5",   "MinBid=-5",
                   "Hi_Bid=-5",           "Lb_bid=-5", "bid_Inc=-5", "SellerBy=-5", "cCurrency=Currency = -5",
                   "lbYourBid=-10"};
        QTest::newRow("product, 20 digits")
            << product(huge) << QStringList{"CurrentProductID=" + huge, "PDesc=" + huge,
                                            "nQty=" + largest,          "fbidat=" + largest,
                                            "MinBid=" + largest,        "Hi_Bid=" + huge,
                                            "Lb_bid=" + largest,        "bid_Inc=" + largest,
                                            "SellerBy=" + huge,         "cCurrency=Currency = " + huge,
                                            "lbYourBid=" + largest};
        QTest::newRow("product, not numbers") << product("abc")
                                              << QStringList{"CurrentProductID=abc",
                                                             "PDesc=abc",
                                                             "nQty=",
                                                             "fbidat=",
                                                             "MinBid=",
                                                             "Hi_Bid=abc",
                                                             "Lb_bid=",
                                                             "bid_Inc=",
                                                             "SellerBy=abc",
                                                             "cCurrency=Currency = abc",
                                                             "lbYourBid="};

        const auto bid = [](const QString &v) { return QStringList{"#BID", v, v, v, v}; };
        QTest::newRow("bid, missing")
            << QStringList{"#BID"} << QStringList{"lbYourBid=", "aucList=AT    By   Time : "};
        QTest::newRow("bid, empty") << bid({}) << QStringList{"lbYourBid=", "aucList=AT    By   Time : "};
        QTest::newRow("bid, negative")
            << bid("-5") << QStringList{"lbYourBid=-10", "aucList=AT  -5  By  -5 Time : -5"};
        QTest::newRow("bid, 20 digits")
            << bid(huge)
            << QStringList{"Hi_Bid=" + huge, "Lb_bid=" + largest, "bid_Inc=" + largest,
                           "lbYourBid=" + largest,
                           "aucList=AT  " + largest + "  By  " + huge + " Time : " + huge};
        QTest::newRow("bid, not numbers")
            << bid("abc") << QStringList{"lbYourBid=", "aucList=AT    By  abc Time : abc"};

        QTest::newRow("time left, missing") << QStringList{"#LEFTCOUNT"} << QStringList{"countDown=0"};
        QTest::newRow("time left, empty") << QStringList{"#LEFTCOUNT", ""} << QStringList{"countDown=0"};
        QTest::newRow("time left, negative") << QStringList{"#LEFTCOUNT", "-5"} << QStringList();
        QTest::newRow("time left, 20 digits") << QStringList{"#LEFTCOUNT", huge} << QStringList();
        QTest::newRow("time left, not a number")
            << QStringList{"#LEFTCOUNT", "abc"} << QStringList{"countDown=0"};

        // A cancel clears the product whatever its page field holds, and shows no page that is not a web one.
        for (const QString &v : {u"-5"_s, huge, u"abc"_s, QString()}) {
            QStringList cleared = productCleared;
            cleared.removeAll(u"lbYourBid="_s);
            QTest::addRow("cancel, page %s", qPrintable(v)) << QStringList{"#CANCEL", v} << cleared;
        }
        QTest::newRow("chat, missing") << QStringList{"hello"} << QStringList{"msgchat="};
        QTest::newRow("chat, 20 digits") << QStringList{"hello", huge} << QStringList{"msgchat=" + huge};

        // Keywords without fields ignore whatever follows them.
        for (const QString &v : {u"-5"_s, huge, u"abc"_s, QString()}) {
            QTest::addRow("stage 2, %s", qPrintable(v))
                << QStringList{"#COUNT2", v} << QStringList{"img_count=2", "displastbid=1,000"};
            QTest::addRow("sold, %s", qPrintable(v))
                << QStringList{"#COUNTS", v, v}
                << QStringList{"img_count=4", "displastbid=1,000", "countDown=0"};
            QTest::addRow("open, %s", qPrintable(v)) << QStringList{"#GOBID", v} << QStringList{"GOBID=on"};
            QTest::addRow("paused, %s", qPrintable(v)) << QStringList{"#PAUSEBID", v} << QStringList();
            QTest::addRow("countdown broken off, %s", qPrintable(v))
                << QStringList{"#COUNTCANCEL", v} << QStringList();
        }
    }
    void badFields()
    {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, changes);
        AuctionBoard board;
        AuctionReceiver receiver(board);
        QStringList pages;
        connect(&board, &AuctionBoard::navigateDescription, [&pages](const QString &url) { pages << url; });
        receiver.receive(product() + wireMessage({"#LEFTCOUNT", "7"}));
        pages.clear();
        QMap<QString, QString> expected = shown(board);
        for (const QString &change : changes)
            expected[change.section(u'=', 0, 0)] = change.section(u'=', 1);

        receiver.receive(wireMessage(fields));
        QCOMPARE(shown(board), expected);
        QCOMPARE(pages, QStringList());
        verifyShowable(board);
    }
};

QTEST_GUILESS_MAIN(TestAuctionFaults)
#include "test_auction_faults.moc"
