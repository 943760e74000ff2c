#include "host_config.h"
#include "test_support.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestHostConfig : public QObject {
    Q_OBJECT
private slots:
    void readsAfreshWhateverTheLetterCase()
    {
        TempWorkDir dir;
        QCOMPARE(HostConfig::ip(), QString());
        writeWholeFile(dir.filePath("hostip.ini"), "[server]\r\nip=127.0.0.1:8080\r\nPort=4000\r\n");
        QCOMPARE(HostConfig::port(), u"4000"_s);
        QCOMPARE(HostConfig::website(), u"http://127.0.0.1:8080"_s);
        QCOMPARE(HostConfig::appServer(), u"http://127.0.0.1:8080"_s);
        writeWholeFile(dir.filePath("hostip.ini"),
                       "[SERVER]\r\nIP=h\r\nWEBSITE=http://site/\r\nAPPSERVER=http://app\r\n");
        QCOMPARE(HostConfig::ip(), u"h"_s);
        QCOMPARE(HostConfig::website(), u"http://site"_s);
        QCOMPARE(HostConfig::appServer(), u"http://app"_s);
    }

    void hostPartOfIp()
    {
        QCOMPARE(HostConfig::hostOf(u"10.1.2.3"_s), u"10.1.2.3"_s);
        QCOMPARE(HostConfig::hostOf(u"localhost:8080"_s), u"localhost"_s);
        QCOMPARE(HostConfig::hostOf(u"[::1]:8080"_s), u"::1"_s);
        QCOMPARE(HostConfig::hostOf(u"::1"_s), u"::1"_s);
    }
};

QTEST_GUILESS_MAIN(TestHostConfig)
#include "test_host_config.moc"
