// A sale arrives while AuctHist.bid cannot be written: its folder is read-only, a folder stands in its place,
// or the file system is full. The old file stays as it was, nothing is left behind, and the auction goes on.
#include "auction_board.h"
#include "auction_receiver.h"
#include "history_store.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
// A small file system of the test's own, where the machine lets a test mount one (as root on Linux).
class ScratchFileSystem {
public:
    explicit ScratchFileSystem(const QByteArray &options)
        : m_mounted(::mount("gavora-test", QFile::encodeName(m_dir.path()).constData(), "tmpfs",
                            MS_NOSUID | MS_NODEV, options.constData()) == 0)
    {}
    ~ScratchFileSystem()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    ScratchFileSystem(const ScratchFileSystem &) = delete;
    ScratchFileSystem &operator=(const ScratchFileSystem &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    bool makeReadOnly()
    {
        return ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr,
                       MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted;
};

// Takes what is left of the file system but about `spare` bytes.
void fill(const QString &folder, qint64 spare)
{
    QFile filler(QDir(folder).filePath(u"filler"_s));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'f');
    qint64 written = 0;
    while (filler.write(block) == block.size() && filler.flush())
        written += block.size();
    filler.close();
    QVERIFY(written > 0);
    QVERIFY(QFile::resize(filler.fileName(), qMax<qint64>(0, written - spare)));
}

const SaleRecord sale{u"me"_s,    u"P9"_s,
                      u"Watch"_s, u"bob"_s,
                      u"1,300"_s, u"Currency = THB"_s,
                      u"Shop"_s,  u"AT  1,300  By  bob Time : 10:16:01"_s};

QByteArray oldHistory()
{
    QByteArray bytes;
    for (int i = 0; i < 40; ++i)
        bytes += "[somchai&A" + QByteArray::number(i) + "&]\r\nUser=me\r\nProductID=A" +
                 QByteArray::number(i) + "\r\nLastBid=1,500\r\n";
    return bytes;
}

// The board as the main window sets it up, recording sales into folder; then a sale and the next product.
void sellAndGoOn(const QString &folder, bool &recorded)
{
    AuctionBoard board;
    AuctionReceiver receiver(board);
    board.setSaleRecorder([&](const SaleRecord &record) {
        recorded = bool(WriteHistoryRecord(record, folder, QDate(2024, 3, 9)));
    });
    receiver.receive(wireMessage({"#BidManPInfo", "P9", "Watch", "1", "1000", "500", "bob", "1300", "100",
                                  "Shop", "THB", "http://h/p9"}) +
                     wireMessage({"#BID", "bob", "1300", "100", "10:16:01"}) + wireMessage({"#COUNTS"}) +
                     wireMessage({"#BidManPInfo", "P10", "Ring", "1", "2000", "500", "", "2000", "100",
                                  "Shop", "THB", "http://h/p10"}) +
                     wireMessage({"#GOBID"}));
    QCOMPARE(board.currentProductId(), u"P10"_s);
    QCOMPARE(board.lbBid(), u"2,000"_s);
    QVERIFY(board.gobidEnabled());
}
} // namespace

class TestHistoryFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { std::signal(SIGXFSZ, SIG_IGN); }

    void readOnlyFolder()
    {
        ScratchFileSystem fs("size=256k,mode=0755");
        QString folder = fs.path();
        QTemporaryDir plain;
        if (!fs.mounted()) {
            if (geteuid() == 0)
                QSKIP("a read-only folder needs a mount for root, and mounting is not allowed here");
            folder = plain.path();
        }
        const QString path = QDir(folder).filePath(u"AuctHist.bid"_s);
        writeWholeFile(path, oldHistory());
        QVERIFY(fs.mounted() ? fs.makeReadOnly()
                             : QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        qInfo("read-only by %s", fs.mounted() ? "a read-only tmpfs" : "permissions");

        bool recorded = true;
        sellAndGoOn(folder, recorded);
        QVERIFY(!recorded);
        QCOMPARE(readWholeFile(path), oldHistory());
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{u"AuctHist.bid"_s});
        QCOMPARE(History::readRows(folder).size(), 40);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void folderInItsPlace()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"AuctHist.bid"_s));
        writeWholeFile(dir.filePath(u"AuctHist.bid/keep"_s), "x");
        bool recorded = true;
        sellAndGoOn(dir.path(), recorded);
        QVERIFY(!recorded);
        QVERIFY(QFileInfo(dir.filePath(u"AuctHist.bid"_s)).isDir());
        QCOMPARE(readWholeFile(dir.filePath(u"AuctHist.bid/keep"_s)), QByteArray("x"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{u"AuctHist.bid"_s});
        QCOMPARE(History::readRows(dir.path()), QList<QStringList>());
    }

    // The new file is written beside the old one before it replaces it; with no room for it, the old one
    // must survive whole. Where no file system can be mounted, a file-size limit stands in for the full disk.
    void fileSystemFull()
    {
        ScratchFileSystem fs("size=64k,mode=0755");
        QTemporaryDir plain;
        const QString folder = fs.mounted() ? fs.path() : plain.path();
        const QString path = QDir(folder).filePath(u"AuctHist.bid"_s);
        writeWholeFile(path, oldHistory());
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        if (fs.mounted()) {
            fill(folder, 0);
            qInfo("full: a 64 KiB tmpfs filled up");
        } else {
            const rlimit limit{rlim_t(oldHistory().size() + 40), saved.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limit);
            qInfo("full: a file-size limit (no tmpfs could be mounted)");
        }

        bool recorded = true;
        sellAndGoOn(folder, recorded);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!recorded);
        QCOMPARE(readWholeFile(path), oldHistory());
        QStringList expected{u"AuctHist.bid"_s};
        if (fs.mounted())
            expected << u"filler"_s;
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name), expected);
    }
};

QTEST_GUILESS_MAIN(TestHistoryFaults)
#include "test_history_faults.moc"
