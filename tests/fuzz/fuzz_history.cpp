// A random AuctHist.bid listed, one sale written into it, then listed again: the sale lists as it does in a
// file of its own, either added after the others or in place of its name's record, and every other record
// lists as before.
#include "cp874.h"
#include "fuzz_support.h"
#include "history_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
const WorkFolder &folder()
{
    // A memory-backed folder when there is one: every input writes and reads the file twice.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/gavora-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/gavora-fuzz-XXXXXX"));
    static const WorkFolder work(dir.path());
    return work;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString path = folder().history();
    const bool fileExists = input.byte() % 8 != 0;
    const QByteArray before = input.longBytes().toByteArray();
    SaleRecord sale;
    for (QString *field : {&sale.user, &sale.productId, &sale.productName, &sale.highBidder, &sale.lastBid,
                           &sale.currency, &sale.seller, &sale.lastListLine})
        *field = Cp874::decode(input.bytes());
    const QDate day(2024, 3, 9);

    QFile::remove(path);
    FUZZ_CHECK(WriteHistoryRecord(sale, folder(), day));
    const QList<QStringList> alone = History::readListing(folder()).rows();
    FUZZ_CHECK(alone.size() == 1);
    QFile::remove(path);
    if (fileExists) {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        FUZZ_CHECK(file.write(before) == before.size());
    }
    const QList<QStringList> rowsBefore = History::readListing(folder()).rows();
    FUZZ_CHECK(WriteHistoryRecord(sale, folder(), day));
    const QList<QStringList> rowsAfter = History::readListing(folder()).rows();

    const bool added = rowsAfter.size() == rowsBefore.size() + 1;
    FUZZ_CHECK(added ? rowsAfter.back() == alone.front()
                     : rowsAfter.size() == rowsBefore.size() && rowsAfter.contains(alone.front()));
    for (qsizetype i = 0; i < rowsBefore.size(); ++i)
        FUZZ_CHECK(rowsAfter[i] == rowsBefore[i] || (!added && rowsAfter[i] == alone.front()));
    return 0;
}
