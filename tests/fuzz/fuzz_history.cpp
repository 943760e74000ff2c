// A random AuctHist.bid listed, one sale written into it, then listed again: the sale's row is there with the
// values as the reader gives them back, and every other record lists as before.
#include "cp874.h"
#include "fuzz_support.h"
#include "history_store.h"
#include "profile_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
QString trimBlanks(QString text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.mid(begin, end - begin);
}

QString asStored(const QString &text)
{
    QByteArray bytes = Cp874::encode(text);
    bytes.replace('\r', ' ').replace('\n', ' ');
    return Cp874::decode(bytes);
}

QString listed(const QString &written, qsizetype width = ProfileFile::maxValueLength)
{
    QString value = trimBlanks(asStored(written));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(std::min(width, qsizetype(ProfileFile::maxValueLength)));
}

QString identity(const QString &sectionName)
{
    return trimBlanks(asStored(sectionName)).toCaseFolded();
}

const QString &folder()
{
    // A memory-backed folder when there is one: every input writes and reads the file twice.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/gavora-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/gavora-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString path = QDir(folder()).filePath(QLatin1StringView(History::fileName));
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

    const QStringList saleRow = {listed(sale.user),
                                 listed(sale.productId),
                                 listed(sale.productName, 20),
                                 listed(sale.highBidder, 15),
                                 listed(sale.lastBid),
                                 listed(sale.seller, 10),
                                 listed(History::dateText(day)),
                                 listed(History::timeText(sale.lastListLine))};
    const QString written = identity(History::sectionName(sale));
    QList<QStringList> expected;
    bool replaced = false;
    const std::vector<ProfileFile::Section> sections =
        ProfileFile(fileExists ? before : QByteArray()).sections();
    FUZZ_CHECK(qsizetype(sections.size()) == rowsBefore.size());
    for (qsizetype i = 0; i < rowsBefore.size(); ++i) {
        const bool same = identity(sections[size_t(i)].name) == written;
        replaced = replaced || same;
        expected.append(same ? saleRow : rowsBefore[i]);
    }
    if (!replaced)
        expected.append(saleRow);
    FUZZ_CHECK(rowsAfter == expected);
    return 0;
}
