// AuctHist.bid: records written byte for byte, by two programs at once too, the listing, a sale that arrives
// while the file cannot be written or read or another writer holds it, and the window that lists the records.
#include "frm_hbid.h"
#include "history_store.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocalServer>
#include <QLockFile>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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

// twoWritersLoseNothing runs this program twice more as writers, each told its folder and high bidder here.
const char writerJob[] = "GAVORA_TEST_HISTORY_WRITER";
constexpr int salesPerWriter = 200;
SaleRecord writerSale(const QString &bidder, int i)
{
    return {u"niran"_s, u"P%1"_s.arg(i),      u"lamp"_s,      bidder,
            u"1,500"_s, u"Currency = Baht"_s, u"shop, ltd"_s, u"AT  1,500  By  x Time : 10:15:30"_s};
}

QByteArray oldHistory()
{
    QByteArray bytes;
    for (int i = 0; i < 40; ++i)
        bytes += "[somchai&A" + QByteArray::number(i) + "&]\r\nUser=me\r\nProductID=A" +
                 QByteArray::number(i) + "\r\nLastBid=1,500\r\n";
    return bytes;
}

// A folder that takes no new file, also for root, which ignores permission bits but not the immutable
// attribute; the files already in it stay writable.
struct ReadOnlyFolder {
    explicit ReadOnlyFolder(const QString &path) : path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        if (geteuid() == 0)
            QProcess::execute(u"chattr"_s, {u"+i"_s, path});
    }
    ~ReadOnlyFolder()
    {
        if (geteuid() == 0)
            QProcess::execute(u"chattr"_s, {u"-i"_s, path});
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString path;
};
} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT
public:
    // As a writer: its sales, then an exit status that counts the ones not written.
    static void initMain()
    {
        const QStringList job = qEnvironmentVariable(writerJob).split(QLatin1Char('\n'));
        if (job.size() != 2)
            return;
        int failed = 0;
        for (int i = 0; i < salesPerWriter; ++i)
            failed += !WriteHistoryRecord(writerSale(job[1], i), WorkFolder(job[0]), saleDay);
        std::exit(failed);
    }

private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    // An existing file of another letter case is updated, not joined by a second file.
    void writesRecordsInPlaceAndAppended()
    {
        QTemporaryDir dir;
        const WorkFolder folder(dir.path());
        const QString path = dir.filePath(u"auctHIST.BID"_s);
        writeWholeFile(path, "[somchai&A102&]\r\nUser=old\r\n");
        QVERIFY(WriteHistoryRecord(firstSale, folder, saleDay));
        QCOMPARE(readWholeFile(path), firstBytes);
        QCOMPARE(History::readListing(folder).rows().value(0).value(2), firstSale.productName);

        QVERIFY(WriteHistoryRecord(secondSale, folder, saleDay));
        QCOMPARE(readWholeFile(path), firstBytes + secondBytes);

        SaleRecord again = firstSale;
        again.lastBid = u"2,000"_s;
        again.lastListLine = u"AT  2,000  By  somchai Time : 11:00:00"_s;
        QVERIFY(WriteHistoryRecord(again, folder, saleDay));
        QCOMPARE(readWholeFile(path),
                 record("A102", thaiName, "somchai", "2,000", "shop, ltd", "11:00:00") + secondBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"auctHIST.BID"_s});
    }

    // Every record of two programs writing into one file at once is there, each whole.
    void twoWritersLoseNothing()
    {
        QTemporaryDir dir;
        QProcess writers[2];
        QList<QByteArray> expected;
        for (int w = 0; w < 2; ++w) {
            const QString bidder = u"w%1"_s.arg(w);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(writerJob, dir.path() + u'\n' + bidder);
            writers[w].setProcessEnvironment(environment);
            writers[w].start(QCoreApplication::applicationFilePath(), {});
            for (int i = 0; i < salesPerWriter; ++i)
                expected.append(record("P" + QByteArray::number(i), "lamp", bidder.toLatin1(), "1,500",
                                       "shop, ltd", "10:15:30"));
        }
        for (QProcess &writer : writers) {
            QVERIFY(writer.waitForFinished(60000));
            QCOMPARE(writer.exitCode(), 0);
        }
        const QByteArray file = readWholeFile(dir.filePath(u"AuctHist.bid"_s));
        QList<QByteArray> records;
        for (qsizetype at = 0; at < file.size();) {
            const qsizetype next = file.indexOf("\r\n[", at);
            const qsizetype end = next < 0 ? file.size() : next + 2;
            records.append(file.sliced(at, end - at));
            at = end;
        }
        std::sort(records.begin(), records.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(records, expected);
    }

    // A lock held by a live writer fails the sale once the wait is over and leaves the file as it was; one
    // left long ago by a writer on another machine is taken over.
    void anotherWritersLock_data()
    {
        QTest::addColumn<bool>("live");
        QTest::newRow("held by a live writer") << true;
        QTest::newRow("left long ago") << false;
    }
    void anotherWritersLock()
    {
        QFETCH(bool, live);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"AuctHist.bid"_s);
        writeWholeFile(path, oldHistory());
        QLockFile held(History::lockFile(path));
        if (live) {
            QVERIFY(held.tryLock());
        } else {
            writeWholeFile(held.fileName(), "4711\ngavora\nfar-away\n");
            QFile left(held.fileName());
            QVERIFY(left.open(QIODevice::ReadWrite));
            left.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
        }
        const HistoryWrite written =
            WriteHistoryRecord(firstSale, WorkFolder(dir.path()), saleDay, std::chrono::milliseconds(100));
        QCOMPARE(written.error.contains(held.fileName()), live);
        QCOMPARE(readWholeFile(path), live ? oldHistory() : oldHistory() + firstBytes);
    }

    // One row per header in file order; a repeated header (in any letter case) lists the first section of
    // that name, as every profile reader sees it.
    void listing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("no file") << QByteArray() << QStringList();
        QTest::newRow("long values cut at 20, 15 and 10, others whole")
            << "[s]\r\nProductName=abcdefghijklmnopqrstu\r\nHighbid=0123456789abcdef\r\n"
               "Saller=0123456789X\r\nLastBid=12,345,678,901\r\n"_ba
            << QStringList{u"\t\tabcdefghijklmnopqrst\t0123456789abcde\t12,345,678,901\t0123456789\t\t"_s};
        QTest::newRow("keys in any case, the first of a key, comments, LF and CR")
            << "x=1\n[a&1&]\n; user=c\nUSER = 'u'\ruser=v\n TIME= 9 \n[b&2&]\nDate=d"_ba
            << QStringList{u"u\t\t\t\t\t\t\t9"_s, u"\t\t\t\t\t\td\t"_s};
        QTest::newRow("a repeated header")
            << "[a&1&]\r\nUser=first\r\n[b&2&]\r\nUser=b\r\n[A&1&]\r\nUser=second\r\nTime=t\r\n"_ba
            << QStringList{u"first\t\t\t\t\t\t\t"_s, u"b\t\t\t\t\t\t\t"_s, u"first\t\t\t\t\t\t\t"_s};
    }
    void listing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rows);
        QTemporaryDir dir;
        if (!file.isNull())
            writeWholeFile(dir.filePath(u"AuctHist.bid"_s), file);
        QStringList texts;
        for (const QStringList &row : History::readListing(WorkFolder(dir.path())).rows())
            texts.append(History::rowText(row));
        QCOMPARE(texts, rows);
        if (file.isNull())
            QVERIFY(QDir(dir.path()).isEmpty());
    }

    // A sale arrives while the file exists and cannot be read (a socket in its place), or cannot be written:
    // a file-size limit stands in for a full disk, so the write fails part way, also for root. The old file
    // or the socket stays as it was, nothing is left behind, and the user is told which file and why.
    void saleThatCannotBeWritten_data()
    {
        QTest::addColumn<bool>("socketInItsPlace");
        QTest::newRow("a socket in its place") << true;
        QTest::newRow("full disk") << false;
    }
    void saleThatCannotBeWritten()
    {
        QFETCH(bool, socketInItsPlace);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"AuctHist.bid"_s);
        QLocalServer socket;
        if (socketInItsPlace)
            QVERIFY(socket.listen(path));
        else
            writeWholeFile(path, oldHistory());
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{rlim_t(oldHistory().size() + 40), saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        const HistoryWrite written = WriteHistoryRecord(firstSale, WorkFolder(dir.path()), saleDay);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        const Prompter::Request message = History::failureMessage(written);
        QCOMPARE(message.text, u"ไม่สามารถบันทึกประวัติการประมูลลงแฟ้ม %1 ได้ (%2)"_s.arg(path, written.error));
        QCOMPARE(message.title, u"Gavora"_s);
        QCOMPARE(message.buttons, Prompter::Buttons::Ok);
        if (socketInItsPlace)
            QCOMPARE(QFileInfo(path).isFile(), false);
        else
            QCOMPARE(readWholeFile(path), oldHistory());
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System),
                 QStringList{u"AuctHist.bid"_s});
    }

    // A folder that takes no new file may still hold a writable history: the sale is written into it in
    // place.
    void readOnlyFolderWithAWritableFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"AuctHist.bid"_s);
        writeWholeFile(path, oldHistory());
        const ReadOnlyFolder readOnly(dir.path());
        QVERIFY2(!QFile(dir.filePath(u"probe"_s)).open(QIODevice::WriteOnly),
                 "the folder stays writable: root needs a file system that takes chattr +i");
        const HistoryWrite written = WriteHistoryRecord(firstSale, WorkFolder(dir.path()), saleDay);
        QVERIFY2(written, qPrintable(written.error));
        QCOMPARE(readWholeFile(path), oldHistory() + firstBytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{u"AuctHist.bid"_s});
    }

    // Close has the focus and Escape closes; no column titles, they would be in one language only.
    void windowListsRowsAndCloses()
    {
        QTemporaryDir dir;
        writeWholeFile(
            dir.filePath(u"AuctHist.bid"_s),
            "[somchai&A102&]\r\nUser=niran\r\nProductName=\xA1\xC5\xE9\xCD\xA7\r\nLastBid=12,500\r\n"
            "[lek&B7&]\r\nHighbid=lek_the_collector_2024\r\nTime=10:20:01\r\n");
        QPointer<frmHbid> window = frmHbid::showModal(WorkFolder(dir.path()), nullptr);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(QApplication::focusWidget(), window->controls().but_Close);
        QCOMPARE(window->rowTexts(), QStringList({u"niran\t\tกล้อง\t\t12,500\t\t\t"_s,
                                                  u"\t\t\tlek_the_collect\t\t\t\t10:20:01"_s}));
        QVERIFY(!window->controls().lst_result->header()->isVisible());
        QTest::keyClick(window, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }
};

QTEST_MAIN(TestHistoryStore)
#include "test_history_store.moc"
