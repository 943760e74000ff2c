#include "profile_file.h"
#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestProfileFile : public QObject {
    Q_OBJECT
private slots:
    // Every case reads or writes key "k" of section "a".
    void reading_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("case ignored, blanks trimmed")
            << "; c\r\n[A]\r\n  K = 10.0.0.5  \r\n"_ba << u"10.0.0.5"_s;
        QTest::newRow("double quotes dropped") << "[a]\r\nk=\"2000\"\r\n"_ba << u"2000"_s;
        QTest::newRow("single quotes dropped") << "[a]\r\nk='x'\r\n"_ba << u"x"_s;
        QTest::newRow("unmatched quotes kept") << "[a]\r\nk=\"a'\r\n"_ba << u"\"a'"_s;
        QTest::newRow("missing section") << "[b]\r\nk=1\r\n"_ba << u""_s;
        QTest::newRow("commented key") << "[a]\n;k=1\n"_ba << u""_s;
        QTest::newRow("key before any header") << "k=1\n[a]\n"_ba << u""_s;
        QTest::newRow("LF line ends") << "[a]\nj=1\nk=2"_ba << u"2"_s;
        QTest::newRow("CR line ends") << "[a]\rk=1\rj=2\r"_ba << u"1"_s;
        QTest::newRow("first duplicate wins") << "[a]\nk=1\nk=2\n[A]\nk=3\n"_ba << u"1"_s;
        QTest::newRow("thai") << "[a]\nk=\xA1\xA2\n"_ba << u"กข"_s;
        QTest::newRow("UTF-8 byte-order mark before the header") << "\xEF\xBB\xBF[a]\r\nk=1\r\n"_ba << u"1"_s;
        QTest::newRow("missing file, created by nothing") << QByteArray() << u""_s;
        QTest::newRow("vertical tab is a blank around names and values")
            << "\v[ a \v]\v\r\n\v k\v=\v 1 \v\r\n"_ba << u"1"_s;
        QTest::newRow("5000 characters cut to 4095")
            << "[a]\r\nk=" + QByteArray(5000, 'v') << QString(4095, u'v');
    }
    void reading()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        if (!file.isNull())
            writeWholeFile(dir.filePath("x.ini"), file);
        QCOMPARE(ReadIniKey("a", "k", dir.filePath("x.ini")), expected);
        QCOMPARE(QDir(dir.path()).isEmpty(), file.isNull());
    }

    // Writes key "k" of section "a", named with blanks around.
    void writing_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file, thai") << QByteArray() << u"ราคา"_s << "[a]\r\nk=\xC3\xD2\xA4\xD2\r\n"_ba;
        QTest::newRow("new section at the end")
            << "[b]\r\nj=1\r\n"_ba << u"v"_s << "[b]\r\nj=1\r\n[a]\r\nk=v\r\n"_ba;
        QTest::newRow("new section after a last line without newline")
            << "[b]\nj=1"_ba << u"v"_s << "[b]\nj=1\r\n[a]\r\nk=v\r\n"_ba;
        QTest::newRow("new key after the last key of its section")
            << "[A]\r\nj=1\r\n\r\n; note\r\n[b]\r\nx=0\r\n"_ba << u"v"_s
            << "[A]\r\nj=1\r\nk=v\r\n\r\n; note\r\n[b]\r\nx=0\r\n"_ba;
        QTest::newRow("new key in a section of comments, blanks before them")
            << "[a]\n \v;x=1\n[b]\n"_ba << u"v"_s << "[a]\nk=v\r\n \v;x=1\n[b]\n"_ba;
        QTest::newRow("replace in place keeping the file's spelling and foreign lines")
            << "junk line\n[A]\n  K = old  \nz=9\n"_ba << u"v"_s << "junk line\n[A]\nK=v\nz=9\n"_ba;
        QTest::newRow("byte-order mark kept")
            << "\xEF\xBB\xBF[a]\r\nk=1\r\n"_ba << u"v"_s << "\xEF\xBB\xBF[a]\r\nk=v\r\n"_ba;
        QTest::newRow("line breaks become blanks")
            << QByteArray() << u"x\r\n[evil]\r\nj=1"_s << "[a]\r\nk=x  [evil]  j=1\r\n"_ba;
        QTest::newRow("replaced last line without newline ends with CRLF")
            << "[a]\nj=1\nk=old"_ba << u"v"_s << "[a]\nj=1\nk=v\r\n"_ba;
    }
    void writing()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        if (!before.isNull())
            writeWholeFile(dir.filePath("x.ini"), before);
        WriteIniKey(u" a\t"_s, u"\vk "_s, value, dir.filePath("x.ini"));
        QCOMPARE(readWholeFile(dir.filePath("x.ini")), after);
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
