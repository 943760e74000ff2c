#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// Cuts one client's byte stream into messages, whatever the reads look like. The client's announcement has no
// terminator, so that first message ends at the TAB that closes its last field; a stream that does not begin
// with the announcement, and everything after it, is cut at the terminator byte.
class ClientFramer {
public:
    static constexpr qsizetype maxPending = 64 * 1024;

    enum class Status {
        Ok,
        Overflow, // more than maxPending bytes without an end
        Junk,     // control bytes no client types
    };
    struct Message {
        QByteArray bytes; // without its terminator
        bool announcement = false;
    };

    // Appends what arrived and adds the messages it completes to out. Once failed, the framer takes nothing
    // more.
    Status feed(QByteArrayView data, std::vector<Message> &out);
    Status status() const { return m_status; }

private:
    Status frame(QByteArrayView data, std::vector<Message> &out);
    bool takeAnnouncement(std::vector<Message> &out);

    QByteArray m_pending;
    bool m_expectAnnouncement = true;
    qsizetype m_scanned = 0; // bytes of m_pending already searched for an end
    int m_tabsSeen = 0;
    Status m_status = Status::Ok;
};
