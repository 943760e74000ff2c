#include "auction_socket.h"
#include "loopback_peers.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
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

void connectTo(AuctionSocket &socket, int port)
{
    socket.setRemoteHost(u"127.0.0.1"_s);
    socket.setRemotePort(port);
    socket.Connect();
}
} // namespace

class TestAuctionSocket : public QObject {
    Q_OBJECT

private slots:
    void closeIsSilentAndConnectStartsAnew()
    {
        ScriptedPeer first;
        ScriptedPeer second;
        AuctionSocket socket;
        Events events(socket);
        socket.Close();
        QCOMPARE(socket.SendData("early"), false);
        connectTo(socket, first.port());
        QTRY_COMPARE(events.seen, QStringList{u"connected"_s});
        QTRY_VERIFY(first.hasClient());

        // Silent even when the peer still sends, then sees the close.
        socket.Close();
        first.send("late\t\xFE");
        QTRY_VERIFY(!first.hasClient());

        connectTo(socket, second.port());
        QTRY_VERIFY(second.hasClient());
        // The peer's close is raised once and without an error; a local close after it adds nothing.
        second.closeClient();
        QTRY_COMPARE(events.seen.size(), 3);
        socket.Close();
        QCOMPARE(events.seen, (QStringList{u"connected"_s, u"connected"_s, u"closed"_s}));
    }

    void failedAttempts()
    {
        int refusing = 0;
        {
            ScriptedPeer gone;
            refusing = gone.port();
        }
        AuctionSocket socket;
        Events events(socket);
        connectTo(socket, refusing);
        QTRY_COMPARE(events.seen.size(), 1);
        // An attempt bound to fail, closed before its outcome: the outcome never shows.
        connectTo(socket, 0);
        socket.Close();
        ScriptedPeer peer;
        connectTo(socket, peer.port());
        QTRY_COMPARE(events.seen.size(), 2);
        QCOMPARE(events.seen,
                 (QStringList{u"error %1"_s.arg(QAbstractSocket::ConnectionRefusedError), u"connected"_s}));
    }
};

QTEST_GUILESS_MAIN(TestAuctionSocket)
#include "test_auction_socket.moc"
