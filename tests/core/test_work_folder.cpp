// The work folder's files, looked up at each use, and HOSTIP.INI read through it.
#include "host_config.h"
#include "test_support.h"
#include "work_folder.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestWorkFolder : public QObject {
    Q_OBJECT
private slots:
    // "entries" are made after the folder's value, a trailing "/" for a folder; "found" is the path given
    // back for "asked", relative to the folder.
    void findsEachPartWhateverItsCase_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        QTest::newRow("missing: the spelling asked for")
            << QStringList() << u"Sounds/boom.wav"_s << u"Sounds/boom.wav"_s;
        QTest::newRow("folder and file in another case") << QStringList{u"sOUNDS/"_s, u"sOUNDS/BOOM.WAV"_s}
                                                         << u"Sounds/boom.wav"_s << u"sOUNDS/BOOM.WAV"_s;
        QTest::newRow("the exact spelling first")
            << QStringList{u"hostip.ini"_s, u"HOSTIP.INI"_s} << u"HOSTIP.INI"_s << u"HOSTIP.INI"_s;
        QTest::newRow("a folder is no file") << QStringList{u"h.INI/"_s} << u"H.ini"_s << u"H.ini"_s;
        QTest::newRow("a file is no folder") << QStringList{u"sounds"_s, u"SOUNDS/"_s, u"SOUNDS/boom.wav"_s}
                                             << u"Sounds/boom.wav"_s << u"SOUNDS/boom.wav"_s;
    }
    void findsEachPartWhateverItsCase()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, asked);
        QFETCH(QString, found);
        QTemporaryDir dir;
        const WorkFolder folder(dir.path());
        for (const QString &entry : entries) {
            if (entry.endsWith(u'/'))
                QVERIFY(QDir(dir.path()).mkdir(entry));
            else
                writeWholeFile(dir.filePath(entry), "x");
        }
        QCOMPARE(folder.file(asked), dir.filePath(found));
    }

    void noDoubledSeparatorAtTheRoot() { QCOMPARE(WorkFolder(u"/"_s).hostIni(), u"/HOSTIP.INI"_s); }

    // HOSTIP.INI is found and read afresh at each call, whatever the letter case of its name and names.
    void hostConfigReadsAfresh()
    {
        QTemporaryDir dir;
        const WorkFolder folder(dir.path());
        QCOMPARE(HostConfig::ip(folder), QString());
        writeWholeFile(dir.filePath("hostip.ini"), "[server]\r\nip=127.0.0.1:8080\r\nPort=4000\r\n");
        QCOMPARE(HostConfig::port(folder), u"4000"_s);
        QCOMPARE(HostConfig::website(folder), u"http://127.0.0.1:8080"_s);
        writeWholeFile(dir.filePath("hostip.ini"), "[SERVER]\r\nIP=h\r\nAPPSERVER=http://app\r\n");
        QCOMPARE(HostConfig::ip(folder), u"h"_s);
        QCOMPARE(HostConfig::appServer(folder), u"http://app"_s);
    }

    void hostPartOfIp()
    {
        QCOMPARE(HostConfig::hostOf(u"10.1.2.3"_s), u"10.1.2.3"_s);
        QCOMPARE(HostConfig::hostOf(u"localhost:8080"_s), u"localhost"_s);
        QCOMPARE(HostConfig::hostOf(u"[::1]:8080"_s), u"::1"_s);
        QCOMPARE(HostConfig::hostOf(u"::1"_s), u"::1"_s);
    }
};

QTEST_GUILESS_MAIN(TestWorkFolder)
#include "test_work_folder.moc"
