#include "profile_file.h"

#include "atomic_file.h"
#include "cp874.h"

#include <QFile>

namespace {

const QByteArray crlf = QByteArrayLiteral("\r\n");
const QByteArray lf = QByteArrayLiteral("\n");
const QByteArray cr = QByteArrayLiteral("\r");

// Line ends are shared, not copied per line.
const QByteArray &lineEnd(QByteArrayView bytes)
{
    static const QByteArray none;
    if (bytes == "\r\n")
        return crlf;
    if (bytes == "\n")
        return lf;
    if (bytes == "\r")
        return cr;
    return none;
}

// Windows counts the vertical tab as a blank as well.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v';
}

QByteArrayView trimBlanks(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QByteArrayView unquote(QByteArrayView value)
{
    if (value.size() >= 2) {
        const char first = value.front();
        if ((first == '"' || first == '\'') && value.back() == first)
            return value.sliced(1, value.size() - 2);
    }
    return value;
}

// A line break inside a name or value would start a line of its own: make it a blank.
QByteArray encodeSingleLine(QStringView text)
{
    QByteArray bytes = Cp874::encode(text);
    bytes.replace('\r', ' ').replace('\n', ' ');
    return bytes;
}

// A name as the writer puts it into the file: one line, without blanks around it.
QByteArray nameBytes(QStringView name)
{
    return trimBlanks(QByteArrayView(encodeSingleLine(name))).toByteArray();
}

// A UTF-8 byte-order mark that an editor put before the first line is kept, but not read as part of it.
QByteArrayView withoutByteOrderMark(QByteArrayView firstLine)
{
    static constexpr QByteArrayView mark("\xEF\xBB\xBF");
    return firstLine.startsWith(mark) ? firstLine.sliced(mark.size()) : firstLine;
}

// Calls onLine(text, lineEnd) for each line in turn while it returns true. CRLF, LF and CR all end a line.
template <typename OnLine> void forEachLine(QByteArrayView bytes, OnLine &&onLine)
{
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        qsizetype eolLength = 0;
        if (end < size)
            eolLength = (bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ? 2 : 1;
        if (!onLine(bytes.sliced(start, end - start), bytes.sliced(end, eolLength)))
            return;
        start = end + eolLength;
    }
}

} // namespace

ProfileFile::ProfileFile(const QByteArray &bytes, bool atFileStart)
{
    m_lines.reserve(size_t(bytes.count('\n')) + 1);
    forEachLine(bytes, [this, atFileStart](QByteArrayView text, QByteArrayView eol) {
        m_lines.push_back(parseLine(text.toByteArray(), lineEnd(eol), atFileStart && m_lines.empty()));
        return true;
    });
}

ProfileFile ProfileFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ProfileFile(file.readAll());
}

ProfileFile::LineView ProfileFile::readLine(QByteArrayView text, bool firstLine)
{
    const QByteArrayView content = trimBlanks(firstLine ? withoutByteOrderMark(text) : text);
    if (content.isEmpty() || content.front() == ';')
        return {};
    if (content.front() == '[') {
        // The name runs to the last ']' so that a name holding ']' reads back as itself.
        QByteArrayView name = content.sliced(1);
        const qsizetype close = name.lastIndexOf(']');
        if (close >= 0)
            name = name.first(close);
        return {LineKind::Header, trimBlanks(name), {}};
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return {};
    return {LineKind::Key, trimBlanks(content.first(equals)),
            unquote(trimBlanks(content.sliced(equals + 1)))};
}

QString ProfileFile::storedName(QStringView name)
{
    return Cp874::decode(nameBytes(name));
}

bool ProfileFile::sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

ProfileFile::Line ProfileFile::parseLine(QByteArray text, QByteArray eol, bool firstLine)
{
    const LineView view = readLine(text, firstLine);
    Line line{{}, std::move(eol), view.kind, Cp874::decode(view.name), Cp874::decode(view.value)};
    line.text = std::move(text);
    return line;
}

QString ProfileFile::find(QByteArrayView bytes, QStringView section, QStringView key)
{
    const QString wantedSection = storedName(section);
    const QString wantedKey = storedName(key);
    QString found;
    bool firstLine = true;
    bool inSection = false;
    forEachLine(bytes, [&](QByteArrayView text, QByteArrayView) {
        const LineView line = readLine(text, firstLine);
        firstLine = false;
        if (line.kind == LineKind::Header) {
            // Only the first section of that name counts: once it ends, the key is not there.
            if (inSection)
                return false;
            inSection = sameName(Cp874::decode(line.name), wantedSection);
        } else if (inSection && line.kind == LineKind::Key && sameName(Cp874::decode(line.name), wantedKey)) {
            found = Cp874::decode(line.value.first(std::min<qsizetype>(line.value.size(), maxValueLength)));
            return false;
        }
        return true;
    });
    return found;
}

qsizetype ProfileFile::findHeader(QStringView section) const
{
    const QString wanted = storedName(section);
    for (qsizetype i = 0; i < qsizetype(m_lines.size()); ++i) {
        if (m_lines[i].kind == Kind::Header && sameName(m_lines[i].name, wanted))
            return i;
    }
    return -1;
}

qsizetype ProfileFile::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < qsizetype(m_lines.size()) && m_lines[i].kind != Kind::Header)
        ++i;
    return i;
}

qsizetype ProfileFile::findKey(qsizetype header, QStringView key) const
{
    const QString wanted = storedName(key);
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, wanted))
            return i;
    }
    return -1;
}

QString ProfileFile::value(QStringView section, QStringView key) const
{
    const qsizetype header = findHeader(section);
    if (header < 0)
        return {};
    const qsizetype line = findKey(header, key);
    if (line < 0)
        return {};
    return m_lines[line].value.left(maxValueLength);
}

std::vector<ProfileFile::Section> ProfileFile::sections() const
{
    std::vector<Section> result;
    for (const Line &line : m_lines) {
        if (line.kind == Kind::Header)
            result.push_back(Section{line.name, {}});
        else if (line.kind == Kind::Key && !result.empty())
            result.back().entries.append({line.name, line.value});
    }
    return result;
}

void ProfileFile::ensureEndsWithNewline()
{
    if (!m_lines.empty() && m_lines.back().eol.isEmpty())
        m_lines.back().eol = crlf;
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    setValues(section, {{key, value}});
}

void ProfileFile::setValues(const QString &section, const QList<KeyValue> &values)
{
    qsizetype header = findHeader(section);
    if (header < 0) {
        ensureEndsWithNewline();
        m_lines.push_back(parseLine('[' + nameBytes(section) + ']', crlf));
        header = qsizetype(m_lines.size()) - 1;
    }
    for (const KeyValue &entry : values) {
        const QByteArray valueBytes = encodeSingleLine(entry.second);
        const qsizetype existing = findKey(header, entry.first);
        if (existing >= 0) {
            Line &line = m_lines[existing];
            line =
                parseLine(Cp874::encode(line.name) + '=' + valueBytes, line.eol.isEmpty() ? crlf : line.eol);
            continue;
        }
        // A new key goes right after the last key line of its section.
        qsizetype after = header;
        const qsizetype end = sectionEnd(header);
        for (qsizetype i = header + 1; i < end; ++i) {
            if (m_lines[i].kind == Kind::Key)
                after = i;
        }
        if (m_lines[after].eol.isEmpty())
            m_lines[after].eol = crlf;
        m_lines.insert(m_lines.begin() + after + 1,
                       parseLine(nameBytes(entry.first) + '=' + valueBytes, crlf));
    }
}

QByteArray ProfileFile::toBytes() const
{
    qsizetype size = 0;
    for (const Line &line : m_lines)
        size += line.text.size() + line.eol.size();
    QByteArray out;
    out.reserve(size);
    for (const Line &line : m_lines) {
        out.append(line.text);
        out.append(line.eol);
    }
    return out;
}

bool ProfileFile::save(const QString &path, QString *error) const
{
    return writeFileAtomically(path, toBytes(), error);
}

QString ReadIniKey(const QString &section, const QString &key, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ProfileFile::find(file.readAll(), section, key);
}

void WriteIniKey(const QString &section, const QString &key, const QString &value, const QString &path)
{
    WriteIniKeys(section, {{key, value}}, path);
}

bool WriteIniKeys(const QString &section, const QList<ProfileFile::KeyValue> &values, const QString &path,
                  QString *error)
{
    ProfileFile profile = ProfileFile::load(path);
    profile.setValues(section, values);
    return profile.save(path, error);
}
