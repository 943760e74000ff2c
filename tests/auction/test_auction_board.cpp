// The auction panel driven by server bytes: every handler, broken fields of every keyword, a recorded session
// cut into reads of every size, and a server that misbehaves (a connection cut inside a message, a message
// that never ends, a flood in one write, no server at all); the socket's own events.
#include "amount.h"
#include "auction_board.h"
#include "auction_receiver.h"
#include "auction_socket.h"
#include "cp874.h"
#include "get_field.h"
#include "loopback_peers.h"
#include "test_support.h"
#include "wire_format.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
const QString huge = u"99999999999999999999"_s;
const QString largest = u"9,223,372,036,854,775,807"_s;

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

// The board behind its receive path and a socket wired as the main window wires them, with the sales it
// recorded and the pages and sounds it asked for.
struct Session {
    Session()
    {
        board.setUserId(u"me"_s);
        board.setSaleRecorder([this](const SaleRecord &r) {
            sales << QStringList{r.user,    r.productId, r.productName, r.highBidder,
                                 r.lastBid, r.currency,  r.seller,      r.lastListLine}
                         .join(u'|');
        });
        QObject::connect(&board, &AuctionBoard::changed, [this] { ++changes; });
        QObject::connect(&board, &AuctionBoard::navigateDescription,
                         [this](const QString &page) { pages << page; });
        QObject::connect(&board, &AuctionBoard::playSound, [this](const QString &path) { sounds << path; });
        QObject::connect(&socket, &AuctionSocket::dataArrival, [this] {
            read(socket.GetData());
            largestPending = std::max(largestPending, receiver.pendingSize());
        });
        QObject::connect(&socket, &AuctionSocket::closed, [this] {
            ++closes;
            receiver.reset();
            board.connectionClosed();
        });
    }

    bool connect()
    {
        socket.setRemoteHost(u"127.0.0.1"_s);
        socket.setRemotePort(peer.port());
        socket.Connect();
        return QTest::qWaitFor([this] { return peer.hasClient(); });
    }

    // One "name=value" line each, so that a difference names its control.
    QStringList shown() const
    {
        const AuctionBoard &b = board;
        const auto flag = [](bool on) { return on ? u"true"_s : u"false"_s; };
        return QStringList() << "CurrentProductID=" + b.currentProductId() << "PDesc=" + b.pDesc()
                             << "nQty=" + b.nQty() << "fbidat=" + b.fbidat() << "MinBid=" + b.minBid()
                             << "Hi_Bid=" + b.hiBid() << "Lb_bid=" + b.lbBid() << "bid_Inc=" + b.bidInc()
                             << "SellerBy=" + b.sellerBy() << "cCurrency=" + b.cCurrency()
                             << "lbYourBid=" + b.lbYourBid() << "aucList=" + b.aucList().join(u'|')
                             << u"selected=%1"_s.arg(b.aucListSelected())
                             << u"colours=%1"_s.arg(int(b.bidColours()))
                             << u"countDown=%1"_s.arg(b.countDown())
                             << u"img_count=%1"_s.arg(b.stagePicture())
                             << "displastbid=" + flag(b.displastbidVisible()) + ':' + b.displastbidText()
                             << "GOBID=" + flag(b.gobidEnabled()) << "msgchat=" + b.msgchat()
                             << "sales=" + sales.join(u';') << "url=" + pages.value(pages.size() - 1)
                             << "sound=" + sounds.value(sounds.size() - 1);
    }

    void read(const QByteArray &bytes) { receiver.receive(bytes); }

    ScriptedPeer peer;
    AuctionSocket socket;
    AuctionBoard board;
    AuctionReceiver receiver{board};
    QStringList sales;
    QStringList pages;
    QStringList sounds;
    int changes = 0;
    int closes = 0;
    qsizetype largestPending = 0;
};

// After the recording: a sale, then the next product put up, paused and cancelled.
QStringList transcriptEnd()
{
    const QString sale = u"sales=me|P1001|นาฬิกาข้อมือ รุ่นพิเศษ|bob|1,300|Currency = บาท|ร้านสมศรี|"_s;
    return (QStringList{"CurrentProductID=", "PDesc=", "nQty=", "fbidat=", "MinBid=", "Hi_Bid=", "Lb_bid=",
                        "bid_Inc=", "SellerBy=", "cCurrency=Currency = ", "lbYourBid=3,000",
                        "aucList=", "selected=-1", "colours=2", "countDown=0", "img_count=0",
                        "displastbid=false:1,300", "GOBID=false", u"msgchat=ปิดประมูลชั่วคราว"_s})
           << sale + "AT  1,300  By  bob Time : 10:16:01" << u"url=https://gavora.test/cancel.htm"_s
           << u"sound=Sounds/glassshatter.wav"_s;
}

// The bid state handled one bid at a time, every bid decoded and listed in full, as the board first did it:
// the reference for a board that handles a run of bids at once.
struct ReferenceBids {
    static constexpr AuctionBoard::Changes bidBits =
        AuctionBoard::HighBidChanged | AuctionBoard::YourBidChanged | AuctionBoard::ListChanged;

    void handle(QByteArrayView message)
    {
        const auto field = [message](int n) { return GetFieldBytes(message, n, '\t').value_or(""); };
        const auto text = [&](int n) { return Cp874::decode(field(n)); };
        const auto number = [&](int n) { return Amount::Number::read(field(n)); };
        if (!GetFieldBytes(message, 0, '\t'))
            return;
        const QByteArrayView keyword = field(0);
        if (keyword == "#BID") {
            const QString amountText = FormatAmount(number(2).rounded());
            if (lastBid < number(2)) {
                lastBid = number(2);
                hiBid = text(1);
                lbBid = amountText;
                bidInc = FormatAmount(number(3).rounded());
                changes |= AuctionBoard::HighBidChanged;
            }
            yourBid = FormatAmount((number(2) + number(3)).rounded());
            if (list.size() > 30)
                list.removeFirst();
            colours =
                text(1) == u"me"_s ? AuctionBoard::BidColours::OwnBid : AuctionBoard::BidColours::OtherBid;
            list.append("AT  " + amountText + "  By  " + text(1) + " Time : " + text(4));
            changes |= AuctionBoard::YourBidChanged | AuctionBoard::ListChanged;
        } else if (keyword == "#BidManPInfo") {
            hiBid = text(6);
            lastBid = number(7);
            lbBid = FormatAmount(lastBid.rounded());
            bidInc = FormatAmount(number(8).rounded());
            yourBid = FormatAmount((lastBid + number(8)).rounded());
            changes |= AuctionBoard::HighBidChanged | AuctionBoard::YourBidChanged;
        } else if (keyword == "#COUNTS") {
            sales << hiBid + '|' + lbBid + '|' + list.value(list.size() - 1);
            list.clear();
            changes |= AuctionBoard::ListChanged;
        } else if (keyword == "#CANCEL") {
            list.clear();
            lastBid = {};
            hiBid.clear();
            lbBid.clear();
            bidInc.clear();
            changes |= AuctionBoard::ListChanged | AuctionBoard::HighBidChanged;
        }
    }

    QStringList shown() const
    {
        return QStringList{hiBid, lbBid, bidInc, yourBid, u"%1"_s.arg(int(colours))} + list + sales;
    }

    QString hiBid = u"0"_s, lbBid = u"0"_s, bidInc = u"0"_s, yourBid = u"0"_s;
    Amount::Number lastBid;
    QStringList list;
    AuctionBoard::BidColours colours = AuctionBoard::BidColours::Initial;
    QStringList sales;
    AuctionBoard::Changes changes;
};

// Mostly bids, some of them higher, equal, lower, zero, negative, fractional, huge or missing fields, by the
// user or another, with a sale, a product, a cancellation or a chat line now and then.
QByteArray randomStream(QRandomGenerator &rng, int messages)
{
    static const QByteArray bidders[] = {"me", "Me", "alice", "\xCA\xC1\xAA\xD2\xC2", ""};
    static const QByteArray amounts[] = {"0", "-5", "12.5", "abc", "99999999999999999999", "1,000", ""};
    static const QByteArray others[] = {"#COUNTS\t", "#BidManPInfo\tP\tD\t1\t2\t3\tbob\t700\t50\t",
                                        "#CANCEL\thttp://x.test/\t", "x\tchat\t", "#COUNT1\t"};
    const auto pick = [&rng](const auto &pool) { return pool[rng.bounded(int(std::size(pool)))]; };
    QByteArray out;
    qint64 rising = 1000;
    for (int i = 0; i < messages; ++i) {
        if (rng.bounded(40) == 0) {
            out += pick(others) + '\xFE';
            continue;
        }
        rising += rng.bounded(3) * 50;
        const QByteArray amount =
            rng.bounded(5) ? QByteArray::number(rising - rng.bounded(2) * 100) : pick(amounts);
        QByteArray bid = "#BID\t" + pick(bidders) + '\t' + amount + '\t' +
                         QByteArray::number(rng.bounded(200)) + "\t10:" + QByteArray::number(i % 60) +
                         " \xC3\t";
        // Now and then the last fields are missing.
        out += bid.left(rng.bounded(8) ? bid.size() : rng.bounded(int(bid.size()))) + '\xFE';
    }
    return out;
}

// Every event the socket raises, in order.
struct Events {
    explicit Events(AuctionSocket &socket)
    {
        QObject::connect(&socket, &AuctionSocket::connected, [this] { seen << u"connected"_s; });
        QObject::connect(&socket, &AuctionSocket::dataArrival, [this] { seen << u"data"_s; });
        QObject::connect(&socket, &AuctionSocket::closed, [this] { seen << u"closed"_s; });
        QObject::connect(&socket, &AuctionSocket::error,
                         [this](int number) { seen << u"error %1"_s.arg(number); });
    }
    QStringList seen;
};

void connectTo(AuctionSocket &socket, int port, const QString &host = u"127.0.0.1"_s)
{
    socket.setRemoteHost(host);
    socket.setRemotePort(port);
    socket.Connect();
}
} // namespace

class TestAuctionBoard : public QObject {
    Q_OBJECT

private slots:
    // After a product (last bid 1,000), the chat "old" and a countdown at 7, only the controls named in
    // "changes" may differ. Broken fields: each keyword with its fields missing, empty, negative, too large
    // for any amount or not numbers.
    void messages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("changes");

        // Fractions are kept until shown: 1200.5 + 99.5 is 1,300.
        QTest::newRow("higher bid, Thai, fractions")
            << Wire::message({"#BID", u"สมชาย"_s, "1200.5", "99.5", u"๑๐:๑๕"_s})
            << (QStringList{u"Hi_Bid=สมชาย"_s, "Lb_bid=1,201", "lbYourBid=1,300",
                            u"aucList=AT  1,201  By  สมชาย Time : ๑๐:๑๕"_s, "selected=0", "colours=2"});
        QTest::newRow("a fraction higher")
            << Wire::message({"#BID", "a", "1500", "100", "t"}) +
                   Wire::message({"#BID", "b", "1500.4", "50", "t"})
            << (QStringList{"Hi_Bid=b", "Lb_bid=1,500", "bid_Inc=50", "lbYourBid=1,550",
                            "aucList=AT  1,500  By  a Time : t|AT  1,500  By  b Time : t", "selected=1",
                            "colours=2"});
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
        QTest::newRow("cancel keeps your bid")
            << Wire::message({"#BID", "alice", "1500", "100", "t"}) + Wire::message({"#LEFTCOUNT", "4"}) +
                   Wire::message({"#COUNT3"}) + Wire::message({"#GOBID"}) +
                   Wire::message({"#CANCEL", "http://gavora.test/c.htm"})
            << (QStringList{"CurrentProductID=", "PDesc=", "nQty=", "fbidat=", "MinBid=", "Hi_Bid=",
                            "Lb_bid=", "bid_Inc=", "SellerBy=", "cCurrency=Currency = ", "lbYourBid=1,600",
                            "colours=2", "countDown=4", "img_count=3", "displastbid=false:1,500",
                            "url=http://gavora.test/c.htm", "sound=Sounds/boom.wav"});
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
        QTest::newRow("two chats in one read, the second stays")
            << Wire::message({"#FOO", "hi"}) + Wire::message({"x", u"สวัสดี"_s})
            << QStringList{u"msgchat=สวัสดี"_s};
        QTest::newRow("other addresses not shown")
            << product(u"file:///etc/passwd"_s) + product(u"javascript:alert(1)"_s) +
                   product(u"gavora.test/a.htm"_s) + product(u"ftp://gavora.test/a"_s)
            << QStringList();

        const QStringList productCleared = {
            "CurrentProductID=", "PDesc=",  "nQty=",    "fbidat=",   "MinBid=",
            "Hi_Bid=",           "Lb_bid=", "bid_Inc=", "SellerBy=", "cCurrency=Currency = "};
        const auto productAll = [](const QString &v) {
            return Wire::message(QStringList{"#BidManPInfo"} << QStringList(11, v));
        };
        // A product whose every field is v shows v as text and amount as the figures.
        const auto productShows = [](const QString &v, const QString &amount, const QString &yourBid) {
            QStringList shown{
                "CurrentProductID=" + v,     "PDesc=" + v,          "Hi_Bid=" + v, "SellerBy=" + v,
                "cCurrency=Currency = " + v, "lbYourBid=" + yourBid};
            for (const char *figure : {"nQty=", "fbidat=", "MinBid=", "Lb_bid=", "bid_Inc="})
                shown << figure + amount;
            return shown;
        };
        QTest::newRow("product, missing")
            << Wire::message({"#BidManPInfo"}) << productCleared + QStringList{"lbYourBid="};
        QTest::newRow("product, empty") << productAll({}) << productCleared + QStringList{"lbYourBid="};
        QTest::newRow("product, negative") << productAll("-5") << productShows("-5", "-5", "-10");
        QTest::newRow("product, 20 digits") << productAll(huge) << productShows(huge, largest, largest);
        QTest::newRow("product, not numbers") << productAll("abc") << productShows("abc", "", "");

        const auto bid = [](const QString &v) { return Wire::message({"#BID", v, v, v, v}); };
        const QStringList emptyBid{"lbYourBid=", "aucList=AT    By   Time : ", "selected=0", "colours=2"};
        QTest::newRow("bid, missing") << Wire::message({"#BID"}) << emptyBid;
        QTest::newRow("bid, empty") << bid({}) << emptyBid;
        QTest::newRow("bid, zero") << Wire::message({"#BID", "", "0", "0", ""}) << emptyBid;
        QTest::newRow("bid, negative")
            << bid("-5")
            << QStringList{"lbYourBid=-10", "aucList=AT  -5  By  -5 Time : -5", "selected=0", "colours=2"};
        QTest::newRow("bid, 20 digits")
            << bid(huge)
            << QStringList{"Hi_Bid=" + huge,
                           "Lb_bid=" + largest,
                           "bid_Inc=" + largest,
                           "lbYourBid=" + largest,
                           "aucList=AT  " + largest + "  By  " + huge + " Time : " + huge,
                           "selected=0",
                           "colours=2"};
        QTest::newRow("bid, not numbers")
            << bid("abc")
            << QStringList{"lbYourBid=", "aucList=AT    By  abc Time : abc", "selected=0", "colours=2"};

        const auto timeLeft = [](const QStringList &fields) {
            return Wire::message(QStringList{"#LEFTCOUNT"} + fields);
        };
        QTest::newRow("time left, missing") << timeLeft({}) << QStringList{"countDown=0"};
        QTest::newRow("time left, empty") << timeLeft({""}) << QStringList{"countDown=0"};
        QTest::newRow("time left, negative") << timeLeft({"-5"}) << QStringList();
        QTest::newRow("time left, a fraction above") << timeLeft({"15.4"}) << QStringList();
        QTest::newRow("time left, a fraction below") << timeLeft({"-0.4"}) << QStringList();
        QTest::newRow("time left, 20 digits") << timeLeft({huge}) << QStringList();
        QTest::newRow("time left, not a number") << timeLeft({"abc"}) << QStringList{"countDown=0"};

        // A cancel clears the product whatever its page field holds, and shows no page that is not a web one.
        for (const QString &v : {u"-5"_s, huge, u"abc"_s, QString()}) {
            QTest::addRow("cancel, page %s", qPrintable(v))
                << Wire::message({"#CANCEL", v}) << productCleared;
            // Keywords without fields ignore whatever follows them.
            QTest::addRow("stage 2, %s", qPrintable(v))
                << Wire::message({"#COUNT2", v})
                << QStringList{"img_count=2", "displastbid=true:1,000", "sound=Sounds/boom.wav"};
            QTest::addRow("sold, %s", qPrintable(v))
                << Wire::message({"#COUNTS", v, v})
                << QStringList{"img_count=4", "displastbid=true:1,000", "countDown=0",
                               "sales=me|P1|Watch|nobody|1,000|Currency = THB|Shop|",
                               "sound=Sounds/glassshatter.wav"};
            QTest::addRow("open, %s", qPrintable(v))
                << Wire::message({"#GOBID", v}) << QStringList{"GOBID=true"};
            QTest::addRow("paused, %s", qPrintable(v)) << Wire::message({"#PAUSEBID", v}) << QStringList();
            QTest::addRow("countdown broken off, %s", qPrintable(v))
                << Wire::message({"#COUNTCANCEL", v}) << QStringList();
        }
        QTest::newRow("chat, missing") << Wire::message({"hello"}) << QStringList{"msgchat="};
        QTest::newRow("chat, empty") << Wire::message({"x", ""}) << QStringList{"msgchat="};
        QTest::newRow("chat, 20 digits") << Wire::message({"hello", huge}) << QStringList{"msgchat=" + huge};
    }

    void messages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, changes);
        Session s;
        s.read(product() + Wire::message({"x", "old"}) + Wire::message({"#LEFTCOUNT", "7"}));
        const QStringList before = s.shown();
        s.read(bytes);
        QCOMPARE(s.shown(), changed(before, changes));
    }

    // One read tells the window once, and asks only for the last page and the last sound; cut into reads, the
    // recording leaves the board where one read does.
    void recordedSession()
    {
        const QByteArray recorded = transcript();
        Session whole;
        whole.read(recorded);
        QCOMPARE(whole.shown(), transcriptEnd());
        QCOMPARE((QList<qsizetype>{whole.changes, whole.pages.size(), whole.sounds.size()}),
                 (QList<qsizetype>{1, 1, 1}));
        for (const qsizetype readSize : {1, 7, 1460}) {
            Session pieces;
            for (qsizetype pos = 0; pos < recorded.size(); pos += readSize)
                pieces.read(recorded.mid(pos, readSize));
            QCOMPARE(pieces.shown(), whole.shown());
        }
    }

    // Read after read, in reads of any size, the board shows what per-bid handling shows, in the middle of a
    // read too, before the window is told.
    void runsOfBidsShowWhatEachBidShows()
    {
        QRandomGenerator rng(2026);
        for (int round = 0; round < 200; ++round) {
            const QByteArray stream = randomStream(rng, int(rng.bounded(1, 400)));
            Session s;
            AuctionBoard::Changes signalled;
            QObject::connect(&s.board, &AuctionBoard::changed, [&signalled](AuctionBoard::Changes what) {
                signalled = what & ReferenceBids::bidBits;
            });
            ReferenceBids reference;
            const auto boardShows = [&s] {
                const AuctionBoard &b = s.board;
                QStringList shown = QStringList{b.hiBid(), b.lbBid(), b.bidInc(), b.lbYourBid(),
                                                u"%1"_s.arg(int(b.bidColours()))} +
                                    b.aucList();
                for (const QString &sale : s.sales) {
                    const QStringList fields = sale.split(u'|');
                    shown << fields[3] + '|' + fields[4] + '|' + fields[7];
                }
                return shown << QString::number(b.aucListSelected());
            };
            const auto referenceShows = [&reference] {
                return reference.shown() << QString::number(reference.list.size() - 1);
            };
            MessageFramer framer;
            for (qsizetype pos = 0; pos < stream.size();) {
                const QByteArray read = stream.mid(pos, qsizetype(rng.bounded(1, 3000)));
                pos += read.size();
                signalled = {};
                reference.changes = {};
                QList<QStringList> shown;
                QList<QStringList> expected;
                // The receiver's path, read now and then between two messages.
                framer.feed(read, [&](QByteArrayView message) {
                    s.board.handleMessage(message);
                    reference.handle(message);
                    if (rng.bounded(16) == 0) {
                        shown << boardShows();
                        expected << referenceShows();
                    }
                });
                s.board.flush();
                shown << boardShows();
                expected << referenceShows();
                QCOMPARE(shown, expected);
                QCOMPARE(signalled, reference.changes & ReferenceBids::bidBits);
            }
        }
    }

    // Nothing of a message dropped for its size reads as a message, its end included.
    void oversizeMessageDropped()
    {
        Session s;
        const QStringList expected = changed(s.shown(), {"countDown=3", "GOBID=true", "msgchat=after"});
        s.read("#GOBID\t\xFE#BID\t");
        for (qsizetype size = 0; size <= MessageFramer::maxPartialSize; size += 64 * 1024)
            s.read(QByteArray(64 * 1024, 'A'));
        s.read("#PAUSEBID\t\xFEz\tafter\t\xFE#LEFT");
        s.read("COUNT\t3\t\xFE");
        QCOMPARE(s.shown(), expected);

        const QByteArray atTheLimit = "z\t" + QByteArray(MessageFramer::maxPartialSize - 3, 'A') + '\t';
        s.read(atTheLimit);
        s.read("\xFE");
        QCOMPARE(s.board.msgchat().size(), MessageFramer::maxPartialSize - 3);
    }

    // 10 MiB without a terminator is dropped up to its end, holding at most the cap meanwhile; the message
    // after it is handled.
    void runawayMessage()
    {
        Session s;
        QVERIFY(s.connect());
        s.peer.send(Wire::message({"x", "before"}) + QByteArray(10 * 1024 * 1024, 'A'));
        s.peer.send("\t\xFE" + Wire::message({"#GOBID"}));
        QTRY_VERIFY_WITH_TIMEOUT(s.board.gobidEnabled(), 10000);
        QCOMPARE(s.board.msgchat(), u"before"_s);
        QVERIFY(s.largestPending <= MessageFramer::maxPartialSize);
        QCOMPARE(s.receiver.pendingSize(), 0);
    }

    // 100,000 bids in one write: all taken in order, the list keeps its last 31, and the panel is told once
    // per read rather than once per bid.
    void floodInOneWrite()
    {
        Session s;
        QVERIFY(s.connect());
        constexpr int count = 100'000;
        QByteArray flood;
        flood.reserve(count * 24);
        for (int i = 1; i <= count; ++i)
            flood += Wire::message({"#BID", "b", QString::number(i), "1", "t"});
        s.peer.send(flood);
        QTRY_VERIFY_WITH_TIMEOUT(s.board.lbBid() == u"100,000", 10000);
        QCOMPARE(s.board.aucList().size(), AuctionBoard::maxListLines);
        QCOMPARE(s.board.aucList().first(), u"AT  99,970  By  b Time : t"_s);
        QCOMPARE(s.board.lbYourBid(), u"100,001"_s);
        QVERIFY2(s.changes < 1000, qPrintable(QString::number(s.changes)));
    }

    // Half a bid before the close must not join the first bytes of the next connection.
    void closedInsideAMessage()
    {
        Session s;
        QVERIFY(s.connect());
        s.peer.send(Wire::message({"#GOBID"}) + "#BID\tx\t15");
        QTRY_VERIFY(s.board.gobidEnabled());
        s.peer.closeClient();
        QTRY_COMPARE(s.closes, 1);
        QCOMPARE(s.receiver.pendingSize(), 0);
        QVERIFY(!s.board.gobidEnabled());

        QVERIFY(s.connect());
        QTRY_COMPARE(s.peer.connectionCount(), 2);
        QTRY_VERIFY(s.peer.hasClient());
        s.peer.send("00\tsaid\t\xFE" + Wire::message({"#LEFTCOUNT", "5"}));
        QTRY_COMPARE(s.board.countDown(), 5);
        QCOMPARE(s.board.aucList(), QStringList());
        QCOMPARE(s.board.msgchat(), u"said"_s);
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
        AuctionSocket socket;
        Events events(socket);
        connectTo(socket, refusing ? unusedPort() : 4000, host);
        QTRY_COMPARE_WITH_TIMEOUT(events.seen, QStringList{u"error %1"_s.arg(error)}, 10000);
        QVERIFY(!socket.isConnected());
    }

    void closeIsSilentAndConnectStartsAnew()
    {
        ScriptedPeer first;
        ScriptedPeer second;
        AuctionSocket socket;
        Events events(socket);
        socket.Close();
        QCOMPARE(socket.SendData("early"), false);
        // An attempt bound to fail, closed before its outcome: the outcome never shows.
        connectTo(socket, 0);
        socket.Close();
        connectTo(socket, first.port());
        QTRY_COMPARE(events.seen, QStringList{u"connected"_s});
        QTRY_VERIFY(first.hasClient());

        // Silent even when the peer still sends, then sees the close.
        socket.Close();
        first.send("late\t\xFE");
        QTRY_VERIFY(!first.hasClient());

        connectTo(socket, second.port());
        QTRY_VERIFY(second.hasClient());
        QTRY_COMPARE(events.seen, (QStringList{u"connected"_s, u"connected"_s}));
    }

    // The peer's orderly close (FIN) is the close; a reset (RST) is an error. Either is raised once, and a
    // local close after it adds nothing.
    void peerEndsTheConnection_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QString>("event");
        QTest::newRow("orderly close") << false << u"closed"_s;
        QTest::newRow("reset") << true << u"error %1"_s.arg(int(QAbstractSocket::NetworkError));
    }
    void peerEndsTheConnection()
    {
        QFETCH(bool, reset);
        QFETCH(QString, event);
        ScriptedPeer peer;
        AuctionSocket socket;
        Events events(socket);
        connectTo(socket, peer.port());
        QTRY_VERIFY(peer.hasClient());
        peer.send(Wire::message({"#GOBID"}));
        QTRY_COMPARE(events.seen.size(), 2);
        if (reset)
            peer.resetClient();
        else
            peer.closeClient();
        QTRY_COMPARE(events.seen.size(), 3);
        socket.Close();
        QCOMPARE(events.seen, (QStringList{u"connected"_s, u"data"_s, event}));
    }
};

QTEST_GUILESS_MAIN(TestAuctionBoard)
#include "test_auction_board.moc"
