#include "cp874.h"
#include "profile_file.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

class TestProfileFile : public QObject {
    Q_OBJECT
private slots:
    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray server =
            "; settings\r\n[Server]\r\n  ip = 10.0.0.5  \r\nPORT=\"2000\"\r\nWEB='x'\r\nq=\"a'\r\n";
        QTest::newRow("names ignore case") << server << "SERVER"
                                           << "IP"
                                           << "10.0.0.5";
        QTest::newRow("double quotes dropped") << server << "server"
                                               << "port"
                                               << "2000";
        QTest::newRow("single quotes dropped") << server << "server"
                                               << "web"
                                               << "x";
        QTest::newRow("unmatched quotes kept") << server << "server"
                                               << "q"
                                               << "\"a'";
        QTest::newRow("missing key") << server << "server"
                                     << "nothing"
                                     << "";
        QTest::newRow("missing section") << server << "other"
                                         << "ip"
                                         << "";
        QTest::newRow("LF line ends") << QByteArray("[a]\nk=1\nj=2") << "a"
                                      << "j"
                                      << "2";
        QTest::newRow("CR line ends") << QByteArray("[a]\rk=1\rj=2\r") << "a"
                                      << "k"
                                      << "1";
        QTest::newRow("first duplicate key wins") << QByteArray("[a]\nk=1\nk=2\n") << "a"
                                                  << "k"
                                                  << "1";
        QTest::newRow("first duplicate section wins") << QByteArray("[a]\nk=1\n[A]\nk=2\n") << "a"
                                                      << "k"
                                                      << "1";
        QTest::newRow("keys before any header belong nowhere") << QByteArray("k=1\n[a]\n") << "a"
                                                               << "k"
                                                               << "";
        QTest::newRow("commented key") << QByteArray("[a]\n;k=1\n") << "a"
                                       << "k"
                                       << "";
        QTest::newRow("value with equals") << QByteArray("[a]\nk=x=y\n") << "a"
                                           << "k"
                                           << "x=y";
        QTest::newRow("header with blanks") << QByteArray("  [ a b ]  \nk=1\n") << "a b"
                                            << "k"
                                            << "1";
        QTest::newRow("bracket inside section name") << QByteArray("[u]x&P1&]\nk=1\n") << "u]x&P1&"
                                                     << "k"
                                                     << "1";
        QTest::newRow("thai in windows-874")
            << QByteArray("[\xCA\xC7\xD1\xCA]\n\xA1=\xA2\n") << QString::fromUtf8("สวัส")
            << QString::fromUtf8("ก") << QString::fromUtf8("ข");
    }
    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TempWorkDir dir;
        writeWholeFile(dir.filePath("x.ini"), file);
        QCOMPARE(ReadIniKey(section, key, dir.filePath("x.ini")), expected);
    }

    void longValuesAreCut()
    {
        TempWorkDir dir;
        writeWholeFile(dir.filePath("x.ini"), "[a]\r\nk=" + QByteArray(5000, 'v') + "\r\n");
        QCOMPARE(ReadIniKey("a", "k", dir.filePath("x.ini")), QString(4095, QLatin1Char('v')));
    }

    void readingAMissingFileCreatesNothing()
    {
        TempWorkDir dir;
        QCOMPARE(ReadIniKey("a", "k", dir.filePath("none.ini")), QString());
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void writing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << "INFO"
                                  << "Name"
                                  << "somchai" << QByteArray("[INFO]\r\nName=somchai\r\n");
        QTest::newRow("new section at the end") << QByteArray("[a]\r\nk=1\r\n") << "b"
                                                << "j"
                                                << "2" << QByteArray("[a]\r\nk=1\r\n[b]\r\nj=2\r\n");
        QTest::newRow("new section after a last line without newline")
            << QByteArray("[a]\nk=1") << "b"
            << "j"
            << "2" << QByteArray("[a]\nk=1\r\n[b]\r\nj=2\r\n");
        QTest::newRow("new key after the last key of its section")
            << QByteArray("[a]\r\nk=1\r\n\r\n; note\r\n[b]\r\nx=0\r\n") << "A"
            << "j"
            << "2" << QByteArray("[a]\r\nk=1\r\nj=2\r\n\r\n; note\r\n[b]\r\nx=0\r\n");
        QTest::newRow("new key in an empty section") << QByteArray("[a]\n[b]\n") << "a"
                                                     << "k"
                                                     << "v" << QByteArray("[a]\nk=v\r\n[b]\n");
        QTest::newRow("replace in place keeps the file's spelling")
            << QByteArray("junk line\n[Sec]\n  KEY = old  \nz=9\n") << "sec"
            << "key"
            << "new" << QByteArray("junk line\n[Sec]\nKEY=new\nz=9\n");
        QTest::newRow("line breaks become blanks")
            << QByteArray() << "s"
            << "k"
            << "a\r\n[evil]\r\nx=1" << QByteArray("[s]\r\nk=a  [evil]  x=1\r\n");
        QTest::newRow("thai encoded")
            << QByteArray() << "s"
            << "k" << QString::fromUtf8("ราคา") << QByteArray("[s]\r\nk=\xC3\xD2\xA4\xD2\r\n");
    }
    void writing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TempWorkDir dir;
        const QString path = dir.filePath("x.ini");
        if (!before.isEmpty())
            writeWholeFile(path, before);
        WriteIniKey(section, key, value, path);
        QCOMPARE(readWholeFile(path), after);
    }

    void failedWriteLeavesTheOldFile()
    {
        TempWorkDir dir;
        // A target that cannot be replaced: a folder stands where the file would go.
        QVERIFY(QDir(dir.path()).mkdir("blocked.ini"));
        QVERIFY(!WriteIniKeys("a", {{"k", "v"}}, dir.filePath("blocked.ini")));
        QVERIFY(QFileInfo(dir.filePath("blocked.ini")).isDir());
        // A folder that does not exist: nothing is created anywhere.
        QVERIFY(!WriteIniKeys("a", {{"k", "v"}}, dir.filePath("missing/x.ini")));
        QVERIFY(!QFileInfo::exists(dir.filePath("missing")));
    }

    // Whatever is written reads back (line breaks blanked, trimmed, one pair of quotes dropped), and every
    // other key of the file reads as before.
    void writtenValuesReadBack()
    {
        TempWorkDir dir;
        const QString path = dir.filePath("prop.ini");
        QRandomGenerator rng(20261206);
        const QString valueAlphabet = QString::fromUtf8("ab ,=[];\"'\t\r\nกขคฮ๑เ้1");
        const QStringList sections = {"Alpha", "beta", "u]x&P&", QString::fromUtf8("ผู้ขาย"), "a&b&"};
        const QStringList keys = {"User", "LastBid", "Time", QString::fromUtf8("ชื่อ"), "k"};
        QHash<QString, QString> expected;
        auto id = [](const QString &s, const QString &k) {
            return s.toLower() + QLatin1Char('\n') + k.toLower();
        };
        for (int round = 0; round < 1000; ++round) {
            const QString section = sections[rng.bounded(sections.size())];
            const QString key = keys[rng.bounded(keys.size())];
            QString value;
            const int length = int(rng.bounded(10));
            for (int i = 0; i < length; ++i)
                value += valueAlphabet[rng.bounded(valueAlphabet.size())];
            WriteIniKey(section, key, value, path);

            QString normalised = value;
            normalised.replace(QLatin1Char('\r'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
            while (!normalised.isEmpty() && (normalised.front() == u' ' || normalised.front() == u'\t'))
                normalised.remove(0, 1);
            while (!normalised.isEmpty() && (normalised.back() == u' ' || normalised.back() == u'\t'))
                normalised.chop(1);
            if (normalised.size() >= 2 && (normalised.front() == u'"' || normalised.front() == u'\'') &&
                normalised.back() == normalised.front())
                normalised = normalised.mid(1, normalised.size() - 2);
            expected[id(section, key)] = normalised;

            const ProfileFile profile = ProfileFile::load(path);
            for (const QString &s : sections) {
                for (const QString &k : keys)
                    QCOMPARE(profile.value(s, k), expected.value(id(s, k)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
