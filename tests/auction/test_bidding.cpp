// What the client sends: the bid button's checks and bytes, auto-bid's answers to rivals, the maximum-price
// box, and every other message.
#include "amount.h"
#include "auction_protocol.h"
#include "auto_bid.h"
#include "bidding.h"
#include "board_session.h"
#include "test_support.h"
#include "wire_format.h"

#include <QTest>

using namespace Qt::StringLiterals;
using Steps = QList<QByteArray>;

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

    // After a product (last bid 1,000, increment 100) with bidding open, "me" goes through the steps: server
    // reads, or "!arm N" (MMax shows N when the item is chosen), "!max N" (MMax edited while armed), "!off"
    // (the item chosen again), "!bid" (a bid from the button), "!closed" (the connection ends), "!offline"
    // (no connection from then on).
    void autoBid_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("end");
        const auto bid = [](const char *bidder, int amount, int increment = 100) {
            return Wire::message({bidder, QString::number(amount), QString::number(increment), "10:00"})
                .prepend("#BID\t");
        };
        const auto sends = [](std::initializer_list<int> amounts) {
            QByteArray bytes;
            for (int amount : amounts)
                bytes += "me\tROBOT CLICK BID\t" + QByteArray::number(amount) + "\t\xFE";
            return bytes;
        };
        QTest::newRow("once per rival bid, never over its own")
            << Steps{"!arm 2,000",    bid("alice", 1100), Wire::message({"#LEFTCOUNT", "9"}),
                     bid("me", 1200), bid("bob", 1150),   bid("alice", 1300) + bid("bob", 1500)}
            << sends({1200, 1600}) << u"armed"_s;
        QTest::newRow("up to the maximum, then stops")
            << Steps{"!arm 1200", bid("alice", 1100), bid("alice", 1300), bid("alice", 1400)} << sends({1200})
            << u"stopped at 1,400"_s;
        QTest::newRow("the maximum raised while armed")
            << Steps{"!arm 1200", "!max 1,400", bid("alice", 1300)} << sends({1400}) << u"armed"_s;
        QTest::newRow("a rival's standing bid answered when armed")
            << Steps{bid("alice", 1100), "!arm 2000"} << sends({1200}) << u"armed"_s;
        QTest::newRow("a standing bid the button answered")
            << Steps{bid("alice", 1100), "!bid", "!arm 2000", Wire::message({"#LEFTCOUNT", "9"})} << sends({})
            << u"armed"_s;
        QTest::newRow("no rival bid yet") << Steps{"!arm 2000"} << sends({}) << u"armed"_s;
        // The bid button is disabled meanwhile; the last rival bid is answered once bidding reopens.
        QTest::newRow("a rival's bid while paused waits for bidding to reopen")
            << Steps{"!arm 2000",       Wire::message({"#PAUSEBID"}), bid("alice", 1100),
                     bid("bob", 1150),  Wire::message({"#GOBID"}),    Wire::message({"#GOBID"}),
                     bid("alice", 1300)}
            << sends({1250, 1400}) << u"armed"_s;
        QTest::newRow("what the button would refuse")
            << Steps{"!arm 2000", bid("alice", 1100, 0)} << sends({}) << u"armed"_s;
        for (const auto &[name, step] :
             {std::pair{"sale", Wire::message({"#COUNTS"})},
              std::pair{"cancel", Wire::message({"#CANCEL", ""})},
              std::pair{"new product", Wire::message({"#BidManPInfo", "P2", "Lamp", "1", "1000", "1000", "x",
                                                      "1000", "100", "s", "THB", ""}) +
                                           Wire::message({"#GOBID"})},
              std::pair{"user", QByteArray("!off")}, std::pair{"lost connection", QByteArray("!closed")}}) {
            QTest::addRow("disarmed by the %s", name)
                << Steps{"!arm 2000", step, bid("alice", 1100)} << sends({}) << u"off"_s;
        }
        QTest::newRow("refused without a connection")
            << Steps{"!offline", "!arm 2000"} << sends({}) << u"refused 1"_s;
        QTest::newRow("refused while bidding is closed")
            << Steps{Wire::message({"#PAUSEBID"}), "!arm 2000"} << sends({}) << u"refused 2"_s;
        QTest::newRow("refused at the last bid") << Steps{"!arm 1,000"} << sends({}) << u"refused 3"_s;
        QTest::newRow("refused without a maximum") << Steps{"!arm 0"} << sends({}) << u"refused 3"_s;
    }

    void autoBid()
    {
        QFETCH(Steps, steps);
        QFETCH(QByteArray, sent);
        QFETCH(QString, end);
        BoardSession s;
        AuctionBoard &board = s.board;
        AutoBid autoBid;
        bool connected = true;
        QByteArray sends;
        QString refused;
        const auto carryOut = [&](AutoBid::Move move) {
            if (move == AutoBid::Move::Bid) {
                Bidding::sendBid(u"me"_s, board.lbYourBid(),
                                 [&sends](const QByteArray &bytes) { return !(sends += bytes).isEmpty(); });
                autoBid.bidSent();
            }
        };
        // As the window does: after each read that brought anything.
        QObject::connect(&board, &AuctionBoard::applied, [&](AuctionBoard::Events events) {
            carryOut(autoBid.next(board, events, connected));
        });
        s.read(Wire::message({"#BidManPInfo", "P1", "Watch", "1", "1000", "1000", "nobody", "1000", "100",
                              "Shop", "THB", ""}) +
               Wire::message({"#GOBID"}));
        for (const QByteArray &step : steps) {
            const QString command = QString::fromUtf8(step).section(u' ', 0, 0);
            const QString argument = QString::fromUtf8(step).section(u' ', 1);
            if (command == u"!arm") {
                const AutoBid::Refusal refusal = autoBid.arm(board, argument, connected);
                if (refusal != AutoBid::Refusal::None)
                    refused = u"refused %1"_s.arg(int(refusal));
                carryOut(autoBid.next(board, {}, connected));
            } else if (command == u"!max") {
                autoBid.setMaximum(argument);
            } else if (command == u"!off") {
                autoBid.disarm();
            } else if (command == u"!bid") {
                autoBid.bidSent();
            } else if (command == u"!closed") {
                board.connectionClosed();
                autoBid.connectionEnded();
            } else if (command == u"!offline") {
                connected = false;
            } else {
                s.read(step);
            }
        }
        QCOMPARE(sends, sent);
        const QString states[] = {u"off"_s, u"armed"_s, "stopped at " + autoBid.stoppedAt()};
        QCOMPARE(refused.isEmpty() ? states[int(autoBid.state())] : refused, end);
    }

    void maximumLostFocus()
    {
        QStringList shown;
        for (const QString &typed : {u"1,234,567"_s, u" 2500.5 "_s, u"0"_s, u"12abc"_s, u""_s})
            shown << Bidding::MMax_LostFocus(typed);
        QCOMPARE(shown, (QStringList{u"1,234,567"_s, u"2,501"_s, QString(), u"12abc"_s, QString()}));
    }

    // TAB, CR, LF and the terminator character are blanked so that no text can add fields or end a message.
    // The announcement alone goes without a terminator.
    void outgoingMessages_data()
    {
        QTest::addColumn<QByteArray>("built");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("bid, Thai user, rounded") << Protocol::clientBid(u"สม", AmountValue(u"1,600.5"))
                                                 << "\xCA\xC1\tROBOT CLICK BID\t1601\t\xFE"_ba;
        QTest::newRow("chat") << Protocol::clientChat(u"me", u"a\tb\uF8C7c\r\nสวัสดี€😀")
                              << "UMSG\tme\ta b c  \xCA\xC7\xD1\xCA\xB4\xD5\x80?\t\xFE"_ba;
        QTest::newRow("announcement") << Protocol::announcement(u"สม") << "AuctionGO\t\xCA\xC1\t\t0\t"_ba;
        QTest::newRow("description request") << Protocol::describeRequest() << "GETPD\t\xFE"_ba;
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
