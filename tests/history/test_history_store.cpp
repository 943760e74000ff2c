#include "history_store.h"
#include "test_support.h"

#include <QDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {
const QDate saleDay(2024, 3, 9);
const SaleRecord firstSale{u"niran"_s,         u"A102"_s,
                           u"กล้อง [new], 2"_s, u"somchai"_s,
                           u"1,500"_s,         u"Currency = Baht"_s,
                           u"shop, ltd"_s,     u"AT  1,500  By  somchai Time : 10:15:30"_s};
// Its line breaks must not add lines to the file.
const SaleRecord secondSale{u"niran"_s,           u"B7"_s,  u"a\nUser=forged"_s, u"x\r\n[evil]"_s, u"900"_s,
                            u"Currency = Baht"_s, u"ann"_s, u"Time : 1\r2"_s};

// The bytes of one record, as the first sale of the pair writes it.
QByteArray record(const QByteArray &productId, const QByteArray &name, const QByteArray &highBid,
                  const QByteArray &lastBid, const QByteArray &seller, const QByteArray &time)
{
    return "[" + highBid + "&" + productId + "&]\r\nUser=niran\r\nProductID=" + productId +
           "\r\nProductName=" + name + "\r\nHighbid=" + highBid + "\r\nLastBid=" + lastBid +
           "\r\nCurrency=Currency = Baht\r\nSaller=" + seller +
           "\r\nDate=" + History::dateText(saleDay).toLatin1() + "\r\nTime=" + time + "\r\n";
}
const QByteArray thaiName = "\xA1\xC5\xE9\xCD\xA7 [new], 2";
const QByteArray firstBytes = record("A102", thaiName, "somchai", "1,500", "shop, ltd", "10:15:30");
const QByteArray secondBytes = record("B7", "a User=forged", "x  [evil]", "900", "ann", "1 2");
} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT
private slots:
    void writesRecordsInPlaceAndAppended()
    {
        TempWorkDir dir;
        const QString path = dir.filePath(u"AuctHist.bid"_s);
        QVERIFY(WriteHistoryRecord(firstSale, {}, saleDay));
        QCOMPARE(readWholeFile(path), firstBytes);
        QCOMPARE(History::readRows().value(0).value(2), firstSale.productName);

        QVERIFY(WriteHistoryRecord(secondSale, {}, saleDay));
        QCOMPARE(readWholeFile(path), firstBytes + secondBytes);

        SaleRecord again = firstSale;
        again.lastBid = u"2,000"_s;
        again.lastListLine = u"AT  2,000  By  somchai Time : 11:00:00"_s;
        QVERIFY(WriteHistoryRecord(again, {}, saleDay));
        QCOMPARE(readWholeFile(path),
                 record("A102", thaiName, "somchai", "2,000", "shop, ltd", "11:00:00") + secondBytes);
    }

    // An existing file of another letter case is updated, not joined by a second file.
    void findsTheFileWhateverItsCase()
    {
        TempWorkDir dir;
        writeWholeFile(dir.filePath(u"auctHIST.BID"_s), "[somchai&A102&]\r\nUser=old\r\n");
        QVERIFY(WriteHistoryRecord(firstSale, {}, saleDay));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"auctHIST.BID"_s});
        QCOMPARE(readWholeFile(dir.filePath(u"auctHIST.BID"_s)), firstBytes);
    }

    void listing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("no file") << QByteArray() << QStringList();
        QTest::newRow("commas and brackets in names and values")
            << "[a,b&P[1],2&]\r\nUser=u\r\nProductID=P[1],2\r\nProductName=Camera [new], black\r\n"
               "Highbid=a,b\r\nLastBid=1,500,000\r\nSaller=x,y\r\nDate=1/2/24\r\nTime=[10:00]\r\n"_ba
            << QStringList{u"u\tP[1],2\tCamera [new], black\ta,b\t1,500,000\tx,y\t1/2/24\t[10:00]"_s};
        QTest::newRow("long values cut at 20, 15 and 10, others whole")
            << "[s]\r\nProductName=abcdefghijklmnopqrstu\r\nHighbid=0123456789abcdef\r\n"
               "Saller=0123456789X\r\nLastBid=12,345,678,901\r\n"_ba
            << QStringList{u"\t\tabcdefghijklmnopqrst\t0123456789abcde\t12,345,678,901\t0123456789\t\t"_s};
        QTest::newRow("hand-written: comments, blanks, LF ends, case, quotes, missing keys")
            << "stray=line\n; comment\n\n  [ first&1& ]  \n  user =  \"q u\" \n;Highbid=no\n"
               "HIGHBID=hb\nhighbid=second\n\n[second&2&]\nDate='d'\nTime=t"_ba
            << QStringList{u"q u\t\t\thb\t\t\t\t"_s, u"\t\t\t\t\t\td\tt"_s};
        QTest::newRow("a repeated header shows the first section's values")
            << "[d&1&]\rUser=first\r[e&2&]\r\n[D&1&]\r\nUser=later\r\n"_ba
            << QStringList{u"first\t\t\t\t\t\t\t"_s, u"\t\t\t\t\t\t\t"_s, u"first\t\t\t\t\t\t\t"_s};
    }
    void listing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rows);
        TempWorkDir dir;
        if (!file.isNull())
            writeWholeFile(dir.filePath(u"AuctHist.bid"_s), file);
        QStringList texts;
        for (const QStringList &row : History::readRows())
            texts.append(History::rowText(row));
        QCOMPARE(texts, rows);
        if (file.isNull())
            QVERIFY(QDir(dir.path()).isEmpty());
    }

    // The file grows past what the disk takes part way through the write: the old file must stay whole.
    void diskFullPartWayKeepsTheOldFile()
    {
        TempWorkDir dir;
        QVERIFY(WriteHistoryRecord(firstSale, {}, saleDay));
        const QByteArray old = readWholeFile(dir.filePath(u"AuctHist.bid"_s));
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(old.size() + 40), saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        const HistoryWrite written = WriteHistoryRecord(secondSale, {}, saleDay);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        QCOMPARE(written.path, dir.filePath(u"AuctHist.bid"_s));
        QCOMPARE(readWholeFile(dir.filePath(u"AuctHist.bid"_s)), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"AuctHist.bid"_s});
    }

    // The user is told which file could not be written and why, in a box that does not ask anything.
    void readOnlyFolderSaysWhy()
    {
        TempWorkDir dir;
        QVERIFY(WriteHistoryRecord(firstSale, {}, saleDay));
        const QByteArray old = readWholeFile(dir.filePath(u"AuctHist.bid"_s));
        const ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.isReadOnly())
            QSKIP("this file system cannot make the folder read-only");
        const HistoryWrite written = WriteHistoryRecord(secondSale, {}, saleDay);
        QVERIFY(!written);
        QCOMPARE(readWholeFile(dir.filePath(u"AuctHist.bid"_s)), old);
        const Prompter::Request message = History::failureMessage(written);
        QCOMPARE(message.text, u"ไม่สามารถบันทึกประวัติการประมูลลงแฟ้ม %1 ได้ (%2)"_s.arg(
                                   dir.filePath(u"AuctHist.bid"_s), written.error));
        QVERIFY2(!written.error.isEmpty(), qPrintable(message.text));
        QCOMPARE(message.title, u"Gavora"_s);
        QCOMPARE(message.buttons, Prompter::Buttons::Ok);
    }
};

QTEST_GUILESS_MAIN(TestHistoryStore)
#include "test_history_store.moc"
