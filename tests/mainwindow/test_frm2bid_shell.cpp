// The main window around the auction: layout applied, wide view, language, the tabbed pane, accessibility.
#include "auction_panel.h"
#include "fake_web_view.h"
#include "frm2bid.h"
#include "frm2bid_controls.h"
#include "frm_tool.h"
#include "loopback_peers.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Reports = QList<QPair<int, int>>;

namespace {
struct Harness {
    Harness() : window({.prompter = &prompter, .webViewFactory = FakeWebView::factory(), .beep = [] {}})
    {
        writeWholeFile(dir.filePath(u"HOSTIP.INI"_s), "[SERVER]\r\nIP=127.0.0.1:1\r\nPORT=1\r\n"
                                                      "WEBONE=http://pages.test/one\r\n"
                                                      "WEBGALL=http://pages.test/gall\r\n");
    }
    FakeWebView *view(const char *name) { return static_cast<FakeWebView *>(named<WebView>(window, name)); }
    QAction *item(const char *name) { return named<QAction>(window, name); }
    QString caption(const char *name)
    {
        if (auto *label = window.findChild<QLabel *>(QString::fromLatin1(name)))
            return label->text();
        if (auto *menu = window.findChild<QMenu *>(QString::fromLatin1(name)))
            return menu->title();
        return item(name)->text();
    }

    TempWorkDir dir;
    FakePrompter prompter;
    frm2Bid window;
    Frm2BidControls ui{window};
};

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

// Every caption of the language table, as the window must show it.
const QList<std::tuple<const char *, QString, QString>> captionRows{
    {"LBHEAD", u"ข้อมูลการประมูล"_s, u"Auction"_s},
    {"lbfbid", u"ราคาเริ่มต้น"_s, u"First bid at"_s},
    {"lbmbid", u"ราคาขายต่ำสุด"_s, u"Mimimum bid"_s},
    {"lbhbid", u"ผู้ประมูลสูงสุด"_s, u"High Bid"_s},
    {"lbLbid", u"ราคาสูงสุด ณ ขณะนี้"_s, u"Last Bid"_s},
    {"lbinc", u"อัตราเพิ่ม"_s, u"Increment"_s},
    {"lbUBid", u"ราคาที่ต้องเสนอขั้นต่ำ"_s, u"Your Bid"_s},
    {"lbAuc", u"ประวัติการประมูล"_s, u"Auction History"_s},
    {"MP", u"กำหนด"_s, u"Set&ting"_s},
    {"MN", u"บริการ"_s, u"&Services"_s},
    {"MFT", u"รูปแบบ"_s, u"&Format"_s},
    {"MPW", u"รูปแบบหน้าจอเวบ"_s, u"&Options"_s},
    {"MPPS", u"สินค้าที่สนใจ"_s, u"&Product List"_s},
    {"MFV", u"แสดงเวบแบบเต็มความกว้าง"_s, u"&Wide View"_s},
    {"MSNews", u"ข่าว"_s, u"&News"_s},
    {"MSFAQ", u"FAQ"_s, u"&FAQ"_s},
    {"MSS", u"ค้นหาข้อมูล"_s, u"Se&arch"_s},
    {"MSCOMP", u"เปรียบเทียบราคา"_s, u"Price &Lines"_s},
    {"MPA", u"ระบบเตือน"_s, u"&Alarm"_s},
    {"MSSALE", u"นำสินค้ามาประมูล"_s, u"Product &Auction"_s},
    {"MSHELP", u"ช่วยเหลือ"_s, u"&Help"_s},
    {"MFF", u"ภาพหลัง"_s, u"&Background Image"_s},
    {"MFP1", u"รูปแบบที่ 1"_s, u"Picture &1"_s},
    {"MFP2", u"รูปแบบที่ 2"_s, u"Picture &2"_s},
    {"MCUS", u"กำหนดเอง"_s, u"&Select background image"_s},
    {"MFPB", u"ไม่แสดง"_s, u"&Disable "_s},
    {"MaxBid", u"ราคาพอใจซื้อสูงสุด"_s, u"Max. Bid"_s},
    {"MCT", u"ติดต่อสอบถาม"_s, u"Contact"_s},
};

// Captions no language touches.
const QList<std::pair<const char *, QString>> fixedCaptions{
    {"MLG", u"Login"_s},    {"MNU", u"&New user"_s}, {"MLN", u"&Login"_s},    {"DLP", u"&Display Last Bid"_s},
    {"MA", u"&About.."_s},  {"MCC", u"&Chat"_s},     {"ML", u"&ไทย | Eng"_s}, {"MLT", u"&ไทย"_s},
    {"MLE", u"&English"_s},
};
} // namespace

class TestFrm2BidShell : public QObject {
    Q_OBJECT
private slots:
    // The window lays itself out from its own size; a minimised window changes nothing, restoring it lays it
    // out again in the normal view.
    void resizingLaysTheWindowOut()
    {
        Harness h;
        showWithOuterSize(h.window, 1280, 1024);
        QCOMPARE(h.ui.PFInfo->geometry(), pixels(14635, 1440, 4365, 4005));
        QCOMPARE(named<QWidget>(h.window, "GOBID")->geometry(), pixels(16330, 6510, 1005, 885));
        QCOMPARE(h.ui.ssTab_Bid->geometry(), pixels(30, 840, 14485, 13710));
        // Inside the tab control, places are relative to the whole control.
        const QPoint page = h.ui.webBid->parentWidget()->mapTo(h.ui.ssTab_Bid, QPoint());
        QCOMPARE(h.ui.webBid->geometry().translated(page), pixels(90, 450, 14285, 12860));
        QCOMPARE(h.ui.pload1->geometry().translated(page), pixels(90, 13320, 14285, 225));

        h.window.MFV_Click();
        QVERIFY(h.item("MFV")->isChecked());
        h.window.setWindowState(Qt::WindowMinimized);
        h.window.resize(1000, 700);
        QCOMPARE(h.ui.PFInfo->geometry(), pixels(14635, 1440, 4365, 4005));
        QVERIFY(h.item("MFV")->isChecked());
        h.window.setWindowState(Qt::WindowNoState);
        QTRY_VERIFY(!h.item("MFV")->isChecked());
        QCOMPARE(h.window.currentLayout(),
                 Frm2BidLayout::resized(h.window.currentLayout(), h.window.frameGeometry().width() * 15,
                                        h.window.frameGeometry().height() * 15));
        QVERIFY(h.ui.PFInfo->isVisible());
    }

    // Through the menu: the mark, the hidden column, the view of the other tab corrected when it is chosen.
    void wideViewFromTheMenu()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        h.window.setWindowState(Qt::WindowNoState);
        showWithOuterSize(h.window, 1280, 1024);
        h.item("MFV")->trigger();
        QVERIFY(h.item("MFV")->isChecked());
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
        h.item("MFV")->trigger();
        QVERIFY(!h.item("MFV")->isChecked());
        QVERIFY(h.ui.PFInfo->isVisible());
        QCOMPARE(h.ui.webgalley->width(), qRound(14285 / 15.0));
        QCOMPARE(h.ui.webBid->width(), qRound(18850 / 15.0));
        h.ui.ssTab_Bid->setCurrentIndex(0);
        QCOMPARE(h.ui.webBid->width(), qRound(14285 / 15.0));
    }

    void language()
    {
        Harness h;
        QCOMPARE(h.window.captions().unresolved(), QStringList());
        QVERIFY(h.window.Form_Load().isEmpty());
        const auto check = [&h](int column) {
            for (const auto &[name, thai, english] : captionRows)
                QCOMPARE(h.caption(name), column == 0 ? thai : english);
            for (const auto &[name, caption] : fixedCaptions)
                QCOMPARE(h.caption(name), caption);
            QCOMPARE(h.ui.ButSend->text(), u"&Send"_s);
            QCOMPARE(h.ui.ssTab_Bid->tabText(0), u"&Product Description"_s);
            QCOMPARE(h.ui.cCurrency->text(), u"Currency = "_s);
            QCOMPARE(h.item("MLT")->isChecked(), column == 0);
            QCOMPARE(h.item("MLE")->isChecked(), column == 1);
        };
        check(0);
        h.item("MLE")->trigger();
        check(1);
        h.item("MLE")->trigger();
        check(1);
        h.item("MLT")->trigger();
        check(0);
        // Only "T" is Thai.
        h.window.SetLanguage(u"t"_s);
        QCOMPARE(h.caption("lbUBid"), u"Your Bid"_s);
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
            QCOMPARE(named<QWidget>(h.window, "but_basket")->accessibleName(), basket);
            QCOMPARE(h.ui.MMax->accessibleName(), h.caption("MaxBid"));
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
        QWidget *start = named<QWidget>(h.window, "but_Regis");
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
        QTRY_VERIFY(named<QMenu>(h.window, "MLG")->isVisible());
        named<QMenu>(h.window, "MLG")->close();
    }

    // Each page command loads its page in its own view and leaves the tab as it was.
    void pageCommands()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        h.ui.ssTab_Bid->setCurrentIndex(1);
        for (const auto &[command, view, path] :
             {std::tuple{"MNU", "webBid", "/asp/register.asp"},
              std::tuple{"MPPS", "webgalley", "/asp/pinterest.asp"},
              std::tuple{"MSSALE", "webgalley", "/asp/posting.asp"},
              std::tuple{"MSNews", "webgalley", "/news.htm"}, std::tuple{"MSFAQ", "webgalley", "/faq.htm"},
              std::tuple{"MSS", "webgalley", "/search.htm"},
              std::tuple{"MSHELP", "webgalley", "/howtopgm.htm"},
              std::tuple{"MCT", "webgalley", "/contact.htm"}}) {
            const QStringList before[2] = {h.view("webBid")->navigations, h.view("webgalley")->navigations};
            h.item(command)->trigger();
            FakeWebView *target = h.view(view);
            FakeWebView *other = h.view(qstrcmp(view, "webBid") == 0 ? "webgalley" : "webBid");
            QCOMPARE(target->navigations.size(),
                     (target == h.view("webBid") ? before[0] : before[1]).size() + 1);
            QCOMPARE(target->navigations.last(), u"http://127.0.0.1:1"_s + QLatin1String(path));
            QCOMPARE(other->navigations, other == h.view("webBid") ? before[0] : before[1]);
            QCOMPARE(h.ui.ssTab_Bid->currentIndex(), 1);
        }
    }

    // The design's hidden and disabled items; the chat item only with the chat program in the work folder.
    void itemsOffered()
    {
        for (const bool program : {false, true}) {
            Harness h;
            if (program)
                writeWholeFile(h.dir.filePath(u"DoRnU.ExE"_s), "MZ");
            QVERIFY(h.window.Form_Load().isEmpty());
            QCOMPARE(h.item("MCC")->isVisible(), program);
            QVERIFY(!h.item("MPW")->isEnabled());
            for (const char *hidden : {"MSCOMP", "MPA", "BK4"})
                QVERIFY(!h.item(hidden)->isVisible());
            QVERIFY(h.item("DLP")->isChecked());
            QVERIFY(!h.window.menuBar()->actions().contains(named<QMenu>(h.window, "MLG")->menuAction()));
        }
    }

    // The toolbar window shows the gallery's address; closed, it is made again but not shown.
    void toolbarFollowsTheGallery()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        FakeWebView *gallery = h.view("webgalley");
        gallery->navigations << u"http://pages.test/news.htm"_s;
        emit gallery->DownloadComplete();
        QCOMPARE(named<QLineEdit>(*h.window.toolWindow(), "txtURL")->text(), u"http://pages.test/news.htm"_s);
        h.window.toolWindow()->close();
        QTRY_VERIFY(!h.window.toolWindow());
        emit gallery->DocumentComplete(gallery->LocationURL());
        QVERIFY(h.window.toolWindow());
        QVERIFY(h.window.toolWindow()->isHidden());
        QCOMPARE(named<QLineEdit>(*h.window.toolWindow(), "txtURL")->text(), u"http://pages.test/news.htm"_s);
        // Its buttons act on the view of the active tab.
        h.window.toolWindow()->tbToolBar_ButtonClick(u"Refresh"_s);
        QCOMPARE(h.view("webBid")->calls.last(), u"Refresh"_s);
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
        h.item("MA")->trigger();
        QCOMPARE(shown, u"Dialog Gavora.Com"_s);
    }

    void tabChangeAndTitles()
    {
        Harness h;
        QVERIFY(h.window.Form_Load().isEmpty());
        FakeWebView *description = h.view("webBid");
        FakeWebView *gallery = h.view("webgalley");
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
        for (const auto &[name, bar] :
             {std::pair{"webBid", h.ui.pload1}, std::pair{"webgalley", h.ui.pload2}}) {
            for (const auto &[progress, progressMax] : reports)
                emit h.view(name)->ProgressChange(progress, progressMax);
            QCOMPARE(bar->maximum(), maximum);
            QCOMPARE(bar->value(), value);
        }
        emit h.view("webBid")->DownloadComplete();
        QCOMPARE(h.ui.pload1->value(), 0);
    }

    // A double-click on the description tab asks before it sends the request, and only that tab does.
    void descriptionRequest()
    {
        Harness h;
        ScriptedPeer peer;
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

        h.window.ConnectAuctionSocket(u"127.0.0.1"_s, peer.port(), u"user"_s);
        QTRY_VERIFY(!peer.received.isEmpty());
        peer.received.clear();
        h.prompter.queueAnswer(Prompter::Answer::Cancel);
        doubleClickTab(0);
        h.ui.ssTab_Bid->setCurrentIndex(1);
        doubleClickTab(1);
        QCOMPARE(h.prompter.requests.size(), 2);
        h.ui.ssTab_Bid->setCurrentIndex(0);
        doubleClickTab(0);
        QTRY_COMPARE(peer.received, "GETPD\t\xFE"_ba);
    }

    void hidingTheLastBidDisplay()
    {
        Harness h;
        ScriptedPeer peer;
        h.window.ConnectAuctionSocket(u"127.0.0.1"_s, peer.port(), u"user"_s);
        QTRY_VERIFY(peer.hasClient());
        peer.send(
            "#BidManPInfo\tP1\tx\t1\t1000\t1200\tbob\t1500\t100\ty\tTHB\thttp://p.test/\t\xFE#COUNT1\t\xFE");
        QTRY_VERIFY(!h.ui.displastbid->isHidden());
        h.item("DLP")->trigger();
        QVERIFY(!h.item("DLP")->isChecked());
        QVERIFY(h.ui.displastbid->isHidden());
        // The next countdown step shows it again, whatever the mark.
        peer.send("#COUNT2\t\xFE");
        QTRY_VERIFY(!h.ui.displastbid->isHidden());
        QVERIFY(!h.item("DLP")->isChecked());
        h.item("DLP")->trigger();
        QVERIFY(h.item("DLP")->isChecked());
        QVERIFY(!h.ui.displastbid->isHidden());
    }
};

QTEST_MAIN(TestFrm2BidShell)
#include "test_frm2bid_shell.moc"
