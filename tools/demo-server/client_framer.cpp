#include "client_framer.h"

#include "auction_protocol.h"
#include "wire_format.h"

#include <algorithm>

namespace {
const QByteArray announcementHead = Protocol::Command::announce.toByteArray() + Wire::separator;

bool isJunkByte(unsigned char c)
{
    return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F;
}
} // namespace

ClientFramer::Status ClientFramer::feed(QByteArrayView data, std::vector<Message> &out)
{
    if (m_status != Status::Ok)
        return m_status;
    // Messages before the first junk byte still count, however the reads fell.
    const auto junk = std::find_if(data.begin(), data.end(), [](char c) { return isJunkByte(uchar(c)); });
    if (junk != data.end()) {
        frame(data.first(junk - data.begin()), out);
        m_pending.clear();
        return m_status = Status::Junk;
    }
    return frame(data, out);
}

ClientFramer::Status ClientFramer::frame(QByteArrayView data, std::vector<Message> &out)
{
    if (m_status != Status::Ok)
        return m_status;
    m_pending.append(data);

    if (m_expectAnnouncement && !takeAnnouncement(out)) {
        if (m_pending.size() > maxPending) {
            m_pending.clear();
            return m_status = Status::Overflow;
        }
        return m_status;
    }

    qsizetype start = 0;
    for (;;) {
        const qsizetype end = m_pending.indexOf(Wire::terminator, std::max(start, m_scanned));
        if (end < 0)
            break;
        out.push_back({m_pending.mid(start, end - start), false});
        start = end + 1;
        m_scanned = start;
    }
    m_pending.remove(0, start);
    m_scanned = m_pending.size();
    if (m_pending.size() > maxPending) {
        m_pending.clear();
        return m_status = Status::Overflow;
    }
    return m_status;
}

// Returns whether the announcement phase is over (taken, or the stream turned out not to start with one).
bool ClientFramer::takeAnnouncement(std::vector<Message> &out)
{
    const qsizetype headSize = std::min(m_pending.size(), announcementHead.size());
    if (QByteArrayView(m_pending).first(headSize) != QByteArrayView(announcementHead).first(headSize)) {
        m_expectAnnouncement = false;
        m_scanned = 0;
        return true;
    }
    for (qsizetype i = m_scanned; i < m_pending.size(); ++i) {
        const char c = m_pending.at(i);
        // A client that closes its announcement with the terminator anyway is understood too.
        const bool closedByTerminator = c == Wire::terminator;
        if (closedByTerminator ||
            (c == Wire::separator && ++m_tabsSeen == Protocol::Announcement::fieldCount)) {
            out.push_back({m_pending.left(closedByTerminator ? i : i + 1), true});
            m_pending.remove(0, i + 1);
            m_expectAnnouncement = false;
            m_scanned = 0;
            return true;
        }
    }
    m_scanned = m_pending.size();
    return false;
}
