#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Reads one HTTP/1.x request head as it arrives; bodies are not expected and not read.
class HttpRequestReader {
public:
    static constexpr qsizetype maxHeadSize = 8 * 1024;

    enum class State { Incomplete, Complete, Bad, TooLarge };

    State feed(QByteArrayView data);
    State state() const { return m_state; }

    QByteArray method() const { return m_method; }
    QByteArray target() const { return m_target; }

private:
    State parseHead(QByteArrayView head);

    QByteArray m_buffer;
    State m_state = State::Incomplete;
    QByteArray m_method;
    QByteArray m_target;
};

// Percent-decodes bytes; a '%' not followed by two hex digits stays as it is.
QByteArray percentDecoded(QByteArrayView text);
