#include "global.h"
#include "host_config.h"
#include "test_support.h"

#include <QTest>

class TestHostConfig : public QObject {
    Q_OBJECT
private slots:
    void readsAfreshWhateverTheLetterCase()
    {
        TempWorkDir dir;
        QCOMPARE(HostConfig::ip(), QString());
        writeWholeFile(dir.filePath("hostip.ini"), "[server]\r\nip=127.0.0.1:8080\r\nPort=4000\r\n");
        QCOMPARE(HostConfig::ip(), QStringLiteral("127.0.0.1:8080"));
        QCOMPARE(HostConfig::port(), QStringLiteral("4000"));
        QCOMPARE(HostConfig::website(), QStringLiteral("http://127.0.0.1:8080"));
        writeWholeFile(dir.filePath("hostip.ini"),
                       "[SERVER]\r\nIP=h\r\nWEBSITE=http://site/\r\nAPPSERVER=http://app\r\n");
        QCOMPARE(HostConfig::ip(), QStringLiteral("h"));
        QCOMPARE(HostConfig::website(), QStringLiteral("http://site"));
        QCOMPARE(HostConfig::appServer(), QStringLiteral("http://app"));
    }

    void hostPart_data()
    {
        QTest::addColumn<QString>("ip");
        QTest::addColumn<QString>("host");
        QTest::newRow("plain") << "10.1.2.3"
                               << "10.1.2.3";
        QTest::newRow("with web port") << "localhost:8080"
                                       << "localhost";
        QTest::newRow("bracketed ipv6") << "[::1]:8080"
                                        << "::1";
        QTest::newRow("bare ipv6") << "::1"
                                   << "::1";
        QTest::newRow("empty") << ""
                               << "";
    }
    void hostPart()
    {
        QFETCH(QString, ip);
        QFETCH(QString, host);
        QCOMPARE(HostConfig::hostOf(ip), host);
    }

    void workDirAtTheRoot()
    {
        const QString saved = Global::WorkDir;
        Global::WorkDir = QStringLiteral("/");
        QCOMPARE(Global::workDirPath("H.ini"), QStringLiteral("/H.ini"));
        Global::WorkDir = QStringLiteral("/srv/gavora");
        QCOMPARE(Global::workDirPath("H.ini"), QStringLiteral("/srv/gavora/H.ini"));
        Global::WorkDir = saved;
    }
};

QTEST_GUILESS_MAIN(TestHostConfig)
#include "test_host_config.moc"
