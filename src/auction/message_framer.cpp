#include "message_framer.h"

void MessageFramer::reset()
{
    m_partial = QByteArray();
    m_discarding = false;
}

void MessageFramer::keepTail(QByteArrayView tail)
{
    if (m_discarding)
        return;
    if (m_partial.size() + tail.size() > maxPartialSize) {
        // Release the memory too: a runaway message must not pin a megabyte for the rest of the session.
        m_partial = QByteArray();
        m_discarding = true;
        return;
    }
    m_partial.append(tail);
}
