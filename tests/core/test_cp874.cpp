#include "cp874.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCp874 : public QObject {
    Q_OBJECT
private slots:
    // Bytes at the edges of the Thai ranges and where Windows put punctuation.
    void table_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("decodes"); // false: text lies outside the table and encodes as '?'
        QTest::newRow("80 euro") << "\x80"_ba << u"€"_s << true;
        QTest::newRow("85 ellipsis") << "\x85"_ba << u"…"_s << true;
        QTest::newRow("97 em dash") << "\x97"_ba << u"—"_s << true;
        QTest::newRow("98 C1 control") << "\x98"_ba << u"\u0098"_s << true;
        QTest::newRow("A0 no-break space") << "\xA0"_ba << u"\u00A0"_s << true;
        QTest::newRow("A1 to DA") << "\xA1\xDA"_ba << u"ก\u0E3A"_s << true;
        QTest::newRow("DF baht") << "\xDF"_ba << u"฿"_s << true;
        QTest::newRow("E0 to FB") << "\xE0\xFB"_ba << u"เ๛"_s << true;
        QTest::newRow("DB and FF, private use") << "\xDB\xFF"_ba << u"\uF8C1\uF8C8"_s << true;
        QTest::newRow("thai") << "\xCA\xC7\xD1\xCA\xB4\xD5"_ba << u"สวัสดี"_s << true;
        QTest::newRow("outside") << "a?b?"_ba << u"a\u00E9b\u0080"_s << false;
        QTest::newRow("outside the basic plane is one ?") << "x?y"_ba << u"x😀y"_s << false;
    }
    void table()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QFETCH(bool, decodes);
        QCOMPARE(Cp874::encode(text), bytes);
        if (decodes)
            QCOMPARE(Cp874::decode(bytes), text);
    }

    // Every byte is one character that encodes back to it.
    void everyByteRoundTrips()
    {
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, char(b));
            QCOMPARE(Cp874::decode(byte).size(), 1);
            QCOMPARE(Cp874::encode(Cp874::decode(byte)), byte);
        }
    }
};

QTEST_GUILESS_MAIN(TestCp874)
#include "test_cp874.moc"
