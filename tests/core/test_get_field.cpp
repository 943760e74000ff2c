#include "get_field.h"

#include <QRandomGenerator>
#include <QTest>

// Reference: the one-character-at-a-time walk that every caller was written against.
static FieldValue referenceField(const QString &text, int n, const QString &delimiter)
{
    int counter = 0;
    QString accumulator;
    for (QChar c : text) {
        if (QString(c) != delimiter) {
            accumulator += c;
        } else {
            if (counter == n)
                return FieldValue(accumulator);
            ++counter;
            accumulator.clear();
        }
    }
    return {};
}

class TestGetField : public QObject {
    Q_OBJECT
private slots:
    void fields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<bool>("isEmptyValue");
        QTest::addColumn<QString>("expected");
        const QString tab = QStringLiteral("\t");
        QTest::newRow("first") << "a\tb\t" << 0 << tab << false << "a";
        QTest::newRow("second") << "a\tb\t" << 1 << tab << false << "b";
        QTest::newRow("beyond last delimiter") << "a\tb\t" << 2 << tab << true << "";
        QTest::newRow("unclosed last field") << "a\tb" << 1 << tab << true << "";
        QTest::newRow("leading empty field") << "\t\tx\t" << 0 << tab << false << "";
        QTest::newRow("middle empty field") << "\t\tx\t" << 1 << tab << false << "";
        QTest::newRow("after empties") << "\t\tx\t" << 2 << tab << false << "x";
        QTest::newRow("empty text") << "" << 0 << tab << true << "";
        QTest::newRow("negative field") << "a\tb\t" << -1 << tab << true << "";
        QTest::newRow("two-character delimiter") << "a\t\tb\t\t" << 0 << "\t\t" << true << "";
        QTest::newRow("empty delimiter") << "abc" << 0 << "" << true << "";
        QTest::newRow("sign-in reply") << "ID=42=" << 1 << "=" << false << "42";
        QTest::newRow("sign-in reply without id") << "ID=" << 1 << "=" << true << "";
        QTest::newRow("case matters") << "aXbxc" << 1 << "x" << true << "";
        QTest::newRow("thai") << QString::fromUtf8("สมชาย\tราคา\t") << 1 << tab << false
                              << QString::fromUtf8("ราคา");
    }
    void fields()
    {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, delimiter);
        QFETCH(bool, isEmptyValue);
        QFETCH(QString, expected);
        const FieldValue value = GetField(text, n, delimiter);
        QCOMPARE(value.isEmptyValue(), isEmptyValue);
        QCOMPARE(value.text(), expected);
    }

    // The faster splitters must give exactly what the character walk gives, for any input.
    void splittersAgreeWithTheWalk()
    {
        QRandomGenerator rng(874);
        const char alphabet[] = {'a', 'b', '\t', '\t', ' ', '='};
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes;
            const int length = int(rng.bounded(12));
            for (int i = 0; i < length; ++i)
                bytes.append(alphabet[rng.bounded(int(sizeof alphabet))]);
            const QString text = QString::fromLatin1(bytes);
            const ClosedFields all = SplitClosedFields(bytes, '\t');
            for (int n = -1; n < 8; ++n) {
                const FieldValue expected = referenceField(text, n, QStringLiteral("\t"));
                QCOMPARE(GetField(text, n, u"\t"), expected);
                const auto bytesField = GetFieldBytes(bytes, n, '\t');
                QCOMPARE(bytesField.has_value(), !expected.isEmptyValue());
                QCOMPARE(all.at(n).has_value(), !expected.isEmptyValue());
                if (bytesField) {
                    QCOMPARE(QString::fromLatin1(*bytesField), expected.text());
                    QCOMPARE(QString::fromLatin1(*all.at(n)), expected.text());
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestGetField)
#include "test_get_field.moc"
