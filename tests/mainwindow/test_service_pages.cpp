#include "service_pages.h"
#include "test_support.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ServicePages::View;

Q_DECLARE_METATYPE(ServicePages::View)

class TestServicePages : public QObject {
    Q_OBJECT
private slots:
    void page_data();
    void page();
    void rootsDefaultToTheConfiguredHost();
    void otherNamesHaveNoPage();
};

void TestServicePages::page_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<View>("view");
    QTest::addColumn<QString>("url");
    const QString app = u"http://10.1.2.3:8080"_s;
    const QString site = u"http://www.site.test"_s;
    QTest::newRow("MNU") << u"MNU"_s << View::webBid << app + u"/asp/register.asp"_s;
    QTest::newRow("MPPS") << u"MPPS"_s << View::webgalley << app + u"/asp/pinterest.asp"_s;
    QTest::newRow("MSSALE") << u"MSSALE"_s << View::webgalley << app + u"/asp/posting.asp"_s;
    QTest::newRow("MSNews") << u"MSNews"_s << View::webgalley << site + u"/news.htm"_s;
    QTest::newRow("MSFAQ") << u"MSFAQ"_s << View::webgalley << site + u"/faq.htm"_s;
    QTest::newRow("MSS") << u"MSS"_s << View::webgalley << site + u"/search.htm"_s;
    QTest::newRow("MSHELP") << u"MSHELP"_s << View::webgalley << site + u"/howtopgm.htm"_s;
    QTest::newRow("MCT") << u"MCT"_s << View::webgalley << site + u"/contact.htm"_s;
}

void TestServicePages::page()
{
    QFETCH(QString, command);
    QFETCH(View, view);
    QFETCH(QString, url);
    TempWorkDir dir;
    // A trailing slash on a root must not double the one of the path.
    writeWholeFile(dir.filePath(u"HOSTIP.INI"_s),
                   "[SERVER]\r\nIP=127.0.0.1:9\r\nWEBSITE=http://www.site.test/\r\n"
                   "APPSERVER=http://10.1.2.3:8080\r\n");
    const auto page = ServicePages::forCommand(command);
    QVERIFY(page);
    QCOMPARE(page->view, view);
    QCOMPARE(page->url, url);
}

void TestServicePages::rootsDefaultToTheConfiguredHost()
{
    TempWorkDir dir;
    writeWholeFile(dir.filePath(u"HOSTIP.INI"_s), "[SERVER]\r\nIP=192.0.2.7:8000\r\n");
    QCOMPARE(ServicePages::forCommand(u"MNU")->url, u"http://192.0.2.7:8000/asp/register.asp"_s);
    QCOMPARE(ServicePages::forCommand(u"MCT")->url, u"http://192.0.2.7:8000/contact.htm"_s);
}

void TestServicePages::otherNamesHaveNoPage()
{
    TempWorkDir dir;
    for (const QString &name : {u"MLN"_s, u"mnu"_s, u"MSCOMP"_s, QString()})
        QVERIFY2(!ServicePages::forCommand(name), qPrintable(name));
}

QTEST_GUILESS_MAIN(TestServicePages)
#include "test_service_pages.moc"
