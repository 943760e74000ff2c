#pragma once

#include "wire_format.h"

#include <QByteArray>
#include <QByteArrayView>
#include <cstring>

// Cuts the byte stream of the auction connection into messages at the terminator byte. Bytes after the last
// terminator wait for the next read, so a message cut by TCP is completed, not lost. A partial message that
// grows past maxPartialSize is dropped up to its terminator, and nothing of it is handed on.
class MessageFramer {
public:
    static constexpr qsizetype maxPartialSize = qsizetype(1) << 20;

    // Calls onMessage(QByteArrayView) for every complete message, trimmed of spaces; empty ones are skipped.
    // The view is valid during the call only.
    template <typename OnMessage> void feed(QByteArrayView bytes, OnMessage &&onMessage);
    // Forgets a partial message (a new connection starts a new stream).
    void reset();
    // The tests see through it that a dropped message gives its memory back.
    qsizetype pendingSize() const { return m_partial.size(); }

private:
    void keepTail(QByteArrayView tail);

    QByteArray m_partial;
    bool m_discarding = false;
};

template <typename OnMessage> void MessageFramer::feed(QByteArrayView bytes, OnMessage &&onMessage)
{
    const auto deliver = [&onMessage](QByteArrayView message) {
        const QByteArrayView trimmed = Wire::trimmed(message);
        if (!trimmed.isEmpty())
            onMessage(trimmed);
    };

    qsizetype pos = 0;
    const qsizetype size = bytes.size();
    if (m_discarding || !m_partial.isEmpty()) {
        const qsizetype end = bytes.indexOf(Wire::terminator);
        if (end < 0) {
            keepTail(bytes);
            return;
        }
        if (m_discarding) {
            m_discarding = false;
        } else {
            m_partial.append(bytes.first(end));
            deliver(m_partial);
            m_partial.clear();
        }
        pos = end + 1;
    }
    const char *data = bytes.data();
    while (pos < size) {
        const void *hit =
            std::memchr(data + pos, static_cast<unsigned char>(Wire::terminator), size_t(size - pos));
        if (!hit)
            break;
        const qsizetype end = static_cast<const char *>(hit) - data;
        deliver(QByteArrayView(data + pos, end - pos));
        pos = end + 1;
    }
    if (pos < size)
        keepTail(bytes.sliced(pos));
}
