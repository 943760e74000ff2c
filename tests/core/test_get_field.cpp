#include "get_field.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FieldValue)

class TestGetField : public QObject {
    Q_OBJECT
private slots:
    // A field exists only when a delimiter closes it. The byte splitter follows the same rule for every
    // one-character delimiter.
    void fields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<FieldValue>("expected");
        QTest::newRow("closed field") << u"a\tb\tc"_s << 1 << u"\t"_s << FieldValue(u"b"_s);
        QTest::newRow("empty field") << u"a\t\tb\t"_s << 1 << u"\t"_s << FieldValue(u""_s);
        QTest::newRow("the last, unclosed field") << u"a\tb"_s << 1 << u"\t"_s << FieldValue();
        QTest::newRow("negative field number") << u"a\tb\t"_s << -1 << u"\t"_s << FieldValue();
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
        if (delimiter.size() != 1 || text.toLatin1() != text.toUtf8())
            return;
        const QByteArray bytes = text.toLatin1();
        const auto field = SplitClosedFields(bytes, delimiter.front().toLatin1()).at(n);
        QCOMPARE(field ? FieldValue(QString::fromLatin1(*field)) : FieldValue(), expected);
    }
};

QTEST_GUILESS_MAIN(TestGetField)
#include "test_get_field.moc"
