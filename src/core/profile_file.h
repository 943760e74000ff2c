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

    enum class LineKind { Other, Header, Key };

    // Reads a file's bytes line by line, by the rules of the whole file, without copying: lets a caller that
    // needs a few lines of a large file, or a few keys of every section, skip the rest. Names and values are
    // views into the bytes (still Windows-874), so they also give their byte ranges.
    class Scanner {
    public:
        // atFileStart: the bytes begin the file (its first line may carry a byte-order mark).
        explicit Scanner(QByteArrayView bytes, bool atFileStart = true);

        // Moves to the next line; false after the last one.
        bool next();
        // Moves to the next header, passing over the lines that cannot be one without reading them.
        bool nextHeader();

        LineKind kind() const { return m_kind; }
        // The section name of a header, the key name of a key line.
        QByteArrayView name() const { return m_name; }
        // The value of a key line, trimmed and unquoted.
        QByteArrayView value() const { return m_value; }
        // Whether this is a header or a key line of that name, as names compare.
        bool isHeader(QByteArrayView name) const
        {
            return m_kind == LineKind::Header && sameName(m_name, name);
        }
        bool isKey(QByteArrayView name) const { return m_kind == LineKind::Key && sameName(m_name, name); }
        // The line without its line end, and its line end ("\r\n", "\n", "\r", or empty for a last line
        // without one).
        QByteArrayView text() const { return m_bytes.sliced(m_begin, m_textEnd - m_begin); }
        QByteArrayView lineEnd() const { return m_bytes.sliced(m_textEnd, m_end - m_textEnd); }
        // Where the line lies: from its first byte to past its line end.
        qsizetype begin() const { return m_begin; }
        qsizetype end() const { return m_end; }

    private:
        QByteArrayView m_bytes;
        bool m_atFileStart;
        qsizetype m_begin = 0;
        qsizetype m_textEnd = 0;
        qsizetype m_end = 0;
        qsizetype m_nextCr = -1; // each line-end byte is searched for once however many lines come before it
        qsizetype m_nextLf = -1;
        LineKind m_kind = LineKind::Other;
        QByteArrayView m_name;
        QByteArrayView m_value;
    };

    // Names compare without regard to letter case. In Windows-874 that is ASCII letter case: no other
    // character of the code page has one.
    static constexpr char foldCase(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
    static bool sameName(QByteArrayView a, QByteArrayView b);
    // A name as a hash key, equal to the same name in any letter case.
    struct Name {
        QByteArrayView bytes;
        friend bool operator==(Name a, Name b) { return sameName(a.bytes, b.bytes); }
        friend size_t qHash(Name name, size_t seed);
    };

    ProfileFile() = default;
    // atFileStart: the bytes begin the file (its first line may carry a byte-order mark).
    explicit ProfileFile(const QByteArray &bytes, bool atFileStart = true);
    // A missing or unreadable file gives an empty profile.
    static ProfileFile load(const QString &path);

    QString value(QStringView section, QStringView key) const;
    // The same value read straight from the file's bytes, keeping none of its lines: for one key of a file
    // that may be large.
    static QString find(QByteArrayView bytes, QStringView section, QStringView key);
    // Every section in file order (duplicates included), parsed once: the profile fuzz target checks the
    // writer against it.
    std::vector<Section> sections() const;

    void setValue(const QString &section, const QString &key, const QString &value);
    void setValues(const QString &section, const QList<KeyValue> &values);
    // The bytes that setValues gives for the whole file, from parsing only the part that changes: the first
    // section of that name, or the last line when the section is new. For a large file.
    static QByteArray withValues(const QByteArray &file, const QString &section,
                                 const QList<KeyValue> &values);

    QByteArray toBytes() const;
    // Replaces the file in one step: a temporary file in the same folder renamed over the old one. On failure
    // the old file is left as it was, and error (when given) says why.
    bool save(const QString &path, QString *error = nullptr) const;

private:
    using Kind = LineKind;
    struct LineView {
        Kind kind = Kind::Other;
        QByteArrayView name;
        QByteArrayView value;
    };
    static LineView readLine(QByteArrayView line, bool firstLine);
    static QString storedName(QStringView name);
    static bool sameName(QStringView a, QStringView b);
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

inline bool ProfileFile::sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && foldCase(a[i]) != foldCase(b[i]))
            return false;
    }
    return true;
}

// The value of key in section of the file at path, or the empty text. Creates nothing.
QString ReadIniKey(const QString &section, const QString &key, const QString &path);
// Stores one value, creating the file, the section or the key as needed. Silent on failure.
void WriteIniKey(const QString &section, const QString &key, const QString &value, const QString &path);
// Several keys of one section in one atomic update. Returns whether the file was written; error (when given)
// says why not.
bool WriteIniKeys(const QString &section, const QList<ProfileFile::KeyValue> &values, const QString &path,
                  QString *error = nullptr);
