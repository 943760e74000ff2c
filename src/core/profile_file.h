#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

// An initialisation ("profile") file held in memory, read and written by the rules Windows programs rely on:
// case-insensitive names, trimmed values with one pair of enclosing quotes dropped, the first of duplicates
// wins, and every line the writer does not touch kept byte for byte. Text is Windows-874.
class ProfileFile {
public:
    using KeyValue = QPair<QString, QString>;
    struct Section {
        QString name;
        QList<KeyValue> entries; // in file order; duplicates kept, first one wins for lookups
    };

    static constexpr int maxValueLength = 4095;

    // One line read alone, by the rules of the whole file, as views into it (still Windows-874): lets a
    // caller that needs a few lines of a large file skip parsing the others.
    enum class LineKind { Other, Header, Key };
    struct LineView {
        LineKind kind = LineKind::Other;
        QByteArrayView name;  // section name of a header, key name of a key line
        QByteArrayView value; // of a key line: trimmed and unquoted
    };
    // firstLine: the file's first line, which may begin with a byte-order mark.
    static LineView readLine(QByteArrayView line, bool firstLine = false);
    // A section or key name as the writer stores it (one line, no blanks around it), which is how lookups
    // compare it, so that what was written for a name is found again under that name.
    static QString storedName(QStringView name);
    // Names compare without regard to letter case.
    static bool sameName(QStringView a, QStringView b);

    ProfileFile() = default;
    // atFileStart: the bytes begin the file (its first line may carry a byte-order mark).
    explicit ProfileFile(const QByteArray &bytes, bool atFileStart = true);
    // A missing or unreadable file gives an empty profile.
    static ProfileFile load(const QString &path);

    QString value(QStringView section, QStringView key) const;
    // The same value read straight from the file's bytes, keeping none of its lines: for one key of a file
    // that may be large.
    static QString find(QByteArrayView bytes, QStringView section, QStringView key);
    // Every section in file order (duplicates included), parsed once.
    std::vector<Section> sections() const;

    void setValue(const QString &section, const QString &key, const QString &value);
    void setValues(const QString &section, const QList<KeyValue> &values);

    QByteArray toBytes() const;
    // Replaces the file in one step: a temporary file in the same folder renamed over the old one. On failure
    // the old file is left as it was, and error (when given) says why.
    bool save(const QString &path, QString *error = nullptr) const;

private:
    using Kind = LineKind;
    struct Line {
        QByteArray text; // without its line end
        QByteArray eol;  // "\r\n", "\n", "\r" or empty for a last line without one
        Kind kind = Kind::Other;
        QString name;  // section name or key name
        QString value; // key value, trimmed and unquoted
    };

    static Line parseLine(QByteArray text, QByteArray eol, bool firstLine = false);
    qsizetype findHeader(QStringView section) const;
    qsizetype findKey(qsizetype header, QStringView key) const;
    qsizetype sectionEnd(qsizetype header) const;
    void ensureEndsWithNewline();

    std::vector<Line> m_lines;
};

// The value of key in section of the file at path, or the empty text. Creates nothing.
QString ReadIniKey(const QString &section, const QString &key, const QString &path);
// Stores one value, creating the file, the section or the key as needed. Silent on failure.
void WriteIniKey(const QString &section, const QString &key, const QString &value, const QString &path);
// Several keys of one section in one atomic update. Returns whether the file was written; error (when given)
// says why not.
bool WriteIniKeys(const QString &section, const QList<ProfileFile::KeyValue> &values, const QString &path,
                  QString *error = nullptr);
