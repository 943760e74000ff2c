// A recorded server session replayed over a loopback connection, and the same bytes cut into reads of every
// size: the panel must end the same whichever way TCP delivers them.
#include "auction_board.h"
#include "auction_messages.h"
#include "auction_receiver.h"
#include "auction_socket.h"
#include "auction_test_util.h"
#include "test_support.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace {
QByteArray transcript()
{
    return readWholeFile(QStringLiteral(AUCTION_TEST_DATA "/auction_transcript.bin"));
}

// The panel after the whole transcript: the product was cancelled after the sale of the first one.
QStringList expectedEnd()
{
    return {"CurrentProductID=",
            "PDesc=",
            "nQty=",
            "fbidat=",
            "MinBid=",
            "Hi_Bid=",
            "Lb_bid=",
            "bid_Inc=",
            "SellerBy=",
            "cCurrency=Currency = ",
            "lbYourBid=3,000",
            "aucList=",
            "selected=-1",
            "colours=2",
            "countDown=0",
            "img_count=0",
            "displastbid=false:1,300",
            "GOBID=false",
            QStringLiteral("msgchat=ปิดประมูลชั่วคราว")};
}

struct Session {
    Session()
    {
        board.setUserId(QStringLiteral("me"));
        board.setSaleRecorder([this](const SaleRecord &record) { sales.append(record); });
        QObject::connect(&board, &AuctionBoard::navigateDescription,
                         [this](const QString &url) { lastUrl = url; });
        QObject::connect(&board, &AuctionBoard::playSound, [this](const QString &path) { lastSound = path; });
    }

    QStringList outcome() const
    {
        QStringList out = snapshot(board);
        for (const SaleRecord &sale : sales)
            out << QStringList{sale.user,    sale.productId, sale.productName, sale.highBidder,
                               sale.lastBid, sale.currency,  sale.seller,      sale.lastListLine}
                       .join(u'|');
        out << lastUrl << lastSound;
        return out;
    }

    AuctionBoard board;
    AuctionReceiver receiver{board};
    QList<SaleRecord> sales;
    QString lastUrl;
    QString lastSound;
};
} // namespace

class TestAuctionTranscript : public QObject {
    Q_OBJECT

private slots:
    void replayOverLoopback()
    {
        const QByteArray recorded = transcript();
        QVERIFY(!recorded.isEmpty());
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));

        Session session;
        AuctionSocket socket;
        QObject::connect(&socket, &AuctionSocket::connected,
                         [&socket] { socket.SendData(AuctionMessages::auctionGo(u"me")); });
        QObject::connect(&socket, &AuctionSocket::dataArrival,
                         [&] { session.receiver.receive(socket.GetData()); });
        QObject::connect(&socket, &AuctionSocket::closed, [&] {
            session.receiver.reset();
            session.board.connectionClosed();
        });
        QSignalSpy closed(&socket, &AuctionSocket::closed);
        socket.setRemoteHost(QStringLiteral("127.0.0.1"));
        socket.setRemotePort(server.serverPort());
        socket.Connect();

        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket *peer = server.nextPendingConnection();
        QByteArray announcement;
        QTRY_COMPARE((announcement += peer->readAll()), QByteArray("AuctionGO\tme\t\t0\t"));

        peer->write(recorded);
        QTRY_COMPARE(session.board.msgchat(), QStringLiteral("ปิดประมูลชั่วคราว"));
        QCOMPARE(snapshot(session.board), expectedEnd());
        QCOMPARE(session.sales.size(), 1);
        QCOMPARE(session.outcome().mid(expectedEnd().size()),
                 (QStringList{QStringLiteral("me|P1001|นาฬิกาข้อมือ รุ่นพิเศษ|bob|1,300|Currency = บาท|ร้านสมศรี|"
                                             "AT  1,300  By  bob Time : 10:16:01"),
                              "https://gavora.test/cancel.htm", "Sounds/glassshatter.wav"}));

        // The server ends the session with half a message on the wire.
        peer->write("#BID\tx\t");
        peer->disconnectFromHost();
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(session.board.cCurrency(), QString());
        QCOMPARE(session.receiver.pendingSize(), 0);
    }

    void readSizeDoesNotMatter_data()
    {
        QTest::addColumn<int>("readSize");
        for (int size : {1, 7, 1460, 65536})
            QTest::addRow("%d", size) << size;
    }

    void readSizeDoesNotMatter()
    {
        QFETCH(int, readSize);
        const QByteArray recorded = transcript();
        Session whole;
        whole.receiver.receive(recorded);
        QCOMPARE(snapshot(whole.board), expectedEnd());

        Session pieces;
        for (qsizetype pos = 0; pos < recorded.size(); pos += readSize)
            pieces.receiver.receive(
                QByteArrayView(recorded).sliced(pos, qMin<qsizetype>(readSize, recorded.size() - pos)));
        QCOMPARE(pieces.outcome(), whole.outcome());
    }
};

QTEST_GUILESS_MAIN(TestAuctionTranscript)
#include "tst_auction_transcript.moc"
