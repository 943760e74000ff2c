#include "history_store.h"

#include "file_lookup.h"
#include "profile_file.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <array>

namespace {
struct Column {
    QLatin1StringView key;
    qsizetype width; // characters listed; -1 for the whole value
};

// Currency is kept in the file but not listed.
constexpr std::array<Column, History::columnCount> listedColumns = {{
    {QLatin1StringView("User"), -1},
    {QLatin1StringView("ProductID"), -1},
    {QLatin1StringView("ProductName"), 20},
    {QLatin1StringView("Highbid"), 15},
    {QLatin1StringView("LastBid"), -1},
    {QLatin1StringView("Saller"), 10},
    {QLatin1StringView("Date"), -1},
    {QLatin1StringView("Time"), -1},
}};

QStringList rowOf(const ProfileFile::Section &section)
{
    std::array<const QString *, History::columnCount> found{};
    for (const ProfileFile::KeyValue &entry : section.entries) {
        for (std::size_t i = 0; i < listedColumns.size(); ++i) {
            const QLatin1StringView key = listedColumns[i].key;
            // Case folding keeps the length, so the size check only skips work.
            if (!found[i] && entry.first.size() == key.size() &&
                entry.first.compare(key, Qt::CaseInsensitive) == 0) {
                found[i] = &entry.second;
                break;
            }
        }
    }
    QStringList row;
    row.reserve(History::columnCount);
    for (std::size_t i = 0; i < listedColumns.size(); ++i) {
        if (!found[i]) {
            row.append(QString());
            continue;
        }
        const qsizetype width = listedColumns[i].width;
        const qsizetype limit = width < 0 ? ProfileFile::maxValueLength : width;
        const QString &value = *found[i];
        row.append(value.size() > limit ? value.left(limit) : value);
    }
    return row;
}
} // namespace

QString History::filePath(const QString &folder)
{
    return findFileIgnoringCase(folder.isEmpty() ? QDir::currentPath() : folder, QLatin1StringView(fileName));
}

QString History::sectionName(const SaleRecord &sale)
{
    return sale.highBidder + QLatin1Char('&') + sale.productId + QLatin1Char('&');
}

QString History::timeText(const QString &lastListLine)
{
    static const QLatin1StringView marker("Time : ");
    const qsizetype at = lastListLine.indexOf(marker);
    return at < 0 ? lastListLine.mid(6) : lastListLine.mid(at + marker.size());
}

QString History::dateText(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QList<QStringList> History::rowsFromBytes(const QByteArray &bytes)
{
    const std::vector<ProfileFile::Section> sections = ProfileFile(bytes).sections();
    QList<QStringList> rows;
    rows.reserve(qsizetype(sections.size()));
    QHash<QString, qsizetype> firstRowOf;
    firstRowOf.reserve(qsizetype(sections.size()));
    for (const ProfileFile::Section &section : sections) {
        QString folded = section.name.toCaseFolded();
        const auto first = firstRowOf.constFind(folded);
        if (first != firstRowOf.cend()) {
            rows.append(rows.at(first.value()));
            continue;
        }
        firstRowOf.insert(std::move(folded), rows.size());
        rows.append(rowOf(section));
    }
    return rows;
}

QList<QStringList> History::readRows(const QString &folder)
{
    QFile file(filePath(folder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return rowsFromBytes(file.readAll());
}

Prompter::Request History::failureMessage(const HistoryWrite &write)
{
    return {QStringLiteral("ไม่สามารถบันทึกประวัติการประมูลลงแฟ้ม %1 ได้ (%2)")
                .arg(QDir::toNativeSeparators(write.path), write.error),
            QStringLiteral("Gavora"), Prompter::Icon::Warning, Prompter::Buttons::Ok};
}

HistoryWrite WriteHistoryRecord(const SaleRecord &sale, const QString &folder, const QDate &date)
{
    const QList<ProfileFile::KeyValue> values = {
        {QStringLiteral("User"), sale.user},
        {QStringLiteral("ProductID"), sale.productId},
        {QStringLiteral("ProductName"), sale.productName},
        {QStringLiteral("Highbid"), sale.highBidder},
        {QStringLiteral("LastBid"), sale.lastBid},
        {QStringLiteral("Currency"), sale.currency},
        {QStringLiteral("Saller"), sale.seller},
        {QStringLiteral("Date"), History::dateText(date.isValid() ? date : QDate::currentDate())},
        {QStringLiteral("Time"), History::timeText(sale.lastListLine)},
    };
    HistoryWrite write{History::filePath(folder), {}};
    WriteIniKeys(History::sectionName(sale), values, write.path, &write.error);
    return write;
}
