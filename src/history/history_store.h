#pragma once

#include "profile_file.h"
#include "prompter.h"
#include "sale_record.h"
#include "work_folder.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <chrono>

// The outcome of writing one record: the file meant and, when it was not written, why.
struct HistoryWrite {
    QString path;
    QString error; // empty when the record was written
    explicit operator bool() const { return error.isEmpty(); }
};

// The local record of every sale the client saw: AuctHist.bid of the work folder, one profile section per
// pair of high bidder and product.
namespace History {
inline constexpr int columnCount = 8;
// How long a write waits for another writer to finish before it is reported as failed.
inline constexpr std::chrono::milliseconds lockWait{5000};
// Held beside the history file by the one writer that reads, changes and replaces it.
inline QString lockFile(const QString &historyFile)
{
    return historyFile + QStringLiteral(".lock");
}

QString sectionName(const SaleRecord &sale);
// The time text of a bid list line: what follows its first "Time : ", else the line from its 7th character.
QString timeText(const QString &lastListLine);
// The date as the system's short date format writes it.
QString dateText(const QDate &date);

// The records of a history file as the window lists them, one row per section header in file order. A header
// repeated later in the file shows the values of the first section of that name, as every profile reader sees
// them. Found in one pass over the file; a column's text is made only when it is asked for, so a long
// history opens as fast as the rows on screen need.
class Listing {
public:
    Listing() = default;
    explicit Listing(QByteArray file);

    qsizetype size() const { return m_rows.size(); }
    QString column(qsizetype row, int column) const;
    QStringList row(qsizetype row) const;
    // The whole history at once, as the tests and the benchmark compare it; the window asks row by row.
    QList<QStringList> rows() const;

private:
    struct Span {
        qsizetype offset = 0;
        qsizetype size = 0;
    };
    QByteArray m_file;
    QList<std::array<Span, columnCount>> m_rows;
};
Listing readListing(const WorkFolder &folder);
inline QString rowText(const QStringList &row)
{
    return row.join(QLatin1Char('\t'));
}

// What the user is told when a sale could not be recorded: the file and the reason.
Prompter::Request failureMessage(const HistoryWrite &write);
} // namespace History

// Writes one record in a single replacement of the file, so a failure leaves the previous file whole; in a
// folder that takes no new file, over the writable file itself. The date is the day of the call unless given.
// Another writer (a second client, the same folder by another path) is waited for up to lockWait, so neither
// replaces a record the other has just added.
HistoryWrite WriteHistoryRecord(const SaleRecord &sale, const WorkFolder &folder, const QDate &date = {},
                                std::chrono::milliseconds lockWait = History::lockWait);
