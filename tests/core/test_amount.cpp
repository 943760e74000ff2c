#include "amount.h"

#include <QTest>
#include <limits>

class TestAmount : public QObject {
    Q_OBJECT
private slots:
    void format_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero is empty") << qint64(0) << "";
        QTest::newRow("small") << qint64(7) << "7";
        QTest::newRow("thousand") << qint64(1500) << "1,500";
        QTest::newRow("exact group") << qint64(100000) << "100,000";
        QTest::newRow("ten digits") << qint64(1234567890) << "1,234,567,890";
        QTest::newRow("fifteen digits") << qint64(123456789012345) << "123,456,789,012,345";
        QTest::newRow("negative") << qint64(-1500) << "-1,500";
        QTest::newRow("largest") << std::numeric_limits<qint64>::max() << "9,223,372,036,854,775,807";
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << "-9,223,372,036,854,775,808";
    }
    void format()
    {
        QFETCH(qint64, value);
        QFETCH(QString, shown);
        QCOMPARE(FormatAmount(value), shown);
        QCOMPARE(AmountValue(shown), value);
    }

    void readingFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "1500"
                               << "1,500";
        QTest::newRow("separator stops a wire number") << "1,500"
                                                       << "1";
        QTest::newRow("half rounds up") << "1500.5"
                                        << "1,501";
        QTest::newRow("below half rounds down") << "1500.49"
                                                << "1,500";
        QTest::newRow("negative half away from zero") << "-2.5"
                                                      << "-3";
        QTest::newRow("trailing text") << "250baht"
                                       << "250";
        QTest::newRow("leading blanks") << "  42"
                                        << "42";
        QTest::newRow("no number") << "abc"
                                   << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("sign only") << "-"
                                   << "";
        QTest::newRow("overflow saturates") << "99999999999999999999999"
                                            << "9,223,372,036,854,775,807";
        QTest::newRow("negative overflow saturates") << "-99999999999999999999999"
                                                     << "-9,223,372,036,854,775,808";
    }
    void readingFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        QCOMPARE(FormatAmountField(field), shown);
        QCOMPARE(FormatAmount(Amount::parseLeading(field.toLatin1())), shown);
    }

    void readingShownAmounts_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<qint64>("value");
        QTest::newRow("grouped") << "1,500" << qint64(1500);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("initial zero") << "0" << qint64(0);
        QTest::newRow("typed without separators") << "2500" << qint64(2500);
        QTest::newRow("leading digits of junk") << "12abc" << qint64(12);
        QTest::newRow("trailing separator stops") << "1," << qint64(1);
        QTest::newRow("doubled separator stops") << "1,,500" << qint64(1);
        QTest::newRow("fraction rounds") << "1,600.7" << qint64(1601);
        QTest::newRow("not a number") << "Currency" << qint64(0);
    }
    void readingShownAmounts()
    {
        QFETCH(QString, shown);
        QFETCH(qint64, value);
        QCOMPARE(AmountValue(shown), value);
    }

    void arithmeticSaturates()
    {
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        QCOMPARE(Amount::add(max, 100), max);
        QCOMPARE(Amount::add(-max - 1, -1), -max - 1);
        QCOMPARE(Amount::add(1500, 100), qint64(1600));
        QCOMPARE(PlainAmount(1600), QStringLiteral("1600"));
        QCOMPARE(PlainAmount(0), QString());
    }
};

QTEST_GUILESS_MAIN(TestAmount)
#include "test_amount.moc"
