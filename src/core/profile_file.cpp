#include "profile_file.h"

#include "atomic_file.h"
#include "cp874.h"

#include <QFile>
#include <QHash>
#include <cstring>

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

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

ProfileFile::Scanner::Scanner(QByteArrayView bytes, bool atFileStart)
    : m_bytes(bytes), m_atFileStart(atFileStart)
{}

bool ProfileFile::Scanner::next()
{
    const qsizetype size = m_bytes.size();
    const qsizetype begin = m_end;
    if (begin >= size)
        return false;
    const char *data = m_bytes.data();
    const auto find = [data, size](char c, qsizetype from) {
        const void *hit = std::memchr(data + from, c, size_t(size - from));
        return hit ? static_cast<const char *>(hit) - data : size;
    };
    if (m_nextCr < begin)
        m_nextCr = find('\r', begin);
    if (m_nextLf < begin)
        m_nextLf = find('\n', begin);
    m_begin = begin;
    m_textEnd = std::min(m_nextCr, m_nextLf);
    m_end = m_textEnd;
    if (m_end < size)
        m_end += (data[m_end] == '\r' && m_end + 1 < size && data[m_end + 1] == '\n') ? 2 : 1;
    const LineView line = readLine(text(), m_atFileStart && begin == 0);
    m_kind = line.kind;
    m_name = line.name;
    m_value = line.value;
    return true;
}

bool ProfileFile::Scanner::nextHeader()
{
    // Only a line that holds '[' can be a header, so the search goes from one '[' to the next.
    for (;;) {
        const qsizetype bracket = m_bytes.indexOf('[', m_end);
        if (bracket < 0) {
            m_begin = m_textEnd = m_end = m_bytes.size();
            return false;
        }
        qsizetype begin = bracket;
        while (begin > m_end && !isLineEnd(m_bytes[begin - 1]))
            --begin;
        m_end = begin;
        next();
        if (m_kind == LineKind::Header)
            return true;
    }
}

size_t qHash(ProfileFile::Name name, size_t seed)
{
    quint64 hash = 14695981039346656037ull; // FNV-1a
    for (const char c : name.bytes)
        hash = (hash ^ static_cast<unsigned char>(ProfileFile::foldCase(c))) * 1099511628211ull;
    return qHash(hash, seed);
}

ProfileFile::ProfileFile(const QByteArray &bytes, bool atFileStart)
{
    m_lines.reserve(size_t(bytes.count('\n')) + 1);
    for (Scanner scan(bytes, atFileStart); scan.next();) {
        m_lines.push_back(Line{scan.text().toByteArray(), lineEnd(scan.lineEnd()), scan.kind(),
                               Cp874::decode(scan.name()), Cp874::decode(scan.value())});
    }
}

ProfileFile ProfileFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ProfileFile(file.readAll());
}

// One line alone, by the rules of the whole file. firstLine: the file's first line, which may begin with a
// byte-order mark.
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
        return {Kind::Header, trimBlanks(name), {}};
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return {};
    return {Kind::Key, trimBlanks(content.first(equals)), unquote(trimBlanks(content.sliced(equals + 1)))};
}

// A section or key name as the writer stores it (one line, no blanks around it), which is how lookups
// compare it, so that what was written for a name is found again under that name.
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
    const QByteArray wantedSection = nameBytes(section);
    const QByteArray wantedKey = nameBytes(key);
    bool inSection = false;
    for (Scanner scan(bytes); scan.next();) {
        if (scan.kind() == Kind::Header) {
            // Only the first section of that name counts: once it ends, the key is not there.
            if (inSection)
                break;
            inSection = scan.isHeader(wantedSection);
        } else if (inSection && scan.isKey(wantedKey)) {
            return Cp874::decode(
                scan.value().first(std::min<qsizetype>(scan.value().size(), maxValueLength)));
        }
    }
    return {};
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

QByteArray ProfileFile::withValues(const QByteArray &file, const QString &section,
                                   const QList<KeyValue> &values)
{
    // setValues changes the first section of that name, from its header to the next header, or, when there is
    // none, appends at the end, ending an unterminated last line first. Only that part is parsed; the rest is
    // copied as it is.
    const QByteArray wanted = nameBytes(section);
    qsizetype begin = -1;
    qsizetype end = file.size();
    for (Scanner scan(file); scan.nextHeader();) {
        if (begin >= 0) {
            end = scan.begin();
            break;
        }
        if (scan.isHeader(wanted))
            begin = scan.begin();
    }
    if (begin < 0) {
        begin = file.size();
        while (begin > 0 && !isLineEnd(file[begin - 1]))
            --begin;
    }

    ProfileFile part(file.sliced(begin, end - begin), begin == 0);
    part.setValues(section, values);
    const QByteArray changed = part.toBytes();
    QByteArray out;
    out.reserve(begin + changed.size() + (file.size() - end));
    out.append(QByteArrayView(file).first(begin)).append(changed).append(QByteArrayView(file).sliced(end));
    return out;
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
