#include "frm2bid.h"
#include "frm2bid_design.h"
#include "frm2bid_harness.h"
#include "global.h"
#include "http_responder.h"
#include "test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

using namespace std::chrono_literals;

namespace {
const QString lostText =
    QStringLiteral("ไม่สามารถติดต่อกับเครื่องที่ให้บริการได้ ..... กรุณาลองดูอีกครั้ง หรือ ติดต่อฝ่ายเทคนิค Gavora");
} // namespace

class TestFrm2Bid : public QObject {
    Q_OBJECT
private slots:
    void init() { Global::UserID.clear(); }

    void designState()
    {
        Harness h;
        QCOMPARE(h.window.windowTitle(), QStringLiteral("Gavora.Com (Beta I)"));
        QCOMPARE(h.window.stbPanel2->text(), QStringLiteral("UID :"));
        QVERIFY(!h.window.GOBID->isEnabled());
        for (QLabel *label :
             {h.window.fbidat, h.window.MinBid, h.window.Hi_Bid, h.window.Lb_bid, h.window.bid_Inc})
            QCOMPARE(label->text(), QStringLiteral("0"));
        QCOMPARE(h.window.cCurrency->text(), QStringLiteral("Currency = "));
        QCOMPARE(h.window.lbYourBid->text(), QStringLiteral("0"));
        QCOMPARE(h.window.MMax->text(), QStringLiteral("0"));
        QCOMPARE(h.window.countDown->maximum(), 15);
        QVERIFY(h.window.displastbid->isHidden());
        QVERIFY(h.window.menuMLG()->menuAction()->isVisible());
        QVERIFY(!h.window.menuBar()->actions().contains(h.window.menuMLG()->menuAction()));
    }

    void designRectangles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("PFInfo") << "PFInfo" << QRect(460, 96, 291, 267);
        QTest::newRow("GOBID") << "GOBID" << QRect(596, 436, 67, 59);
        QTest::newRow("msgchat") << "msgchat" << QRect(458, 56, 293, 19);
        QTest::newRow("but_Regis in pFRAME") << "but_Regis" << QRect(4, 6, 43, 35);
        QTest::newRow("Hi_Bid in PFInfo") << "Hi_Bid" << QRect(128, 106, 135, 32);
        QTest::newRow("lbYourBid in PFInfo") << "lbYourBid" << QRect(130, 212, 135, 34);
    }
    void designRectangles()
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        Harness h;
        auto *widget = h.window.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), pixels);
        const auto control = Frm2BidDesign::find(name.toStdString());
        QVERIFY(control);
        QCOMPARE(Design::toPixels(control->rect), pixels);
    }

    void formLoad_data()
    {
        QTest::addColumn<QString>("chatFile");
        QTest::addColumn<bool>("chatOffered");
        QTest::newRow("chat program present") << "DORNU.EXE" << true;
        QTest::newRow("chat program missing") << "" << false;
    }
    void formLoad()
    {
        QFETCH(QString, chatFile);
        QFETCH(bool, chatOffered);
        Harness h;
        h.writeHostIni(QStringLiteral("web.test:8080"), 4000);
        if (!chatFile.isEmpty())
            writeWholeFile(h.dir.filePath(chatFile), "MZ");
        QCOMPARE(h.window.Form_Load(), QString());
        QCOMPARE(Global::WorkDir, QDir::currentPath());
        QCOMPARE(h.window.MCC->isVisible(), chatOffered);
        QCOMPARE(static_cast<FakeWebView *>(h.window.webBid)->navigations,
                 QStringList{QStringLiteral("http://pages.test/desc.htm")});
        QCOMPARE(static_cast<FakeWebView *>(h.window.webgalley)->navigations,
                 QStringList{QStringLiteral("http://pages.test/gall.htm")});
        QCOMPARE(static_cast<FakeWebView *>(h.window.webspn)->navigations,
                 QStringList{QStringLiteral("http://web.test:8080/adv.asp")});
        QVERIFY(!h.window.webspn->isHidden());
        QCOMPARE(h.window.ssTab_Bid->currentIndex(), 0);
        QVERIFY(h.window.bbox->autoFillBackground());
        QVERIFY(h.window.toolWindow() && h.window.toolWindow()->isVisible());
        QCOMPARE(h.window.toolWindow()->pos(), QPoint(550, 0));
        QVERIFY(h.window.windowState() & Qt::WindowMaximized);
        QCOMPARE(h.window.lbfbid->text(), QStringLiteral("ราคาเริ่มต้น"));
        QCOMPARE(h.window.MP->title(), QStringLiteral("กำหนด"));
        QCOMPARE(h.window.MCT->text(), QStringLiteral("ติดต่อสอบถาม"));
        // Not in the caption table: stays as designed.
        QCOMPARE(h.window.MCC->text(), QStringLiteral("&Chat"));
        QVERIFY(h.prompter.requests.isEmpty());
    }

    void loginWhileOpenRaisesTheSameWindow()
    {
        Harness h;
        h.window.MLN_Click();
        QPointer<frmLogin> first = h.window.signInWindow();
        QVERIFY(first);
        QCOMPARE(first->windowModality(), Qt::ApplicationModal);
        h.window.MLN_Click();
        QCOMPARE(h.window.signInWindow(), first.data());
        QCOMPARE(h.window.findChildren<frmLogin *>().size(), 1);
    }

    void signInConnectsAndAnnounces()
    {
        Harness h;
        HttpResponder web;
        web.setBody(QByteArray("ID=4711"));
        TcpPeer peer;
        h.writeHostIni(web.address(), peer.port());
        h.signIn(QStringLiteral("สมชาย\tx"));
        QTRY_COMPARE(h.window.stbPanel2->text(), QStringLiteral("UID :  4711"));
        QTRY_COMPARE(peer.received.size(), 1);
        const QByteArray announcement = "AuctionGO\t\xCA\xC1\xAA\xD2\xC2 x\t\t0\t";
        QTRY_COMPARE(peer.received[0], announcement);
        QCOMPARE(h.beeps, 1);
        QVERIFY(!h.window.signInWindow());
        QVERIFY(h.prompter.requests.isEmpty());
    }

    void signInAgainReconnectsToTheNewPort()
    {
        Harness h;
        HttpResponder web;
        TcpPeer first;
        TcpPeer second;
        h.writeHostIni(web.address(), first.port());
        h.signIn(QStringLiteral("alice"));
        QTRY_COMPARE(first.received.value(0), QByteArray("AuctionGO\talice\t\t0\t"));

        h.writeHostIni(web.address(), second.port());
        h.signIn(QStringLiteral("bob"));
        QTRY_COMPARE(second.received.value(0), QByteArray("AuctionGO\tbob\t\t0\t"));
        QTRY_COMPARE(first.sockets[0]->state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(first.received.size(), 1);
        QCOMPARE(h.beeps, 2);
        QVERIFY(h.prompter.requests.isEmpty());
    }

    void serverCloseResetsAndReopensSignIn()
    {
        Harness h;
        HttpResponder web;
        TcpPeer peer;
        h.writeHostIni(web.address(), peer.port());
        h.signIn(QStringLiteral("alice"));
        QTRY_COMPARE(peer.received.value(0).isEmpty(), false);

        peer.sockets[0]->write(
            "#BidManPInfo\tP1\tCamera\t1\t1000\t1200\tbob\t1500\t100\tshop\tTHB\t\t\xFE"
            "#GOBID\t\xFE#BID\tbob\t1600\t100\t10:00\t\xFE#LEFTCOUNT\t7\t\xFE#COUNT1\t\xFE");
        QTRY_COMPARE(h.window.countDown->value(), 7);
        QCOMPARE(h.window.CurrentProductID(), QStringLiteral("P1"));
        QCOMPARE(h.window.Lb_bid->text(), QStringLiteral("1,600"));
        QCOMPARE(h.window.aucList->count(), 1);
        QVERIFY(!h.window.displastbid->isHidden());
        QVERIFY(h.window.GOBID->isEnabled());

        peer.sockets[0]->disconnectFromHost();
        QTRY_VERIFY(h.window.signInWindow());
        QCOMPARE(h.window.signInWindow()->windowModality(), Qt::NonModal);
        QCOMPARE(h.window.stbPanel2->text(), QStringLiteral("UID :"));
        for (QLabel *label :
             {h.window.Hi_Bid, h.window.Lb_bid, h.window.bid_Inc, h.window.PDesc, h.window.nQty,
              h.window.fbidat, h.window.MinBid, h.window.SellerBy, h.window.cCurrency})
            QCOMPARE(label->text(), QString());
        QCOMPARE(h.window.CurrentProductID(), QString());
        QCOMPARE(h.window.aucList->count(), 0);
        QVERIFY(h.window.displastbid->isHidden());
        QVERIFY(!h.window.GOBID->isEnabled());
        QCOMPARE(h.window.countDown->value(), 0);
        QVERIFY(h.prompter.requests.isEmpty());
        // The user's identity outlives the connection.
        QCOMPARE(Global::UserID, QStringLiteral("alice"));
    }

    void unreachableServerWarnsOnceThenResets()
    {
        Harness h;
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost);
            closedPort = probe.serverPort();
        }
        h.window.stbPanel2->setText(QStringLiteral("UID :  9"));
        h.window.ConnectAuctionSocket(QStringLiteral("127.0.0.1"), closedPort);
        QTRY_VERIFY(h.window.signInWindow());
        QCOMPARE(h.prompter.requests.size(), 1);
        QCOMPARE(h.prompter.requests[0].text, lostText);
        QCOMPARE(h.prompter.requests[0].icon, Prompter::Icon::Critical);
        QCOMPARE(h.window.stbPanel2->text(), QStringLiteral("UID :"));
        QCOMPARE(h.beeps, 0);
    }

    // A lost connection while the sign-in window is open keeps that window.
    void closeWhileSignInOpenKeepsIt()
    {
        Harness h;
        h.window.MLN_Click();
        QPointer<frmLogin> open = h.window.signInWindow();
        open->txtUserName->setText(QStringLiteral("typed"));
        h.window.wsk_tcp_Close();
        QCOMPARE(h.window.signInWindow(), open.data());
        QCOMPARE(open->txtUserName->text(), QStringLiteral("typed"));
    }

    void closingTheWindowClosesTheOthers()
    {
        Harness h;
        h.writeHostIni(QStringLiteral("web.test"), 4000);
        QCOMPARE(h.window.Form_Load(), QString());
        h.window.MLN_Click();
        QPointer<frmTool> tool = h.window.toolWindow();
        QPointer<frmLogin> login = h.window.signInWindow();
        h.window.close();
        QTRY_VERIFY(tool.isNull());
        QTRY_VERIFY(login.isNull());
    }
};

QTEST_MAIN(TestFrm2Bid)
#include "tst_frm2bid.moc"
