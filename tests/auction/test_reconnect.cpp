// Reconnecting by itself, against a loopback server that closes, resets, refuses and comes back, with time
// driven by hand: the waits, the bytes of each new announcement, the end after ten minutes, what stops it,
// and the setting off meaning the connection's plain end.
#include "auction_connection.h"
#include "board_session.h"
#include "loopback_peers.h"
#include "manual_timeline.h"
#include "test_support.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestReconnect : public QObject {
    Q_OBJECT
private slots:
    // The waits between tries, varied by a fifth either way, and the indicator's countdown: whole seconds,
    // rounded up, never 0 while waiting.
    void waits()
    {
        QList<qint64> waits;
        for (const auto &[tryNumber, random] : {std::pair{1, 0.0}, {1, 0.99999}, {5, 0.5}, {20, 0.0}})
            waits << Reconnect::waitBeforeTry(tryNumber, random);
        QCOMPARE(waits, (QList<qint64>{800, 1200, 16000, 24000}));
        QList<qint64> seconds;
        for (const qint64 ms : {0, 1, 800, 1000, 1001, 1200, 29999})
            seconds << Reconnect::secondsLeft(ms);
        QCOMPARE(seconds, (QList<qint64>{1, 1, 1, 1, 2, 2, 30}));
    }

    // Signed in as "สม" and announced, with the setting on (unless "off"). A step: "close" or "reset" (the
    // server ends the connection), "refuse" or "accept" (it stops or starts listening), "+ms" (time passes,
    // then any try settles), "signing in" or "signed in" (a sign-in window opens or closes), "login" (the
    // user chooses Login), "off". What was seen: "wait N" as each wait begins (N seconds), "announced" with
    // the same bytes as the first, "back after ms", "lost", "gave up", "box" for a message box.
    void reconnecting_data()
    {
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("closed, back at the first try")
            << QByteArrayList{"close", "+999", "+1"}
            << QStringList{u"wait 1"_s, u"back after 1000"_s, u"announced"_s};
        QTest::newRow("reset, back at the first try")
            << QByteArrayList{"reset", "+1000"}
            << QStringList{u"wait 1"_s, u"back after 1000"_s, u"announced"_s};
        QTest::newRow("refused twice, then back")
            << QByteArrayList{"refuse", "close", "+1000", "+2000", "accept", "+4000"}
            << QStringList{u"wait 1"_s, u"wait 2"_s, u"wait 4"_s, u"back after 7000"_s, u"announced"_s};
        QTest::newRow("gives up after ten minutes")
            << QByteArrayList{"refuse", "close", "+599999", "+1", "+60000"}
            << QStringList{u"wait 1"_s, u"wait 2"_s, u"wait 4"_s, u"wait 8"_s, u"wait 16"_s} +
                   QStringList(19, u"wait 30"_s) + QStringList{u"gave up"_s, u"lost"_s};
        QTest::newRow("Login stops it")
            << QByteArrayList{"close", "+500", "login", "+5000"} << QStringList{u"wait 1"_s, u"lost"_s};
        QTest::newRow("no try while signing in")
            << QByteArrayList{"close", "signing in", "+1000", "+5000", "signed in", "+1000"}
            << QStringList{u"wait 1"_s, u"back after 7000"_s, u"announced"_s};
        QTest::newRow("up 30 s, the next loss starts afresh")
            << QByteArrayList{"refuse", "close", "+1000", "accept", "+2000", "+30000", "close", "+1000"}
            << QStringList{u"wait 1"_s, u"wait 2"_s,          u"back after 3000"_s, u"announced"_s,
                           u"wait 1"_s, u"back after 1000"_s, u"announced"_s};
        QTest::newRow("dropped sooner, the waits go on")
            << QByteArrayList{"refuse", "close", "+1000", "accept", "+2000", "+29999", "close", "+4000"}
            << QStringList{u"wait 1"_s, u"wait 2"_s,          u"back after 3000"_s, u"announced"_s,
                           u"wait 4"_s, u"back after 4000"_s, u"announced"_s};
        QTest::newRow("setting off: the plain end")
            << QByteArrayList{"off", "close", "+5000"} << QStringList{u"lost"_s};
        QTest::newRow("setting off: a reset's box")
            << QByteArrayList{"off", "reset", "+5000"} << QStringList{u"box"_s, u"lost"_s};
    }
    void reconnecting()
    {
        QFETCH(QByteArrayList, steps);
        QFETCH(QStringList, seen);
        struct Boxes : FakePrompter {
            Answer ask(const Request &request) override
            {
                log << u"box"_s;
                return FakePrompter::ask(request);
            }
            QStringList log;
        } prompter;
        QStringList &log = prompter.log;
        ScriptedPeer peer;
        BoardSession s;
        ManualTimeline time;
        int beeps = 0;
        bool signingIn = false;
        AuctionConnection connection(
            s.board, prompter, [&beeps] { ++beeps; }, time, [] { return 0.5; });
        connection.setReconnectAutomatically(true);
        connection.setSigningIn([&signingIn] { return signingIn; });
        int lastWait = 0;
        connect(&connection, &AuctionConnection::waitingSeconds, this, [&](int seconds) {
            if (seconds > lastWait)
                log << u"wait %1"_s.arg(seconds);
            lastWait = seconds;
        });
        connect(&connection, &AuctionConnection::reconnected, this,
                [&log](qint64 ms) { log << u"back after %1"_s.arg(ms); });
        connect(&connection, &AuctionConnection::lost, this, [&log] { log << u"lost"_s; });
        connect(&connection, &AuctionConnection::gaveUp, this, [&log] { log << u"gave up"_s; });
        const QByteArray announcement = "AuctionGO\t\xCA\xC1\t\t0\t";
        int connections = 0;
        const auto settle = [&] {
            QVERIFY(
                QTest::qWaitFor([&] { return connection.state() != AuctionConnection::State::Connecting; }));
            if (connection.isConnected() && peer.connectionCount() > connections) {
                connections = peer.connectionCount();
                QTRY_COMPARE(peer.received, announcement);
                peer.received.clear();
                if (!log.isEmpty())
                    log << u"announced"_s;
            }
        };
        connection.ConnectAuctionSocket(u"127.0.0.1"_s, peer.port(), u"สม"_s);
        settle();
        s.read("#BidManPInfo\tP1\tWatch\t1\t1\t1\tx\t1500\t100\ts\tTHB\t\t\xFE#GOBID\t\xFE");
        for (const QByteArray &step : steps) {
            if (step == "close" || step == "reset") {
                lastWait = 0;
                step == "close" ? peer.closeClient() : peer.resetClient();
                QTRY_VERIFY(!connection.isConnected());
                // Nothing stale is shown as live while the tries go on.
                QVERIFY(!s.board.gobidEnabled());
            } else if (step == "refuse") {
                peer.refuse();
            } else if (step == "accept") {
                peer.accept();
            } else if (step.startsWith('+')) {
                // In steps, so that each try's outcome arrives before the next alarm.
                for (qint64 left = step.mid(1).toLongLong(); left > 0; left -= 100) {
                    time.advance(std::min<qint64>(left, 100));
                    settle();
                }
            } else if (step == "signing in" || step == "signed in") {
                signingIn = step == "signing in";
            } else if (step == "login") {
                connection.stopReconnecting();
            } else if (step == "off") {
                connection.setReconnectAutomatically(false);
            }
        }
        // A box is raised through the event loop.
        QTRY_COMPARE(log, seen);
        QCOMPARE(beeps, 1);
    }
};

QTEST_GUILESS_MAIN(TestReconnect)
#include "test_reconnect.moc"
