// The browser toolbar window and the about box.
#include "dialog.h"
#include "fake_web_view.h"
#include "frm_tool.h"
#include "test_support.h"
#include "tool_target.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {
class FakeTarget : public ToolTarget {
public:
    int currentTab() const override { return tab; }
    WebView *descriptionView() const override { return webBid.get(); }
    WebView *galleryView() const override { return webgalley.get(); }

    int tab = 0;
    std::unique_ptr<FakeWebView> webBid = std::make_unique<FakeWebView>();
    std::unique_ptr<FakeWebView> webgalley = std::make_unique<FakeWebView>();
};

struct Harness {
    Harness() : tool(new frmTool(target, folder))
    {
        writeWholeFile(folder.hostIni(), "[SERVER]\r\nIP=127.0.0.1:9\r\nWEBSITE=http://www.site.test/\r\n");
        target.webBid->folder = target.webgalley->folder = folder;
    }
    ~Harness() { delete tool; }

    QTemporaryDir dir;
    WorkFolder folder{dir.path()};
    FakeTarget target;
    QPointer<frmTool> tool;
};
} // namespace

class TestAuxWindows : public QObject {
    Q_OBJECT
private slots:
    // Keys in another case or with a blank, other keys and other tabs do nothing; each button, clicked (on
    // the gallery) or by its key (on the description), acts on the view of the active tab only, Home and
    // Search on both tabs. A button shows its picture alone, and its key as its tooltip.
    void buttonsActOnTheActiveTabsView()
    {
        for (const int tab : {0, 1}) {
            Harness h;
            const QList<std::pair<int, QString>> nothing{{tab, u"back"_s},  {tab, u"Home "_s},
                                                         {tab, u"Print"_s}, {tab, QString()},
                                                         {2, u"Back"_s},    {-1, u"Home"_s}};
            for (const auto &[anyTab, key] : nothing) {
                h.target.tab = anyTab;
                h.tool->tbToolBar_ButtonClick(key);
            }
            h.target.tab = tab;
            const QList<QAction *> buttons = h.tool->controls().tbToolBar->actions();
            const QStringList keys{u"Back"_s, u"Forward"_s, u"Stop"_s, u"Refresh"_s, u"Home"_s, u"Search"_s};
            QCOMPARE(buttons.size(), keys.size());
            for (qsizetype i = 0; i < buttons.size(); ++i) {
                QCOMPARE(buttons[i]->text(), QString());
                QCOMPARE(buttons[i]->toolTip(), keys[i]);
                QVERIFY(!buttons[i]->icon().isNull());
                if (tab == 1)
                    QTest::mouseClick(h.tool->controls().tbToolBar->widgetForAction(buttons[i]),
                                      Qt::LeftButton);
                else
                    h.tool->tbToolBar_ButtonClick(keys[i]);
            }
            FakeWebView *acted = (tab == 0 ? h.target.webBid : h.target.webgalley).get();
            FakeWebView *other = (tab == 0 ? h.target.webgalley : h.target.webBid).get();
            QCOMPARE(acted->calls, (QStringList{u"GoBack"_s, u"GoForward"_s, u"Stop"_s, u"Refresh"_s,
                                                u"Navigate"_s, u"GoSearch"_s}));
            QCOMPARE(acted->navigations,
                     (QStringList{u"http://www.site.test/"_s, u"http://www.site.test/search.htm"_s}));
            QCOMPARE(other->calls, QStringList());
        }
    }

    // The typed text is read as a browser's address bar reads it when Enter is pressed, whatever modifiers
    // are held ("none": no address); every other key only edits the text.
    void enterNavigatesTheGalleryToTheTypedAddress_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const QString typed = u"  www.other.test/a b "_s;
        const QString address = u"http://www.other.test/a%20b"_s;
        QTest::newRow("Return") << 1 << typed << address << int(Qt::Key_Return) << 0;
        QTest::newRow("keypad Enter") << 1 << typed << address << int(Qt::Key_Enter) << 0;
        QTest::newRow("Shift+Return")
            << 1 << typed << address << int(Qt::Key_Return) << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl+Return") << 1 << typed << address << int(Qt::Key_Return)
                                     << int(Qt::ControlModifier);
        QTest::newRow("Alt+Return") << 1 << typed << address << int(Qt::Key_Return) << int(Qt::AltModifier);
        QTest::newRow("Shift+Ctrl+Alt+Enter")
            << 1 << typed << address << int(Qt::Key_Enter)
            << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("description tab on show") << 0 << typed << address << int(Qt::Key_Return) << 0;
        QTest::newRow("empty box") << 1 << QString() << QString() << int(Qt::Key_Return) << 0;
        QTest::newRow("another key") << 1 << typed << u"none"_s << int(Qt::Key_Tab) << 0;
        QTest::newRow("a letter") << 1 << typed << u"none"_s << int(Qt::Key_X) << 0;
        QTest::newRow("Escape") << 1 << typed << u"none"_s << int(Qt::Key_Escape) << 0;
    }
    void enterNavigatesTheGalleryToTheTypedAddress()
    {
        QFETCH(int, tab);
        QFETCH(QString, text);
        QFETCH(QString, address);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Harness h;
        h.target.tab = tab;
        h.tool->setAddress(text);
        QTest::keyClick(h.tool->controls().txtURL, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(h.target.webgalley->navigations, address == u"none" ? QStringList() : QStringList{address});
        QCOMPARE(h.target.webBid->calls, QStringList());
        QCOMPARE(h.tool->controls().txtURL->text(), key == Qt::Key_X ? text + u'x' : text);
    }

    void closingUnloadsTheWindow()
    {
        Harness h;
        h.tool->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.tool));
        QCOMPARE(h.tool->frameGeometry().topLeft(), QPoint(550, 0));
        h.tool->close();
        QTRY_VERIFY(h.tool.isNull());
    }

    void aboutBoxKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Return") << int(Qt::Key_Return) << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << true;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
    }
    void aboutBoxKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        QWidget owner;
        owner.show();
        Dialog box(&owner);
        box.open();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QCOMPARE(QApplication::focusWidget(), box.controls().OKButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(box.isVisible(), !closes);
        if (closes)
            QCOMPARE(box.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TestAuxWindows)
#include "test_auxwindows.moc"
