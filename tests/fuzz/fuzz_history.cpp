// A random AuctHist.bid listed, one sale written into it, then listed again: the sale's row is there with the
// values as the reader gives them back, and every other record lists as before.
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
    QFile::remove(path);
    const bool fileExists = input.byte() % 8 != 0;
    const QByteArray before = input.longBytes().toByteArray();
    if (fileExists) {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        FUZZ_CHECK(file.write(before) == before.size());
    }
    SaleRecord sale;
    for (QString *field : {&sale.user, &sale.productId, &sale.productName, &sale.highBidder, &sale.lastBid,
                           &sale.currency, &sale.seller, &sale.lastListLine})
        *field = Cp874::decode(input.bytes());
    const QDate day(2024, 3, 9);

    const QList<QStringList> rowsBefore = History::readRows(folder());
    FUZZ_CHECK(WriteHistoryRecord(sale, folder(), day));
    const QList<QStringList> rowsAfter = History::readRows(folder());

    const QStringList saleRow = {profileReadBack(sale.user),
                                 profileReadBack(sale.productId),
                                 profileReadBack(sale.productName, 20),
                                 profileReadBack(sale.highBidder, 15),
                                 profileReadBack(sale.lastBid),
                                 profileReadBack(sale.seller, 10),
                                 profileReadBack(History::dateText(day)),
                                 profileReadBack(History::timeText(sale.lastListLine))};
    const QString written = profileIdentity(History::sectionName(sale));
    QList<QStringList> expected;
    bool replaced = false;
    const std::vector<ProfileFile::Section> sections =
        ProfileFile(fileExists ? before : QByteArray()).sections();
    FUZZ_CHECK(qsizetype(sections.size()) == rowsBefore.size());
    for (qsizetype i = 0; i < rowsBefore.size(); ++i) {
        const bool same = profileIdentity(sections[size_t(i)].name) == written;
        replaced = replaced || same;
        expected.append(same ? saleRow : rowsBefore[i]);
    }
    if (!replaced)
        expected.append(saleRow);
    FUZZ_CHECK(rowsAfter == expected);
    return 0;
}
