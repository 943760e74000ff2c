#include "fake_web_view.h"
#include "frm_tool.h"
#include "test_support.h"
#include "tool_target.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
class FakeTarget : public ToolTarget {
public:
    int currentTab() const override { return tab; }
    WebView *descriptionView() const override { return webBid; }
    WebView *galleryView() const override { return webgalley; }

    int tab = 0;
    FakeWebView *webBid = new FakeWebView;
    FakeWebView *webgalley = new FakeWebView;
    ~FakeTarget() override
    {
        delete webBid;
        delete webgalley;
    }
};

struct Harness {
    Harness() : tool(new frmTool(target))
    {
        writeWholeFile(dir.filePath(u"HOSTIP.INI"_s),
                       "[SERVER]\r\nIP=127.0.0.1:9\r\nWEBSITE=http://www.site.test/\r\n");
    }
    ~Harness() { delete tool; }

    TempWorkDir dir;
    FakeTarget target;
    QPointer<frmTool> tool;
};
} // namespace

class TestFrmTool : public QObject {
    Q_OBJECT
private slots:
    void buttonActsOnTheActiveTabsView_data();
    void buttonActsOnTheActiveTabsView();
    void unknownKeyOrTabDoesNothing_data();
    void unknownKeyOrTabDoesNothing();
    void toolbarButtonsCarryTheirKeys();
    void enterNavigatesTheGalleryAsTyped_data();
    void enterNavigatesTheGalleryAsTyped();
    void otherKeysOnlyEdit();
    void closingUnloadsTheWindow();
};

void TestFrmTool::buttonActsOnTheActiveTabsView_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QStringList>("navigations");
    const QString home = u"http://www.site.test/"_s;
    const QString search = u"http://www.site.test/search.htm"_s;
    for (int tab : {0, 1}) {
        const QByteArray on = tab == 0 ? "webBid: " : "webgalley: ";
        QTest::newRow(on + "Back") << tab << u"Back"_s << u"GoBack"_s << QStringList();
        QTest::newRow(on + "Forward") << tab << u"Forward"_s << u"GoForward"_s << QStringList();
        QTest::newRow(on + "Stop") << tab << u"Stop"_s << u"Stop"_s << QStringList();
        QTest::newRow(on + "Refresh") << tab << u"Refresh"_s << u"Refresh"_s << QStringList();
        QTest::newRow(on + "Home") << tab << u"Home"_s << u"Navigate"_s << QStringList{home};
        QTest::newRow(on + "Search") << tab << u"Search"_s << u"GoSearch"_s << QStringList{search};
    }
}

void TestFrmTool::buttonActsOnTheActiveTabsView()
{
    QFETCH(int, tab);
    QFETCH(QString, key);
    QFETCH(QString, call);
    QFETCH(QStringList, navigations);
    Harness h;
    h.target.tab = tab;
    h.tool->tbToolBar_ButtonClick(key);
    FakeWebView *acted = tab == 0 ? h.target.webBid : h.target.webgalley;
    FakeWebView *other = tab == 0 ? h.target.webgalley : h.target.webBid;
    QCOMPARE(acted->calls, QStringList{call});
    QCOMPARE(acted->navigations, navigations);
    QCOMPARE(other->calls, QStringList());
}

void TestFrmTool::unknownKeyOrTabDoesNothing_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("key");
    QTest::newRow("key in other case") << 1 << u"back"_s;
    QTest::newRow("key with a blank") << 0 << u"Home "_s;
    QTest::newRow("other key") << 1 << u"Print"_s;
    QTest::newRow("empty key") << 0 << QString();
    QTest::newRow("tab 2") << 2 << u"Back"_s;
    QTest::newRow("tab -1") << -1 << u"Home"_s;
}

void TestFrmTool::unknownKeyOrTabDoesNothing()
{
    QFETCH(int, tab);
    QFETCH(QString, key);
    Harness h;
    h.target.tab = tab;
    h.tool->tbToolBar_ButtonClick(key);
    QCOMPARE(h.target.webBid->calls, QStringList());
    QCOMPARE(h.target.webgalley->calls, QStringList());
}

void TestFrmTool::toolbarButtonsCarryTheirKeys()
{
    Harness h;
    h.target.tab = 1;
    const QList<QAction *> buttons = h.tool->tbToolBar->actions();
    QStringList tips;
    for (QAction *button : buttons) {
        tips.append(button->toolTip());
        QCOMPARE(button->text(), QString());
        QVERIFY(!button->icon().isNull());
    }
    QCOMPARE(tips, (QStringList{u"Back"_s, u"Forward"_s, u"Stop"_s, u"Refresh"_s, u"Home"_s, u"Search"_s}));
    // A click on the third button stops the gallery.
    auto *stop = qobject_cast<QToolButton *>(h.tool->tbToolBar->widgetForAction(buttons[2]));
    QVERIFY(stop);
    QTest::mouseClick(stop, Qt::LeftButton);
    QCOMPARE(h.target.webgalley->calls, QStringList{u"Stop"_s});
}

void TestFrmTool::enterNavigatesTheGalleryAsTyped_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    const QString typed = u"  www.other.test/a b "_s;
    QTest::newRow("Return") << 1 << typed << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("keypad Enter") << 1 << typed << int(Qt::Key_Enter)
                                  << Qt::KeyboardModifiers(Qt::KeypadModifier);
    QTest::newRow("Shift") << 1 << typed << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ShiftModifier);
    QTest::newRow("Ctrl") << 1 << typed << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier);
    QTest::newRow("Alt") << 1 << typed << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::AltModifier);
    QTest::newRow("Shift Ctrl Alt") << 1 << typed << int(Qt::Key_Return)
                                    << (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    QTest::newRow("description tab on show") << 0 << typed << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("empty box") << 1 << QString() << int(Qt::Key_Return) << Qt::KeyboardModifiers();
}

void TestFrmTool::enterNavigatesTheGalleryAsTyped()
{
    QFETCH(int, tab);
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    Harness h;
    h.target.tab = tab;
    h.tool->setAddress(text);
    QTest::keyClick(h.tool->txtURL, Qt::Key(key), modifiers);
    QCOMPARE(h.target.webgalley->navigations, QStringList{text});
    QCOMPARE(h.target.webBid->calls, QStringList());
    QCOMPARE(h.tool->txtURL->text(), text);
}

void TestFrmTool::otherKeysOnlyEdit()
{
    Harness h;
    h.target.tab = 1;
    QTest::keyClicks(h.tool->txtURL, u"a.test"_s);
    QTest::keyClick(h.tool->txtURL, Qt::Key_Backspace);
    QTest::keyClick(h.tool->txtURL, Qt::Key_Tab);
    QCOMPARE(h.tool->txtURL->text(), u"a.tes"_s);
    QCOMPARE(h.target.webgalley->calls, QStringList());
}

void TestFrmTool::closingUnloadsTheWindow()
{
    Harness h;
    h.tool->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.tool));
    QCOMPARE(h.tool->frameGeometry().topLeft(), QPoint(550, 0));
    h.tool->close();
    QTRY_VERIFY(h.tool.isNull());
}

QTEST_MAIN(TestFrmTool)
#include "test_frm_tool.moc"
