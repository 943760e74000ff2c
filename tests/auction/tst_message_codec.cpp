// Both directions of the wire: the framer cutting server bytes into messages and the client's message
// builders.
#include "auction_messages.h"
#include "message_framer.h"

#include <QTest>

using Reads = QList<QByteArray>;
using Messages = QList<QByteArray>;

class TestMessageCodec : public QObject {
    Q_OBJECT

private:
    static Messages frame(MessageFramer &framer, const Reads &reads)
    {
        Messages out;
        for (const QByteArray &read : reads)
            framer.feed(read, [&out](QByteArrayView message) { out.append(message.toByteArray()); });
        return out;
    }

private slots:
    void framing_data()
    {
        QTest::addColumn<Reads>("reads");
        QTest::addColumn<Messages>("messages");
        QTest::addColumn<QByteArray>("pending");
        QTest::newRow("two in one read")
            << Reads{"#A\t\xFE#B\t\xFE"} << Messages{"#A\t", "#B\t"} << QByteArray();
        QTest::newRow("split across reads")
            << Reads{"#A\t\xFE#BI", "D\tx\t", "\xFE"} << Messages{"#A\t", "#BID\tx\t"} << QByteArray();
        QTest::newRow("terminator alone in the next read")
            << Reads{"#GOBID\t", "\xFE#X\t\xFE"} << Messages{"#GOBID\t", "#X\t"} << QByteArray();
        QTest::newRow("tail waits") << Reads{"#A\t\xFE#B"} << Messages{"#A\t"} << QByteArray("#B");
        QTest::newRow("no terminator") << Reads{"#A\t", "more"} << Messages{} << QByteArray("#A\tmore");
        QTest::newRow("empty and blank messages skipped")
            << Reads{"\xFE#A\t\xFE\xFE   \xFE#B\t\xFE"} << Messages{"#A\t", "#B\t"} << QByteArray();
        QTest::newRow("spaces trimmed, tabs kept")
            << Reads{"  #A\t b \t  \xFE\t\xFE"} << Messages{"#A\t b \t", "\t"} << QByteArray();
        QTest::newRow("trimming spans reads")
            << Reads{"  ", " #A\t", " \xFE"} << Messages{"#A\t"} << QByteArray();
    }

    void framing()
    {
        QFETCH(Reads, reads);
        QFETCH(Messages, messages);
        QFETCH(QByteArray, pending);
        MessageFramer framer;
        QCOMPARE(frame(framer, reads), messages);
        QCOMPARE(framer.pendingSize(), pending.size());
    }

    void oversizePartialIsDroppedUpToItsTerminator()
    {
        MessageFramer framer;
        const QByteArray block(64 * 1024, 'A');
        Reads reads{"#GOBID\t\xFE#BID\t"};
        for (qsizetype size = 0; size <= MessageFramer::maxPartialSize; size += block.size())
            reads.append(block);
        reads.append("#PAUSEBID\t\xFE#X\t\xFE#LEFT");
        QCOMPARE(frame(framer, reads), (Messages{"#GOBID\t", "#X\t"}));
        QCOMPARE(framer.discarding(), false);
        QCOMPARE(framer.pendingSize(), 5);
        QCOMPARE(frame(framer, {"COUNT\t3\t\xFE"}), Messages{"#LEFTCOUNT\t3\t"});
    }

    void partialAtTheLimitIsStillWhole()
    {
        MessageFramer framer;
        QByteArray big(MessageFramer::maxPartialSize, 'A');
        big[0] = '#';
        const Messages got = frame(framer, {big, "\xFE"});
        QCOMPARE(got.size(), 1);
        QCOMPARE(got.first().size(), MessageFramer::maxPartialSize);
    }

    void resetDropsThePartial()
    {
        MessageFramer framer;
        frame(framer, {"#BID\tx"});
        framer.reset();
        QCOMPARE(frame(framer, {"\t\xFE#A\t\xFE"}), (Messages{"\t", "#A\t"}));
    }

    void encodeFieldBlanksSeparators_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("tab") << "a\tb" << QByteArray("a b");
        QTest::newRow("cr lf") << "a\r\nb" << QByteArray("a  b");
        QTest::newRow("terminator character") << QStringLiteral("a\uF8C7b") << QByteArray("a b");
        QTest::newRow("thai") << QStringLiteral("สวัสดี") << QByteArray("\xCA\xC7\xD1\xCA\xB4\xD5");
        QTest::newRow("outside the code page") << QStringLiteral("a€b😀")
                                               << QByteArray("a\x80"
                                                             "b?");
    }

    void encodeFieldBlanksSeparators()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(AuctionMessages::encodeField(text), bytes);
    }

    void outgoingMessages_data()
    {
        QTest::addColumn<QByteArray>("built");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("announcement")
            << AuctionMessages::auctionGo(u"user") << QByteArray("AuctionGO\tuser\t\t0\t");
        QTest::newRow("announcement, user with tab")
            << AuctionMessages::auctionGo(u"us\ter") << QByteArray("AuctionGO\tus er\t\t0\t");
        QTest::newRow("bid with separators")
            << AuctionMessages::bid(u"me", u"1,600") << QByteArray("me\tROBOT CLICK BID\t1600\t\xFE");
        QTest::newRow("bid rounds") << AuctionMessages::bid(u"me", u"1,600.5")
                                    << QByteArray("me\tROBOT CLICK BID\t1601\t\xFE");
        QTest::newRow("thai user bid") << AuctionMessages::bid(QStringView(QStringLiteral("สม")), u"2,000")
                                       << QByteArray("\xCA\xC1\tROBOT CLICK BID\t2000\t\xFE");
        QTest::newRow("chat") << AuctionMessages::chat(u"me", u"hi there")
                              << QByteArray("UMSG\tme\thi there\t\xFE");
        QTest::newRow("empty chat") << AuctionMessages::chat(u"user", u"")
                                    << QByteArray("UMSG\tuser\t\t\xFE");
        QTest::newRow("chat cannot add fields")
            << AuctionMessages::chat(u"me", QStringView(QStringLiteral("a\tb\uF8C7c\nd")))
            << QByteArray("UMSG\tme\ta b c d\t\xFE");
        QTest::newRow("description request") << AuctionMessages::getPd() << QByteArray("GETPD\t\xFE");
    }

    void outgoingMessages()
    {
        QFETCH(QByteArray, built);
        QFETCH(QByteArray, bytes);
        QCOMPARE(built, bytes);
    }
};

QTEST_GUILESS_MAIN(TestMessageCodec)
#include "tst_message_codec.moc"
