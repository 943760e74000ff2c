// What became of the bid the client sent, as transcripts: what the client sent, what the server answered and
// when, and what the receipts' panel says.
#include "bid_receipts.h"
#include "board_session.h"
#include "manual_timeline.h"
#include "test_support.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestBidReceipts : public QObject {
    Q_OBJECT
private slots:
    // On a product at 1,500, "me" signed in. A step is a server read, "send N" (a bid of N written), "+ms"
    // (time passes) or "!end" (the connection ends).
    void receipts_data()
    {
        QTest::addColumn<QByteArrayList>("steps");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("settled"); // how often settled() came
        const auto row = [](const char *name, QByteArrayList steps, const QString &shown, int settled = 1,
                            int column = 1) { QTest::newRow(name) << steps << column << shown << settled; };
        row("sent", {"send 1600", "+2999"}, u"Bid 1,600 sent"_s, 0);
        row("sent, Thai", {"send 1600"}, u"ส่งราคา 1,600 แล้ว"_s, 0, 0);
        row("taken", {"send 1600", "+42", bidMessage("me", 1600)}, u"Bid 1,600 taken · 42 ms"_s);
        row("taken, Thai", {"send 1600", "+42", bidMessage("me", 1600)}, u"ราคา 1,600 ได้รับแล้ว · 42 ms"_s, 1,
            0);
        row("taken with a fraction that rounds to it", {"send 1600", bidMessage("me", "1599.6")},
            u"Bid 1,600 taken · 0 ms"_s);
        row("another bidder at that amount first",
            {"send 1600", bidMessage("bob", 1600), bidMessage("me", 1600)},
            u"Bid 1,600 not taken: bob bid 1,600 first"_s);
        row("not taken, Thai", {"send 1600", bidMessage("bob", 1600)},
            u"ราคา 1,600 ไม่ได้รับ: bob เสนอ 1,600 ก่อน"_s, 1, 0);
        row("another bidder above it", {"send 1600", bidMessage("\xCA\xC1", 2000)},
            u"Bid 1,600 not taken: สม bid 2,000 first"_s);
        row("another bidder below it settles nothing", {"send 1600", bidMessage("bob", 1550)},
            u"Bid 1,600 sent"_s, 0);
        row("an own bid at another amount settles nothing", {"send 1600", bidMessage("me", 1700)},
            u"Bid 1,600 sent"_s, 0);
        row("own bids compare in letter case", {"send 1600", bidMessage("ME", 1600)},
            u"Bid 1,600 not taken: ME bid 1,600 first"_s);
        row("sold first", {"send 1600", "#COUNTS\t\xFE"}, u"Bid 1,600 not taken: the product closed"_s);
        row("closed, Thai", {"send 1600", "#COUNTS\t\xFE"}, u"ราคา 1,600 ไม่ได้รับ: ปิดการประมูลสินค้านี้แล้ว"_s, 1, 0);
        row("cancelled first", {"send 1600", "#CANCEL\t\t\xFE"},
            u"Bid 1,600 not taken: the product closed"_s);
        row("another product first",
            {"send 1600", "#BidManPInfo\tP2\tLamp\t1\t1\t1\tx\t1000\t100\ts\tTHB\t\t\xFE"},
            u"Bid 1,600 not taken: the product closed"_s);
        row("the same product again settles nothing",
            {"send 1600", "#BidManPInfo\tP1\tWatch\t1\t1\t1\tx\t1500\t100\ts\tTHB\t\t\xFE"},
            u"Bid 1,600 sent"_s, 0);
        row("no answer", {"send 1600", "+3000"}, u"No answer yet for bid 1,600"_s, 0);
        row("no answer, Thai", {"send 1600", "+3000"}, u"ยังไม่มีคำตอบสำหรับราคา 1,600"_s, 0, 0);
        row("taken after no answer", {"send 1600", "+3000", "+500", bidMessage("me", 1600)},
            u"Bid 1,600 taken · 3500 ms"_s);
        row("the connection ends", {"send 1600", "+3000", "!end"},
            u"Bid 1,600 may not have arrived: connection lost"_s);
        row("lost, Thai", {"send 1600", "!end"}, u"ราคา 1,600 อาจไม่ถึงเครื่องบริการ: การเชื่อมต่อขาดหาย"_s, 1, 0);
        row("the first that settles is final",
            {"send 1600", bidMessage("me", 1600), bidMessage("bob", 1700), "#COUNTS\t\xFE", "!end", "+5000"},
            u"Bid 1,600 taken · 0 ms"_s);
        row("a later bid replaces the one on show",
            {"send 1600", "+10", "send 1700", "+20", bidMessage("me", 1600)}, u"Bid 1,700 sent"_s, 0);
        row("the replaced bid's wait is not the new one's", {"send 1600", "+2000", "send 1700", "+1500"},
            u"Bid 1,700 sent"_s, 0);
    }
    void receipts()
    {
        QFETCH(QByteArrayList, steps);
        QFETCH(int, column);
        QFETCH(QString, shown);
        QFETCH(int, settled);
        BoardSession s;
        ManualTimeline time;
        BidReceipts receipts(time);
        s.board.setObserver(&receipts);
        int settlements = 0;
        connect(&receipts, &BidReceipts::settled, this, [&settlements] { ++settlements; });
        s.read("#BidManPInfo\tP1\tWatch\t1\t1\t1\tx\t1500\t100\ts\tTHB\t\t\xFE#GOBID\t\xFE");
        for (const QByteArray &step : steps) {
            if (step.startsWith("send "))
                receipts.sent(step.mid(5).toLongLong(), true);
            else if (step.startsWith('+'))
                time.advance(step.mid(1).toLongLong());
            else if (step == "!end")
                receipts.connectionEnded();
            else
                s.read(step);
        }
        QCOMPARE(receipts.text(column), shown);
        QCOMPARE(settlements, settled);
    }

    // The median of the last five round trips, from the first bid taken.
    void roundTrip()
    {
        BoardSession s;
        ManualTimeline time;
        BidReceipts receipts(time);
        s.board.setObserver(&receipts);
        QList<qint64> medians;
        connect(&receipts, &BidReceipts::roundTripChanged, this, [&medians](qint64 ms) { medians << ms; });
        QCOMPARE(receipts.roundTrip(), -1);
        int amount = 1000;
        for (const int ms : {40, 10, 90, 30, 1000, 20, 25}) {
            receipts.sent(++amount, true);
            time.advance(ms);
            s.read(bidMessage("me", amount));
        }
        QCOMPARE(medians, (QList<qint64>{40, 25, 40, 35, 40, 30, 30}));
    }
};

QTEST_GUILESS_MAIN(TestBidReceipts)
#include "test_bid_receipts.moc"
