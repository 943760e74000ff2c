#include "auction_wire.h"

#include <QTest>

namespace {
// "A:" marks the announcement, "M:" every other message.
QByteArrayList frameIn(const QByteArray &stream, const QList<qsizetype> &cuts, ClientFramer::Status &status)
{
    ClientFramer framer;
    std::vector<ClientFramer::Message> out;
    qsizetype from = 0;
    for (qsizetype cut : cuts + QList<qsizetype>{stream.size()}) {
        status = framer.feed(QByteArrayView(stream).sliced(from, cut - from), out);
        from = cut;
    }
    QByteArrayList list;
    for (const auto &m : out)
        list.append((m.announcement ? "A:" : "M:") + m.bytes);
    return list;
}
} // namespace

class TestDemoFraming : public QObject {
    Q_OBJECT
private slots:
    void message_data();
    void message();
    void framing_data();
    void framing();
    void failedFramerTakesNothingMore();
};

void TestDemoFraming::message_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("lone keyword") << QStringList{QStringLiteral("#GOBID")} << QByteArray("#GOBID\t\xFE");
    QTest::newRow("empty field kept")
        << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")} << QByteArray("a\t\tb\t\xFE");
    QTest::newRow("thai") << QStringList{QStringLiteral("MSG"), QStringLiteral("ก ฿")}
                          << QByteArray("MSG\t\xA1 \xDF\t\xFE");
    // A TAB or 0xFE inside a field would shift every later field.
    QTest::newRow("tab inside") << QStringList{QStringLiteral("MSG"), QStringLiteral("a\tb")}
                                << QByteArray("MSG\ta b\t\xFE");
    QTest::newRow("terminator inside")
        << QStringList{QStringLiteral("MSG"), QString(QChar(0xF8C7))} << QByteArray("MSG\t \t\xFE");
}

void TestDemoFraming::message()
{
    QFETCH(QStringList, fields);
    QFETCH(QByteArray, bytes);
    QCOMPARE(AuctionWire::message(fields), bytes);
}

void TestDemoFraming::framing_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArrayList>("messages");
    QTest::addColumn<ClientFramer::Status>("status");

    const QByteArray hello = "AuctionGO\tbob\t\t0\t";
    const QByteArray bid = "bob\tROBOT CLICK BID\t1600\t";
    using S = ClientFramer::Status;

    QTest::newRow("announcement alone") << hello << QByteArrayList{"A:" + hello} << S::Ok;
    QTest::newRow("announcement unfinished")
        << QByteArray("AuctionGO\tbob\t\t0") << QByteArrayList{} << S::Ok;
    QTest::newRow("announcement then bid")
        << hello + bid + '\xFE' << QByteArrayList{"A:" + hello, "M:" + bid} << S::Ok;
    QTest::newRow("bid unfinished") << hello + bid << QByteArrayList{"A:" + hello} << S::Ok;
    QTest::newRow("announcement closed by terminator")
        << QByteArray("AuctionGO\tbob\t\xFEGETPD\t\xFE") << QByteArrayList{"A:AuctionGO\tbob\t", "M:GETPD\t"}
        << S::Ok;
    QTest::newRow("no announcement") << QByteArray("GETPD\t\xFEUMSG\tx\thi\t\xFE")
                                     << QByteArrayList{"M:GETPD\t", "M:UMSG\tx\thi\t"} << S::Ok;
    QTest::newRow("almost an announcement")
        << QByteArray("AuctionGX\t\t\t\t\xFE") << QByteArrayList{"M:AuctionGX\t\t\t\t"} << S::Ok;
    QTest::newRow("empty messages") << hello + "\xFE\xFE" << QByteArrayList{"A:" + hello, "M:", "M:"}
                                    << S::Ok;
    QTest::newRow("thai and line breaks")
        << QByteArray("UMSG\tx\t\xCA\xC1\r\n\t\xFE") << QByteArrayList{"M:UMSG\tx\t\xCA\xC1\r\n\t"} << S::Ok;
    QTest::newRow("second announcement is a message")
        << hello + hello + '\xFE' << QByteArrayList{"A:" + hello, "M:" + hello} << S::Ok;

    QTest::newRow("nul after a message") << hello + bid + '\xFE' + QByteArray("x\0y\xFE", 4)
                                         << QByteArrayList{"A:" + hello, "M:" + bid} << S::Junk;
    QByteArray withNul = hello + "ab";
    withNul += '\0';
    QTest::newRow("nul") << withNul << QByteArrayList{"A:" + hello} << S::Junk;
    QTest::newRow("escape") << QByteArray("\x1b[2J") << QByteArrayList{} << S::Junk;

    const QByteArray longest(ClientFramer::maxPending, 'x');
    QTest::newRow("longest pending") << longest << QByteArrayList{} << S::Ok;
    QTest::newRow("longest message") << longest + '\xFE' << QByteArrayList{"M:" + longest} << S::Ok;
    QTest::newRow("one byte too many") << longest + 'x' << QByteArrayList{} << S::Overflow;
    QTest::newRow("endless announcement") << "AuctionGO\t" + longest << QByteArrayList{} << S::Overflow;
}

// Every way of cutting the stream into reads gives the same messages.
void TestDemoFraming::framing()
{
    QFETCH(QByteArray, stream);
    QFETCH(QByteArrayList, messages);
    QFETCH(ClientFramer::Status, status);

    ClientFramer::Status got = ClientFramer::Status::Ok;
    QCOMPARE(frameIn(stream, {}, got), messages);
    QCOMPARE(got, status);

    QList<qsizetype> everyByte;
    for (qsizetype i = 1; i < stream.size(); ++i)
        everyByte.append(i);
    QCOMPARE(frameIn(stream, everyByte, got), messages);
    QCOMPARE(got, status);

    const qsizetype stride = std::max<qsizetype>(1, stream.size() / 40);
    for (qsizetype cut = 1; cut < stream.size(); cut += stride) {
        QCOMPARE(frameIn(stream, {cut}, got), messages);
        QCOMPARE(got, status);
    }
}

void TestDemoFraming::failedFramerTakesNothingMore()
{
    ClientFramer framer;
    std::vector<ClientFramer::Message> out;
    QCOMPARE(framer.feed(QByteArray(ClientFramer::maxPending + 1, 'x'), out), ClientFramer::Status::Overflow);
    QCOMPARE(framer.feed("GETPD\t\xFE", out), ClientFramer::Status::Overflow);
    QCOMPARE(out.size(), size_t(0));
    QCOMPARE(framer.pendingSize(), 0);
}

QTEST_GUILESS_MAIN(TestDemoFraming)
#include "tst_demo_framing.moc"
