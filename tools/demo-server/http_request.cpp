#include "http_request.h"

#include <QList>

HttpRequestReader::State HttpRequestReader::feed(QByteArrayView data)
{
    if (m_state != State::Incomplete)
        return m_state;
    // Search from just before the new bytes: the blank line may straddle two reads.
    const qsizetype searchFrom = std::max<qsizetype>(0, m_buffer.size() - 3);
    m_buffer.append(data);
    // The head ends at its first blank line, whichever line ends it uses (bare line feeds are common enough
    // from hand-typed requests), so the end found does not depend on how the reads fell.
    qsizetype end = m_buffer.indexOf("\r\n\r\n", searchFrom);
    qsizetype endLength = 4;
    const qsizetype bareEnd = m_buffer.indexOf("\n\n", searchFrom);
    if (bareEnd >= 0 && (end < 0 || bareEnd < end)) {
        end = bareEnd;
        endLength = 2;
    }
    if (end < 0) {
        if (m_buffer.size() > maxHeadSize) {
            m_buffer.clear();
            return m_state = State::TooLarge;
        }
        return m_state;
    }
    if (end + endLength > maxHeadSize) {
        m_buffer.clear();
        return m_state = State::TooLarge;
    }
    m_state = parseHead(QByteArrayView(m_buffer).first(end));
    m_buffer.clear();
    return m_state;
}

HttpRequestReader::State HttpRequestReader::parseHead(QByteArrayView head)
{
    qsizetype lineEnd = head.indexOf('\n');
    QByteArrayView line = lineEnd < 0 ? head : head.first(lineEnd);
    if (line.endsWith('\r'))
        line.chop(1);
    const QList<QByteArray> parts = line.toByteArray().split(' ');
    if (parts.size() != 3 || parts[0].isEmpty() || parts[1].isEmpty())
        return State::Bad;
    if (parts[2] != "HTTP/1.0" && parts[2] != "HTTP/1.1")
        return State::Bad;
    for (char c : parts[0]) {
        if (c < 'A' || c > 'Z')
            return State::Bad;
    }
    for (char c : parts[1]) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F)
            return State::Bad;
    }
    m_method = parts[0];
    m_target = parts[1];
    return State::Complete;
}

namespace {
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

QByteArray percentDecoded(QByteArrayView text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}
