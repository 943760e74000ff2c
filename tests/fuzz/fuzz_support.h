#pragma once

#include "cp874.h"
#include "profile_file.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A broken property ends the run, so libFuzzer keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// Takes a fuzz input apart from the front. Every take succeeds: past the end it gives zeros and empty texts.
class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size)
        : m_bytes(reinterpret_cast<const char *>(data), qsizetype(size))
    {}

    bool atEnd() const { return m_pos >= m_bytes.size(); }
    uint8_t byte() { return atEnd() ? 0 : uint8_t(m_bytes[m_pos++]); }
    // A length byte, then that many bytes.
    QByteArrayView bytes() { return take(byte()); }
    // A 16-bit length, then that many bytes.
    QByteArrayView longBytes()
    {
        const qsizetype low = byte();
        return take(low | (qsizetype(byte()) << 8));
    }
    QByteArrayView rest() { return take(m_bytes.size()); }

private:
    QByteArrayView take(qsizetype wanted)
    {
        const QByteArrayView out = m_bytes.sliced(m_pos, std::min(wanted, m_bytes.size() - m_pos));
        m_pos += out.size();
        return out;
    }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};

// A text as a profile file gives it back once written: line breaks blanked, characters outside the code page
// as "?", blanks (space, tab, vertical tab) trimmed; for a value also one pair of enclosing quotes dropped
// and at most width characters.
inline QString profileStoredName(const QString &written)
{
    QByteArray bytes = Cp874::encode(written);
    bytes.replace('\r', ' ').replace('\n', ' ');
    QString text = Cp874::decode(bytes);
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\v'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

inline QString profileReadBack(const QString &written, qsizetype width = ProfileFile::maxValueLength)
{
    QString value = profileStoredName(written);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(std::min(width, qsizetype(ProfileFile::maxValueLength)));
}

// Names that the reader takes as the same: compared without letter case.
inline QString profileIdentity(const QString &name)
{
    return profileStoredName(name).toCaseFolded();
}
