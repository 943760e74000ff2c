// The auction panel driven by server bytes: every handler, broken fields, a recorded session, a message that
// never ends and a connection lost inside a message; the socket's own events.
#include "auction_connection.h"
#include "board_session.h"
#include "loopback_peers.h"
#include "test_support.h"
#include "timeline.h"
#include "wire_format.h"

#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
QByteArray product(const QString &url = u"http://gavora.test/p1.htm"_s)
{
    return Wire::message(
        {"#BidManPInfo", "P1", "Watch", "2", "1000", "500", "nobody", "1000", "100", "Shop", "THB", url});
}

QByteArray transcript()
{
    return readWholeFile(QStringLiteral(AUCTION_TEST_DATA "/auction_transcript.bin"));
}

// The lines with each "name=value" of changes in place of the line of that name.
QStringList changed(QStringList lines, const QStringList &changes)
{
    for (const QString &change : changes) {
        const QStringView name = QStringView(change).first(change.indexOf(u'=') + 1);
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [name](const QString &line) { return line.startsWith(name); });
        if (line == lines.end())
            qFatal("no line %s", qPrintable(change));
        *line = change;
    }
    return lines;
}

// Says, in turn, every state the connection enters, its loss and each box the user is shown.
struct Seen : FakePrompter {
    void watch(AuctionConnection &connection)
    {
        QObject::connect(
            &connection, &AuctionConnection::stateChanged, [this](AuctionConnection::State state) {
                seen << QStringList{u"not connected"_s, u"connecting"_s, u"connected"_s}[int(state)];
            });
        QObject::connect(&connection, &AuctionConnection::lost, [this] { seen << u"lost"_s; });
    }
    Answer ask(const Request &request) override
    {
        seen << u"box"_s;
        return FakePrompter::ask(request);
    }
    QStringList seen;
};
} // namespace

class TestAuctionBoard : public QObject {
    Q_OBJECT

private slots:
    // After a product (last bid 1,000), the chat "old" and a countdown at 7, only the controls named in
    // "changes" may differ. Broken fields: a keyword with its fields missing or holding what it cannot take.
    void messages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("changes");

        QTest::newRow("next product, every field in its place")
            << Wire::message({"#BidManPInfo", "P2", "Lamp", "3", "2000", "2500", "bob", "2100", "50", "Mall",
                              "USD", "https://gavora.test/p2.htm"})
            << (QStringList{"CurrentProductID=P2", "PDesc=Lamp", "nQty=3", "fbidat=2,000", "MinBid=2,500",
                            "Hi_Bid=bob", "Lb_bid=2,100", "bid_Inc=50", "SellerBy=Mall",
                            "cCurrency=Currency = USD", "lbYourBid=2,150", "url=https://gavora.test/p2.htm"});
        // Fractions are kept until shown: 1200.5 + 99.5 is 1,300.
        QTest::newRow("higher bid, Thai, fractions")
            << Wire::message({"#BID", u"สมชาย"_s, "1200.5", "99.5", u"๑๐:๑๕"_s})
            << (QStringList{u"Hi_Bid=สมชาย"_s, "Lb_bid=1,201", "lbYourBid=1,300",
                            u"aucList=AT  1,201  By  สมชาย Time : ๑๐:๑๕"_s, "selected=0", "colours=2"});
        QTest::newRow("equal bid") << Wire::message({"#BID", "alice", "1000", "50", "t"})
                                   << (QStringList{"lbYourBid=1,050", "aucList=AT  1,000  By  alice Time : t",
                                                   "selected=0", "colours=2"});
        // The second bid is not higher and, by letter case, someone else's.
        QTest::newRow("colours follow a bid that is not higher")
            << Wire::message({"#BID", "me", "1100", "100", "t"}) +
                   Wire::message({"#BID", "Me", "900", "100", "t"})
            << (QStringList{"Hi_Bid=me", "Lb_bid=1,100", "lbYourBid=1,000",
                            "aucList=AT  1,100  By  me Time : t|AT  900  By  Me Time : t", "selected=1",
                            "colours=2"});
        QByteArray bids;
        QStringList lines;
        for (int i = 1; i <= 32; ++i) {
            bids += Wire::message({"#BID", "b", QString::number(1000 + i), "1", QString::number(i)});
            lines << u"AT  1,%1  By  b Time : %2"_s.arg(i, 3, 10, QChar(u'0')).arg(i);
        }
        QTest::newRow("32nd bid keeps 31 lines")
            << bids
            << (QStringList{"Hi_Bid=b", "Lb_bid=1,032", "bid_Inc=1", "lbYourBid=1,033",
                            "aucList=" + lines.mid(1).join(u'|'), "selected=30", "colours=2"});
        QTest::newRow("stage 2 without stage 1")
            << Wire::message({"#COUNT2"})
            << (QStringList{"img_count=2", "displastbid=true:1,000", "sound=Sounds/boom.wav"});
        QTest::newRow("count cancelled") << Wire::message({"#COUNT3"}) + Wire::message({"#COUNTCANCEL"})
                                         << (QStringList{"displastbid=false:1,000", "sound=Sounds/boom.wav"});
        QTest::newRow("sale with an empty list")
            << Wire::message({"#GOBID"}) + Wire::message({"#LEFTCOUNT", "3"}) + Wire::message({"#COUNTS"})
            << (QStringList{"sales=me|P1|Watch|nobody|1,000|Currency = THB|Shop|", "img_count=4",
                            "countDown=0", "displastbid=true:1,000", "sound=Sounds/glassshatter.wav"});
        const QStringList productCleared = {
            "CurrentProductID=", "PDesc=",  "nQty=",    "fbidat=",   "MinBid=",
            "Hi_Bid=",           "Lb_bid=", "bid_Inc=", "SellerBy=", "cCurrency=Currency = "};
        QTest::newRow("cancel keeps your bid")
            << Wire::message({"#BID", "alice", "1500", "100", "t"}) + Wire::message({"#LEFTCOUNT", "4"}) +
                   Wire::message({"#COUNT3"}) + Wire::message({"#GOBID"}) +
                   Wire::message({"#CANCEL", "http://gavora.test/c.htm"})
            << productCleared + QStringList{"lbYourBid=1,600",
                                            "colours=2",
                                            "countDown=4",
                                            "img_count=3",
                                            "displastbid=false:1,500",
                                            "url=http://gavora.test/c.htm",
                                            "sound=Sounds/boom.wav"};
        QTest::newRow("countdown 15 taken, 16 ignored")
            << Wire::message({"#LEFTCOUNT", "15"}) + Wire::message({"#LEFTCOUNT", "16"})
            << QStringList{u"countDown=15"_s};
        QTest::newRow("empty messages skipped, spaces trimmed")
            << QByteArray("\xFE   \xFE   #GOBID\t  \xFE") << QStringList{u"GOBID=true"_s};
        QTest::newRow("lower-case keyword is chat")
            << Wire::message({"#GOBID"}) + Wire::message({"#PAUSEBID"}) + Wire::message({"#gobid"})
            << QStringList{u"msgchat="_s};
        QTest::newRow("keyword without its tab is chat")
            << QByteArray("#GOBID\xFE") << QStringList{u"msgchat="_s};
        QTest::newRow("other addresses not shown")
            << product(u"file:///etc/passwd"_s) + product(u"javascript:alert(1)"_s) +
                   product(u"gavora.test/a.htm"_s) + product(u"ftp://gavora.test/a"_s)
            << QStringList();

        QTest::newRow("product, missing")
            << Wire::message({"#BidManPInfo"}) << productCleared + QStringList{"lbYourBid="};
        QTest::newRow("bid, missing")
            << Wire::message({"#BID"})
            << QStringList{"lbYourBid=", "aucList=AT    By   Time : ", "selected=0", "colours=2"};
        const auto timeLeft = [](const char *field) { return Wire::message({"#LEFTCOUNT", field}); };
        QTest::newRow("time left, negative") << timeLeft("-5") << QStringList();
        QTest::newRow("time left, a fraction that rounds into range") << timeLeft("15.4") << QStringList();
        // A keyword without fields ignores whatever follows it; a cancel shows no page that is not a web one.
        QTest::newRow("cancel, page abc") << Wire::message({"#CANCEL", "abc"}) << productCleared;
        QTest::newRow("open, abc") << Wire::message({"#GOBID", "abc"}) << QStringList{"GOBID=true"};
    }

    void messages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, changes);
        BoardSession s;
        s.read(product() + Wire::message({"x", "old"}) + Wire::message({"#LEFTCOUNT", "7"}));
        const QStringList before = s.shown();
        s.read(bytes);
        QCOMPARE(s.shown(), changed(before, changes));
    }

    // One read tells the window once, and asks only for the last page and the last sound. That the board ends
    // where it does whatever the read sizes is the receive fuzz target's property, replayed over its seeds.
    void recordedSession()
    {
        BoardSession s;
        s.read(transcript());
        // A sale, then the next product put up, paused and cancelled.
        QCOMPARE(
            s.shown(),
            changed(
                BoardSession().shown(),
                {"fbidat=", "MinBid=", "Hi_Bid=", "Lb_bid=", "bid_Inc=", "lbYourBid=3,000", "colours=2",
                 "displastbid=false:1,300", u"msgchat=ปิดประมูลชั่วคราว"_s,
                 u"sales=me|P1001|นาฬิกาข้อมือ รุ่นพิเศษ|bob|1,300|Currency = บาท|ร้านสมศรี|AT  1,300  By  bob Time : 10:16:01"_s,
                 u"url=https://gavora.test/cancel.htm"_s, u"sound=Sounds/glassshatter.wav"_s}));
        QCOMPARE((QList<qsizetype>{s.changes, s.pages.size(), s.sounds.size()}), (QList<qsizetype>{1, 1, 1}));
    }

    // Nothing of a message dropped for its size reads as a message, its end included; one at the limit is
    // kept whole.
    void oversizeMessageDropped()
    {
        BoardSession s;
        const QStringList expected = changed(s.shown(), {"countDown=3", "GOBID=true", "msgchat=after"});
        s.read("#GOBID\t\xFE#BID\t");
        for (qsizetype size = 0; size <= MessageFramer::maxPartialSize; size += 64 * 1024)
            s.read(QByteArray(64 * 1024, 'A'));
        QCOMPARE(s.receiver.pendingSize(), 0);
        s.read("#PAUSEBID\t\xFEz\tafter\t\xFE#LEFT");
        s.read("COUNT\t3\t\xFE");
        QCOMPARE(s.shown(), expected);

        const QByteArray atTheLimit = "z\t" + QByteArray(MessageFramer::maxPartialSize - 3, 'A') + '\t';
        s.read(atTheLimit);
        s.read("\xFE");
        QCOMPARE(s.board.msgchat().size(), MessageFramer::maxPartialSize - 3);
    }

    // Half a bid before the connection is lost must not join the first bytes of the next connection, and the
    // panel empties as the window expects after a close.
    void connectionLostInsideAMessage()
    {
        BoardSession s;
        s.read(product() + Wire::message({"#GOBID"}) + Wire::message({"#LEFTCOUNT", "9"}) + "#BID\tx\t15");
        s.receiver.reset();
        s.board.connectionClosed();
        QCOMPARE(s.receiver.pendingSize(), 0);
        QCOMPARE(s.shown(), changed(BoardSession().shown(),
                                    {"fbidat=", "MinBid=", "Hi_Bid=", "Lb_bid=", "bid_Inc=", "cCurrency=",
                                     "lbYourBid=1,100", "url=http://gavora.test/p1.htm"}));
        s.read("00\tsaid\t\xFE");
        QCOMPARE(s.board.aucList(), QStringList());
        QCOMPARE(s.board.msgchat(), u"said"_s);
    }

    // The connection's states and the end of each: an attempt that fails is told in a box, then the panel is
    // emptied and lost() sends the user to sign in again; the peer's orderly close (FIN) is the same without
    // the box, a reset (RST) a failure. The user's own close says nothing, even before an attempt's outcome
    // or while the peer still sends, and a new connection announces itself afresh.
    void connectionStates_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("seen");
        const QStringList failed{u"connecting"_s, u"not connected"_s, u"box"_s, u"lost"_s};
        const QStringList up{u"connecting"_s, u"connected"_s};
        QTest::newRow("refused") << u"refused"_s << failed;
        QTest::newRow("no port") << u"no port"_s << failed;
        QTest::newRow("orderly close") << u"close"_s << up + QStringList{u"not connected"_s, u"lost"_s};
        QTest::newRow("reset") << u"reset"_s << up + QStringList{u"not connected"_s, u"box"_s, u"lost"_s};
        QTest::newRow("local close, then again") << u"local"_s << up + QStringList{u"not connected"_s} + up;
    }
    void connectionStates()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, seen);
        ScriptedPeer peer;
        BoardSession s;
        Seen events;
        int beeps = 0;
        AuctionConnection connection(
            s.board, events, [&beeps] { ++beeps; }, Timeline::system());
        events.watch(connection);
        QCOMPARE(connection.send("early"), false);
        connection.ConnectAuctionSocket(u"127.0.0.1"_s, 0, u"me"_s);
        connection.close();
        events.seen.clear();
        const auto connect = [&](int port) {
            connection.ConnectAuctionSocket(u"127.0.0.1"_s, port, u"me"_s);
        };
        connect(how == u"refused" ? unusedPort() : how == u"no port" ? 0 : peer.port());
        if (seen.contains(u"connected"_s)) {
            QTRY_COMPARE(peer.received, "AuctionGO\tme\t\t0\t"_ba);
            peer.send(Wire::message({"#GOBID"}));
            QTRY_VERIFY(s.board.gobidEnabled());
            if (how == u"reset")
                peer.resetClient();
            else if (how == u"close")
                peer.closeClient();
            else
                connection.close();
            if (how == u"local") {
                peer.send("late\t\xFE");
                QTRY_VERIFY(!peer.hasClient());
                peer.received.clear();
                connect(peer.port());
                QTRY_COMPARE(peer.received, "AuctionGO\tme\t\t0\t"_ba);
                QCOMPARE(s.board.msgchat(), QString());
            }
        }
        QTRY_COMPARE(events.seen, seen);
        QCOMPARE(beeps, int(seen.count(u"connected"_s)));
        // What a lost connection leaves: the panel empty, nothing to send on.
        QCOMPARE(s.board.gobidEnabled(), how == u"local");
        QCOMPARE(connection.send("x"), how == u"local");
    }
};

QTEST_GUILESS_MAIN(TestAuctionBoard)
#include "test_auction_board.moc"
