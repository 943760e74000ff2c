// The main window: sign-in and the connection's identity, the auction panel bound to the board, bidding and
// chat, desktop notifications and the settings kept between runs; around it the layout applied, wide view,
// language, menus, the tabbed pane and accessibility.
#include "auction_board.h"
#include "auction_panel.h"
#include "auction_socket.h"
#include "connection_indicator.h"
#include "fake_web_view.h"
#include "frm2bid.h"
#include "frm_hbid.h"
#include "frm_tool.h"
#include "history_store.h"
#include "loopback_peers.h"
#include "message_box_prompter.h"
#include "picture_button.h"
#include "pictures.h"
#include "private_bus.h"
#include "profile_file.h"
#include "sound_player.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTcpSocket>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <QWindow>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Reports = QList<QPair<int, int>>;

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

// Starts nothing, and says it did.
struct NoLauncher : ProgramLauncher {
    QString findOnSearchPath(const QString &) const override { return {}; }
    bool startDetached(const QString &, const QString &) override { return true; }
};

// The main window in a fresh work folder, with fake web views, scripted message boxes and loopback servers.
struct Harness {
    explicit Harness(const QString &settingsFile = {}, std::optional<QDBusConnection> bus = {})
        : window({.prompter = &prompter,
                  .webViewFactory = FakeWebView::factory(folder),
                  .beep = [this] { ++beeps; },
                  .signInTimeout = 2000ms,
                  .launcher = &launcher,
                  .workFolder = folder,
                  .settingsFile = settingsFile,
                  .notificationBus = std::move(bus)})
    {
        writeHostIni(dir.path(), u"127.0.0.1:1"_s, u"1"_s, u"http://pages.test/one"_s,
                     u"http://pages.test/gall"_s);
    }

    void signIn(const QString &name, quint16 port, quint16 webPort = 0)
    {
        writeHostIni(dir.path(), "127.0.0.1:" + QString::number(webPort ? webPort : web.port()),
                     QString::number(port));
        window.MLN_Click();
        window.signInWindow()->controls().txtUserName->setText(name);
        window.signInWindow()->controls().txtPassword->setText(u"pw"_s);
        window.signInWindow()->controls().cmdOK->click();
    }
    // Connected as "user", past the announcement.
    bool connect()
    {
        window.ConnectAuctionSocket(u"127.0.0.1"_s, peer.port(), u"user"_s);
        const bool announced = QTest::qWaitFor([this] { return peer.received == "AuctionGO\tuser\t\t0\t"; });
        peer.received.clear();
        return announced;
    }
    // What the socket's handler would take in one read.
    void handle(const QList<QByteArray> &messages)
    {
        for (const QByteArray &message : messages)
            window.auctionPanel().board().handleMessage(QByteArrayView(message).chopped(1));
        window.auctionPanel().board().flush();
    }
    FakeWebView *webBid() const { return static_cast<FakeWebView *>(ui.webBid); }
    FakeWebView *webgalley() const { return static_cast<FakeWebView *>(ui.webgalley); }

    QTemporaryDir dir;
    WorkFolder folder{dir.path()};
    OpenBoxPrompter prompter;
    NoLauncher launcher;
    int beeps = 0;
    LoopbackHttp web;
    ScriptedPeer peer;
    frm2Bid window;
    const Frm2BidUi &ui = window.ui();
    const Frm2BidMenus &menus = window.menus();
};

// A notification of the test's own on the window's connection: once it has its answer, the service has had
// every call the window made before it.
bool notifyAfterTheWindow(const QDBusConnection &bus)
{
    QDBusMessage call = QDBusMessage::createMethodCall(u"org.freedesktop.Notifications"_s,
                                                       u"/org/freedesktop/Notifications"_s,
                                                       u"org.freedesktop.Notifications"_s, u"Notify"_s);
    call << QString() << uint(0) << QString() << QString() << u"last"_s << QStringList() << QVariantMap()
         << -1;
    QDBusPendingCallWatcher answer(bus.asyncCall(call));
    QSignalSpy answered(&answer, &QDBusPendingCallWatcher::finished);
    return answered.wait(10000);
}

// The caption a label, menu or menu item shows.
QString shown(const QObject *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (const auto *menu = qobject_cast<const QMenu *>(control))
        return menu->title();
    return qobject_cast<const QAction *>(control)->text();
}

// Everything the auction panel shows, as text, to compare two windows.
QStringList panel(const Frm2BidUi &w)
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

// Shows the window with an outer size of width x height pixels.
void showWithOuterSize(QWidget &window, int width, int height)
{
    window.show();
    const QSize frame = window.frameGeometry().size() - window.size();
    window.resize(QSize(width, height) - frame);
    QTRY_COMPARE(window.frameGeometry().size(), QSize(width, height));
}

QRect pixels(double left, double top, double width, double height)
{
    return {qRound(left / 15), qRound(top / 15), qRound(width / 15), qRound(height / 15)};
}

using Captions = QList<std::tuple<const QObject *, QString, QString>>;

// Every caption of the language table, as the window must show it.
Captions captionRows(const frm2Bid &window)
{
    using namespace Frm2BidDesign;
    const auto &c = window.ui().placed;
    const Frm2BidMenus &m = window.menus();
    return {
        {c[LBHEAD], u"ข้อมูลการประมูล"_s, u"Auction"_s},
        {c[lbfbid], u"ราคาเริ่มต้น"_s, u"First bid at"_s},
        {c[lbmbid], u"ราคาขายต่ำสุด"_s, u"Mimimum bid"_s},
        {c[lbhbid], u"ผู้ประมูลสูงสุด"_s, u"High Bid"_s},
        {c[lbLbid], u"ราคาสูงสุด ณ ขณะนี้"_s, u"Last Bid"_s},
        {c[lbinc], u"อัตราเพิ่ม"_s, u"Increment"_s},
        {c[lbUBid], u"ราคาที่ต้องเสนอขั้นต่ำ"_s, u"Your Bid"_s},
        {c[lbAuc], u"ประวัติการประมูล"_s, u"Auction History"_s},
        {m.MP, u"กำหนด"_s, u"Set&ting"_s},
        {m.MN, u"บริการ"_s, u"&Services"_s},
        {m.MFT, u"รูปแบบ"_s, u"&Format"_s},
        {m.MPW, u"รูปแบบหน้าจอเวบ"_s, u"&Options"_s},
        {m.MPPS, u"สินค้าที่สนใจ"_s, u"&Product List"_s},
        {m.MFV, u"แสดงเวบแบบเต็มความกว้าง"_s, u"&Wide View"_s},
        {m.MSNews, u"ข่าว"_s, u"&News"_s},
        {m.MSFAQ, u"FAQ"_s, u"&FAQ"_s},
        {m.MSS, u"ค้นหาข้อมูล"_s, u"Se&arch"_s},
        {m.MSCOMP, u"เปรียบเทียบราคา"_s, u"Price &Lines"_s},
        {m.MPA, u"ระบบเตือน"_s, u"&Alarm"_s},
        {m.MSSALE, u"นำสินค้ามาประมูล"_s, u"Product &Auction"_s},
        {m.MSHELP, u"ช่วยเหลือ"_s, u"&Help"_s},
        {m.MFF, u"ภาพหลัง"_s, u"&Background Image"_s},
        {m.MFP1, u"รูปแบบที่ 1"_s, u"Picture &1"_s},
        {m.MFP2, u"รูปแบบที่ 2"_s, u"Picture &2"_s},
        {m.MCUS, u"กำหนดเอง"_s, u"&Select background image"_s},
        {m.MFPB, u"ไม่แสดง"_s, u"&Disable "_s},
        {c[MaxBid], u"ราคาพอใจซื้อสูงสุด"_s, u"Max. Bid"_s},
        {m.MCT, u"ติดต่อสอบถาม"_s, u"Contact"_s},
        {m.MAutoBid, u"ประมูลอัตโนมัติถึงราคาพอใจซื้อสูงสุด"_s, u"Auto-bid up to Max. Bid"_s},
        {m.MNotify, u"แจ้งเตือนบนเดสก์ท็อป"_s, u"Desktop notifications"_s},
        {m.MMute, u"ปิดเสียง"_s, u"Mute sounds"_s},
        {window.ui().stbConnection, u"ไม่ได้เชื่อมต่อ"_s, u"Not connected"_s},
    };
}

// Captions no language touches.
QList<std::pair<const QObject *, QString>> fixedCaptions(const Frm2BidMenus &m)
{
    return {
        {m.MLG, u"Login"_s},     {m.MNU, u"&New user"_s},
        {m.MLN, u"&Login"_s},    {m.DLP, u"&Display Last Bid"_s},
        {m.MA, u"&About.."_s},   {m.MCC, u"&Chat"_s},
        {m.ML, u"&ไทย | Eng"_s}, {m.MLT, u"&ไทย"_s},
        {m.MLE, u"&English"_s},
    };
}
} // namespace

class TestFrm2Bid : public QObject {
    Q_OBJECT
private slots:
    // Not even a lost connection while one is open makes a second.
    void oneSignInWindow()
    {
        Harness h;
        QCOMPARE(h.ui.stbPanel2->text(), u"UID :"_s);
        h.window.MLN_Click();
        QPointer<frmLogin> first = h.window.signInWindow();
        first->controls().txtUserName->setText(u"typed"_s);
        h.window.MLN_Click();
        h.window.auctionPanel().wsk_tcp_Close();
        QCOMPARE(h.window.signInWindow(), first.data());
        QCOMPARE(h.window.findChildren<frmLogin *>().size(), 1);
        QCOMPARE(first->controls().txtUserName->text(), u"typed"_s);
    }

    // Signing in again reconnects to the host and port read at that press.
    void signInConnectsAndAnnounces()
    {
        Harness h;
        ScriptedPeer second;
        h.signIn(u"สมชาย\tx"_s, h.peer.port());
        QTRY_COMPARE(h.ui.stbPanel2->text(), u"UID :  4711"_s);
        QTRY_COMPARE(h.peer.received, "AuctionGO\t\xCA\xC1\xAA\xD2\xC2 x\t\t0\t"_ba);
        QCOMPARE(h.ui.stbConnection->text(), u"เชื่อมต่อแล้ว"_s);
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
    // connection: bids, chat, the chat program's name, the own-bid colours and the history go on as alice.
    void secondSignInLeavesTheConnectionAlone_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("rejected, then cancelled") << u"rejected"_s;
        QTest::newRow("no answer, then cancelled") << u"failed"_s;
        QTest::newRow("still being checked") << u"pending"_s;
        QTest::newRow("cancelled while checked") << u"cancelled"_s;
    }
    void secondSignInLeavesTheConnectionAlone()
    {
        QFETCH(QString, ending);
        Harness h;
        h.signIn(u"alice"_s, h.peer.port());
        QTRY_COMPARE(h.peer.received, "AuctionGO\talice\t\t0\t"_ba);
        h.peer.received.clear();
        h.peer.send(productMessage() + "#GOBID\t\xFE");
        QTRY_COMPARE(h.window.auctionPanel().CurrentProductID(), u"P1"_s);

        if (ending == u"rejected") {
            h.web.signInStatus = "500 Internal Server Error";
            h.web.signInBody = "ERROR";
        } else if (ending != u"failed") {
            h.web.answers = false;
        }
        h.signIn(u"mallory"_s, h.peer.port(), ending == u"failed" ? unusedPort() : 0);
        QPointer<frmLogin> login = h.window.signInWindow();
        if (ending == u"rejected" || ending == u"failed") {
            QTRY_COMPARE(h.prompter.requests.size(), 1);
            QCOMPARE(h.prompter.requests[0].text == u"พบข้อผิดพลาด.... กรุณาลองใหม่อีกครั้ง"_s,
                     ending == u"rejected");
            QCOMPARE(login->state(), frmLogin::State::Entry);
            QCOMPARE(login->controls().txtUserName->text().isEmpty(), ending == u"rejected");
        } else {
            QTRY_COMPARE(h.web.requestLines.size(), 2);
        }
        if (ending != u"pending") {
            login->controls().cmdCancel->click();
            QTRY_VERIFY(login.isNull());
        }
        writeWholeFile(h.dir.filePath(u"dornu.exe"_s), "MZ");
        h.window.MCC_Click();
        QCOMPARE(ReadIniKey(u"INFO"_s, u"Name"_s, h.dir.filePath(u"H.ini"_s)), u"alice"_s);

        QTest::keyClick(h.ui.lbYourBid, Qt::Key_Return);
        h.ui.txtSend->setText(u"hi"_s);
        h.ui.ButSend->click();
        QTRY_COMPARE(h.peer.received, "alice\tROBOT CLICK BID\t1600\t\xFE"
                                      "UMSG\talice\thi\t\xFE"_ba);
        h.peer.send(bidMessage("mallory", 1600) + bidMessage("alice", 1700));
        QTRY_COMPARE(h.ui.Hi_Bid->text(), u"alice"_s);
        QVERIFY(h.ui.Hi_Bid->font().underline());
        h.peer.send("#COUNTS\t\xFE");
        QTRY_COMPARE(History::readRows(h.folder).value(0).value(0), u"alice"_s);
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
        QTRY_COMPARE(History::readRows(h.folder).size(), 1);
        const QString file = h.dir.filePath(u"AuctHist.bid"_s);
        const QByteArray before = readWholeFile(file);
        const ReadOnlyPath readOnly(file);
        QVERIFY2(readOnly.isReadOnly(), qPrintable(readOnly.failure()));

        auto *socket = h.window.auctionPanel().socket()->findChild<QTcpSocket *>();
        {
            const QSignalBlocker hold(h.window.auctionPanel().socket());
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

    // Each resets every control and reopens the sign-in window; all but the server's orderly close warn. A
    // bid then finds no connection.
    void connectionLost_data()
    {
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<bool>("reset");
        QTest::newRow("server closes") << true << false;
        QTest::newRow("server resets") << true << true;
        QTest::newRow("unreachable") << false << false;
    }
    void connectionLost()
    {
        QFETCH(bool, reachable);
        QFETCH(bool, reset);
        const bool warns = reset || !reachable;
        Harness h;
        h.window.showMemberStatus(u"UID :  7"_s);
        if (reachable) {
            QVERIFY(h.connect());
            h.peer.send(productMessage() + "#GOBID\t\xFE" + bidMessage("bob", 1600) +
                        "#LEFTCOUNT\t7\t\xFE#COUNT1\t\xFE");
            QTRY_COMPARE(h.ui.countDown->value(), 7);
            QVERIFY(!h.ui.displastbid->isHidden());
            QVERIFY(h.ui.GOBID->isEnabled());
            if (reset)
                h.peer.resetClient();
            else
                h.peer.closeClient();
        } else {
            h.window.ConnectAuctionSocket(u"127.0.0.1"_s, unusedPort(), u"user"_s);
            QCOMPARE(h.ui.stbConnection->text(), u"กำลังเชื่อมต่อ"_s);
        }
        QTRY_VERIFY(h.window.signInWindow());
        QCOMPARE(h.prompter.requests.size(), warns ? 1 : 0);
        QCOMPARE(h.prompter.requests.value(0).text,
                 !warns ? QString()
                        : u"ไม่สามารถติดต่อกับเครื่องที่ให้บริการได้ ..... กรุณาลองดูอีกครั้ง หรือ ติดต่อฝ่ายเทคนิค Gavora"_s);
        QCOMPARE(h.ui.stbPanel2->text(), u"UID :"_s);
        QCOMPARE(h.ui.stbConnection->text(), u"ไม่ได้เชื่อมต่อ"_s);
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
        QTRY_COMPARE(h.webBid()->navigations, QStringList{u"http://pages.test/p1.htm"_s});
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
        auto *socket = h.window.auctionPanel().socket()->findChild<QTcpSocket *>();
        QCOMPARE(socket->state(), QAbstractSocket::ConnectedState);
        {
            const QSignalBlocker hold(h.window.auctionPanel().socket());
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
        for (const QByteArray &message : QList{productMessage()} + messages)
            separate.handle({message});
        QCOMPARE(panel(separate.ui), panel(h.ui));
    }

    // The colours follow the latest bid, not the highest: own (with the underline for those who see no
    // colour) or another's.
    void coloursFollowTheLatestBidder()
    {
        Harness h;
        h.window.auctionPanel().board().setUserId(u"user"_s);
        h.handle({productMessage()});
        for (const auto &[bid, own] :
             {std::pair{bidMessage("alice", 1600), false}, std::pair{bidMessage("user", 1700), true},
              std::pair{bidMessage("alice", 1650), false}}) {
            h.handle({bid});
            QCOMPARE(h.ui.aucList->palette().color(QPalette::Base),
                     own ? QColor(192, 192, 255) : QColor(255, 224, 192));
            QCOMPARE(h.ui.Hi_Bid->palette().color(h.ui.Hi_Bid->foregroundRole()),
                     own ? QColor(0, 0, 0) : QColor(0, 0, 192));
            QCOMPARE(h.ui.Hi_Bid->font().underline(), own);
        }
        QCOMPARE(h.ui.Hi_Bid->text(), u"user"_s);
    }

    // The stage's picture centred over the panel and the last bid over the web view; the sale is recorded
    // from the panel as it was before the sale cleared the list. The last bid, hidden from the menu, comes
    // back at the next stage whatever the mark; a broken-off countdown hides both.
    void countdownStages()
    {
        Harness h;
        const auto verifyStage = [&h](int picture, QSize size) {
            QVERIFY(!h.ui.img_count->isHidden());
            QCOMPARE(h.ui.img_count->pixmap().toImage(), Pictures::countdown(picture).toImage());
            QCOMPARE(h.ui.img_count->size(), size);
            QCOMPARE(h.ui.img_count->x(), (h.ui.PFInfo->width() - size.width()) / 2);
            QCOMPARE(h.ui.displastbid->text(), u"1,600"_s);
            // Centred from the tab control's edge, which lies 90 twips (6 pixels) left of the web view.
            const int tabEdge = h.ui.webBid->x() - 6;
            QCOMPARE(h.ui.displastbid->x() - tabEdge, (h.ui.webBid->width() - h.ui.displastbid->width()) / 2);
            QVERIFY(!h.ui.displastbid->isHidden());
            QCOMPARE(h.ui.GOBID->isEnabled(), picture != AuctionBoard::soldPicture);
        };
        QVERIFY(h.ui.displastbid->isHidden());
        h.window.auctionPanel().board().setUserId(u"user"_s);
        h.handle({productMessage(), "#GOBID\t\xFE", bidMessage("alice", 1600, "10:00:05"), "#COUNT3\t\xFE"});
        verifyStage(3, {150, 150});
        QCOMPARE(h.ui.aucList->count(), 1);
        QCOMPARE(History::readRows(h.folder).size(), 0);
        h.menus.DLP->trigger();
        QVERIFY(!h.menus.DLP->isChecked());
        QVERIFY(h.ui.displastbid->isHidden());

        h.handle({"#COUNTS\t\xFE"});
        verifyStage(AuctionBoard::soldPicture, {200, 150});
        QVERIFY(!h.menus.DLP->isChecked());
        QCOMPARE(h.ui.aucList->count(), 0);
        const QList<QStringList> records = History::readRows(h.folder);
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].mid(0, 6), (QStringList{"user", "P1", u"นาฬิกา"_s, "alice", "1,600", u"ร้าน"_s}));
        QCOMPARE(records[0].value(7), u"10:00:05"_s);
        h.menus.DLP->trigger();
        QVERIFY(h.menus.DLP->isChecked());
        QVERIFY(!h.ui.displastbid->isHidden());
        h.handle({"#COUNTCANCEL\t\xFE"});
        QVERIFY(h.ui.img_count->isHidden());
        QVERIFY(h.ui.displastbid->isHidden());
    }

    // The maximum is reformatted when left. Enter bids what the box shows even while the button is off; the
    // button bids what is typed, checked against the last bid shown; a bid that arrives while the maximum is
    // asked about raises the lowest price the user accepts, and the maximum with it.
    void bidding()
    {
        Harness h;
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        for (const auto &[typed, shown] : {std::pair{u"2500"_s, u"2,500"_s}, std::pair{u"0"_s, QString()}}) {
            h.ui.MMax->setText(typed);
            QCoreApplication::sendEvent(h.ui.MMax, &out);
            QCOMPARE(h.ui.MMax->text(), shown);
        }
        QVERIFY(h.connect());
        h.peer.send(productMessage());
        QTRY_COMPARE(h.window.auctionPanel().CurrentProductID(), u"P1"_s);
        QVERIFY(!h.ui.GOBID->isEnabled());
        QTest::keyClick(h.ui.lbYourBid, Qt::Key_Return);
        QByteArray sent = "user\tROBOT CLICK BID\t1600\t\xFE";
        QTRY_COMPARE(h.peer.received, sent);

        h.ui.MMax->setText(u"1,550"_s);
        h.prompter.whileOpen = [&h] {
            h.peer.send(bidMessage("alice", 1600));
            QTRY_COMPARE(h.ui.aucList->count(), 1);
        };
        QTest::keyClick(h.ui.lbYourBid, Qt::Key_Return);
        h.prompter.whileOpen = nullptr;
        QCOMPARE(h.prompter.requests.value(0).text, maximumText);
        QCOMPARE(h.ui.MMax->text(), u"1,700"_s);
        sent += "user\tROBOT CLICK BID\t1700\t\xFE";
        QTRY_COMPARE(h.peer.received, sent);

        h.peer.send("#GOBID\t\xFE");
        QTRY_VERIFY(h.ui.GOBID->isEnabled());
        for (const QString &typed : {u"1,600"_s, u"1650"_s}) {
            h.ui.lbYourBid->selectAll();
            QTest::keyClicks(h.ui.lbYourBid, typed);
            QTest::mouseClick(h.ui.GOBID, Qt::LeftButton);
        }
        QCOMPARE(h.prompter.requests.size(), 2);
        QCOMPARE(h.prompter.requests[1].text, u"ราคาเสนอซื้อต่ำกว่าราคาประมูลน้อยที่สุด"_s);
        // A chat line sent after the bids shows that nothing else went out before it.
        h.ui.txtSend->setText(u"sync"_s);
        h.ui.ButSend->click();
        QTRY_COMPARE(h.peer.received, sent + "user\tROBOT CLICK BID\t1650\t\xFE"
                                             "UMSG\tuser\tsync\t\xFE");
        QCOMPARE(h.ui.MMax->text(), u"1,700"_s);
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
        for (const auto &[bytes, shown] : {std::pair{"ann\t\xCA\xC7\xD1\xCA\xB4\xD5\t\xFE"_ba, u"สวัสดี"_s},
                                           std::pair{"hello\xFE"_ba, QString()}}) {
            h.peer.send(bytes);
            QTRY_COMPARE(h.ui.msgchat->toPlainText(), shown);
        }
    }

    // The window lays itself out from its own size. Wide view from the menu: the mark, the hidden column, the
    // view of the other tab corrected when it is chosen. A minimised window changes nothing; restoring it
    // lays it out again in the normal view.
    void layoutAndWideView()
    {
        Harness h;
        // Restored, the design's client area holds the status bar.
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        QCOMPARE(h.window.centralWidget()->geometry().united(h.window.statusBar()->geometry()).size(),
                 pixels(0, 0, 11295, 7830).size());
        QVERIFY(h.window.Form_Load().isEmpty());
        h.window.setWindowState(Qt::WindowNoState);
        showWithOuterSize(h.window, 1280, 1024);
        QCOMPARE(h.ui.PFInfo->geometry(), pixels(14635, 1440, 4365, 4005));
        QCOMPARE(h.ui.ssTab_Bid->geometry(), pixels(30, 840, 14485, 13710));
        // Inside the tab control, places are relative to the whole control.
        const QPoint page = h.ui.webBid->parentWidget()->mapTo(h.ui.ssTab_Bid, QPoint());
        QCOMPARE(h.ui.webBid->geometry().translated(page), pixels(90, 450, 14285, 12860));
        QCOMPARE(h.ui.pload1->geometry().translated(page), pixels(90, 13320, 14285, 225));

        h.menus.MFV->trigger();
        QVERIFY(h.menus.MFV->isChecked());
        for (QWidget *hidden : {static_cast<QWidget *>(h.ui.PFInfo), static_cast<QWidget *>(h.ui.GOBID),
                                static_cast<QWidget *>(h.ui.aucList), static_cast<QWidget *>(h.ui.msgchat),
                                static_cast<QWidget *>(h.ui.txtSend), static_cast<QWidget *>(h.ui.ButSend),
                                static_cast<QWidget *>(h.ui.countDown)})
            QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
        QCOMPARE(h.ui.ssTab_Bid->width(), qRound(19050 / 15.0));
        QCOMPARE(h.ui.webBid->width(), qRound(18850 / 15.0));
        QCOMPARE(h.ui.webgalley->width(), qRound(14285 / 15.0));
        h.ui.ssTab_Bid->setCurrentIndex(1);
        QCOMPARE(h.ui.webgalley->width(), qRound(18850 / 15.0));
        h.menus.MFV->trigger();
        QVERIFY(!h.menus.MFV->isChecked());
        QVERIFY(h.ui.PFInfo->isVisible());
        QCOMPARE(h.ui.webgalley->width(), qRound(14285 / 15.0));

        h.menus.MFV->trigger();
        h.window.setWindowState(Qt::WindowMinimized);
        h.window.resize(1000, 700);
        QCOMPARE(h.ui.PFInfo->geometry(), pixels(14635, 1440, 4365, 4005));
        QVERIFY(h.menus.MFV->isChecked());
        h.window.setWindowState(Qt::WindowNoState);
        QTRY_VERIFY(!h.menus.MFV->isChecked());
        QCOMPARE(h.window.currentLayout(),
                 Frm2BidLayout::resized(h.window.currentLayout(), h.window.frameGeometry().width() * 15,
                                        h.window.frameGeometry().height() * 15));
        QVERIFY(h.ui.PFInfo->isVisible());
    }

    void language()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        const auto check = [&h](int column) {
            for (const auto &[control, thai, english] : captionRows(h.window))
                QCOMPARE(shown(control), column == 0 ? thai : english);
            for (const auto &[control, caption] : fixedCaptions(h.menus))
                QCOMPARE(shown(control), caption);
            QCOMPARE(h.ui.ButSend->text(), u"&Send"_s);
            QCOMPARE(h.ui.ssTab_Bid->tabText(0), u"&Product Description"_s);
            QCOMPARE(h.ui.cCurrency->text(), u"Currency = "_s);
            QCOMPARE(h.menus.MLT->isChecked(), column == 0);
            QCOMPARE(h.menus.MLE->isChecked(), column == 1);
            // The program's own boxes speak it too.
            QCOMPARE(h.prompter.language(), column);
        };
        check(0);
        h.menus.MLE->trigger();
        check(1);
        h.menus.MLE->trigger();
        check(1);
        h.menus.MLT->trigger();
        check(0);
        // Only "T" is Thai.
        h.window.SetLanguage(u"t"_s);
        QCOMPARE(shown(h.ui.placed[Frm2BidDesign::lbUBid]), u"Your Bid"_s);
    }

    // The program's boxes label their buttons in the interface language: the toolkit has no Thai for them.
    void messageBoxButtons_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("Thai") << 0 << QStringList{u"ตกลง"_s, u"ยกเลิก"_s};
        QTest::newRow("English") << 1 << QStringList{u"OK"_s, u"Cancel"_s};
    }
    void messageBoxButtons()
    {
        QFETCH(int, language);
        QFETCH(QStringList, buttons);
        MessageBoxPrompter boxes;
        boxes.setLanguage(language);
        QStringList shown;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = {box->button(QMessageBox::Ok)->text(), box->button(QMessageBox::Cancel)->text()};
            if (const QString shots = qEnvironmentVariable("GAVORA_SCREENSHOTS"); !shots.isEmpty())
                box->grab().save(shots + u"/message-box-%1.png"_s.arg(QTest::currentDataTag()));
            box->buttons().constFirst()->click();
        });
        boxes.ask(Box::question(maximumText));
        QCOMPARE(shown, buttons);
    }

    // Every control has a name a screen reader can speak, in the language shown.
    void accessibleNames()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        for (const auto &[language, lastBid, basket] :
             {std::tuple{u"E"_s, u"Last Bid"_s, u"Your basket"_s},
              std::tuple{u"T"_s, u"ราคาสูงสุด ณ ขณะนี้"_s, u"ตะกร้าของคุณ"_s}}) {
            h.window.SetLanguage(language);
            QCOMPARE(h.ui.Lb_bid->accessibleDescription(), lastBid);
            QCOMPARE(h.ui.displastbid->accessibleName(), lastBid);
            QCOMPARE(h.ui.but_basket->accessibleName(), basket);
            QCOMPARE(h.ui.MMax->accessibleName(), shown(h.ui.placed[Frm2BidDesign::MaxBid]));
        }
        for (QWidget *widget : h.window.findChildren<QWidget *>()) {
            if (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_") ||
                widget->window() != &h.window || widget->isHidden())
                continue;
            const bool named =
                !widget->accessibleName().isEmpty() || !widget->accessibleDescription().isEmpty();
            const auto *label = qobject_cast<QLabel *>(widget);
            const auto *button = qobject_cast<QPushButton *>(widget);
            const bool speaksItsText =
                (label && !label->text().isEmpty()) || (button && !button->text().isEmpty());
            const bool container = widget->objectName() == u"clientArea" ||
                                   widget->objectName() == u"pFRAME" ||
                                   widget->objectName().startsWith(u"ssTab_Bid") ||
                                   widget->objectName() == u"bbox" || widget->objectName() == u"stb";
            QVERIFY2(named || speaksItsText || container, qPrintable(widget->objectName()));
        }
    }

    // Tab moves through the picture buttons to the bid button; Space and Enter press them.
    void keyboardReachesThePictureButtons()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        h.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        QStringList order;
        QWidget *start = h.ui.but_Regis;
        start->setFocus();
        for (QWidget *w = start; order.size() < 14; w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus && !w->objectName().isEmpty() && w->isVisibleTo(&h.window))
                order << w->objectName();
            if (w->nextInFocusChain() == start)
                break;
        }
        QCOMPARE(order.mid(0, 4), (QStringList{"but_Regis", "but_HelpMe", "but_Cal", "but_basket"}));
        QVERIFY(order.contains(u"GOBID"_s));
        QTest::keyClick(start, Qt::Key_Space);
        QTRY_VERIFY(h.menus.MLG->isVisible());
        h.menus.MLG->close();
    }

    // A double-click is one Click and one DblClick: the calculator starts once (here: one box saying there is
    // none), the basket opens the history once; a single click on the basket does nothing.
    void doubleClicksOnPictureButtons()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        h.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        // As the platform delivers it: the second press comes as the double-click.
        const auto doubleClick = [](QWidget *button) {
            const QPointF at = QRectF(button->rect()).center();
            for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                const bool down = type != QEvent::MouseButtonRelease;
                QMouseEvent event(type, at, button->mapToGlobal(at), Qt::LeftButton,
                                  down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(button, &event);
            }
        };
        doubleClick(h.ui.but_Cal);
        QCOMPARE(h.prompter.requests.size(), 1);
        QTest::mouseClick(h.ui.but_basket, Qt::LeftButton);
        QCOMPARE(h.window.findChildren<frmHbid *>().size(), 0);
        doubleClick(h.ui.but_basket);
        QCOMPARE(h.window.findChildren<frmHbid *>().size(), 1);
    }

    // Each page command loads its page in its own view and leaves the tab as it was. The roots are WEBSITE
    // and APPSERVER (a trailing slash not doubled), or without them the web server of IP.
    void pageCommands()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        writeWholeFile(h.dir.filePath(u"HOSTIP.INI"_s),
                       "[SERVER]\r\nIP=127.0.0.1:1\r\nWEBSITE=http://site.test/\r\n"
                       "APPSERVER=http://app.test:8080\r\n");
        h.ui.ssTab_Bid->setCurrentIndex(1);
        const Frm2BidMenus &m = h.menus;
        for (const auto &[command, target, url] :
             {std::tuple{m.MNU, h.webBid(), "http://app.test:8080/asp/register.asp"},
              std::tuple{m.MPPS, h.webgalley(), "http://app.test:8080/asp/pinterest.asp"},
              std::tuple{m.MSSALE, h.webgalley(), "http://app.test:8080/asp/posting.asp"},
              std::tuple{m.MSNews, h.webgalley(), "http://site.test/news.htm"},
              std::tuple{m.MSFAQ, h.webgalley(), "http://site.test/faq.htm"},
              std::tuple{m.MSS, h.webgalley(), "http://site.test/search.htm"},
              std::tuple{m.MSHELP, h.webgalley(), "http://site.test/howtopgm.htm"},
              std::tuple{m.MCT, h.webgalley(), "http://site.test/contact.htm"}}) {
            FakeWebView *other = target == h.webBid() ? h.webgalley() : h.webBid();
            const QStringList targetBefore = target->navigations;
            const QStringList otherBefore = other->navigations;
            command->trigger();
            QCOMPARE(target->navigations, targetBefore + QStringList{QString::fromLatin1(url)});
            QCOMPARE(other->navigations, otherBefore);
            QCOMPARE(h.ui.ssTab_Bid->currentIndex(), 1);
        }
        writeWholeFile(h.dir.filePath(u"HOSTIP.INI"_s), "[SERVER]\r\nIP=192.0.2.7:8000\r\n");
        h.menus.MNU->trigger();
        h.menus.MCT->trigger();
        QCOMPARE(h.webBid()->navigations.last(), u"http://192.0.2.7:8000/asp/register.asp"_s);
        QCOMPARE(h.webgalley()->navigations.last(), u"http://192.0.2.7:8000/contact.htm"_s);
    }

    // The design's hidden and disabled items; the chat item only with the chat program in the work folder.
    void itemsOffered()
    {
        for (const bool program : {false, true}) {
            Harness h;
            if (program)
                writeWholeFile(h.dir.filePath(u"DoRnU.ExE"_s), "MZ");
            QVERIFY(h.window.Form_Load().isEmpty());
            QCOMPARE(h.menus.MCC->isVisible(), program);
            QVERIFY(!h.menus.MPW->isEnabled());
            for (const QAction *hidden : {h.menus.MSCOMP, h.menus.MPA, h.menus.BK4})
                QVERIFY(!hidden->isVisible());
            QVERIFY(h.menus.DLP->isChecked());
            QVERIFY(!h.window.menuBar()->actions().contains(h.menus.MLG->menuAction()));
            QStringList setting;
            for (const QAction *item : h.menus.MP->actions())
                setting << item->objectName();
            QCOMPARE(setting,
                     (QStringList{"MPW", "MPPS", "BKAdded", "MAutoBid", "MNotify", "MMute", "BK1", "MFV"}));
        }
    }

    // The toolbar window shows the gallery's address; closed, it is made again but not shown.
    void toolbarFollowsTheGallery()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        FakeWebView *gallery = h.webgalley();
        gallery->navigations << u"http://pages.test/news.htm"_s;
        emit gallery->DownloadComplete();
        QCOMPARE(h.window.toolWindow()->controls().txtURL->text(), u"http://pages.test/news.htm"_s);
        h.window.toolWindow()->close();
        QTRY_VERIFY(!h.window.toolWindow());
        emit gallery->DocumentComplete(gallery->LocationURL());
        QVERIFY(h.window.toolWindow());
        QVERIFY(h.window.toolWindow()->isHidden());
        QCOMPARE(h.window.toolWindow()->controls().txtURL->text(), u"http://pages.test/news.htm"_s);
        // Its buttons act on the view of the active tab.
        h.window.toolWindow()->tbToolBar_ButtonClick(u"Refresh"_s);
        QCOMPARE(h.webBid()->calls.last(), u"Refresh"_s);
    }

    void aboutBox()
    {
        Harness h;
        QString shown;
        QTimer::singleShot(0, &h.window, [&shown] {
            QWidget *box = QApplication::activeModalWidget();
            shown = box ? box->objectName() + u' ' + box->windowTitle() : QString();
            if (box)
                QTest::keyClick(box, Qt::Key_Return);
        });
        h.menus.MA->trigger();
        QCOMPARE(shown, u"Dialog Gavora.Com"_s);
    }

    void tabChangeAndTitles()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        FakeWebView *description = h.webBid();
        FakeWebView *gallery = h.webgalley();
        QCOMPARE(description->navigations, QStringList{u"http://pages.test/one"_s});
        QCOMPARE(gallery->navigations, QStringList{u"http://pages.test/gall"_s});
        description->pageTitle = u"นาฬิกา"_s;
        gallery->pageTitle = u"Gallery & more: watches, cameras, bicycles"_s;

        h.window.toolWindow()->close();
        QTRY_VERIFY(!h.window.toolWindow());
        h.ui.ssTab_Bid->setCurrentIndex(1);
        QCOMPARE(h.window.windowTitle(),
                 u"Gavora.Com (Beta I) - [Gallery & more: watches, cameras, bicycles]"_s);
        QVERIFY(h.window.toolWindow() && h.window.toolWindow()->isVisible());
        h.ui.ssTab_Bid->setCurrentIndex(0);
        QCOMPARE(h.window.windowTitle(), u"Gavora.Com (Beta I) - [นาฬิกา]"_s);
        emit description->DownloadComplete();
        QCOMPARE(h.window.windowTitle(), u"Gavora.Com (Beta I)  - [นาฬิกา]"_s);
        // The gallery's loads name its tab, never the window.
        emit gallery->DownloadBegin();
        QCOMPARE(h.ui.ssTab_Bid->tabText(1), u"Gallery && more: watches, ..."_s);
        gallery->pageTitle = u"FAQ"_s;
        emit gallery->DownloadComplete();
        QCOMPARE(h.ui.ssTab_Bid->tabText(1), u"FAQ..."_s);
        QCOMPARE(h.window.windowTitle(), u"Gavora.Com (Beta I)  - [นาฬิกา]"_s);

        // Qt's modified marker "[*]" shows as it is, however the title comes to hold it.
        h.window.winId();
        description->pageTitle = u"*"_s;
        emit description->DownloadComplete();
        QCOMPARE(h.window.windowHandle()->title(), u"Gavora.Com (Beta I)  - [*]"_s);
        gallery->pageTitle = u"[*]"_s;
        h.ui.ssTab_Bid->setCurrentIndex(1);
        QCOMPARE(h.window.windowHandle()->title(), u"Gavora.Com (Beta I) - [[*]]"_s);
    }

    void progress_data()
    {
        QTest::addColumn<Reports>("reports");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("value");
        QTest::newRow("within") << Reports{{40, 100}} << 100 << 40;
        QTest::newRow("finished (-1)") << Reports{{40, 100}, {-1, 100}} << 100 << 0;
        QTest::newRow("zero") << Reports{{40, 100}, {0, 0}} << 100 << 0;
        QTest::newRow("above the maximum") << Reports{{40, 100}, {150, 0}} << 100 << 0;
        QTest::newRow("new maximum") << Reports{{5000, 10000}} << 10000 << 5000;
        QTest::newRow("no maximum given") << Reports{{5000, 10000}, {7000, -1}} << 10000 << 7000;
    }
    void progress()
    {
        QFETCH(Reports, reports);
        QFETCH(int, maximum);
        QFETCH(int, value);
        Harness h;
        for (const auto &[view, bar] :
             {std::pair{h.webBid(), h.ui.pload1}, std::pair{h.webgalley(), h.ui.pload2}}) {
            for (const auto &[progress, progressMax] : reports)
                emit view->ProgressChange(progress, progressMax);
            QCOMPARE(bar->maximum(), maximum);
            QCOMPARE(bar->value(), value);
        }
        emit h.webBid()->DownloadComplete();
        QCOMPARE(h.ui.pload1->value(), 0);
    }

    // Mute and notifications come from the settings file, or are the defaults when it is missing or holds no
    // settings; a change is kept for the next run, and HOSTIP.INI is never written.
    void settingsLastBetweenRuns_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("muted");
        QTest::addColumn<bool>("notifications");
        QTest::newRow("no file") << QByteArray() << false << true;
        QTest::newRow("kept") << "[General]\nmuted=true\nnotifications=false\n"_ba << true << false;
        QTest::newRow("not settings") << "\0\xFF[General\nmuted=1\nnotifications=no"_ba << false << true;
    }
    void settingsLastBetweenRuns()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, muted);
        QFETCH(bool, notifications);
        QTemporaryDir config;
        const QString path = config.filePath(u"gavora.conf"_s);
        if (!file.isEmpty())
            writeWholeFile(path, file);
        for (const bool changed : {false, true}) {
            Harness h(path);
            const QByteArray hostIni = readWholeFile(h.folder.hostIni());
            QCOMPARE(h.menus.MMute->isChecked(), muted != changed);
            QCOMPARE(h.window.sounds().isMuted(), muted != changed);
            QCOMPARE(h.menus.MNotify->isChecked(), notifications != changed);
            h.menus.MMute->trigger();
            h.menus.MNotify->trigger();
            QCOMPARE(h.window.sounds().isMuted(), muted == changed);
            QCOMPARE(readWholeFile(h.folder.hostIni()), hostIni);
        }
    }

    // While the window is not looked at, each alert goes to the desktop's notification service once, in the
    // interface language, and a click on it brings the window forward. Nothing while the window is active or
    // with notifications off, and nothing, not even a warning, when no service runs. A read is "!arm N"
    // (auto-bid armed with MMax at N) or "!lost" (the server closes the connection).
    void desktopNotifications_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QByteArrayList>("reads");
        QTest::addColumn<QStringList>("bodies");
        const QByteArray own = bidMessage("user", 1600);
        const QByteArray rival = bidMessage("alice", 1700);
        const QByteArray closing = "#COUNT1\t\xFE";
        const QByteArray sold = "#COUNTS\t\xFE";
        QTest::newRow("outbid") << u"T"_s << QString() << QByteArrayList{own, rival}
                                << QStringList{u"มีผู้เสนอราคาสูงกว่า: alice 1,700 — นาฬิกา"_s};
        QTest::newRow("outbid, English") << u"E"_s << QString() << QByteArrayList{own + rival}
                                         << QStringList{u"Outbid: alice bid 1,700 on นาฬิกา"_s};
        QTest::newRow("lead taken back in the same read")
            << u"E"_s << QString() << QByteArrayList{own, rival + bidMessage("user", 1800)} << QStringList();
        QTest::newRow("closing, bid on") << u"T"_s << QString() << QByteArrayList{own, closing}
                                         << QStringList{u"กำลังปิดการประมูล: นาฬิกา ที่ 1,600"_s};
        QTest::newRow("closing, not bid on")
            << u"E"_s << QString() << QByteArrayList{rival, closing} << QStringList();
        QTest::newRow("won") << u"E"_s << QString() << QByteArrayList{own, sold}
                             << QStringList{u"You won นาฬิกา at 1,600"_s};
        QTest::newRow("won, Thai") << u"T"_s << QString() << QByteArrayList{own + sold}
                                   << QStringList{u"คุณชนะการประมูล นาฬิกา ที่ 1,600"_s};
        QTest::newRow("sold to another")
            << u"E"_s << QString() << QByteArrayList{rival, sold} << QStringList();
        QTest::newRow("auto-bid stopped") << u"E"_s << QString() << QByteArrayList{"!arm 1,750", rival}
                                          << QStringList{u"Auto-bid stopped: 1,800 is above your maximum"_s};
        QTest::newRow("auto-bid stopped, Thai")
            << u"T"_s << QString() << QByteArrayList{"!arm 1,750", rival}
            << QStringList{u"หยุดประมูลอัตโนมัติ: 1,800 สูงกว่าราคาพอใจซื้อสูงสุด"_s};
        QTest::newRow("connection lost") << u"E"_s << QString() << QByteArrayList{"!lost"}
                                         << QStringList{u"Connection to the auction lost"_s};
        QTest::newRow("connection lost, Thai")
            << u"T"_s << QString() << QByteArrayList{"!lost"} << QStringList{u"การเชื่อมต่อกับการประมูลขาดหาย"_s};
        const QByteArrayList everything{own, rival, own, closing, sold, "!lost"};
        QTest::newRow("window active") << u"E"_s << u"active"_s << everything << QStringList();
        QTest::newRow("notifications off") << u"E"_s << u"off"_s << everything << QStringList();
        QTest::newRow("no service") << u"E"_s << u"no service"_s << everything << QStringList();
    }
    void desktopNotifications()
    {
        QFETCH(QString, language);
        QFETCH(QString, user);
        QFETCH(QByteArrayList, reads);
        QFETCH(QStringList, bodies);
        QTest::failOnWarning(QRegularExpression(u"(?i)d-?bus|notif"_s));
        if (!m_bus)
            m_bus = std::make_unique<PrivateBus>();
        QVERIFY2(!m_bus->address().isEmpty(), "dbus-daemon did not start");
        const QString row = QString::fromUtf8(QTest::currentDataTag());
        const QDBusConnection bus = m_bus->connect(u"window "_s + row);
        const auto leave = qScopeGuard([&bus] { QDBusConnection::disconnectFromBus(bus.name()); });
        std::optional<FakeNotifications> service;
        if (user != u"no service")
            service.emplace(m_bus->connect(u"service "_s + row));

        Harness h({}, bus);
        h.window.SetLanguage(language);
        if (user == u"active") {
            h.window.show();
            QVERIFY(QTest::qWaitForWindowActive(&h.window));
        } else if (user == u"off") {
            h.menus.MNotify->trigger();
        }
        QVERIFY(h.connect());
        h.handle({productMessage(), "#GOBID\t\xFE"});
        for (const QByteArray &read : reads) {
            if (read.startsWith("!arm ")) {
                h.ui.MMax->setText(QString::fromLatin1(read.mid(5)));
                h.menus.MAutoBid->trigger();
                QVERIFY(h.menus.MAutoBid->isChecked());
            } else if (read == "!lost") {
                h.peer.closeClient();
                QTRY_VERIFY(h.window.signInWindow());
            } else {
                QByteArrayList messages = read.split('\xFE');
                messages.removeAll(QByteArray());
                for (QByteArray &message : messages)
                    message += '\xFE';
                h.handle(messages);
            }
        }
        QVERIFY(notifyAfterTheWindow(bus));
        if (!service)
            return;
        QStringList shown;
        for (const FakeNotifications::Call &call : service->calls.first(service->calls.size() - 1)) {
            shown << call.body;
            QCOMPARE(call.summary, QCoreApplication::applicationName());
            QCOMPARE(call.appName, QCoreApplication::applicationName());
            QVERIFY(call.actions.contains(u"default"_s));
        }
        QCOMPARE(shown, bodies);
        if (!bodies.isEmpty()) {
            QVERIFY(!h.window.isActiveWindow());
            service->click(1);
            QTRY_VERIFY(h.window.isActiveWindow());
        }
    }

    // A double-click on the description tab asks before it sends the request, and only that tab does.
    void descriptionRequest()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        QTabBar *bar = h.ui.ssTab_Bid->tabBar();
        const auto doubleClickTab = [bar](int tab) { emit bar->tabBarDoubleClicked(tab); };

        doubleClickTab(0); // not connected: asked, nothing sent, nothing fails
        QCOMPARE(h.prompter.requests.size(), 1);
        const Prompter::Request asked = h.prompter.requests[0];
        QCOMPARE(asked.text, u"Do you want to receive Product Description"_s);
        QCOMPARE(asked.title, u"Gavora.Com"_s);
        QCOMPARE(int(asked.icon), int(Prompter::Icon::Question));
        QCOMPARE(int(asked.buttons), int(Prompter::Buttons::OkCancel));

        QVERIFY(h.connect());
        h.prompter.queueAnswer(Prompter::Answer::Cancel);
        doubleClickTab(0);
        h.ui.ssTab_Bid->setCurrentIndex(1);
        doubleClickTab(1);
        QCOMPARE(h.prompter.requests.size(), 2);
        h.ui.ssTab_Bid->setCurrentIndex(0);
        doubleClickTab(0);
        QTRY_COMPARE(h.peer.received, "GETPD\t\xFE"_ba);
    }

private:
    // A bus of the test's own, started for the first test that needs it.
    std::unique_ptr<PrivateBus> m_bus;
};

QTEST_MAIN(TestFrm2Bid)
#include "test_frm2bid.moc"
