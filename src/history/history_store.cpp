#include "history_store.h"

#include "atomic_file.h"
#include "cp874.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <array>
#include <cstring>

namespace {
struct Column {
    QByteArrayView key;
    qsizetype width; // characters listed; -1 for the whole value
};

// Currency is kept in the file but not listed.
constexpr std::array<Column, History::columnCount> listedColumns = {{
    {QByteArrayView("User"), -1},
    {QByteArrayView("ProductID"), -1},
    {QByteArrayView("ProductName"), 20},
    {QByteArrayView("Highbid"), 15},
    {QByteArrayView("LastBid"), -1},
    {QByteArrayView("Saller"), 10},
    {QByteArrayView("Date"), -1},
    {QByteArrayView("Time"), -1},
}};

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Profile names compare without regard to letter case, which in Windows-874 is ASCII letter case: no other
// character of the code page has a case.
bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// A section name as a hash key, equal to the same name in any letter case.
struct SectionKey {
    QByteArrayView name;
    friend bool operator==(SectionKey a, SectionKey b) { return sameName(a.name, b.name); }
    friend size_t qHash(SectionKey key, size_t seed)
    {
        quint64 hash = 14695981039346656037ull; // FNV-1a
        for (const char c : key.name)
            hash = (hash ^ static_cast<unsigned char>(asciiLower(c))) * 1099511628211ull;
        return qHash(hash, seed);
    }
};

// Calls onLine(text) for each line, cut where the profile parser cuts them (CRLF, LF or CR).
template <typename OnLine> void forEachLine(QByteArrayView bytes, OnLine &&onLine)
{
    const char *data = bytes.data();
    const qsizetype size = bytes.size();
    // The next CR and the next LF, each searched for once however many lines come before it.
    const auto next = [data, size](char c, qsizetype from) {
        const void *hit = std::memchr(data + from, c, size_t(size - from));
        return hit ? static_cast<const char *>(hit) - data : size;
    };
    qsizetype nextCr = -1;
    qsizetype nextLf = -1;
    qsizetype start = 0;
    while (start < size) {
        if (nextCr < start)
            nextCr = next('\r', start);
        if (nextLf < start)
            nextLf = next('\n', start);
        const qsizetype end = std::min(nextCr, nextLf);
        onLine(bytes.sliced(start, end - start));
        start = end;
        if (start < size)
            start += (data[start] == '\r' && start + 1 < size && data[start + 1] == '\n') ? 2 : 1;
    }
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Where the line that holds position at begins: after the CR or LF before it.
qsizetype lineBegin(QByteArrayView bytes, qsizetype at)
{
    while (at > 0 && !isLineEnd(bytes[at - 1]))
        --at;
    return at;
}

qsizetype lineEnd(QByteArrayView bytes, qsizetype at)
{
    while (at < bytes.size() && !isLineEnd(bytes[at]))
        ++at;
    return at;
}

} // namespace

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

History::Listing::Listing(QByteArray file) : m_file(std::move(file))
{
    QHash<SectionKey, qsizetype> firstRowOf;
    qsizetype filling = -1; // the row of the section being read; -1 before the first header and in a repeat
    std::array<bool, columnCount> found{};
    bool firstLine = true;
    forEachLine(m_file, [&](QByteArrayView text) {
        const ProfileFile::LineView line = ProfileFile::readLine(text, std::exchange(firstLine, false));
        if (line.kind == ProfileFile::LineKind::Header) {
            const SectionKey name{line.name};
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
        } else if (line.kind == ProfileFile::LineKind::Key && filling >= 0) {
            for (std::size_t i = 0; i < listedColumns.size(); ++i) {
                if (!found[i] && sameName(line.name, listedColumns[i].key)) {
                    found[i] = true;
                    const qsizetype width = listedColumns[i].width;
                    const qsizetype limit = width < 0 ? ProfileFile::maxValueLength : width;
                    // One byte is one character, so cutting the bytes cuts the text.
                    m_rows[filling][i] = {line.value.data() - m_file.constData(),
                                          std::min(line.value.size(), limit)};
                    break;
                }
            }
        }
    });
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

QList<QStringList> History::readRows(const WorkFolder &folder)
{
    return readListing(folder).rows();
}

QByteArray History::withValues(const QByteArray &file, const QString &section,
                               const QList<ProfileFile::KeyValue> &values)
{
    // The writer changes the first section of that name (from its header to the next header) or, when there
    // is none, appends at the end, ending an unterminated last line first: only that part is parsed, the rest
    // is copied as it is. Only a line that holds '[' can be a header, so the search goes from one '[' to the
    // next.
    const QByteArrayView bytes(file);
    const QString wanted = ProfileFile::storedName(section);
    qsizetype begin = -1;
    qsizetype end = bytes.size();
    for (qsizetype at = bytes.indexOf('['); at >= 0;) {
        const qsizetype first = lineBegin(bytes, at);
        const qsizetype last = lineEnd(bytes, at);
        const ProfileFile::LineView line =
            ProfileFile::readLine(bytes.sliced(first, last - first), first == 0);
        if (line.kind == ProfileFile::LineKind::Header) {
            if (begin >= 0) {
                end = first;
                break;
            }
            if (ProfileFile::sameName(Cp874::decode(line.name), wanted))
                begin = first;
        }
        at = bytes.indexOf('[', last);
    }
    if (begin < 0)
        begin = lineBegin(bytes, bytes.size());

    ProfileFile part(file.sliced(begin, end - begin), begin == 0);
    part.setValues(section, values);
    const QByteArray changed = part.toBytes();
    QByteArray out;
    out.reserve(begin + changed.size() + (bytes.size() - end));
    out.append(bytes.first(begin)).append(changed).append(bytes.sliced(end));
    return out;
}

Prompter::Request History::failureMessage(const HistoryWrite &write)
{
    return Box::warning(QStringLiteral("ไม่สามารถบันทึกประวัติการประมูลลงแฟ้ม %1 ได้ (%2)")
                            .arg(QDir::toNativeSeparators(write.path), write.error));
}

HistoryWrite WriteHistoryRecord(const SaleRecord &sale, const WorkFolder &folder, const QDate &date)
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
    HistoryWrite write{folder.history(), {}};
    QFile file(write.path);
    QByteArray old;
    if (file.open(QIODevice::ReadOnly)) {
        old = file.readAll();
    } else if (file.exists()) {
        // Replacing a history that cannot be read would lose it.
        write.error = file.errorString();
        return write;
    }
    writeFileAtomically(write.path, History::withValues(old, History::sectionName(sale), values),
                        &write.error);
    return write;
}
