#include "auction_server.h"
#include "cp874.h"
#include "demo_site.h"
#include "http_request.h"
#include "http_server.h"

#include <QSignalSpy>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QTest>

namespace {
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

class TestDemoServers : public QObject {
    Q_OBJECT
private slots:
    void signInCheck_data();
    void signInCheck();
    void pages_data();
    void pages();
    void liveHttp_data();
    void liveHttp();
    void requestHeadEndsAtItsFirstBlankLine();
    void garbageClientIsDroppedAlone_data();
    void garbageClientIsDroppedAlone();
};

void TestDemoServers::signInCheck_data()
{
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("somchai") << QByteArray("UID=somchai&PWD=1234") << QByteArray("ID=1001");
    QTest::newRow("parameters swapped") << QByteArray("PWD=bob&UID=bob") << QByteArray("ID=1003");
    QTest::newRow("thai name, windows-874")
        << QByteArray("UID=%CA%C1%CB%AD%D4%A7&PWD=1234") << QByteArray("ID=1004");
    QTest::newRow("thai name, utf-8")
        << QByteArray("UID=%E0%B8%AA%E0%B8%A1%E0%B8%AB%E0%B8%8D%E0%B8%B4%E0%B8%87&PWD=1234")
        << QByteArray("ERROR=1");
    QTest::newRow("wrong password") << QByteArray("UID=somchai&PWD=12345") << QByteArray("ERROR=1");
    QTest::newRow("broken escape") << QByteArray("UID=bob%&PWD=bob%zz") << QByteArray("ERROR=1");
}

void TestDemoServers::signInCheck()
{
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, body);
    const HttpResponse r = DemoSite::get("/chkmbid.asp?" + query);
    QCOMPARE(r.body, body);
    QCOMPARE(r.contentType, QByteArray("text/plain; charset=windows-874"));
}

void TestDemoServers::pages_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("charset");
    QTest::newRow("product in windows-874")
        << QByteArray("/Product/p1001.HTM") << 200 << QByteArray("windows-874");
    QTest::newRow("product in utf-8") << QByteArray("/product/P1002.htm") << 200 << QByteArray("utf-8");
    QTest::newRow("unknown product") << QByteArray("/product/P9999.htm") << 404 << QByteArray("utf-8");
    QTest::newRow("climbing out") << QByteArray("/product/../../etc/passwd") << 404 << QByteArray("utf-8");
}

// A page is written in the charset its header names and declares; nothing is lost in encoding.
void TestDemoServers::pages()
{
    QFETCH(QByteArray, target);
    QFETCH(int, status);
    QFETCH(QByteArray, charset);
    const HttpResponse r = DemoSite::get(target);
    QCOMPARE(r.status, status);
    QCOMPARE(r.contentType, "text/html; charset=" + charset);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = charset == "utf-8" ? utf8(r.body) : Cp874::decode(r.body);
    QVERIFY(!utf8.hasError());
    QCOMPARE(r.body.count('?'), 0); // what the code page lacks would have become '?'
    QVERIFY(text.startsWith(QLatin1String("<!DOCTYPE html>")));
    QVERIFY(text.contains(QLatin1String("charset=") + QLatin1String(charset)));
}

void TestDemoServers::liveHttp_data()
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
}

void TestDemoServers::liveHttp()
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

// A blank line of bare line feeds early and a CRLF one past the size limit: the head is the short one,
// whether it arrives in one read or in two.
void TestDemoServers::requestHeadEndsAtItsFirstBlankLine()
{
    const QByteArray request =
        "GET /adv.asp HTTP/1.1\n\n" + QByteArray(HttpRequestReader::maxHeadSize, 'x') + "\r\n\r\n";
    HttpRequestReader whole;
    QCOMPARE(whole.feed(request), HttpRequestReader::State::Complete);
    HttpRequestReader split;
    split.feed(QByteArrayView(request).first(30));
    QCOMPARE(split.feed(QByteArrayView(request).sliced(30)), HttpRequestReader::State::Complete);
    QCOMPARE(whole.target(), QByteArray("/adv.asp"));
}

void TestDemoServers::garbageClientIsDroppedAlone_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::newRow("no terminator") << QByteArray(70 * 1024, 'x');
    QByteArray binary = "AuctionGO\tmallory\t\t0\t";
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 37) & 0xFF);
    QTest::newRow("binary after announcing") << binary;
}

void TestDemoServers::garbageClientIsDroppedAlone()
{
    QFETCH(QByteArray, garbage);
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
}

QTEST_GUILESS_MAIN(TestDemoServers)
#include "test_demo_servers.moc"
