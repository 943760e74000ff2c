#include "auction_board.h"
#include "auction_socket.h"
#include "frm2bid.h"
#include "frm2bid_harness.h"
#include "global.h"
#include "history_store.h"
#include "pictures.h"

#include <QFocusEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTime>

namespace {
const QString lowPriceText = QStringLiteral("ราคาเสนอซื้อต่ำกว่าราคาประมูลน้อยที่สุด");
const QString maximumText = QStringLiteral("ขณะนี้ราคาประมูลน้อยที่สุดได้มากกว่าราคาที่คุณพอใจซื้อสูงสุดแล้วถ้าคุณกดปุ่ม OK "
                                           "โปรแกรมจะใช้อ้างอิงราคาประมูลน้อยที่สุดให้คุณ ถ้าไม่ต้องการให้กดปุ่ม Cancel");

// Last bid 1,500, increment 100; the description and the seller in Windows-874.
QByteArray productMessage(const QByteArray &address = "http://pages.test/p1.htm")
{
    const QByteArray fields =
        "#BidManPInfo\tP1\t\xB9\xD2\xCC\xD4\xA1\xD2\t2\t1000\t1200\tbob\t1500\t100\t\xC3\xE9\xD2\xB9\tTHB\t";
    return fields + address + "\t\xFE";
}

QByteArray bidMessage(const QByteArray &bidder, int amount, const QByteArray &time)
{
    return "#BID\t" + bidder + "\t" + QByteArray::number(amount) + "\t100\t" + time + "\t\xFE";
}

// The window connected to a loopback auction server as "user", past the announcement.
struct Session : Harness {
    Session()
    {
        Global::UserID = QStringLiteral("user");
        window.ConnectAuctionSocket(QStringLiteral("127.0.0.1"), peer.port());
        connected = QTest::qWaitFor([this] { return peer.received.value(0) == "AuctionGO\tuser\t\t0\t"; });
        if (connected)
            peer.received[0].clear();
    }
    void serve(const QByteArray &bytes) { peer.sockets[0]->write(bytes); }
    const QByteArray &sent() const { return peer.received[0]; }

    TcpPeer peer;
    bool connected = false;
};

// Everything the auction panel shows, as text, to compare two windows.
QStringList panel(const frm2Bid &w)
{
    QStringList shown;
    for (const QLabel *label :
         {w.PDesc, w.nQty, w.fbidat, w.MinBid, w.Hi_Bid, w.Lb_bid, w.bid_Inc, w.SellerBy, w.cCurrency})
        shown << label->objectName() + '=' + label->text();
    shown << "lbYourBid=" + w.lbYourBid->text();
    for (int row = 0; row < w.aucList->count(); ++row)
        shown << w.aucList->item(row)->text();
    shown << QStringLiteral("current=%1").arg(w.aucList->currentRow())
          << "list=" + w.aucList->palette().color(QPalette::Base).name()
          << "Hi_Bid colour=" + w.Hi_Bid->palette().color(w.Hi_Bid->foregroundRole()).name()
          << QStringLiteral("underline=%1").arg(w.Hi_Bid->font().underline());
    return shown;
}

QStringList promptTexts(const FakePrompter &prompter)
{
    QStringList texts;
    for (const Prompter::Request &request : prompter.requests)
        texts << request.text;
    return texts;
}

// GAVORA_SCREENSHOTS=folder keeps pictures of the window for a person to look at.
void screenshot(QWidget &window, const char *name)
{
    const QString folder = qEnvironmentVariable("GAVORA_SCREENSHOTS");
    if (!folder.isEmpty())
        window.grab().save(folder + QStringLiteral("/bind-%1.png").arg(QLatin1StringView(name)));
}
} // namespace

class TestFrm2BidAuction : public QObject {
    Q_OBJECT
private slots:
    void init() { Global::UserID.clear(); }

    void productReachesTheWidgets_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<QStringList>("navigations");
        QTest::newRow("web page") << QByteArray("http://pages.test/p1.htm")
                                  << QStringList{QStringLiteral("http://pages.test/p1.htm")};
        QTest::newRow("local file ignored") << QByteArray("file:///etc/passwd") << QStringList();
    }
    void productReachesTheWidgets()
    {
        QFETCH(QByteArray, address);
        QFETCH(QStringList, navigations);
        Session s;
        QVERIFY(s.connected);
        s.serve("#COUNT1\t\xFE");
        QTRY_VERIFY(!s.window.displastbid->isHidden());

        s.serve(productMessage(address));
        QTRY_COMPARE(s.window.CurrentProductID(), QStringLiteral("P1"));
        QCOMPARE(panel(s.window).mid(0, 10),
                 (QStringList{QStringLiteral("PDesc=นาฬิกา"), "nQty=2", "fbidat=1,000", "MinBid=1,200",
                              "Hi_Bid=bob", "Lb_bid=1,500", "bid_Inc=100", QStringLiteral("SellerBy=ร้าน"),
                              "cCurrency=Currency = THB", "lbYourBid=1,600"}));
        QCOMPARE(s.fakeView(s.window.webBid)->navigations, navigations);
        QVERIFY(s.window.displastbid->isHidden());
        QVERIFY(s.window.img_count->isHidden());
    }

    void manyBidsInOneReadUpdateTheWidgetsOnce()
    {
        Session s;
        QVERIFY(s.connected);
        s.window.show();
        s.serve(productMessage());
        QTRY_COMPARE(s.window.CurrentProductID(), QStringLiteral("P1"));

        QList<QByteArray> messages;
        QByteArray stream;
        for (int i = 0; i < 5000; ++i) {
            const QByteArray bidder = i % 3 == 0 ? "user" : "bidder" + QByteArray::number(i % 7);
            // Every fifth bid is not higher than the one before.
            const int amount = 1600 + 10 * i - (i % 5 == 0 ? 15 : 0);
            const QByteArray time = QTime(10, 0).addSecs(i).toString(QStringLiteral("HH:mm:ss")).toLatin1();
            messages << bidMessage(bidder, amount, time);
            stream += messages.last();
        }

        // Let the whole stream arrive before the window takes it, so that it comes as one read.
        QTcpSocket *socket = nullptr;
        for (QTcpSocket *candidate : s.window.wsk_tcp->findChildren<QTcpSocket *>()) {
            if (candidate->state() == QAbstractSocket::ConnectedState)
                socket = candidate;
        }
        QVERIFY(socket);
        {
            const QSignalBlocker hold(s.window.wsk_tcp);
            s.serve(stream);
            QTRY_COMPARE(socket->bytesAvailable(), stream.size());
        }
        QSignalSpy changed(&s.window.board(), &AuctionBoard::changed);
        QSignalSpy inserted(s.window.aucList->model(), &QAbstractItemModel::rowsInserted);
        s.window.wsk_tcp_DataArrival();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(inserted.count(), 1);

        QCOMPARE(s.window.aucList->count(), AuctionBoard::maxListLines);
        QCOMPARE(s.window.aucList->currentRow(), AuctionBoard::maxListLines - 1);
        QVERIFY(s.window.aucList->currentItem()->isSelected());
        QCOMPARE(s.window.aucList->currentItem()->text(),
                 QStringLiteral("AT  51,590  By  bidder1 Time : 11:23:19"));
        const QScrollBar *scroll = s.window.aucList->verticalScrollBar();
        QTRY_VERIFY(scroll->maximum() > 0);
        QCOMPARE(scroll->value(), scroll->maximum());

        // The same messages one read each, as the receive path hands them over.
        Harness separate;
        separate.window.board().setUserId(QStringLiteral("user"));
        const auto deliver = [&separate](const QByteArray &message) {
            separate.window.board().handleMessage(QByteArrayView(message).chopped(1));
            separate.window.board().flush();
        };
        deliver(productMessage());
        for (const QByteArray &message : std::as_const(messages))
            deliver(message);
        QCOMPARE(panel(separate.window), panel(s.window));
    }

    void coloursFollowTheLatestBidder_data()
    {
        QTest::addColumn<QList<QByteArray>>("bids");
        QTest::addColumn<QString>("highBidder");
        QTest::addColumn<QColor>("list");
        QTest::addColumn<QColor>("highBidderColour");
        QTest::addColumn<bool>("underline");
        const QColor ownList(192, 192, 255);
        const QColor otherList(255, 224, 192);
        const QColor own(0, 0, 0);
        const QColor other(0, 0, 192);
        const QByteArray t = "10:00:01";
        QTest::newRow("own bid") << QList{bidMessage("alice", 1600, t), bidMessage("user", 1700, t)} << "user"
                                 << ownList << own << true;
        QTest::newRow("other's bid") << QList{bidMessage("user", 1600, t), bidMessage("alice", 1700, t)}
                                     << "alice" << otherList << other << false;
        QTest::newRow("other's lower bid") << QList{bidMessage("user", 1700, t), bidMessage("alice", 1600, t)}
                                           << "user" << otherList << other << false;
        QTest::newRow("own lower bid") << QList{bidMessage("alice", 1700, t), bidMessage("user", 1600, t)}
                                       << "alice" << ownList << own << true;
    }
    void coloursFollowTheLatestBidder()
    {
        QFETCH(QList<QByteArray>, bids);
        QFETCH(QString, highBidder);
        QFETCH(QColor, list);
        QFETCH(QColor, highBidderColour);
        QFETCH(bool, underline);
        Session s;
        QVERIFY(s.connected);
        s.serve(productMessage());
        // One read per bid, so the first bid's colours are shown before the second changes them.
        for (const QByteArray &bid : std::as_const(bids)) {
            const int lines = s.window.aucList->count();
            s.serve(bid);
            QTRY_COMPARE(s.window.aucList->count(), lines + 1);
        }
        QCOMPARE(s.window.Hi_Bid->text(), highBidder);
        QCOMPARE(s.window.aucList->palette().color(QPalette::Base), list);
        QCOMPARE(s.window.Hi_Bid->palette().color(s.window.Hi_Bid->foregroundRole()), highBidderColour);
        QCOMPARE(s.window.Hi_Bid->font().underline(), underline);
        if (QByteArrayView(QTest::currentDataTag()) == "other's bid")
            screenshot(s.window, "other-bid");
    }

    void countdownStages_data()
    {
        QTest::addColumn<QByteArray>("keyword");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("stage 1") << QByteArray("#COUNT1") << 1 << QSize(150, 150);
        QTest::newRow("stage 2") << QByteArray("#COUNT2") << 2 << QSize(150, 150);
        QTest::newRow("stage 3") << QByteArray("#COUNT3") << 3 << QSize(150, 150);
        QTest::newRow("sold") << QByteArray("#COUNTS") << 4 << QSize(200, 150);
    }
    void countdownStages()
    {
        QFETCH(QByteArray, keyword);
        QFETCH(int, picture);
        QFETCH(QSize, size);
        const bool sold = picture == AuctionBoard::soldPicture;
        Session s;
        QVERIFY(s.connected);
        s.serve(productMessage() + "#GOBID\t\xFE#LEFTCOUNT\t7\t\xFE" + bidMessage("alice", 1600, "10:00:05"));
        QTRY_COMPARE(s.window.aucList->count(), 1);
        QVERIFY(s.window.GOBID->isEnabled());

        s.serve(keyword + "\t\xFE");
        QTRY_VERIFY(!s.window.img_count->isHidden());
        QCOMPARE(s.window.img_count->pixmap().toImage(), Pictures::countdown(picture).toImage());
        QCOMPARE(s.window.img_count->size(), size);
        QCOMPARE(s.window.img_count->x(), (s.window.PFInfo->width() - size.width()) / 2);
        QVERIFY(!s.window.displastbid->isHidden());
        QCOMPARE(s.window.displastbid->text(), QStringLiteral("1,600"));
        QCOMPARE(s.window.displastbid->x(), (s.window.webBid->width() - s.window.displastbid->width()) / 2);
        QCOMPARE(s.window.GOBID->isEnabled(), !sold);
        QCOMPARE(s.window.aucList->count(), sold ? 0 : 1);
        QCOMPARE(s.window.countDown->value(), sold ? 0 : 7);
        // The sale is recorded from the panel as it was before the sale cleared the list.
        const QList<QStringList> records = History::readRows();
        QCOMPARE(records.size(), sold ? 1 : 0);
        if (sold) {
            QCOMPARE(records[0].mid(0, 6), (QStringList{"user", "P1", QStringLiteral("นาฬิกา"), "alice",
                                                        "1,600", QStringLiteral("ร้าน")}));
            QCOMPARE(records[0][7], QStringLiteral("10:00:05"));
        }
        if (picture == 2)
            screenshot(s.window, "stage2");
        if (sold)
            screenshot(s.window, "sold");

        s.serve("#COUNTCANCEL\t\xFE");
        QTRY_VERIFY(s.window.img_count->isHidden());
        QVERIFY(s.window.displastbid->isHidden());
    }

    void bidding_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<Prompter::Answer>("answer");
        QTest::addColumn<bool>("button");
        QTest::addColumn<QByteArray>("whileAsked");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("maximumAfter");
        const auto ok = Prompter::Answer::Ok;
        const QByteArray none;
        QTest::newRow("Enter while bidding is closed")
            << ""
            << "0" << ok << false << none << "" << QByteArray("user\tROBOT CLICK BID\t1600\t\xFE") << "0";
        QTest::newRow("bid button") << "1501"
                                    << "" << ok << true << none << ""
                                    << QByteArray("user\tROBOT CLICK BID\t1501\t\xFE") << "";
        QTest::newRow("not above the last bid")
            << "1,500"
            << "0" << ok << false << none << lowPriceText << QByteArray() << "0";
        QTest::newRow("above the maximum, OK") << "2100"
                                               << "2,000" << ok << false << none << maximumText
                                               << QByteArray("user\tROBOT CLICK BID\t2100\t\xFE") << "2,100";
        QTest::newRow("above the maximum, Cancel")
            << "2100"
            << "2,000" << Prompter::Answer::Cancel << true << none << maximumText << QByteArray() << "2,000";
        // The user accepts the lowest price as it stands when answering, not as it stood when asked.
        QTest::newRow("bid arrives under the question")
            << ""
            << "1,550" << ok << false << bidMessage("alice", 1600, "10:00:09") << maximumText
            << QByteArray("user\tROBOT CLICK BID\t1700\t\xFE") << "1,700";
    }
    void bidding()
    {
        QFETCH(QString, typed);
        QFETCH(QString, maximum);
        QFETCH(Prompter::Answer, answer);
        QFETCH(bool, button);
        QFETCH(QByteArray, whileAsked);
        QFETCH(QString, prompt);
        QFETCH(QByteArray, sent);
        QFETCH(QString, maximumAfter);
        Session s;
        QVERIFY(s.connected);
        s.serve(productMessage() + (button ? "#GOBID\t\xFE" : ""));
        QTRY_COMPARE(s.window.CurrentProductID(), QStringLiteral("P1"));
        QTRY_COMPARE(s.window.GOBID->isEnabled(), button);

        s.window.MMax->setText(maximum);
        if (!typed.isEmpty()) {
            s.window.lbYourBid->selectAll();
            QTest::keyClicks(s.window.lbYourBid, typed);
        }
        s.prompter.queueAnswer(answer);
        if (!whileAsked.isEmpty()) {
            s.prompter.whileOpen = [&s, whileAsked] {
                s.serve(whileAsked);
                QTRY_COMPARE(s.window.aucList->count(), 1);
            };
        }
        if (button)
            QTest::mouseClick(s.window.GOBID, Qt::LeftButton);
        else
            QTest::keyClick(s.window.lbYourBid, Qt::Key_Return);
        QCOMPARE(promptTexts(s.prompter), prompt.isEmpty() ? QStringList() : QStringList{prompt});
        QCOMPARE(s.window.MMax->text(), maximumAfter);
        // A chat line sent after the bid shows whether anything went out before it.
        s.window.txtSend->setText(QStringLiteral("sync"));
        s.window.ButSend->click();
        QTRY_COMPARE(s.sent(), sent + "UMSG\tuser\tsync\t\xFE");
    }

    void biddingWithoutConnection()
    {
        Harness h;
        h.window.lbYourBid->selectAll();
        QTest::keyClicks(h.window.lbYourBid, QStringLiteral("100"));
        QTest::keyClick(h.window.lbYourBid, Qt::Key_Return);
        QCOMPARE(promptTexts(h.prompter), QStringList{QStringLiteral("Disconnect....")});
        QCOMPARE(h.prompter.requests[0].icon, Prompter::Icon::Critical);
    }

    void maximumReformatsWhenLeft_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("thousands") << "2500"
                                   << "2,500";
        QTest::newRow("zero") << "0"
                              << "";
    }
    void maximumReformatsWhenLeft()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Harness h;
        h.window.MMax->setText(typed);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(h.window.MMax, &out);
        QCOMPARE(h.window.MMax->text(), shown);
    }

    void chatSent_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("button");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("Enter") << "hello" << false << QByteArray("UMSG\tuser\thello\t\xFE");
        QTest::newRow("empty line") << "" << false << QByteArray("UMSG\tuser\t\t\xFE");
        QTest::newRow("Send button, Thai")
            << QStringLiteral("สวัสดี") << true << QByteArray("UMSG\tuser\t\xCA\xC7\xD1\xCA\xB4\xD5\t\xFE");
    }
    void chatSent()
    {
        QFETCH(QString, text);
        QFETCH(bool, button);
        QFETCH(QByteArray, sent);
        Session s;
        QVERIFY(s.connected);
        s.window.txtSend->setText(text);
        if (button)
            QTest::mouseClick(s.window.ButSend, Qt::LeftButton);
        else
            QTest::keyClick(s.window.txtSend, Qt::Key_Return);
        QCOMPARE(s.window.txtSend->text(), QString());
        QTRY_COMPARE(s.sent(), sent);
        QCOMPARE(s.window.msgchat->toPlainText(), QString());
    }

    void chatReceived_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("replaces") << QByteArray("ann\tgood morning\t\xFE") << "good morning";
        QTest::newRow("Thai") << QByteArray("x\t\xCA\xC7\xD1\xCA\xB4\xD5\t\xFE") << QStringLiteral("สวัสดี");
        QTest::newRow("no text field") << QByteArray("hello\xFE") << "";
    }
    void chatReceived()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        Session s;
        QVERIFY(s.connected);
        s.serve("x\told\t\xFE");
        QTRY_COMPARE(s.window.msgchat->toPlainText(), QStringLiteral("old"));
        s.serve(bytes);
        QTRY_COMPARE(s.window.msgchat->toPlainText(), shown);
    }
};

QTEST_MAIN(TestFrm2BidAuction)
#include "tst_frm2bid_auction.moc"
