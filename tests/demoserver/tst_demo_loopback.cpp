#include "auction_server.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <memory>

namespace {
AuctionEngine::Options quietOptions()
{
    AuctionEngine::Options o;
    // Bidding opens at once and never goes quiet during a test.
    o.timing = {1, 0, 0, 3'600'000, 1000, 1000, 1000, 1000, 0, 0};
    o.pageBase = QStringLiteral("http://127.0.0.1:1");
    o.simulatedBidders = false;
    o.simulatedChat = false;
    o.cancelOneIn = 0;
    return o;
}

// Reads from socket into got until needle shows up (the server runs in this thread, so wait in the event
// loop).
bool receiveUntil(QTcpSocket &socket, QByteArray &got, QByteArrayView needle)
{
    QDeadlineTimer deadline(5000);
    for (;;) {
        got += socket.readAll();
        if (got.contains(needle))
            return true;
        if (deadline.hasExpired() || socket.state() != QAbstractSocket::ConnectedState)
            return false;
        QSignalSpy arrived(&socket, &QTcpSocket::readyRead);
        arrived.wait(int(deadline.remainingTime()));
    }
}

std::unique_ptr<QTcpSocket> connectTo(quint16 port)
{
    auto socket = std::make_unique<QTcpSocket>();
    QSignalSpy connected(socket.get(), &QTcpSocket::connected);
    socket->connectToHost(QHostAddress::LocalHost, port);
    if (socket->state() != QAbstractSocket::ConnectedState)
        connected.wait(5000);
    return socket;
}

const QByteArray goBid = "#GOBID\t\xFE";
} // namespace

class TestDemoLoopback : public QObject {
    Q_OBJECT
private slots:
    void garbageClientIsDroppedAlone_data();
    void garbageClientIsDroppedAlone();
    void bidReachesEveryClient();
    void programStartsAndStops();
    void programRefuses_data();
    void programRefuses();
};

void TestDemoLoopback::garbageClientIsDroppedAlone_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::newRow("no terminator") << QByteArray(70 * 1024, 'x');
    QTest::newRow("endless announcement") << "AuctionGO\t" + QByteArray(70 * 1024, 'x');
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary += char((i * 37) & 0xFF);
    QTest::newRow("binary") << binary;
    QTest::newRow("junk after announcing") << "AuctionGO\tmallory\t\t0\t" + binary;
}

void TestDemoLoopback::garbageClientIsDroppedAlone()
{
    QFETCH(QByteArray, garbage);
    DemoAuctionServer server(quietOptions());
    QSignalSpy dropped(&server, &DemoAuctionServer::clientDropped);
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    server.start();

    auto good = connectTo(server.port());
    good->write("AuctionGO\talice\t\t0\t");
    QByteArray got;
    QVERIFY(receiveUntil(*good, got, goBid));
    QVERIFY(got.startsWith("#BidManPInfo\tP1001\t"));

    auto bad = connectTo(server.port());
    QSignalSpy badClosed(bad.get(), &QTcpSocket::disconnected);
    bad->write(garbage);
    QVERIFY(badClosed.wait(5000));
    QCOMPARE(dropped.size(), 1);

    // The good client's message arrives in pieces and is still relayed to it.
    good->write("UMSG\tali");
    good->flush();
    good->write("ce\tstill here\t\xFE");
    got.clear();
    QVERIFY(receiveUntil(*good, got, "MSG\talice: still here\t\xFE"));
    QCOMPARE(server.clientCount(), 1);
}

void TestDemoLoopback::bidReachesEveryClient()
{
    DemoAuctionServer server(quietOptions());
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    server.start();
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    std::vector<QByteArray> got(12);
    for (int i = 0; i < 12; ++i) {
        clients.push_back(connectTo(server.port()));
        clients.back()->write("AuctionGO\tu" + QByteArray::number(i) + "\t\t0\t");
        QVERIFY(receiveUntil(*clients.back(), got[i], goBid));
    }
    clients[3]->write("u3\tROBOT CLICK BID\t2600\t\xFE");
    for (int i = 0; i < 12; ++i)
        QVERIFY2(receiveUntil(*clients[i], got[i], "#BID\tu3\t2600\t100\t"),
                 QByteArray::number(i).constData());
}

void TestDemoLoopback::programStartsAndStops()
{
    QProcess server;
    server.start(QStringLiteral(DEMO_SERVER_PATH),
                 {QStringLiteral("--http-port"), QStringLiteral("0"), QStringLiteral("--auction-port"),
                  QStringLiteral("0"), QStringLiteral("--fast"), QStringLiteral("--seed"),
                  QStringLiteral("5")});
    QVERIFY(server.waitForStarted(5000));
    QByteArray out;
    while (out.count('\n') < 2 && server.waitForReadyRead(5000))
        out += server.readAllStandardOutput();
    const QRegularExpression ready(
        QStringLiteral("^http 127\\.0\\.0\\.1:(\\d+)\\nauction 127\\.0\\.0\\.1:(\\d+)\\n$"));
    const QRegularExpressionMatch match = ready.match(QString::fromLatin1(out));
    QVERIFY2(match.hasMatch(), out.constData());

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, match.captured(2).toUShort());
    QVERIFY(client.waitForConnected(5000));
    client.write("AuctionGO\tbob\t\t0\t");
    QByteArray got;
    while (!got.contains('\xFE') && client.waitForReadyRead(5000))
        got += client.readAll();
    const QList<QByteArray> fields = got.left(got.indexOf('\xFE')).split('\t');
    QCOMPARE(fields.size(), 13);
    QCOMPARE(fields[0], QByteArray("#BidManPInfo"));
    QCOMPARE(fields[11],
             "http://127.0.0.1:" + match.captured(1).toLatin1() + "/product/" + fields[1] + ".htm");

    server.terminate();
    QVERIFY(server.waitForFinished(5000));
    QCOMPARE(server.exitStatus(), QProcess::NormalExit);
    QCOMPARE(server.exitCode(), 0);
}

void TestDemoLoopback::programRefuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("outside loopback")
        << QStringList{"--http-port", "0", "--auction-port", "0", "--bind", "8.8.8.8"};
    QTest::newRow("no auction port") << QStringList{"--http-port", "0"};
    QTest::newRow("port too large") << QStringList{"--http-port", "70000", "--auction-port", "0"};
    QTest::newRow("bad seed") << QStringList{"--http-port", "0", "--auction-port", "0", "--seed", "x"};
}

void TestDemoLoopback::programRefuses()
{
    QFETCH(QStringList, arguments);
    QProcess server;
    server.start(QStringLiteral(DEMO_SERVER_PATH), arguments);
    QVERIFY(server.waitForFinished(5000));
    QCOMPARE(server.exitCode(), 2);
    QCOMPARE(server.readAllStandardOutput(), QByteArray());
}

QTEST_GUILESS_MAIN(TestDemoLoopback)
#include "tst_demo_loopback.moc"
