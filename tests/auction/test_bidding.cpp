// What the client sends: the bid button's checks and bytes, the maximum-price box, and every other message.
#include "auction_messages.h"
#include "bidding.h"
#include "test_support.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// A message box as "title|icon|buttons|text" (icon and buttons by their enum values).
const QString lowPrice = u"Gavora.Com|1|0|ราคาเสนอซื้อต่ำกว่าราคาประมูลน้อยที่สุด"_s;
const QString disconnected = u"Gavora|3|0|Disconnect...."_s;
const QString overMaximum = u"Gavora|4|1|ขณะนี้ราคาประมูลน้อยที่สุดได้มากกว่าราคาที่คุณพอใจซื้อสูงสุดแล้วถ้าคุณกดปุ่ม OK "
                            u"โปรแกรมจะใช้อ้างอิงราคาประมูลน้อยที่สุดให้คุณ ถ้าไม่ต้องการให้กดปุ่ม Cancel"_s;
} // namespace

class TestBidding : public QObject {
    Q_OBJECT

private slots:
    // The last bid shown is 1,500 throughout. "lost": connected when pressed, gone when the bid would go out.
    // Prompts are joined by line breaks.
    void goBid_data()
    {
        QTest::addColumn<QString>("yourBid");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<QString>("connection");
        QTest::addColumn<Prompter::Answer>("answer");
        QTest::addColumn<Bidding::Outcome>("outcome");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("maximumAfter");
        QTest::addColumn<QByteArray>("sent");
        using enum Bidding::Outcome;
        const auto ok = Prompter::Answer::Ok;
        const QString none;
        const QByteArray bid2100("me\tROBOT CLICK BID\t2100\t\xFE");
        const QString up = u"up"_s, down = u"down"_s, lost = u"lost"_s;
        QTest::newRow("equal") << u"1,500"_s << none << up << ok << TooLow << lowPrice << none
                               << QByteArray();
        QTest::newRow("lower, checked before the connection")
            << u"900"_s << none << down << ok << TooLow << lowPrice << none << QByteArray();
        QTest::newRow("one above, maximum 0") << u"1,501"_s << u"0"_s << up << ok << Sent << none << u"0"_s
                                              << QByteArray("me\tROBOT CLICK BID\t1501\t\xFE");
        QTest::newRow("no connection")
            << u"1,600"_s << none << down << ok << Disconnected << disconnected << none << QByteArray();
        QTest::newRow("maximum empty") << u"99,999"_s << none << up << ok << Sent << none << none
                                       << QByteArray("me\tROBOT CLICK BID\t99999\t\xFE");
        QTest::newRow("maximum equal")
            << u"2,100"_s << u"2,100"_s << up << ok << Sent << none << u"2,100"_s << bid2100;
        QTest::newRow("above the maximum, OK")
            << u"2,100"_s << u"2000"_s << up << ok << Sent << overMaximum << u"2,100"_s << bid2100;
        QTest::newRow("connection lost during the question, OK")
            << u"2,100"_s << u"2000"_s << lost << ok << Disconnected << overMaximum + '\n' + disconnected
            << u"2000"_s << QByteArray();
        QTest::newRow("above the maximum, Cancel")
            << u"2,100"_s << u"2000"_s << up << Prompter::Answer::Cancel << MaximumDeclined << overMaximum
            << u"2000"_s << QByteArray();
    }

    void goBid()
    {
        QFETCH(QString, yourBid);
        QFETCH(QString, maximum);
        QFETCH(QString, connection);
        QFETCH(Prompter::Answer, answer);
        QFETCH(Bidding::Outcome, outcome);
        QFETCH(QString, prompt);
        QFETCH(QString, maximumAfter);
        QFETCH(QByteArray, sent);
        FakePrompter prompter;
        prompter.queueAnswer(answer);
        QByteArray sends;
        const Bidding::Result result = Bidding::GOBID_Click(
            u"1,500"_s, [&yourBid] { return yourBid; }, maximum, connection != u"down", u"me"_s, prompter,
            [&sends, &connection](const QByteArray &bytes) {
                if (connection != u"up")
                    return false;
                sends += bytes;
                return true;
            });
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.sound.isEmpty(), outcome != Bidding::Outcome::Sent);
        QCOMPARE(maximum, maximumAfter);
        QCOMPARE(sends, sent);
        QStringList prompts;
        for (const Prompter::Request &r : prompter.requests)
            prompts << u"%1|%2|%3|%4"_s.arg(r.title).arg(int(r.icon)).arg(int(r.buttons)).arg(r.text);
        QCOMPARE(prompts.join(u'\n'), prompt);
    }

    void maximumLostFocus()
    {
        QStringList shown;
        for (const QString &typed : {u"1,234,567"_s, u" 2500.5 "_s, u"0"_s, u"12abc"_s, u""_s})
            shown << Bidding::MMax_LostFocus(typed);
        QCOMPARE(shown, (QStringList{u"1,234,567"_s, u"2,501"_s, QString(), u"12abc"_s, QString()}));
    }

    // TAB, CR, LF and the terminator character are blanked so that no text can add fields or end a message.
    // The announcement, an empty chat line and the description request are on the wire in the window's tests.
    void outgoingMessages_data()
    {
        QTest::addColumn<QByteArray>("built");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("bid, Thai user, rounded")
            << AuctionMessages::bid(u"สม", u"1,600.5") << "\xCA\xC1\tROBOT CLICK BID\t1601\t\xFE"_ba;
        QTest::newRow("chat") << AuctionMessages::chat(u"me", u"a\tb\uF8C7c\r\nสวัสดี€😀")
                              << "UMSG\tme\ta b c  \xCA\xC7\xD1\xCA\xB4\xD5\x80?\t\xFE"_ba;
    }

    void outgoingMessages()
    {
        QFETCH(QByteArray, built);
        QFETCH(QByteArray, bytes);
        QCOMPARE(built, bytes);
    }
};

QTEST_GUILESS_MAIN(TestBidding)
#include "test_bidding.moc"
