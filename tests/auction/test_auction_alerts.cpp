// Which events deserve a desktop notification, and in which words: reads of the board, auto-bid stopping and
// the connection's states in, notifications out, without any notification service.
#include "auction_alerts.h"
#include "bid_receipts.h"
#include "board_session.h"
#include "notifier.h"
#include "test_support.h"
#include "timeline.h"
#include "user_settings.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
struct RecordingNotifier : Notifier {
    void notify(const QString &body) override { shown << body; }
    QStringList shown;
};
} // namespace

class TestAuctionAlerts : public QObject {
    Q_OBJECT
private slots:
    // "me" signed in on a product, "นาฬิกา" at 1,500. A step is a read, or "!stop N" (auto-bid stopped at Your
    // Bid N), "!state S" (the connection's state: 0 not connected, 1 connecting, 2 connected, 3 waiting to
    // reconnect), "!back ms" (reconnected after ms), "!hand N" or "!auto N" (a bid of N sent by hand or by
    // auto-bid) or "!end" (the connection it went on ends).
    void decisions_data()
    {
        QTest::addColumn<QString>("setting"); // Thai, attended (the user looks at the window), off
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<QStringList>("shown");
        const QByteArray own = bidMessage("me", 1600), rival = bidMessage("alice", 1700);
        const QByteArray closing = "#COUNT1\t\xFE", sold = "#COUNTS\t\xFE";
        const QByteArray product = "#BidManPInfo\tP2\tLamp\t1\t1\t1\tx\t2000\t100\ts\tTHB\t\t\xFE";
        QTest::newRow("outbid, Thai") << u"Thai"_s << QByteArrayList{own, rival}
                                      << QStringList{u"มีผู้เสนอราคาสูงกว่า: alice 1,700 — นาฬิกา"_s};
        QTest::newRow("outbid in the read that took the lead")
            << QString() << QByteArrayList{own + rival} << QStringList{u"Outbid: alice bid 1,700 on นาฬิกา"_s};
        QTest::newRow("lead taken back in the same read")
            << QString() << QByteArrayList{own, rival + bidMessage("me", 1800)} << QStringList();
        QTest::newRow("a rival's bid that is not higher")
            << QString() << QByteArrayList{own, bidMessage("alice", 1600)} << QStringList();
        QTest::newRow("closing, bid on")
            << QString() << QByteArrayList{own, closing} << QStringList{u"Closing: นาฬิกา at 1,600"_s};
        QTest::newRow("closing, not bid on") << QString() << QByteArrayList{rival, closing} << QStringList();
        QTest::newRow("closing, bid on the product before")
            << QString() << QByteArrayList{own, product, closing} << QStringList();
        QTest::newRow("won") << QString() << QByteArrayList{own + sold}
                             << QStringList{u"You won นาฬิกา at 1,600"_s};
        QTest::newRow("sold to another") << QString() << QByteArrayList{own, rival, sold}
                                         << QStringList{u"Outbid: alice bid 1,700 on นาฬิกา"_s};
        QTest::newRow("auto-bid stopped, Thai")
            << u"Thai"_s << QByteArrayList{"!stop 1,800"}
            << QStringList{u"หยุดประมูลอัตโนมัติ: 1,800 สูงกว่าราคาพอใจซื้อสูงสุด"_s};
        QTest::newRow("connection lost") << QString() << QByteArrayList{"!state 1", "!state 2", "!state 0"}
                                         << QStringList{u"Connection to the auction lost"_s};
        QTest::newRow("a failed attempt is no lost connection")
            << QString() << QByteArrayList{"!state 1", "!state 0"} << QStringList();
        QTest::newRow("a new sign-in is no lost connection")
            << QString() << QByteArrayList{"!state 1", "!state 2", "!state 1", "!state 2"} << QStringList();
        QTest::newRow("lost, then back by itself")
            << QString() << QByteArrayList{"!state 2", "!state 3", "!state 1", "!state 3", "!back 11600"}
            << QStringList{u"Connection to the auction lost"_s, u"Reconnected after 12 s"_s};
        QTest::newRow("back, Thai") << u"Thai"_s << QByteArrayList{"!back 400"}
                                    << QStringList{u"เชื่อมต่อใหม่แล้วหลัง 1 วินาที"_s};
        QTest::newRow("a bid by hand not taken")
            << QString() << QByteArrayList{"!hand 1600", bidMessage("alice", 1600)}
            << QStringList{u"Bid 1,600 not taken: alice bid 1,600 first"_s};
        QTest::newRow("a bid by hand when the product closed")
            << QString() << QByteArrayList{"!hand 1600", sold}
            << QStringList{u"Bid 1,600 not taken: the product closed"_s};
        QTest::newRow("a bid by hand that may not have arrived, Thai")
            << u"Thai"_s << QByteArrayList{"!hand 1600", "!end"}
            << QStringList{u"ราคา 1,600 อาจไม่ถึงเครื่องบริการ: การเชื่อมต่อขาดหาย"_s};
        QTest::newRow("a bid by hand taken")
            << QString() << QByteArrayList{"!hand 1600", own} << QStringList();
        QTest::newRow("auto-bid's own bids")
            << QString() << QByteArrayList{"!auto 1600", bidMessage("alice", 1600), "!auto 1800", "!end"}
            << QStringList();
        const QByteArrayList everything{own,        rival,      own,         closing,    sold,  "!stop 2,000",
                                        "!state 2", "!state 0", "!back 900", "!hand 99", "!end"};
        for (const char *setting : {"attended", "off"})
            QTest::newRow(setting) << QString::fromLatin1(setting) << everything << QStringList();
    }
    void decisions()
    {
        QFETCH(QString, setting);
        QFETCH(QByteArrayList, steps);
        QFETCH(QStringList, shown);
        BoardSession s;
        RecordingNotifier notifier;
        UserSettings settings;
        if (setting == u"off")
            settings.toggle(UserSettings::Key::Notifications);
        AuctionAlerts alerts(notifier, settings, [&setting] { return setting == u"attended"; });
        BidReceipts receipts(Timeline::system());
        s.board.setObserver(&receipts);
        connect(&receipts, &BidReceipts::settled, this, [&] { alerts.bidSettled(receipts); });
        alerts.setLanguage(setting == u"Thai" ? 0 : 1);
        QObject::connect(&s.board, &AuctionBoard::applied,
                         [&](AuctionBoard::Events events) { alerts.afterRead(s.board, events); });
        s.read("#BidManPInfo\tP1\t\xB9\xD2\xCC\xD4\xA1\xD2\t1\t1000\t1000\tbob\t1500\t100\tShop\tTHB\t\t\xFE"
               "#GOBID\t\xFE");
        for (const QByteArray &step : steps) {
            if (step.startsWith("!stop "))
                alerts.autoBidStopped(QString::fromLatin1(step.mid(6)));
            else if (step.startsWith("!state "))
                alerts.connectionChanged(AuctionConnection::State(step.mid(7).toInt()));
            else if (step.startsWith("!back "))
                alerts.reconnected(step.mid(6).toLongLong());
            else if (step.startsWith("!hand ") || step.startsWith("!auto "))
                receipts.sent(step.mid(6).toLongLong(), step.startsWith("!hand"));
            else if (step == "!end")
                receipts.connectionEnded();
            else
                s.read(step);
        }
        QCOMPARE(notifier.shown, shown);
    }
};

QTEST_GUILESS_MAIN(TestAuctionAlerts)
#include "test_auction_alerts.moc"
