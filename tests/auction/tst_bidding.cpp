#include "bidding.h"
#include "test_support.h"

#include <QTest>

using Answers = QList<Prompter::Answer>;

namespace {
// A message box as "title|icon|buttons|text" (icon and buttons by their enum values).
const QString lowPrice = QStringLiteral("Gavora.Com|1|0|ราคาเสนอซื้อต่ำกว่าราคาประมูลน้อยที่สุด");
const QString disconnected = QStringLiteral("Gavora|3|0|Disconnect....");
const QString overMaximum =
    QStringLiteral("Gavora|4|1|ขณะนี้ราคาประมูลน้อยที่สุดได้มากกว่าราคาที่คุณพอใจซื้อสูงสุดแล้วถ้าคุณกดปุ่ม OK "
                   "โปรแกรมจะใช้อ้างอิงราคาประมูลน้อยที่สุดให้คุณ ถ้าไม่ต้องการให้กดปุ่ม Cancel");
} // namespace

class TestBidding : public QObject {
    Q_OBJECT

private slots:
    void goBid_data()
    {
        QTest::addColumn<QString>("lastBid");
        QTest::addColumn<QString>("yourBid");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<Bidding::Outcome>("outcome");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("maximumAfter");
        QTest::addColumn<QByteArray>("sent");

        const QByteArray none;
        QTest::newRow("equal to last bid")
            << "1,500"
            << "1,500"
            << "0" << true << Answers{} << Bidding::Outcome::TooLow << lowPrice << "0" << none;
        QTest::newRow("below last bid")
            << "1,500"
            << "900"
            << "0" << true << Answers{} << Bidding::Outcome::TooLow << lowPrice << "0" << none;
        QTest::newRow("one above, increment not required")
            << "1,500"
            << "1,501"
            << "0" << true << Answers{} << Bidding::Outcome::Sent << QString() << "0"
            << QByteArray("me\tROBOT CLICK BID\t1501\t\xFE");
        QTest::newRow("price checked before connection")
            << "1,500"
            << "1,000"
            << "" << false << Answers{} << Bidding::Outcome::TooLow << lowPrice << "" << none;
        QTest::newRow("no connection")
            << "1,500"
            << "1,600"
            << "" << false << Answers{} << Bidding::Outcome::Disconnected << disconnected << "" << none;
        QTest::newRow("maximum empty") << "1,500"
                                       << "99,999"
                                       << "" << true << Answers{} << Bidding::Outcome::Sent << QString() << ""
                                       << QByteArray("me\tROBOT CLICK BID\t99999\t\xFE");
        QTest::newRow("maximum not a number")
            << "1,500"
            << "1,600"
            << "abc" << true << Answers{} << Bidding::Outcome::Sent << QString() << "abc"
            << QByteArray("me\tROBOT CLICK BID\t1600\t\xFE");
        QTest::newRow("maximum equal") << "1,500"
                                       << "2,100"
                                       << "2,100" << true << Answers{} << Bidding::Outcome::Sent << QString()
                                       << "2,100" << QByteArray("me\tROBOT CLICK BID\t2100\t\xFE");
        QTest::newRow("maximum exceeded, OK")
            << "1,500"
            << "2,100"
            << "2,000" << true << Answers{Prompter::Answer::Ok} << Bidding::Outcome::Sent << overMaximum
            << "2,100" << QByteArray("me\tROBOT CLICK BID\t2100\t\xFE");
        QTest::newRow("maximum exceeded, Cancel")
            << "1,500"
            << "2,100"
            << "2000" << true << Answers{Prompter::Answer::Cancel} << Bidding::Outcome::MaximumDeclined
            << overMaximum << "2000" << none;
    }

    void goBid()
    {
        QFETCH(QString, lastBid);
        QFETCH(QString, yourBid);
        QFETCH(QString, maximum);
        QFETCH(bool, connected);
        QFETCH(Answers, answers);
        QFETCH(Bidding::Outcome, outcome);
        QFETCH(QString, prompt);
        QFETCH(QString, maximumAfter);
        QFETCH(QByteArray, sent);

        FakePrompter prompter;
        for (Prompter::Answer answer : answers)
            prompter.queueAnswer(answer);
        QList<QByteArray> sends;
        const Bidding::Result result = Bidding::GOBID_Click(
            lastBid, [&yourBid] { return yourBid; }, maximum, connected, QStringLiteral("me"), prompter,
            [&sends](const QByteArray &bytes) { sends.append(bytes); });
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(maximum, maximumAfter);
        QCOMPARE(sends, sent.isEmpty() ? QList<QByteArray>() : QList<QByteArray>{sent});
        QCOMPARE(result.sound, sent.isEmpty() ? QString() : QStringLiteral("Sounds/msgtype.wav"));
        QStringList prompts;
        for (const Prompter::Request &r : prompter.requests)
            prompts << QStringLiteral("%1|%2|%3|%4")
                           .arg(r.title)
                           .arg(int(r.icon))
                           .arg(int(r.buttons))
                           .arg(r.text);
        QCOMPARE(prompts, prompt.isEmpty() ? QStringList() : QStringList{prompt});
    }

    void maximumLostFocus_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "2500"
                               << "2,500";
        QTest::newRow("grouped") << "1,234,567"
                                 << "1,234,567";
        QTest::newRow("blanks and fraction") << " 2500.5 "
                                             << "2,501";
        QTest::newRow("zero empties") << "0"
                                      << "";
        QTest::newRow("empty stays") << ""
                                     << "";
        QTest::newRow("text stays") << "abc"
                                    << "abc";
        QTest::newRow("trailing text stays") << "12abc"
                                             << "12abc";
        QTest::newRow("ten digits") << "1234567890"
                                    << "1,234,567,890";
    }

    void maximumLostFocus()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(Bidding::MMax_LostFocus(typed), shown);
    }
};

QTEST_GUILESS_MAIN(TestBidding)
#include "tst_bidding.moc"
