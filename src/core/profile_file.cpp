#include "profile_file.h"

#include "cp874.h"

#include <QFile>
#include <QSaveFile>

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

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
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

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line break inside a name or value would start a line of its own: make it a blank.
QByteArray encodeSingleLine(QStringView text)
{
    QByteArray bytes = Cp874::encode(text);
    bytes.replace('\r', ' ').replace('\n', ' ');
    return bytes;
}

// A name as the file holds it once written, so that a name with a line break or a character outside the
// code page finds what was written for it instead of adding a section or key at every write.
QString storedName(QStringView name)
{
    return Cp874::decode(trimBlanks(QByteArrayView(encodeSingleLine(name))));
}

} // namespace

ProfileFile::ProfileFile(const QByteArray &bytes)
{
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    m_lines.reserve(size_t(bytes.count('\n')) + 1);
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        qsizetype eolLength = 0;
        if (end < size)
            eolLength = (bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ? 2 : 1;
        m_lines.push_back(parseLine(bytes.sliced(start, end - start),
                                    lineEnd(QByteArrayView(bytes).sliced(end, eolLength))));
        start = end + eolLength;
    }
    // A UTF-8 byte-order mark that an editor put before the first line is kept, but not read as part of it.
    static constexpr QByteArrayView bom("\xEF\xBB\xBF");
    if (!m_lines.empty() && m_lines.front().text.startsWith(bom)) {
        Line &first = m_lines.front();
        first = parseLine(first.text.sliced(bom.size()), first.eol);
        first.text.prepend(bom);
    }
}

ProfileFile ProfileFile::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ProfileFile(file.readAll());
}

ProfileFile::Line ProfileFile::parseLine(QByteArray text, QByteArray eol)
{
    Line line{std::move(text), std::move(eol), Kind::Other, {}, {}};
    const QByteArrayView content = trimBlanks(line.text);
    if (content.isEmpty() || content.front() == ';')
        return line;
    if (content.front() == '[') {
        // The name runs to the last ']' so that a name holding ']' reads back as itself.
        QByteArrayView name = content.sliced(1);
        const qsizetype close = name.lastIndexOf(']');
        if (close >= 0)
            name = name.first(close);
        line.kind = Kind::Header;
        line.name = Cp874::decode(trimBlanks(name));
        return line;
    }
    const qsizetype equals = content.indexOf('=');
    if (equals < 0)
        return line;
    line.kind = Kind::Key;
    line.name = Cp874::decode(trimBlanks(content.first(equals)));
    line.value = Cp874::decode(unquote(trimBlanks(content.sliced(equals + 1))));
    return line;
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
        m_lines.push_back(parseLine('[' + encodeSingleLine(section) + ']', crlf));
        header = qsizetype(m_lines.size()) - 1;
    }
    for (const KeyValue &entry : values) {
        const QByteArray valueBytes = encodeSingleLine(entry.second);
        const qsizetype existing = findKey(header, entry.first);
        if (existing >= 0) {
            Line &line = m_lines[existing];
            line = parseLine(Cp874::encode(line.name) + '=' + valueBytes, line.eol);
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
                       parseLine(encodeSingleLine(entry.first) + '=' + valueBytes, crlf));
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

bool ProfileFile::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toBytes();
    // commit() does not report a failure of the buffered write, so flush first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString ReadIniKey(const QString &section, const QString &key, const QString &path)
{
    return ProfileFile::load(path).value(section, key);
}

void WriteIniKey(const QString &section, const QString &key, const QString &value, const QString &path)
{
    WriteIniKeys(section, {{key, value}}, path);
}

bool WriteIniKeys(const QString &section, const QList<ProfileFile::KeyValue> &values, const QString &path)
{
    ProfileFile profile = ProfileFile::load(path);
    profile.setValues(section, values);
    return profile.save(path);
}
