#include "get_field.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FieldValue)

class TestGetField : public QObject {
    Q_OBJECT
private slots:
    // Tab-separated fields are the random test's below; these are the other delimiters and the edges.
    void fields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<FieldValue>("expected");
        QTest::newRow("too large field number") << u"a\tb\t"_s << 100000 << u"\t"_s << FieldValue();
        QTest::newRow("two-character delimiter") << u"a\t\tb\t\t"_s << 0 << u"\t\t"_s << FieldValue();
        QTest::newRow("empty delimiter") << u"abc"_s << 0 << u""_s << FieldValue();
        QTest::newRow("sign-in reply, = appended") << u"ID=42="_s << 1 << u"="_s << FieldValue(u"42"_s);
        QTest::newRow("sign-in reply without id") << u"ID="_s << 1 << u"="_s << FieldValue();
        QTest::newRow("thai") << u"สมชาย\tราคา\t"_s << 1 << u"\t"_s << FieldValue(u"ราคา"_s);
    }
    void fields()
    {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, delimiter);
        QFETCH(FieldValue, expected);
        QCOMPARE(GetField(text, n, delimiter), expected);
    }

    // The byte splitters must agree with the character walk for any input. The walk's rule: field n exists
    // when a delimiter closes it, i.e. it is any part of split() but the last.
    void splittersAgreeWithTheWalk()
    {
        QRandomGenerator rng(874);
        const char alphabet[] = {'a', 'b', '\t', '\t', ' ', '='};
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes;
            for (int i = int(rng.bounded(12)); i > 0; --i)
                bytes.append(alphabet[rng.bounded(int(sizeof alphabet))]);
            const QString text = QString::fromLatin1(bytes);
            const QStringList parts = text.split(u'\t');
            const ClosedFields all = SplitClosedFields(bytes, '\t');
            for (int n = -1; n < 8; ++n) {
                const FieldValue expected =
                    n >= 0 && n < parts.size() - 1 ? FieldValue(parts[n]) : FieldValue();
                const auto field = GetFieldBytes(bytes, n, '\t');
                QCOMPARE(GetField(text, n, u"\t"), expected);
                QCOMPARE(field ? FieldValue(QString::fromLatin1(*field)) : FieldValue(), expected);
                QCOMPARE(all.at(n), field);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestGetField)
#include "test_get_field.moc"
