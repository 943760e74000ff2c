#include "cp874.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// Windows' table, range by range, with the code point it gives each byte.
struct Range {
    int first;
    int last;
    char16_t codePoint; // of the first byte; the rest follow in order
};
constexpr Range windowsTable[] = {
    {0x00, 0x7F, 0x0000}, {0xA1, 0xDA, 0x0E01}, {0xE0, 0xFB, 0x0E40}, {0x80, 0x80, 0x20AC},
    {0x81, 0x84, 0x0081}, {0x85, 0x85, 0x2026}, {0x86, 0x90, 0x0086}, {0x91, 0x91, 0x2018},
    {0x92, 0x92, 0x2019}, {0x93, 0x93, 0x201C}, {0x94, 0x94, 0x201D}, {0x95, 0x95, 0x2022},
    {0x96, 0x96, 0x2013}, {0x97, 0x97, 0x2014}, {0x98, 0x9F, 0x0098}, {0xA0, 0xA0, 0x00A0},
    {0xDB, 0xDE, 0xF8C1}, {0xDF, 0xDF, 0x0E3F}, {0xFC, 0xFF, 0xF8C5},
};
} // namespace

class TestCp874 : public QObject {
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("decodes"); // false: text lies outside the table and encodes as '?'
        for (const Range &range : windowsTable) {
            for (int b = range.first; b <= range.last; ++b) {
                const char16_t codePoint = char16_t(range.codePoint + (b - range.first));
                QTest::addRow("%02X", b) << QByteArray(1, char(b)) << QString(QChar(codePoint)) << true;
            }
        }
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
};

QTEST_GUILESS_MAIN(TestCp874)
#include "test_cp874.moc"
