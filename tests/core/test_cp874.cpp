#include "cp874.h"

#include <QTest>

class TestCp874 : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = Cp874::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(Cp874::encode(text), all);
    }

    void table_data()
    {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("ascii") << 0x41 << 0x41;
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("c1 kept") << 0x81 << 0x81;
        QTest::newRow("ellipsis") << 0x85 << 0x2026;
        QTest::newRow("left quote") << 0x91 << 0x2018;
        QTest::newRow("em dash") << 0x97 << 0x2014;
        QTest::newRow("nbsp") << 0xA0 << 0xA0;
        QTest::newRow("ko kai") << 0xA1 << 0x0E01;
        QTest::newRow("phinthu") << 0xDA << 0x0E3A;
        QTest::newRow("private DB") << 0xDB << 0xF8C1;
        QTest::newRow("baht") << 0xDF << 0x0E3F;
        QTest::newRow("sara e") << 0xE0 << 0x0E40;
        QTest::newRow("khomut") << 0xFB << 0x0E5B;
        QTest::newRow("terminator byte") << 0xFE << 0xF8C7;
        QTest::newRow("last") << 0xFF << 0xF8C8;
    }
    void table()
    {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        QCOMPARE(Cp874::decode(QByteArray(1, char(byte))), QString(QChar(unicode)));
    }

    void outsideTheTableBecomesQuestionMark()
    {
        QCOMPARE(Cp874::encode(u"a\u00E9b"), QByteArray("a?b"));
        QCOMPARE(Cp874::encode(u"\u0080"), QByteArray("?"));
        // One character outside the basic plane is one '?', not two.
        QCOMPARE(Cp874::encode(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
        QCOMPARE(Cp874::encode(QString::fromUtf8("สวัสดี")), QByteArray("\xCA\xC7\xD1\xCA\xB4\xD5"));
    }
};

QTEST_GUILESS_MAIN(TestCp874)
#include "test_cp874.moc"
