#include "cp874.h"
#include "history_store.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {
const QDate saleDay(2024, 3, 9);

SaleRecord firstSale()
{
    SaleRecord sale;
    sale.user = QStringLiteral("niran");
    sale.productId = QStringLiteral("A102");
    sale.productName = QStringLiteral(u"\u0E01\u0E25\u0E49\u0E2D\u0E07 [new], 2");
    sale.highBidder = QStringLiteral("somchai");
    sale.lastBid = QStringLiteral("1,500");
    sale.currency = QStringLiteral("Currency = Baht");
    sale.seller = QStringLiteral("shop, ltd");
    sale.lastListLine = QStringLiteral("AT  1,500  By  somchai Time : 10:15:30");
    return sale;
}

SaleRecord secondSale()
{
    SaleRecord sale;
    sale.user = QStringLiteral("niran");
    sale.productId = QStringLiteral("B7");
    sale.productName = QStringLiteral("Lamp");
    sale.highBidder = QStringLiteral("lek");
    sale.lastBid = QStringLiteral("900");
    sale.currency = QStringLiteral("Currency = Baht");
    sale.seller = QStringLiteral("ann");
    return sale;
}

QByteArray record(const QByteArray &section, const QByteArray &name, const QByteArray &highBid,
                  const QByteArray &lastBid, const QByteArray &seller, const QByteArray &productId,
                  const QByteArray &time)
{
    const QByteArray date = History::dateText(saleDay).toLatin1();
    return "[" + section + "]\r\nUser=niran\r\nProductID=" + productId + "\r\nProductName=" + name +
           "\r\nHighbid=" + highBid + "\r\nLastBid=" + lastBid +
           "\r\nCurrency=Currency = Baht\r\nSaller=" + seller + "\r\nDate=" + date + "\r\nTime=" + time +
           "\r\n";
}

// Makes every write of this process fail once a file would grow past the limit, as a full disk does.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT
private slots:
    void writesRecordsInPlaceAndAppended();
    void lineBreaksInValuesStayOnOneLine();
    void timeText_data();
    void timeText();
    void listing_data();
    void listing();
    void listsNothingWithoutFile();
    void findsFileWhateverItsCase();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
};

void TestHistoryStore::writesRecordsInPlaceAndAppended()
{
    TempWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("AuctHist.bid"));
    const QByteArray thaiName = "\xA1\xC5\xE9\xCD\xA7 [new], 2";
    const QByteArray first =
        record("somchai&A102&", thaiName, "somchai", "1,500", "shop, ltd", "A102", "10:15:30");
    const QByteArray second = record("lek&B7&", "Lamp", "lek", "900", "ann", "B7", "");

    QVERIFY(WriteHistoryRecord(firstSale(), {}, saleDay));
    QCOMPARE(readWholeFile(path), first);
    QCOMPARE(History::readRows().value(0).value(2), firstSale().productName);

    QVERIFY(WriteHistoryRecord(secondSale(), {}, saleDay));
    QCOMPARE(readWholeFile(path), first + second);

    SaleRecord again = firstSale();
    again.lastBid = QStringLiteral("2,000");
    again.lastListLine = QStringLiteral("AT  2,000  By  somchai Time : 11:00:00");
    QVERIFY(WriteHistoryRecord(again, {}, saleDay));
    QCOMPARE(readWholeFile(path),
             record("somchai&A102&", thaiName, "somchai", "2,000", "shop, ltd", "A102", "11:00:00") + second);
}

void TestHistoryStore::lineBreaksInValuesStayOnOneLine()
{
    TempWorkDir dir;
    SaleRecord sale = firstSale();
    sale.highBidder = QStringLiteral("x\r\n[evil]");
    sale.productName = QStringLiteral("a\nUser=forged");
    sale.lastListLine = QStringLiteral("Time : 1\r2");
    QVERIFY(WriteHistoryRecord(sale, {}, saleDay));

    const QByteArray bytes = readWholeFile(dir.filePath(QStringLiteral("AuctHist.bid")));
    QCOMPARE(bytes.count("\r\n"), 10);
    QCOMPARE(bytes.count('\n'), 10);
    QCOMPARE(bytes.count('\r'), 10);
    const QList<QStringList> rows = History::readRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(History::rowText(rows[0]),
             QStringLiteral("niran\tA102\ta User=forged\tx  [evil]\t1,500\tshop, ltd\t%1\t1 2")
                 .arg(History::dateText(saleDay)));
}

void TestHistoryStore::timeText_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("time");
    QTest::newRow("bid line") << "AT  1,500  By  somchai Time : 10:15:30"
                              << "10:15:30";
    QTest::newRow("first marker wins") << "AT  1  By  Time : x Time : 09:00"
                                       << "x Time : 09:00";
    QTest::newRow("no marker: from the 7th character") << "AT  1,500  By  somchai"
                                                       << "500  By  somchai";
    QTest::newRow("short line without marker") << "AT  1"
                                               << "";
    QTest::newRow("empty list") << ""
                                << "";
}

void TestHistoryStore::timeText()
{
    QFETCH(QString, line);
    QFETCH(QString, time);
    QCOMPARE(History::timeText(line), time);
}

void TestHistoryStore::listing_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("commas and brackets in names and values")
        << QByteArray("[a,b&P[1],2&]\r\nUser=u\r\nProductID=P[1],2\r\nProductName=Camera [new], black\r\n"
                      "Highbid=a,b\r\nLastBid=1,500,000\r\nSaller=x,y\r\nDate=1/2/24\r\nTime=[10:00]\r\n")
        << QStringList{"u\tP[1],2\tCamera [new], black\ta,b\t1,500,000\tx,y\t1/2/24\t[10:00]"};

    QTest::newRow("long values cut at 20, 15 and 10")
        << QByteArray("[s]\r\nProductName=123456789012345678901234\r\nHighbid=abcdefghijklmnopq\r\n"
                      "Saller=0123456789ABC\r\nUser=longer than any cut\r\nLastBid=12,345,678,901,234\r\n")
        << QStringList{"longer than any cut\t\t12345678901234567890\tabcdefghijklmno\t12,345,678,901,234\t"
                       "0123456789\t\t"};

    QTest::newRow("hand-written: comments, blanks, LF ends, case, quotes, missing keys")
        << QByteArray("stray=line\n; comment\n\n  [ first&1& ]  \n  user =  \"q u\" \n;Highbid=no\n"
                      "HIGHBID=hb\nhighbid=second\n\n[second&2&]\nDate='d'\nTime=t")
        << QStringList{"q u\t\t\thb\t\t\t\t", "\t\t\t\t\t\td\tt"};

    QTest::newRow("CR-only line ends")
        << QByteArray("[r]\rUser=a\rTime=b\r") << QStringList{"a\t\t\t\t\t\t\tb"};

    QTest::newRow("a repeated header shows the first section's values")
        << QByteArray("[d&1&]\r\nUser=first\r\n[e&2&]\r\nUser=other\r\n[D&1&]\r\nUser=later\r\n")
        << QStringList{"first\t\t\t\t\t\t\t", "other\t\t\t\t\t\t\t", "first\t\t\t\t\t\t\t"};

    QTest::newRow("section without keys") << QByteArray("[empty]\r\n") << QStringList{"\t\t\t\t\t\t\t"};
}

void TestHistoryStore::listing()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, rows);
    TempWorkDir dir;
    writeWholeFile(dir.filePath(QStringLiteral("AuctHist.bid")), file);
    QStringList texts;
    for (const QStringList &row : History::readRows())
        texts.append(History::rowText(row));
    QCOMPARE(texts, rows);
}

void TestHistoryStore::listsNothingWithoutFile()
{
    TempWorkDir dir;
    QCOMPARE(History::readRows().size(), 0);
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestHistoryStore::findsFileWhateverItsCase()
{
    TempWorkDir dir;
    const QString odd = dir.filePath(QStringLiteral("auctHIST.BID"));
    writeWholeFile(odd, "[lek&B7&]\r\nUser=old\r\n");
    QCOMPARE(History::readRows().size(), 1);

    QVERIFY(WriteHistoryRecord(secondSale(), {}, saleDay));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("auctHIST.BID")});
    QCOMPARE(History::readRows().size(), 1);
    QCOMPARE(History::readRows()[0][0], QStringLiteral("niran"));
}

void TestHistoryStore::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("read-only folder") << true;
    QTest::newRow("disk full part way") << false;
}

void TestHistoryStore::failedWriteKeepsOldFile()
{
    QFETCH(bool, readOnlyFolder);
    TempWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("AuctHist.bid"));
    QVERIFY(WriteHistoryRecord(firstSale(), {}, saleDay));
    const QByteArray old = readWholeFile(path);

    bool written = true;
    if (readOnlyFolder) {
        QFile folder(dir.path());
        const QFileDevice::Permissions permissions = folder.permissions();
        folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile probe(dir.filePath(QStringLiteral("probe")));
        const bool permissionsApply = !probe.open(QIODevice::WriteOnly);
        if (permissionsApply)
            written = WriteHistoryRecord(secondSale(), {}, saleDay);
        probe.remove();
        folder.setPermissions(permissions);
        if (!permissionsApply)
            QSKIP("folder permissions do not bind this user");
    } else {
        const FileSizeLimit limit(rlim_t(old.size() + 40));
        written = WriteHistoryRecord(secondSale(), {}, saleDay);
    }

    QVERIFY(!written);
    QCOMPARE(readWholeFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("AuctHist.bid")});
}

QTEST_GUILESS_MAIN(TestHistoryStore)
#include "tst_history_store.moc"
