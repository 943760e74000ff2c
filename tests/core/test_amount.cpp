#include "amount.h"

#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

static constexpr qint64 maxAmount = std::numeric_limits<qint64>::max();
static constexpr qint64 minAmount = std::numeric_limits<qint64>::min();

class TestAmount : public QObject {
    Q_OBJECT
private slots:
    // A wire field stops at a separator; a shown amount reads through separators between digits. whole: the
    // text is a number and nothing else.
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("asField");
        QTest::addColumn<qint64>("asShown");
        QTest::addColumn<bool>("whole");
        QTest::newRow("zero is empty") << u"0"_s << u""_s << qint64(0) << true;
        QTest::newRow("exact group") << u"100000"_s << u"100,000"_s << qint64(100000) << true;
        QTest::newRow("fifteen digits")
            << u"123456789012345"_s << u"123,456,789,012,345"_s << qint64(123456789012345) << true;
        QTest::newRow("negative") << u"-1500"_s << u"-1,500"_s << qint64(-1500) << true;
        QTest::newRow("separator") << u"1,500"_s << u"1"_s << qint64(1500) << true;
        QTest::newRow("doubled separator") << u"1,,500"_s << u"1"_s << qint64(1) << false;
        QTest::newRow("half rounds up") << u"1500.5"_s << u"1,501"_s << qint64(1501) << true;
        QTest::newRow("below half rounds down") << u"1500.49"_s << u"1,500"_s << qint64(1500) << true;
        QTest::newRow("negative half away from zero") << u"-2.5"_s << u"-3"_s << qint64(-3) << true;
        QTest::newRow("grouped fraction") << u"1,600.7"_s << u"1"_s << qint64(1601) << true;
        QTest::newRow("trailing text") << u"  250baht"_s << u"250"_s << qint64(250) << false;
        QTest::newRow("no number") << u"Currency"_s << u""_s << qint64(0) << false;
        QTest::newRow("sign only") << u"-"_s << u""_s << qint64(0) << false;
        QTest::newRow("overflow saturates")
            << u"99999999999999999999999"_s << u"9,223,372,036,854,775,807"_s << maxAmount << true;
        QTest::newRow("negative overflow saturates")
            << u"-99999999999999999999999"_s << u"-9,223,372,036,854,775,808"_s << minAmount << true;
        QTest::newRow("blanks around, bare point") << u"\t 2,500. "_s << u"2"_s << qint64(2500) << true;
        QTest::newRow("fraction only") << u"+.5"_s << u"1"_s << qint64(1) << true;
        QTest::newRow("point only") << u" . "_s << u""_s << qint64(0) << false;
        QTest::newRow("blank inside") << u"2 500"_s << u"2"_s << qint64(2) << false;
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(QString, asField);
        QFETCH(qint64, asShown);
        QFETCH(bool, whole);
        QCOMPARE(FormatAmount(Amount::parseLeading(text.toLatin1())), asField);
        QCOMPARE(AmountValue(text), asShown);
        QCOMPARE(AmountValue(FormatAmount(asShown)), asShown);
        QCOMPARE(Amount::isNumber(text), whole);
    }

    // A wire number keeps its fraction until it is shown; sums saturate when rounded.
    void numbersKeepTheirFraction()
    {
        using Amount::Number;
        QVERIFY(Number::read("1500") < Number::read("1500.4abc"));
        QVERIFY(!(Number::read("1500.4") < Number::read("1500.4")));
        QCOMPARE((Number::read("1500.4") + Number::read("99.4")).rounded(), 1600);
        QCOMPARE((Number::read("1500.4") + Number::read("-0.9")).rounded(), 1500);
        QCOMPARE((Number::read("99999999999999999999") + Number::read("100")).rounded(), maxAmount);
        QCOMPARE((Number::read("-99999999999999999999") + Number::read("-1.5")).rounded(), minAmount);
        QList<bool> whole;
        for (const char *text : {"7", "7.000", "", "abc", "15.4", "-0.4", "0.000000001"})
            whole << Number::read(text).isWhole();
        QCOMPARE(whole, (QList<bool>{true, true, true, true, false, false, false}));
        QCOMPARE(PlainAmount(1600), u"1600"_s);
        QCOMPARE(PlainAmount(0), QString());
    }
};

QTEST_GUILESS_MAIN(TestAmount)
#include "test_amount.moc"
