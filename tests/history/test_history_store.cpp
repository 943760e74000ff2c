// AuctHist.bid: records written byte for byte, the listing, the fast paths against the whole-file profile
// code, a sale that arrives while the file cannot be written, and the window that lists the records.
#include "auction_board.h"
#include "auction_receiver.h"
#include "frm_hbid.h"
#include "history_store.h"
#include "test_support.h"
#include "wire_format.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>
#include <csignal>
#include <optional>
#include <sys/mount.h>
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

// A file as hands and other programs leave it: any line end, blanks, comments, stray lines, '[' in values,
// names in another letter case, repeated sections, Thai bytes, values longer than their column.
QByteArray randomFile(QRandomGenerator &rng)
{
    static const QByteArray names[] = {"a&1&", "A&1&", "b&2&", "\xA1\xC5&3&", "x]y&4&", " a&1& ", "B&2&"};
    static const QByteArray keys[] = {"User",   "user", "ProductID", "PRODUCTNAME", "Highbid", "LastBid",
                                      "Saller", "Date", "TIME",      "Currency",    "Other",   " Time "};
    static const QByteArray values[] = {"niran",      "1,500",           "\"q\"",
                                        "'x'",        "Camera [new], 2", "",
                                        "  padded  ", "\xA1\xA2\xA3",    "0123456789abcdefghijkl",
                                        "\x0B v"};
    static const QByteArray others[] = {"; [a&1&]", "", "[", "stray [line]", "= v"};
    static const QByteArray ends[] = {"\r\n", "\n", "\r"};
    const auto pick = [&rng](const auto &pool) { return pool[rng.bounded(int(std::size(pool)))]; };
    QByteArray file;
    for (int lines = int(rng.bounded(40)); lines > 0; --lines) {
        const int kind = int(rng.bounded(10));
        if (kind < 2)
            file += QByteArray(int(rng.bounded(2)), ' ') + '[' + pick(names) + ']';
        else if (kind == 2)
            file += pick(others);
        else
            file += pick(keys) + '=' + pick(values);
        if (lines > 1 || rng.bounded(2))
            file += pick(ends);
    }
    return file;
}

// The listing as it was first written: the whole file parsed by the profile reader, then the columns picked.
QList<QStringList> referenceRows(const QByteArray &file)
{
    static const std::pair<QString, qsizetype> columns[] = {
        {u"User"_s, -1},    {u"ProductID"_s, -1}, {u"ProductName"_s, 20}, {u"Highbid"_s, 15},
        {u"LastBid"_s, -1}, {u"Saller"_s, 10},    {u"Date"_s, -1},        {u"Time"_s, -1}};
    QList<QStringList> rows;
    QHash<QString, qsizetype> firstRowOf;
    for (const ProfileFile::Section &section : ProfileFile(file).sections()) {
        const QString folded = section.name.toCaseFolded();
        if (firstRowOf.contains(folded)) {
            rows.append(rows.at(firstRowOf.value(folded)));
            continue;
        }
        firstRowOf.insert(folded, rows.size());
        QStringList row;
        for (const auto &[key, width] : columns) {
            const auto entry =
                std::find_if(section.entries.begin(), section.entries.end(),
                             [&](const auto &e) { return e.first.compare(key, Qt::CaseInsensitive) == 0; });
            row.append(entry == section.entries.end() ? QString()
                                                      : entry->second.left(width < 0 ? 4095 : width));
        }
        rows.append(row);
    }
    return rows;
}

// A small file system of the test's own, all but full, where the machine lets a test mount one (as root on
// Linux): a real full disk rather than a stand-in.
class FullFileSystem {
public:
    FullFileSystem()
        : m_mounted(::mount("gavora-test", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                            MS_NOSUID | MS_NODEV, "size=64k") == 0)
    {}
    ~FullFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    FullFileSystem(const FullFileSystem &) = delete;
    FullFileSystem &operator=(const FullFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    // Takes what is left but about `spare` bytes.
    void fill(qint64 spare) const
    {
        QFile filler(QDir(path()).filePath(QStringLiteral("filler")));
        const QByteArray block(1024, 'f');
        qint64 written = 0;
        if (filler.open(QIODevice::WriteOnly)) {
            while (filler.write(block) == block.size() && filler.flush())
                written += block.size();
        }
        filler.close();
        QFile::resize(filler.fileName(), qMax<qint64>(0, written - spare));
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted;
};

QByteArray oldHistory()
{
    QByteArray bytes;
    for (int i = 0; i < 40; ++i)
        bytes += "[somchai&A" + QByteArray::number(i) + "&]\r\nUser=me\r\nProductID=A" +
                 QByteArray::number(i) + "\r\nLastBid=1,500\r\n";
    return bytes;
}

// The board as the main window sets it up, recording sales into folder; then a sale and the next product.
void sellAndGoOn(const WorkFolder &folder, HistoryWrite &written)
{
    AuctionBoard board;
    AuctionReceiver receiver(board);
    board.setSaleRecorder(
        [&](const SaleRecord &record) { written = WriteHistoryRecord(record, folder, saleDay); });
    receiver.receive(Wire::message({"#BidManPInfo", "P9", "Watch", "1", "1000", "500", "bob", "1300", "100",
                                    "Shop", "THB", "http://h/p9"}) +
                     Wire::message({"#BID", "bob", "1300", "100", "10:16:01"}) + Wire::message({"#COUNTS"}) +
                     Wire::message({"#BidManPInfo", "P10", "Ring", "1", "2000", "500", "", "2000", "100",
                                    "Shop", "THB", "http://h/p10"}) +
                     Wire::message({"#GOBID"}));
    QCOMPARE(board.currentProductId(), u"P10"_s);
    QCOMPARE(board.lbBid(), u"2,000"_s);
    QVERIFY(board.gobidEnabled());
}
} // namespace

class TestHistoryStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    void writesRecordsInPlaceAndAppended()
    {
        QTemporaryDir dir;
        const WorkFolder folder(dir.path());
        const QString path = dir.filePath(u"AuctHist.bid"_s);
        QVERIFY(WriteHistoryRecord(firstSale, folder, saleDay));
        QCOMPARE(readWholeFile(path), firstBytes);
        QCOMPARE(History::readRows(folder).value(0).value(2), firstSale.productName);

        QVERIFY(WriteHistoryRecord(secondSale, folder, saleDay));
        QCOMPARE(readWholeFile(path), firstBytes + secondBytes);

        SaleRecord again = firstSale;
        again.lastBid = u"2,000"_s;
        again.lastListLine = u"AT  2,000  By  somchai Time : 11:00:00"_s;
        QVERIFY(WriteHistoryRecord(again, folder, saleDay));
        QCOMPARE(readWholeFile(path),
                 record("A102", thaiName, "somchai", "2,000", "shop, ltd", "11:00:00") + secondBytes);
    }

    // An existing file of another letter case is updated, not joined by a second file.
    void findsTheFileWhateverItsCase()
    {
        QTemporaryDir dir;
        writeWholeFile(dir.filePath(u"auctHIST.BID"_s), "[somchai&A102&]\r\nUser=old\r\n");
        QVERIFY(WriteHistoryRecord(firstSale, WorkFolder(dir.path()), saleDay));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"auctHIST.BID"_s});
        QCOMPARE(readWholeFile(dir.filePath(u"auctHIST.BID"_s)), firstBytes);
    }

    // Commas, brackets, comments, blanks, line ends, letter case, quotes and repeated headers are the random
    // comparison's below; these are no file at all and the widths of the columns.
    void listing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("no file") << QByteArray() << QStringList();
        QTest::newRow("long values cut at 20, 15 and 10, others whole")
            << "[s]\r\nProductName=abcdefghijklmnopqrstu\r\nHighbid=0123456789abcdef\r\n"
               "Saller=0123456789X\r\nLastBid=12,345,678,901\r\n"_ba
            << QStringList{u"\t\tabcdefghijklmnopqrst\t0123456789abcde\t12,345,678,901\t0123456789\t\t"_s};
    }
    void listing()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, rows);
        QTemporaryDir dir;
        if (!file.isNull())
            writeWholeFile(dir.filePath(u"AuctHist.bid"_s), file);
        QStringList texts;
        for (const QStringList &row : History::readRows(WorkFolder(dir.path())))
            texts.append(History::rowText(row));
        QCOMPARE(texts, rows);
        if (file.isNull())
            QVERIFY(QDir(dir.path()).isEmpty());
    }

    // The fast paths against the whole-file profile reader and writer they stand for, byte for byte.
    void sameAsTheWholeFileParser()
    {
        QRandomGenerator rng(13);
        static const QString sections[] = {u"a&1&"_s,   u"A&1&"_s,   u"b&2&"_s,  u"ก&3&"_s,
                                           u"x]y&4&"_s, u" a&1& "_s, u"new&9&"_s};
        for (int round = 0; round < 3000; ++round) {
            const QByteArray file = randomFile(rng);
            QCOMPARE(History::Listing(file).rows(), referenceRows(file));

            const QString section = sections[rng.bounded(int(std::size(sections)))];
            const QList<ProfileFile::KeyValue> values = {
                {u"Time"_s, u"10:00"_s}, {u"user"_s, u"ผู้ใช้"_s}, {u"New"_s, u"a\r\nb"_s}};
            ProfileFile whole(file);
            whole.setValues(section, values);
            QCOMPARE(ProfileFile::withValues(file, section, values), whole.toBytes());
        }
        // Long runs of one line end, so that a line-end search cannot rescan the rest of the file per line.
        for (const QByteArray &end : {"\r"_ba, "\n"_ba}) {
            const QByteArray file = ("[s]" + end + "User=u" + end).repeated(20000);
            QCOMPARE(History::Listing(file).size(), 20000);
            QCOMPARE(ProfileFile::withValues(file, u"t"_s, {{u"k"_s, u"v"_s}}), file + "[t]\r\nk=v\r\n");
        }
    }

    // A sale arrives while the file cannot be written: the old file (or the folder in its place) stays as it
    // was, nothing is left behind, the auction goes on, and the user is told which file and why. A full disk
    // is a small file system filled up where one can be mounted; elsewhere a file-size limit stands in for
    // it, so that the write fails part way all the same.
    void saleThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("obstacle");
        for (const char *obstacle : {"read-only folder and file", "a folder in its place", "full disk"})
            QTest::newRow(obstacle) << QString::fromLatin1(obstacle);
    }
    void saleThatCannotBeWritten()
    {
        QFETCH(QString, obstacle);
        QTemporaryDir plain;
        std::optional<FullFileSystem> full;
        if (obstacle == u"full disk" && !full.emplace().mounted())
            full.reset();
        const QString folder = full ? full->path() : plain.path();
        const QString path = QDir(folder).filePath(u"AuctHist.bid"_s);
        if (obstacle == u"a folder in its place") {
            QVERIFY(QDir(folder).mkdir(u"AuctHist.bid"_s));
            writeWholeFile(path + u"/keep"_s, "x");
        } else {
            writeWholeFile(path, oldHistory());
        }
        std::optional<ReadOnlyPath> readOnlyFile;
        std::optional<ReadOnlyPath> readOnlyFolder;
        if (obstacle == u"read-only folder and file") {
            for (auto [readOnly, target] :
                 {std::pair{&readOnlyFile, path}, std::pair{&readOnlyFolder, folder}})
                QVERIFY2(readOnly->emplace(target).isReadOnly(), qPrintable((*readOnly)->failure()));
        }
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        if (full) {
            full->fill(40);
            qInfo("full disk: a filled-up tmpfs");
        } else if (obstacle == u"full disk") {
            const rlimit limit{rlim_t(oldHistory().size() + 40), saved.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limit);
            qInfo("full disk: a file-size limit (mounting is not allowed here)");
        }
        HistoryWrite written;
        sellAndGoOn(WorkFolder(folder), written);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        const Prompter::Request message = History::failureMessage(written);
        QCOMPARE(message.text, u"ไม่สามารถบันทึกประวัติการประมูลลงแฟ้ม %1 ได้ (%2)"_s.arg(path, written.error));
        QCOMPARE(message.title, u"Gavora"_s);
        QCOMPARE(message.buttons, Prompter::Buttons::Ok);
        if (obstacle == u"a folder in its place") {
            QVERIFY(QFileInfo(path).isDir());
            QCOMPARE(readWholeFile(path + u"/keep"_s), "x"_ba);
        } else {
            QCOMPARE(readWholeFile(path), oldHistory());
        }
        QStringList expected{u"AuctHist.bid"_s};
        if (full)
            expected.append(u"filler"_s);
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name), expected);
    }

    // A folder that takes no new file may still hold a writable history: the sale is written into it in
    // place.
    void readOnlyFolderWithAWritableFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"AuctHist.bid"_s);
        writeWholeFile(path, oldHistory());
        const ReadOnlyPath readOnly(dir.path());
        QVERIFY2(readOnly.isReadOnly(), qPrintable(readOnly.failure()));
        HistoryWrite written;
        sellAndGoOn(WorkFolder(dir.path()), written);
        QVERIFY2(written, qPrintable(written.error));
        QCOMPARE(readWholeFile(path),
                 oldHistory() +
                     "[bob&P9&]\r\nUser=\r\nProductID=P9\r\nProductName=Watch\r\nHighbid=bob\r\n"
                     "LastBid=1,300\r\nCurrency=Currency = THB\r\nSaller=Shop\r\nDate=" +
                     History::dateText(saleDay).toLatin1() + "\r\nTime=10:16:01\r\n");
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{u"AuctHist.bid"_s});
    }

    void windowListsRowsAndCloses_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Close button") << false;
        QTest::newRow("Escape") << true;
    }
    void windowListsRowsAndCloses()
    {
        QFETCH(bool, byEscape);
        QTemporaryDir dir;
        writeWholeFile(
            dir.filePath(u"AuctHist.bid"_s),
            "[somchai&A102&]\r\nUser=niran\r\nProductName=\xA1\xC5\xE9\xCD\xA7\r\nLastBid=12,500\r\n"
            "[lek&B7&]\r\nHighbid=lek_the_collector_2024\r\nTime=10:20:01\r\n");
        QPointer<frmHbid> window = frmHbid::showModal(WorkFolder(dir.path()), nullptr);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QCOMPARE(window->windowTitle(), u"High Bid"_s);
        QCOMPARE(window->windowModality(), Qt::ApplicationModal);
        QCOMPARE(QApplication::focusWidget(), window->controls().but_Close);
        QCOMPARE(window->rowTexts(), QStringList({u"niran\t\tกล้อง\t\t12,500\t\t\t"_s,
                                                  u"\t\t\tlek_the_collect\t\t\t\t10:20:01"_s}));
        // No column titles: they would be in one language only.
        QVERIFY(!window->controls().lst_result->header()->isVisible());
        if (const QString shots = qEnvironmentVariable("GAVORA_SCREENSHOTS"); !shots.isEmpty())
            QVERIFY(window->grab().save(shots + u"/frmhbid.png"_s));

        if (byEscape)
            QTest::keyClick(window, Qt::Key_Escape);
        else
            QTest::mouseClick(window->controls().but_Close, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
    }
};

QTEST_MAIN(TestHistoryStore)
#include "test_history_store.moc"
