#include "cp874.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCp874 : public QObject {
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("decodes"); // false: text lies outside the table and encodes as '?'
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QTest::newRow("every byte round-trips") << all << Cp874::decode(all) << true;
        QTest::newRow("thai") << "\xCA\xC7\xD1\xCA\xB4\xD5"_ba << u"สวัสดี"_s << true;
        QTest::newRow("euro, C1 kept, nbsp") << "\x80\x81\xA0"_ba << u"\u20AC\u0081\u00A0"_s << true;
        QTest::newRow("private, baht, last") << "\xDB\xDF\xFF"_ba << u"\uF8C1\u0E3F\uF8C8"_s << true;
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
};

QTEST_GUILESS_MAIN(TestCp874)
#include "test_cp874.moc"
