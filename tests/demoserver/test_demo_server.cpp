// The demo service: the auction engine on a script, the client framer, the sign-in check and pages, and both
// servers live on loopback.
#include "auction_engine.h"
#include "auction_protocol.h"
#include "auction_server.h"
#include "board_session.h"
#include "client_framer.h"
#include "cp874.h"
#include "demo_site.h"
#include "http_request.h"
#include "http_server.h"
#include "test_support.h"
#include "wire_format.h"

#include <QStringDecoder>
#include <QTcpSocket>
#include <QTest>
#include <map>

using namespace Qt::StringLiterals;

namespace {
using Id = AuctionEngine::ClientId;

const QByteArray lampInfo = Wire::message({"#BidManPInfo", "P1", "Lamp (Desk lamp  )", "1", "2500", "3000",
                                           "-", "2500", "100", " ", "THB", "http://h:81/product/P1.htm"});

// Delivers the engine's outbox into one byte stream per client.
struct Harness {
    Harness() : engine(options()) {}
    static AuctionEngine::Options options()
    {
        AuctionEngine::Options o;
        o.timing = {1000, 0, 0, 5000, 100, 200, 300, 400, 0, 0};
        o.pageBase = QStringLiteral("http://h:81");
        Product lamp;
        lamp.id = u"P1"_s;
        lamp.nameTh = u"Lamp"_s;
        // A TAB or 0xFE inside a field would shift the rest, a line break would split the line it shows on.
        lamp.nameEn = u"Desk\tlamp\r\n"_s;
        lamp.seller = QString(QChar(0xF8C7)); // 0xFE in Windows-874
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
        out += Wire::message({"#LEFTCOUNT", QString::number(left)});
        if (left <= 10 && left % 5 == 0)
            out += Wire::message({left == 10 ? "#COUNT1" : left == 5 ? "#COUNT2" : "#COUNT3"});
    }
    return out;
}

// Reads until needle shows up, or without one until the server closes; the servers run in this thread.
QByteArray receive(QTcpSocket &socket, QByteArrayView needle = {})
{
    QByteArray got;
    static_cast<void>(QTest::qWaitFor(
        [&] {
            got += socket.readAll();
            return (!needle.isEmpty() && got.contains(needle)) ||
                   socket.state() != QAbstractSocket::ConnectedState;
        },
        5000));
    return got + socket.readAll();
}
} // namespace

class TestDemoServer : public QObject {
    Q_OBJECT
private slots:

    void scriptedAuction()
    {
        const QByteArray somying = "\xCA\xC1\xCB\xAD\xD4\xA7"; // สมหญิง in Windows-874
        Harness h;
        h.engine.advanceTo(0);
        h.join(1, "somchai");
        QCOMPARE(h.take(1), lampInfo); // shown, not open yet
        h.engine.advanceTo(1000);
        QCOMPARE(h.take(1), Wire::message({"#GOBID"}));
        h.join(2, somying);
        QCOMPARE(h.take(2), lampInfo + Wire::message({"#GOBID"}));

        h.engine.advanceTo(1500);
        h.send(1, "somchai\tROBOT CLICK BID\t2600\t");
        // Refused: equal to the last bid, above the largest, beyond any integer, not closed by its TAB.
        for (const QByteArray amount : {"2600\t", "1000000000000\t", "99999999999999999999999\t", "2700"})
            h.send(2, somying + "\tROBOT CLICK BID\t" + amount);
        h.send(2, "eve\tROBOT CLICK BID\t2750\t"); // taken in the name announced, not the one claimed
        QCOMPARE(h.take(1), Wire::message({"#BID", "somchai", "2600", "100", "10:00:01"}) +
                                Wire::message({"#BID", u"สมหญิง"_s, "2750", "100", "10:00:01"}));

        // Quiet for 5 s after the last bid: the countdown starts; a bid cancels it.
        h.engine.advanceTo(6499);
        QCOMPARE(h.take(1), QByteArray());
        h.engine.advanceTo(7000);
        h.send(1, "somchai\tROBOT CLICK BID\t2850\t");
        // Quiet again: the whole countdown, the sale, the pause and the product again from its first bid.
        h.engine.advanceTo(13700);
        h.send(1, "somchai\tROBOT CLICK BID\t9000\t"); // sold: nothing more is taken
        h.engine.advanceTo(14400);
        const QByteArray rest = countdown(15, 10) + Wire::message({"#COUNTCANCEL"}) +
                                Wire::message({"#BID", "somchai", "2850", "100", "10:00:07"}) +
                                countdown(15, 0) + Wire::message({"#COUNTS"}) + Wire::message({"#PAUSEBID"}) +
                                lampInfo;
        QCOMPARE(h.take(1), rest);
        QCOMPARE(h.take(2).right(rest.size()), rest);
    }

    // The client's messages as the service reads them and the service's as the client's board reads them:
    // both ends take every field from the same place.
    void bothEndsReadEachOther()
    {
        Harness h;
        BoardSession client;
        client.board.setUserId(u"สมหญิง"_s);
        h.engine.advanceTo(1000);
        h.engine.clientConnected(1);
        std::vector<ClientFramer::Message> framed;
        ClientFramer framer;
        const auto send = [&](const QByteArray &bytes) {
            framed.clear();
            framer.feed(bytes, framed);
            for (const ClientFramer::Message &m : framed)
                h.engine.clientMessage(1, m.bytes, m.announcement);
            client.read(h.take(1));
        };
        send(Protocol::announcement(u"สมหญิง"));
        QCOMPARE((QStringList{client.board.currentProductId(), client.board.pDesc(), client.board.fbidat(),
                              client.board.minBid(), client.board.hiBid(), client.board.lbYourBid(),
                              client.board.cCurrency()}),
                 (QStringList{u"P1"_s, u"Lamp (Desk lamp  )"_s, u"2,500"_s, u"3,000"_s, u"-"_s, u"2,600"_s,
                              u"Currency = THB"_s}));
        QVERIFY(client.board.gobidEnabled());
        send(Protocol::clientBid(u"สมหญิง", 2700));
        QCOMPARE(client.board.lbBid(), u"2,700"_s);
        QVERIFY(client.board.highBidIsMine());
        send(Protocol::clientChat(u"สมหญิง", u"สวัสดี"));
        QCOMPARE(client.board.msgchat(), u"สมหญิง: สวัสดี"_s);
        send(Protocol::describeRequest());
        QVERIFY2(client.board.msgchat().startsWith(u"[P1] Lamp"_s), qPrintable(client.board.msgchat()));
    }

    // A signed-in bidder who keeps going up once the simulated bidders have gone quiet is outbid at once now
    // and then, never more than four times an auction.
    void risingBidderIsAnswered()
    {
        using Phase = AuctionEngine::Phase;
        AuctionEngine::Options o = Harness::options();
        o.simulatedBidders = true;
        o.cancelOneIn = 0;
        AuctionEngine engine(o);
        engine.clientConnected(1);
        engine.clientMessage(1, "AuctionGO\tme\t\t0\t", true);
        int sold = 0;
        int answered = 0;
        int mostInOneAuction = 0;
        int inThisAuction = 0;
        qint64 quietSince = 0;
        for (qint64 now = 0; sold < 6; now += 50) {
            const Phase phase = engine.phase();
            const QString high = engine.highBidder();
            engine.advanceTo(now);
            if (phase != Phase::Sold && engine.phase() == Phase::Sold) {
                ++sold;
                inThisAuction = 0;
            }
            if (engine.phase() != phase || engine.highBidder() != high) {
                // An answer comes within the bots' delay, in the same round of bidding.
                if (high == u"me" && phase == Phase::Open && engine.phase() == Phase::Open &&
                    now - quietSince <= 50) {
                    ++answered;
                    mostInOneAuction = std::max(mostInOneAuction, ++inThisAuction);
                }
                quietSince = now;
            }
            if (engine.phase() == Phase::Open && engine.highBidder() != u"me" && now - quietSince >= 1000) {
                engine.clientMessage(
                    1, "me\tROBOT CLICK BID\t" + QByteArray::number(engine.lastBid() + 100) + '\t', false);
                quietSince = now;
            }
            engine.takeOutbox();
        }
        QVERIFY(answered > 0);
        QVERIFY(mostInOneAuction <= 4);
    }

    void framing_data()
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
            << QByteArray("AuctionGO\tbob\t\xFEGETPD\t\xFE")
            << QByteArrayList{"A:AuctionGO\tbob\t", "GETPD\t"} << S::Ok;
        QTest::newRow("no announcement, thai, line break")
            << QByteArray("AuctionGX\t\t\t\t\xFEUMSG\tx\t\xCA\xC1\r\n\t\xFE")
            << QByteArrayList{"AuctionGX\t\t\t\t", "UMSG\tx\t\xCA\xC1\r\n\t"} << S::Ok;
        QTest::newRow("nul after a message") << hello + bid + '\xFE' + QByteArray("x\0y\xFE", 4)
                                             << QByteArrayList{"A:" + hello, bid} << S::Junk;
        QTest::newRow("longest message") << longest + '\xFE' << QByteArrayList{longest} << S::Ok;
        QTest::newRow("one byte too many") << longest + 'x' << QByteArrayList{} << S::Overflow;
        QTest::newRow("endless announcement") << "AuctionGO\t" + longest << QByteArrayList{} << S::Overflow;
    }

    // However the reads cut the stream, the same messages come out; a failed framer takes nothing more.
    void framing()
    {
        QFETCH(QByteArray, stream);
        QFETCH(QByteArrayList, messages);
        QFETCH(ClientFramer::Status, status);
        for (qsizetype piece : {stream.size(), qsizetype(1), qsizetype(7), stream.size() / 2 + 1}) {
            ClientFramer framer;
            std::vector<ClientFramer::Message> out;
            ClientFramer::Status got = ClientFramer::Status::Ok;
            for (qsizetype at = 0; at < stream.size(); at += piece)
                got =
                    framer.feed(QByteArrayView(stream).sliced(at, std::min(piece, stream.size() - at)), out);
            if (got != ClientFramer::Status::Ok)
                QCOMPARE(framer.feed("GETPD\t\xFE", out), got);
            QByteArrayList list;
            for (const auto &m : out)
                list.append(m.announcement ? "A:" + m.bytes : m.bytes);
            QCOMPARE(list, messages);
            QCOMPARE(got, status);
        }
    }

    // The sign-in check answers in Windows-874 text; a page is written in the charset its header names and
    // declares, and nothing is lost in encoding.
    void site_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("signIn"); // the sign-in check's answer; null for a page
        QTest::addColumn<QByteArray>("charset");
        const auto signIn = [](const char *query, const char *answer) {
            QTest::newRow(query) << "/chkmbid.asp?" + QByteArray(query) << 200 << QByteArray(answer)
                                 << "windows-874"_ba;
        };
        signIn("PWD=bob&UID=bob", "ID=1003");
        signIn("UID=%CA%C1%CB%AD%D4%A7&PWD=1234", "ID=1004"); // Thai name in Windows-874
        signIn("UID=%E0%B8%AA%E0%B8%A1%E0%B8%AB%E0%B8%8D%E0%B8%B4%E0%B8%87&PWD=1234", "ERROR=1"); // in UTF-8
        signIn("UID=somchai&PWD=12345", "ERROR=1");
        signIn("UID=bob%&PWD=bob%zz", "ERROR=1");
        QTest::newRow("product in windows-874")
            << "/Product/p1001.HTM"_ba << 200 << QByteArray() << "windows-874"_ba;
        QTest::newRow("product in utf-8") << "/product/P1002.htm"_ba << 200 << QByteArray() << "utf-8"_ba;
        QTest::newRow("unknown product") << "/product/P9999.htm"_ba << 404 << QByteArray() << "utf-8"_ba;
        QTest::newRow("climbing out") << "/product/../../etc/passwd"_ba << 404 << QByteArray() << "utf-8"_ba;
    }

    void site()
    {
        QFETCH(QByteArray, target);
        QFETCH(int, status);
        QFETCH(QByteArray, signIn);
        QFETCH(QByteArray, charset);
        const HttpResponse r = DemoSite::get(target);
        QCOMPARE(r.status, status);
        QCOMPARE(r.contentType,
                 (signIn.isNull() ? "text/html; charset="_ba : "text/plain; charset="_ba) + charset);
        if (!signIn.isNull()) {
            QCOMPARE(r.body, signIn);
            return;
        }
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        const QString text = charset == "utf-8" ? utf8(r.body) : Cp874::decode(r.body);
        QVERIFY(!utf8.hasError());
        QCOMPARE(r.body.count('?'), 0); // what the code page lacks would have become '?'
        QVERIFY(text.startsWith(QLatin1String("<!DOCTYPE html>")));
        QVERIFY(text.contains(QLatin1String("charset=") + QLatin1String(charset)));
    }

    // What the server answers, whatever the reads: a head ends at its first blank line, even one of bare line
    // feeds ahead of a CRLF one past the size limit.
    void liveHttp_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<QByteArray>("answer"); // its start
        QTest::newRow("split sign-in")
            << QByteArrayList{"GET /chkmbid.asp?UID=bob&P", "WD=bob HTTP/1.0\r", "\n\r\n"}
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Type: text/plain; charset=windows-874\r\n"
                          "Content-Length: 7\r\nCache-Control: no-cache\r\n"
                          "Connection: close\r\n\r\nID=1003");
        QTest::newRow("not http") << QByteArrayList{"hello\r\n\r\n"}
                                  << QByteArray("HTTP/1.1 400 Bad Request\r\n");
        QTest::newRow("oversized") << QByteArrayList{"GET /" + QByteArray(20000, 'a') + " HTTP/1.1\r\n\r\n"}
                                   << QByteArray("HTTP/1.1 431 Request Header Fields Too Large\r\n");
        QTest::newRow("head ends at its first blank line")
            << QByteArrayList{"GET /adv.asp HTTP/1.1\n\n" + QByteArray(HttpRequestReader::maxHeadSize, 'x') +
                              "\r\n\r\n"}
            << QByteArray("HTTP/1.1 200 OK\r\n");
    }

    void liveHttp()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(QByteArray, answer);
        DemoHttpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(socket.waitForConnected(5000));
        for (const QByteArray &piece : pieces) {
            socket.write(piece);
            socket.flush();
        }
        QCOMPARE(receive(socket).left(answer.size()), answer);
        QCOMPARE(socket.state(), QAbstractSocket::UnconnectedState);
    }

    // Binary after the announcement ends that client's connection alone. Dropping everyone (SIGUSR1) ends
    // every connection, and the auction goes on for a client that comes back.
    void garbageClientIsDroppedAlone()
    {
        QByteArray garbage = "AuctionGO\tmallory\t\t0\t";
        for (int i = 0; i < 4096; ++i)
            garbage += char((i * 37) & 0xFF);
        AuctionEngine::Options o;
        o.timing = {1, 0, 0, 3'600'000, 1000, 1000, 1000, 1000, 0, 0}; // open at once, never quiet
        o.simulatedBidders = o.simulatedChat = false;
        DemoAuctionServer server(o);
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        server.start();

        QTcpSocket good, bad;
        good.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(good.waitForConnected(5000));
        good.write("AuctionGO\talice\t\t0\t");
        QVERIFY(receive(good, "#GOBID\t\xFE").endsWith("#GOBID\t\xFE"));

        bad.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(bad.waitForConnected(5000));
        bad.write(garbage);
        receive(bad); // until the server closes it

        // The good client's message arrives in pieces and is still relayed to it.
        good.write("UMSG\tali");
        good.flush();
        good.write("ce\tstill here\t\xFE");
        QVERIFY(receive(good, "MSG\talice: still here\t\xFE").endsWith("MSG\talice: still here\t\xFE"));
        QCOMPARE(server.clientCount(), 1);

        server.dropEveryone();
        receive(good);
        QCOMPARE(good.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(server.clientCount(), 0);
        QTcpSocket back;
        back.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(back.waitForConnected(5000));
        back.write("AuctionGO\talice\t\t0\t");
        QVERIFY(receive(back, "#GOBID\t\xFE").endsWith("#GOBID\t\xFE"));
    }
};

QTEST_GUILESS_MAIN(TestDemoServer)
#include "test_demo_server.moc"
