#include "auction_socket.h"

#include <QHostAddress>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

class TestAuctionSocket : public QObject {
    Q_OBJECT

private:
    struct Spies {
        explicit Spies(AuctionSocket &socket)
            : connected(&socket, &AuctionSocket::connected), data(&socket, &AuctionSocket::dataArrival),
              closed(&socket, &AuctionSocket::closed), error(&socket, &AuctionSocket::error)
        {}
        QSignalSpy connected;
        QSignalSpy data;
        QSignalSpy closed;
        QSignalSpy error;
    };

    static QTcpSocket *acceptOne(QTcpServer &server)
    {
        if (!server.hasPendingConnections() && !server.waitForNewConnection(5000))
            return nullptr;
        return server.nextPendingConnection();
    }

    static void connectTo(AuctionSocket &socket, const QTcpServer &server)
    {
        socket.setRemoteHost(QStringLiteral("127.0.0.1"));
        socket.setRemotePort(server.serverPort());
        socket.Connect();
    }

private slots:
    void closeWhenNeverConnectedDoesNothing()
    {
        AuctionSocket socket;
        Spies spies(socket);
        socket.Close();
        socket.Close();
        QVERIFY(!socket.isConnected());
        QVERIFY(!socket.SendData("x"));
        QCOMPARE(socket.GetData(), QByteArray());
        QCOMPARE(spies.closed.count(), 0);
        QCOMPARE(spies.error.count(), 0);
    }

    void sendsAndReceivesWholeBytes()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        AuctionSocket socket;
        Spies spies(socket);
        connectTo(socket, server);
        QVERIFY(!socket.SendData("early"));
        QTRY_COMPARE(spies.connected.count(), 1);
        QTcpSocket *peer = acceptOne(server);
        QVERIFY(peer);

        const QByteArray outgoing("AuctionGO\tuser\t\t0\t");
        QVERIFY(socket.SendData(outgoing));
        QByteArray received;
        QTRY_VERIFY((received += peer->readAll()).size() >= outgoing.size());
        QCOMPARE(received, outgoing);

        const QByteArray incoming("#GOBID\t\xfe#PAUSEBID\t\xfe");
        peer->write(incoming);
        QTRY_VERIFY(!spies.data.isEmpty());
        QByteArray got = socket.GetData();
        QTRY_VERIFY((got += socket.GetData()).size() >= incoming.size());
        QCOMPARE(got, incoming);
        QCOMPARE(spies.error.count(), 0);
    }

    void peerCloseRaisesClosedOnce()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        AuctionSocket socket;
        Spies spies(socket);
        connectTo(socket, server);
        QTRY_COMPARE(spies.connected.count(), 1);
        QTcpSocket *peer = acceptOne(server);
        QVERIFY(peer);
        peer->write("tail\t\xfe");
        peer->disconnectFromHost();
        QTRY_COMPARE(spies.closed.count(), 1);
        QCOMPARE(spies.error.count(), 0);
        QVERIFY(!socket.isConnected());
        socket.Close();
        QCOMPARE(spies.closed.count(), 1);
    }

    // A local close is silent even when the peer reacts to it, and the same object connects again to the
    // address set last.
    void localCloseIsSilentAndConnectStartsAnew()
    {
        QTcpServer first;
        QTcpServer second;
        QVERIFY(first.listen(QHostAddress::LocalHost));
        QVERIFY(second.listen(QHostAddress::LocalHost));
        AuctionSocket socket;
        Spies spies(socket);
        connectTo(socket, first);
        QTRY_COMPARE(spies.connected.count(), 1);
        QTcpSocket *peer = acceptOne(first);
        QVERIFY(peer);

        socket.Close();
        QVERIFY(!socket.isConnected());
        peer->write("late\t\xfe");
        QTRY_COMPARE(peer->state(), QAbstractSocket::UnconnectedState);

        connectTo(socket, second);
        QTRY_COMPARE(spies.connected.count(), 2);
        QVERIFY(acceptOne(second));
        QCOMPARE(first.hasPendingConnections(), false);
        QCOMPARE(spies.closed.count(), 0);
        QCOMPARE(spies.error.count(), 0);
        QCOMPARE(spies.data.count(), 0);
    }

    void refusedConnectionRaisesErrorOnly()
    {
        quint16 port = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            port = probe.serverPort();
        }
        AuctionSocket socket;
        Spies spies(socket);
        socket.setRemoteHost(QStringLiteral("127.0.0.1"));
        socket.setRemotePort(port);
        socket.Connect();
        QTRY_COMPARE(spies.error.count(), 1);
        QCOMPARE(spies.error.first().at(0).toInt(), int(QAbstractSocket::ConnectionRefusedError));
        socket.Close();
        QCOMPARE(spies.closed.count(), 0);
        QCOMPARE(spies.connected.count(), 0);
    }

    void closeDuringAttemptSuppressesItsOutcome()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        AuctionSocket socket;
        Spies spies(socket);
        socket.setRemotePort(0); // an attempt that would fail
        socket.Connect();
        socket.Close();
        connectTo(socket, server);
        QTRY_COMPARE(spies.connected.count(), 1);
        QCOMPARE(spies.error.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestAuctionSocket)
#include "tst_auction_socket.moc"
