#include "auction_board.h"
#include "auction_panel.h"
#include "auction_socket.h"
#include "fake_web_view.h"
#include "frm2bid.h"
#include "frm2bid_controls.h"
#include "global.h"
#include "history_store.h"
#include "loopback_peers.h"
#include "pictures.h"
#include "test_support.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTime>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {
const QString maximumText = u"ขณะนี้ราคาประมูลน้อยที่สุดได้มากกว่าราคาที่คุณพอใจซื้อสูงสุดแล้วถ้าคุณกดปุ่ม OK "
                            u"โปรแกรมจะใช้อ้างอิงราคาประมูลน้อยที่สุดให้คุณ ถ้าไม่ต้องการให้กดปุ่ม Cancel"_s;

// Last bid 1,500, increment 100; the description and the seller in Windows-874.
QByteArray productMessage(const QByteArray &address = "http://pages.test/p1.htm")
{
    const QByteArray fields =
        "#BidManPInfo\tP1\t\xB9\xD2\xCC\xD4\xA1\xD2\t2\t1000\t1200\tbob\t1500\t100\t\xC3\xE9\xD2\xB9\tTHB\t";
    return fields + address + "\t\xFE";
}

QByteArray bidMessage(const QByteArray &bidder, int amount, const QByteArray &time = "10:00:01")
{
    return "#BID\t" + bidder + "\t" + QByteArray::number(amount) + "\t100\t" + time + "\t\xFE";
}

// A real message box runs the event loop while it is open; whileOpen stands for what happens meanwhile.
class OpenBoxPrompter : public FakePrompter {
public:
    Answer ask(const Request &request) override
    {
        if (whileOpen)
            whileOpen();
        return FakePrompter::ask(request);
    }
    std::function<void()> whileOpen;
};

// The main window in a fresh work folder, with fake web views, scripted message boxes and loopback servers.
struct Harness {
    Harness()
        : window({.prompter = &prompter,
                  .webViewFactory = FakeWebView::factory(),
                  .beep = [this] { ++beeps; },
                  .signInTimeout = 2000ms})
    {}

    void signIn(const QString &name, quint16 port, quint16 webPort = 0)
    {
        writeHostIni(dir.path(), "127.0.0.1:" + QString::number(webPort ? webPort : web.port()),
                     QString::number(port));
        window.MLN_Click();
        window.signInWindow()->txtUserName->setText(name);
        window.signInWindow()->txtPassword->setText(u"pw"_s);
        window.signInWindow()->cmdOK->click();
    }
    // Connected as "user", past the announcement. The name typed into the sign-in window last is another.
    bool connect()
    {
        Global::UserID = u"typed"_s;
        window.ConnectAuctionSocket(u"127.0.0.1"_s, peer.port(), u"user"_s);
        Global::UserID = u"typed later"_s;
        const bool announced = QTest::qWaitFor([this] { return peer.received == "AuctionGO\tuser\t\t0\t"; });
        peer.received.clear();
        return announced;
    }

    TempWorkDir dir;
    OpenBoxPrompter prompter;
    int beeps = 0;
    LoopbackHttp web;
    ScriptedPeer peer;
    frm2Bid window;
    Frm2BidControls ui{window};
};

// Everything the auction panel shows, as text, to compare two windows.
QStringList panel(const Frm2BidControls &w)
{
    QStringList shown;
    for (const QLabel *label :
         {w.PDesc, w.nQty, w.fbidat, w.MinBid, w.Hi_Bid, w.Lb_bid, w.bid_Inc, w.SellerBy, w.cCurrency})
        shown << label->objectName() + '=' + label->text();
    shown << "lbYourBid=" + w.lbYourBid->text();
    for (int row = 0; row < w.aucList->count(); ++row)
        shown << w.aucList->item(row)->text();
    shown << u"current=%1"_s.arg(w.aucList->currentRow())
          << "list=" + w.aucList->palette().color(QPalette::Base).name()
          << "Hi_Bid colour=" + w.Hi_Bid->palette().color(w.Hi_Bid->foregroundRole()).name()
          << u"underline=%1"_s.arg(w.Hi_Bid->font().underline());
    return shown;
}
} // namespace

class TestFrm2Bid : public QObject {
    Q_OBJECT
private slots:
    void init() { Global::UserID.clear(); }

    void designState()
    {
        Harness h;
        QCOMPARE(h.ui.stbPanel2->text(), u"UID :"_s);
        QVERIFY(!h.ui.GOBID->isEnabled());
        QVERIFY(h.ui.displastbid->isHidden());
        QCOMPARE(panel(h.ui).mid(2, 8),
                 (QStringList{"fbidat=0", "MinBid=0", "Hi_Bid=0", "Lb_bid=0", "bid_Inc=0",
                              "SellerBy=", "cCurrency=Currency = ", "lbYourBid=0"}));
        QCOMPARE(h.ui.MMax->text(), u"0"_s);
        const QList<QPair<QString, QRect>> design{{u"PFInfo"_s, {460, 96, 291, 267}},
                                                  {u"GOBID"_s, {596, 436, 67, 59}},
                                                  {u"but_Regis"_s, {4, 6, 43, 35}},
                                                  {u"lbYourBid"_s, {130, 212, 135, 34}}};
        for (const auto &[name, rect] : design)
            QCOMPARE(h.window.findChild<QWidget *>(name)->geometry(), rect);
        QCOMPARE(h.ui.lbYourBid->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(h.ui.MMax->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }

    // Not even a lost connection while one is open makes a second.
    void oneSignInWindow()
    {
        Harness h;
        h.window.MLN_Click();
        QPointer<frmLogin> first = h.window.signInWindow();
        first->txtUserName->setText(u"typed"_s);
        h.window.MLN_Click();
        h.window.auctionPanel().wsk_tcp_Close();
        QCOMPARE(h.window.signInWindow(), first.data());
        QCOMPARE(h.window.findChildren<frmLogin *>().size(), 1);
        QCOMPARE(first->txtUserName->text(), u"typed"_s);
    }

    // Signing in again reconnects to the host and port read at that press.
    void signInConnectsAndAnnounces()
    {
        Harness h;
        ScriptedPeer second;
        h.signIn(u"สมชาย\tx"_s, h.peer.port());
        QTRY_COMPARE(h.ui.stbPanel2->text(), u"UID :  4711"_s);
        QTRY_COMPARE(h.peer.received, "AuctionGO\t\xCA\xC1\xAA\xD2\xC2 x\t\t0\t"_ba);
        QCOMPARE(h.beeps, 1);
        QVERIFY(!h.window.signInWindow());
        h.signIn(u"bob"_s, second.port());
        QTRY_COMPARE(second.received, "AuctionGO\tbob\t\t0\t"_ba);
        QTRY_VERIFY(!h.peer.hasClient());
        QCOMPARE(h.peer.received, "AuctionGO\t\xCA\xC1\xAA\xD2\xC2 x\t\t0\t"_ba);
        QCOMPARE(h.beeps, 2);
        QVERIFY(h.prompter.requests.isEmpty());
    }

    // Signed in and connected as alice, a second sign-in that does not succeed changes nothing on the
    // connection: bids, chat, the own-bid colours and the history go on as alice.
    void secondSignInLeavesTheConnectionAlone_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QString>("userIdAfter");
        QTest::newRow("rejected, then cancelled") << u"rejected"_s << QString();
        QTest::newRow("no answer, then cancelled") << u"failed"_s << u"mallory"_s;
        QTest::newRow("still being checked") << u"pending"_s << u"mallory"_s;
        QTest::newRow("cancelled while checked") << u"cancelled"_s << u"mallory"_s;
    }
    void secondSignInLeavesTheConnectionAlone()
    {
        QFETCH(QString, ending);
        QFETCH(QString, userIdAfter);
        Harness h;
        h.signIn(u"alice"_s, h.peer.port());
        QTRY_COMPARE(h.peer.received, "AuctionGO\talice\t\t0\t"_ba);
        h.peer.received.clear();
        h.peer.send(productMessage() + "#GOBID\t\xFE");
        QTRY_COMPARE(h.window.auctionPanel().CurrentProductID(), u"P1"_s);

        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        if (ending == u"rejected") {
            h.web.signInStatus = "500 Internal Server Error";
            h.web.signInBody = "ERROR";
        } else if (ending != u"failed") {
            h.web.answers = false;
        }
        h.signIn(u"mallory"_s, h.peer.port(), ending == u"failed" ? closed.serverPort() : 0);
        QPointer<frmLogin> login = h.window.signInWindow();
        if (ending == u"rejected" || ending == u"failed") {
            QTRY_COMPARE(h.prompter.requests.size(), 1);
            QCOMPARE(h.prompter.requests[0].text == u"พบข้อผิดพลาด.... กรุณาลองใหม่อีกครั้ง"_s,
                     ending == u"rejected");
            QCOMPARE(login->state(), frmLogin::State::Entry);
            QCOMPARE(login->txtUserName->text().isEmpty(), ending == u"rejected");
        } else {
            QTRY_COMPARE(h.web.requestLines.size(), 2);
        }
        if (ending != u"pending") {
            login->cmdCancel->click();
            QTRY_VERIFY(login.isNull());
        }
        QCOMPARE(Global::UserID, userIdAfter);

        QTest::keyClick(h.ui.lbYourBid, Qt::Key_Return);
        h.ui.txtSend->setText(u"hi"_s);
        h.ui.ButSend->click();
        QTRY_COMPARE(h.peer.received, "alice\tROBOT CLICK BID\t1600\t\xFE"
                                      "UMSG\talice\thi\t\xFE"_ba);
        h.peer.send(bidMessage("mallory", 1600) + bidMessage("alice", 1700));
        QTRY_COMPARE(h.ui.Hi_Bid->text(), u"alice"_s);
        QVERIFY(h.ui.Hi_Bid->font().underline());
        h.peer.send("#COUNTS\t\xFE");
        QTRY_COMPARE(History::readRows().value(0).value(0), u"alice"_s);
        QCOMPARE(h.peer.connectionCount(), 1);
        QCOMPARE(h.prompter.requests.size(), ending == u"rejected" || ending == u"failed" ? 1 : 0);
    }

    // A sale that cannot be written is told once, after the socket's handler has returned; the auction goes
    // on and the old file stays as it was.
    void saleThatCannotBeRecorded()
    {
        Harness h;
        QVERIFY(h.connect());
        h.peer.send(productMessage() + "#GOBID\t\xFE" + bidMessage("alice", 1600) + "#COUNTS\t\xFE");
        QTRY_COMPARE(History::readRows().size(), 1);
        const QString file = h.dir.filePath(u"AuctHist.bid"_s);
        const QByteArray before = readWholeFile(file);
        const ReadOnlyFolder readOnly(h.dir.path());
        if (!readOnly.isReadOnly())
            QSKIP("this file system cannot make the folder read-only");

        auto *socket = h.window.auctionPanel().wsk_tcp->findChild<QTcpSocket *>();
        {
            const QSignalBlocker hold(h.window.auctionPanel().wsk_tcp);
            h.peer.send(productMessage() + "#GOBID\t\xFE" + bidMessage("bob", 1700) + "#COUNTS\t\xFE");
            QTRY_VERIFY(socket->bytesAvailable() > 0);
        }
        h.window.auctionPanel().wsk_tcp_DataArrival();
        QCOMPARE(h.ui.aucList->count(), 0);
        QVERIFY(h.prompter.requests.isEmpty());
        QTRY_COMPARE(h.prompter.requests.size(), 1);
        QCOMPARE(h.prompter.requests[0].title, u"Gavora"_s);
        QVERIFY2(h.prompter.requests[0].text.contains(file), qPrintable(h.prompter.requests[0].text));
        QCOMPARE(readWholeFile(file), before);

        h.peer.send(productMessage() + "#GOBID\t\xFE");
        QTRY_VERIFY(h.ui.GOBID->isEnabled());
        h.ui.GOBID->click();
        QTRY_COMPARE(h.peer.received, "user\tROBOT CLICK BID\t1600\t\xFE"_ba);
        QCOMPARE(h.prompter.requests.size(), 1);
    }

    // Both reset every control and reopen the sign-in window; only the unreachable server warns. A bid then
    // finds no connection.
    void connectionLost_data()
    {
        QTest::addColumn<bool>("reachable");
        QTest::newRow("server closes") << true;
        QTest::newRow("unreachable") << false;
    }
    void connectionLost()
    {
        QFETCH(bool, reachable);
        Harness h;
        h.window.showMemberStatus(u"UID :  7"_s);
        if (reachable) {
            QVERIFY(h.connect());
            h.peer.send(productMessage() + "#GOBID\t\xFE" + bidMessage("bob", 1600) +
                        "#LEFTCOUNT\t7\t\xFE#COUNT1\t\xFE");
            QTRY_COMPARE(h.ui.countDown->value(), 7);
            QVERIFY(!h.ui.displastbid->isHidden());
            QVERIFY(h.ui.GOBID->isEnabled());
            h.peer.closeClient();
        } else {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost);
            const quint16 closedPort = probe.serverPort();
            probe.close();
            h.window.ConnectAuctionSocket(u"127.0.0.1"_s, closedPort, u"user"_s);
        }
        QTRY_VERIFY(h.window.signInWindow());
        QCOMPARE(h.prompter.requests.size(), reachable ? 0 : 1);
        QCOMPARE(h.prompter.requests.value(0).text,
                 reachable ? QString()
                           : u"ไม่สามารถติดต่อกับเครื่องที่ให้บริการได้ ..... กรุณาลองดูอีกครั้ง หรือ ติดต่อฝ่ายเทคนิค Gavora"_s);
        QCOMPARE(h.ui.stbPanel2->text(), u"UID :"_s);
        for (QLabel *label : {h.ui.Hi_Bid, h.ui.Lb_bid, h.ui.bid_Inc, h.ui.PDesc, h.ui.nQty, h.ui.fbidat,
                              h.ui.MinBid, h.ui.SellerBy, h.ui.cCurrency})
            QCOMPARE(label->text(), QString());
        QCOMPARE(h.window.auctionPanel().CurrentProductID(), QString());
        QCOMPARE(h.ui.aucList->count(), 0);
        QVERIFY(h.ui.displastbid->isHidden());
        QVERIFY(!h.ui.GOBID->isEnabled());
        QCOMPARE(h.ui.countDown->value(), 0);
        QCOMPARE(h.beeps, reachable ? 1 : 0);
        h.ui.lbYourBid->setText(u"100"_s);
        QTest::keyClick(h.ui.lbYourBid, Qt::Key_Return);
        QCOMPARE(h.prompter.requests.last().text, u"Disconnect...."_s);
    }

    void manyBidsInOneReadUpdateTheWidgetsOnce()
    {
        Harness h;
        QVERIFY(h.connect());
        h.window.show();
        // A local file is never shown, the web page is.
        h.peer.send(productMessage("file:///etc/passwd") + productMessage());
        QTRY_COMPARE(static_cast<FakeWebView *>(h.ui.webBid)->navigations,
                     QStringList{u"http://pages.test/p1.htm"_s});
        QCOMPARE(panel(h.ui).mid(0, 10),
                 (QStringList{u"PDesc=นาฬิกา"_s, "nQty=2", "fbidat=1,000", "MinBid=1,200", "Hi_Bid=bob",
                              "Lb_bid=1,500", "bid_Inc=100", u"SellerBy=ร้าน"_s, "cCurrency=Currency = THB",
                              "lbYourBid=1,600"}));
        QList<QByteArray> messages;
        QByteArray stream;
        for (int i = 0; i < 5000; ++i) {
            const QByteArray bidder = i % 3 == 0 ? "user" : "bidder" + QByteArray::number(i % 7);
            // Every fifth bid is not higher than the one before.
            const int amount = 1600 + 10 * i - (i % 5 == 0 ? 15 : 0);
            messages << bidMessage(bidder, amount,
                                   QTime(10, 0).addSecs(i).toString(u"HH:mm:ss"_s).toLatin1());
            stream += messages.last();
        }
        // Let the whole stream arrive before the window takes it, so that it comes as one read.
        auto *socket = h.window.auctionPanel().wsk_tcp->findChild<QTcpSocket *>();
        QCOMPARE(socket->state(), QAbstractSocket::ConnectedState);
        {
            const QSignalBlocker hold(h.window.auctionPanel().wsk_tcp);
            h.peer.send(stream);
            QTRY_COMPARE(socket->bytesAvailable(), stream.size());
        }
        QSignalSpy changed(&h.window.auctionPanel().board(), &AuctionBoard::changed);
        QSignalSpy inserted(h.ui.aucList->model(), &QAbstractItemModel::rowsInserted);
        h.window.auctionPanel().wsk_tcp_DataArrival();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(h.ui.aucList->count(), AuctionBoard::maxListLines);
        QCOMPARE(h.ui.aucList->currentRow(), AuctionBoard::maxListLines - 1);
        QVERIFY(h.ui.aucList->currentItem()->isSelected());
        QCOMPARE(h.ui.aucList->currentItem()->text(), u"AT  51,590  By  bidder1 Time : 11:23:19"_s);
        const QScrollBar *scroll = h.ui.aucList->verticalScrollBar();
        QTRY_VERIFY(scroll->maximum() > 0);
        QCOMPARE(scroll->value(), scroll->maximum());

        // The same messages one read each, as the receive path hands them over.
        Harness separate;
        separate.window.auctionPanel().board().setUserId(u"user"_s);
        for (const QByteArray &message : QList{productMessage()} + messages) {
            separate.window.auctionPanel().board().handleMessage(QByteArrayView(message).chopped(1));
            separate.window.auctionPanel().board().flush();
        }
        QCOMPARE(panel(separate.ui), panel(h.ui));
    }

    void coloursFollowTheLatestBidder_data()
    {
        QTest::addColumn<QList<QByteArray>>("bids");
        QTest::addColumn<QString>("highBidder");
        QTest::addColumn<bool>("own");
        QTest::newRow("own") << QList{bidMessage("alice", 1600), bidMessage("user", 1700)} << u"user"_s
                             << true;
        QTest::newRow("other's") << QList{bidMessage("user", 1600), bidMessage("alice", 1700)} << u"alice"_s
                                 << false;
        QTest::newRow("other's lower")
            << QList{bidMessage("user", 1700), bidMessage("alice", 1600)} << u"user"_s << false;
    }
    void coloursFollowTheLatestBidder()
    {
        QFETCH(QList<QByteArray>, bids);
        QFETCH(QString, highBidder);
        QFETCH(bool, own);
        Harness h;
        QVERIFY(h.connect());
        h.peer.send(productMessage());
        // One read per bid, so the first bid's colours are shown before the second changes them.
        for (const QByteArray &bid : std::as_const(bids)) {
            const int lines = h.ui.aucList->count();
            h.peer.send(bid);
            QTRY_COMPARE(h.ui.aucList->count(), lines + 1);
        }
        QCOMPARE(h.ui.Hi_Bid->text(), highBidder);
        QCOMPARE(h.ui.aucList->palette().color(QPalette::Base),
                 own ? QColor(192, 192, 255) : QColor(255, 224, 192));
        QCOMPARE(h.ui.Hi_Bid->palette().color(h.ui.Hi_Bid->foregroundRole()),
                 own ? QColor(0, 0, 0) : QColor(0, 0, 192));
        QCOMPARE(h.ui.Hi_Bid->font().underline(), own);
    }

    void countdownStages_data()
    {
        QTest::addColumn<QByteArray>("keyword");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("stage 1") << "#COUNT1"_ba << 1 << QSize(150, 150);
        QTest::newRow("stage 3") << "#COUNT3"_ba << 3 << QSize(150, 150);
        QTest::newRow("sold") << "#COUNTS"_ba << 4 << QSize(200, 150);
    }
    void countdownStages()
    {
        QFETCH(QByteArray, keyword);
        QFETCH(int, picture);
        QFETCH(QSize, size);
        const bool sold = picture == AuctionBoard::soldPicture;
        Harness h;
        QVERIFY(h.connect());
        h.peer.send(productMessage() + "#GOBID\t\xFE" + bidMessage("alice", 1600, "10:00:05"));
        QTRY_COMPARE(h.ui.aucList->count(), 1);
        h.peer.send(keyword + "\t\xFE");
        QTRY_VERIFY(!h.ui.img_count->isHidden());
        QCOMPARE(h.ui.img_count->pixmap().toImage(), Pictures::countdown(picture).toImage());
        QCOMPARE(h.ui.img_count->size(), size);
        QCOMPARE(h.ui.img_count->x(), (h.ui.PFInfo->width() - size.width()) / 2);
        QCOMPARE(h.ui.displastbid->text(), u"1,600"_s);
        // Centred from the tab control's edge, which lies 90 twips (6 pixels) left of the web view.
        const int tabEdge = h.ui.webBid->x() - 6;
        QCOMPARE(h.ui.displastbid->x() - tabEdge, (h.ui.webBid->width() - h.ui.displastbid->width()) / 2);
        QVERIFY(!h.ui.displastbid->isHidden());
        QCOMPARE(h.ui.GOBID->isEnabled(), !sold);
        QCOMPARE(h.ui.aucList->count(), sold ? 0 : 1);
        // The sale is recorded from the panel as it was before the sale cleared the list.
        const QList<QStringList> records = History::readRows();
        QCOMPARE(records.size(), sold ? 1 : 0);
        if (sold) {
            QCOMPARE(records[0].mid(0, 6),
                     (QStringList{"user", "P1", u"นาฬิกา"_s, "alice", "1,600", u"ร้าน"_s}));
            QCOMPARE(records[0].value(7), u"10:00:05"_s);
        }
        h.peer.send("#COUNTCANCEL\t\xFE");
        QTRY_VERIFY(h.ui.img_count->isHidden());
        QVERIFY(h.ui.displastbid->isHidden());
    }

    void bidding_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("button");
        QTest::addColumn<QByteArray>("whileAsked");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("maximumAfter");
        const QString lowPrice = u"ราคาเสนอซื้อต่ำกว่าราคาประมูลน้อยที่สุด"_s;
        QTest::newRow("Enter while bidding is closed")
            << QString() << u"0"_s << true << false << QByteArray() << QString() << "1600"_ba << u"0"_s;
        QTest::newRow("bid button") << u"1501"_s << QString() << true << true << QByteArray() << QString()
                                    << "1501"_ba << QString();
        QTest::newRow("not above the last bid")
            << u"1,500"_s << u"0"_s << true << false << QByteArray() << lowPrice << QByteArray() << u"0"_s;
        QTest::newRow("above the maximum, OK") << u"2100"_s << u"2,000"_s << true << false << QByteArray()
                                               << maximumText << "2100"_ba << u"2,100"_s;
        QTest::newRow("above the maximum, Cancel") << u"2100"_s << u"2,000"_s << false << true << QByteArray()
                                                   << maximumText << QByteArray() << u"2,000"_s;
        // The user accepts the lowest price as it stands when answering, not as it stood when asked.
        QTest::newRow("bid arrives under the question")
            << QString() << u"1,550"_s << true << false << bidMessage("alice", 1600) << maximumText
            << "1700"_ba << u"1,700"_s;
    }
    void bidding()
    {
        QFETCH(QString, typed);
        QFETCH(QString, maximum);
        QFETCH(bool, ok);
        QFETCH(bool, button);
        QFETCH(QByteArray, whileAsked);
        QFETCH(QString, prompt);
        QFETCH(QByteArray, sent);
        QFETCH(QString, maximumAfter);
        Harness h;
        QVERIFY(h.connect());
        h.peer.send(productMessage() + (button ? "#GOBID\t\xFE" : ""));
        QTRY_COMPARE(h.window.auctionPanel().CurrentProductID(), u"P1"_s);
        QTRY_COMPARE(h.ui.GOBID->isEnabled(), button);
        h.ui.MMax->setText(maximum);
        h.ui.lbYourBid->selectAll();
        QTest::keyClicks(h.ui.lbYourBid, typed);
        h.prompter.queueAnswer(ok ? Prompter::Answer::Ok : Prompter::Answer::Cancel);
        if (!whileAsked.isEmpty()) {
            h.prompter.whileOpen = [&h, whileAsked] {
                h.peer.send(whileAsked);
                QTRY_COMPARE(h.ui.aucList->count(), 1);
            };
        }
        if (button)
            QTest::mouseClick(h.ui.GOBID, Qt::LeftButton);
        else
            QTest::keyClick(h.ui.lbYourBid, Qt::Key_Return);
        QCOMPARE(h.prompter.requests.value(0).text, prompt);
        QCOMPARE(h.ui.MMax->text(), maximumAfter);
        // A chat line sent after the bid shows whether anything went out before it.
        h.ui.txtSend->setText(u"sync"_s);
        h.ui.ButSend->click();
        const QByteArray bid = sent.isEmpty() ? QByteArray() : "user\tROBOT CLICK BID\t" + sent + "\t\xFE";
        QTRY_COMPARE(h.peer.received, bid + "UMSG\tuser\tsync\t\xFE");
        QCOMPARE(h.prompter.requests.size(), prompt.isEmpty() ? 0 : 1);
    }

    void maximumReformatsWhenLeft()
    {
        Harness h;
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        for (const auto &[typed, shown] : {std::pair{u"2500"_s, u"2,500"_s}, std::pair{u"0"_s, QString()}}) {
            h.ui.MMax->setText(typed);
            QCoreApplication::sendEvent(h.ui.MMax, &out);
            QCOMPARE(h.ui.MMax->text(), shown);
        }
    }

    // Sent as typed (the box is cleared), received text replaces the last, a missing field empties.
    void chat()
    {
        Harness h;
        QVERIFY(h.connect());
        h.ui.txtSend->setText(u"สวัสดี"_s);
        QTest::keyClick(h.ui.txtSend, Qt::Key_Return);
        QCOMPARE(h.ui.txtSend->text(), QString());
        QTest::mouseClick(h.ui.ButSend, Qt::LeftButton);
        QTRY_COMPARE(h.peer.received, QByteArray("UMSG\tuser\t\xCA\xC7\xD1\xCA\xB4\xD5\t\xFE"
                                                 "UMSG\tuser\t\t\xFE"));
        for (const auto &[bytes, shown] : {std::pair{"x\told\t\xFE"_ba, u"old"_s},
                                           std::pair{"ann\t\xCA\xC7\xD1\xCA\xB4\xD5\t\xFE"_ba, u"สวัสดี"_s},
                                           std::pair{"hello\xFE"_ba, QString()}}) {
            h.peer.send(bytes);
            QTRY_COMPARE(h.ui.msgchat->toPlainText(), shown);
        }
    }
};

QTEST_MAIN(TestFrm2Bid)
#include "test_frm2bid.moc"
