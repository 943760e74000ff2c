#include "history_store.h"

#include "atomic_file.h"
#include "cp874.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QLockFile>
#include <QThread>
#include <algorithm>
#include <array>

namespace {
// The keys of a record in the order they are written, with the column each is listed in and how many of its
// characters are listed (-1 for the whole value). Currency is kept in the file but not listed.
struct RecordKey {
    QByteArrayView name;
    int column;
    qsizetype width;
};
constexpr std::array<RecordKey, 9> recordKeys = {{
    {QByteArrayView("User"), 0, -1},
    {QByteArrayView("ProductID"), 1, -1},
    {QByteArrayView("ProductName"), 2, 20},
    {QByteArrayView("Highbid"), 3, 15},
    {QByteArrayView("LastBid"), 4, -1},
    {QByteArrayView("Currency"), -1, 0},
    {QByteArrayView("Saller"), 5, 10},
    {QByteArrayView("Date"), 6, -1},
    {QByteArrayView("Time"), 7, -1},
}};

// A write takes milliseconds, so a lock this old was left by a writer that died on another machine (one that
// died on this one is seen at once). Shorter than the wait, so such a lock never fails a write.
constexpr std::chrono::milliseconds staleLock{3000};

// False only when another writer kept the lock for the whole wait. Polled in short steps: QLockFile's own
// wait sleeps ever longer and would leave a writer behind a busy one until its time is up.
bool takeLock(QLockFile &lock, std::chrono::milliseconds wait)
{
    const QDeadlineTimer deadline(wait);
    while (!lock.tryLock(0)) {
        // Where the folder takes no new file no lock can be made: the file is written in place, unguarded.
        if (lock.error() != QLockFile::LockFailedError)
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}
} // namespace

QString History::sectionName(const SaleRecord &sale)
{
    return sale.highBidder + QLatin1Char('&') + sale.productId + QLatin1Char('&');
}

QString History::timeText(const QString &lastListLine)
{
    // What follows "Time : ", with or without the blank the board puts before it.
    const QLatin1StringView marker = PanelText::lineTime.sliced(1);
    const qsizetype at = lastListLine.indexOf(marker);
    return at < 0 ? lastListLine.mid(6) : lastListLine.mid(at + marker.size());
}

QString History::dateText(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

History::Listing::Listing(QByteArray file) : m_file(std::move(file))
{
    QHash<ProfileFile::Name, qsizetype> firstRowOf;
    qsizetype filling = -1; // the row of the section being read; -1 before the first header and in a repeat
    std::array<bool, columnCount> found{};
    for (ProfileFile::Scanner scan(m_file); scan.next();) {
        if (scan.kind() == ProfileFile::LineKind::Header) {
            const ProfileFile::Name name{scan.name()};
            const auto first = firstRowOf.constFind(name);
            if (first != firstRowOf.cend()) {
                m_rows.append(m_rows.at(first.value()));
                filling = -1;
            } else {
                filling = m_rows.size();
                firstRowOf.insert(name, filling);
                m_rows.append(std::array<Span, columnCount>{});
                found = {};
            }
        } else if (filling >= 0) {
            const auto key = std::find_if(recordKeys.begin(), recordKeys.end(),
                                          [&scan](const RecordKey &key) { return scan.isKey(key.name); });
            if (key == recordKeys.end() || key->column < 0 || found[std::size_t(key->column)])
                continue;
            found[std::size_t(key->column)] = true;
            const qsizetype limit = key->width < 0 ? ProfileFile::maxValueLength : key->width;
            // One byte is one character, so cutting the bytes cuts the text.
            m_rows[filling][std::size_t(key->column)] = {scan.value().data() - m_file.constData(),
                                                         std::min(scan.value().size(), limit)};
        }
    }
}

QString History::Listing::column(qsizetype row, int column) const
{
    const Span span = m_rows.at(row).at(std::size_t(column));
    return Cp874::decode(QByteArrayView(m_file).sliced(span.offset, span.size));
}

QStringList History::Listing::row(qsizetype row) const
{
    QStringList columns;
    columns.reserve(columnCount);
    for (int c = 0; c < columnCount; ++c)
        columns.append(column(row, c));
    return columns;
}

QList<QStringList> History::Listing::rows() const
{
    QList<QStringList> all;
    all.reserve(size());
    for (qsizetype r = 0; r < size(); ++r)
        all.append(row(r));
    return all;
}

History::Listing History::readListing(const WorkFolder &folder)
{
    QFile file(folder.history());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return Listing(file.readAll());
}

Prompter::Request History::failureMessage(const HistoryWrite &write)
{
    return Box::warning(QStringLiteral("ไม่สามารถบันทึกประวัติการประมูลลงแฟ้ม %1 ได้ (%2)")
                            .arg(QDir::toNativeSeparators(write.path), write.error));
}

HistoryWrite WriteHistoryRecord(const SaleRecord &sale, const WorkFolder &folder, const QDate &date,
                                std::chrono::milliseconds lockWait)
{
    // In the order of recordKeys.
    const std::array<QString, recordKeys.size()> texts = {
        sale.user,
        sale.productId,
        sale.productName,
        sale.highBidder,
        sale.lastBid,
        sale.currency,
        sale.seller,
        History::dateText(date.isValid() ? date : QDate::currentDate()),
        History::timeText(sale.lastListLine),
    };
    QList<ProfileFile::KeyValue> values;
    values.reserve(recordKeys.size());
    for (std::size_t i = 0; i < recordKeys.size(); ++i)
        values.append({QString::fromLatin1(recordKeys[i].name), texts[i]});
    HistoryWrite write{folder.history(), {}};
    QLockFile lock(History::lockFile(write.path));
    lock.setStaleLockTime(staleLock);
    if (!takeLock(lock, lockWait)) {
        write.error =
            QStringLiteral("another program kept %1 locked").arg(QDir::toNativeSeparators(lock.fileName()));
        return write;
    }
    QFile file(write.path);
    QByteArray old;
    if (file.open(QIODevice::ReadOnly)) {
        old = file.readAll();
    } else if (file.exists()) {
        // Replacing a history that cannot be read would lose it.
        write.error = file.errorString();
        return write;
    }
    writeFileAtomically(write.path, ProfileFile::withValues(old, History::sectionName(sale), values),
                        &write.error);
    return write;
}
