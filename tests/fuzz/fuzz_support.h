#pragma once

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
