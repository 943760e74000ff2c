#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

// The auction connection's bytes, both ways: every field is Windows-874 and closed by a TAB, and a message
// ends with the terminator byte. The client, the demo service and the tests build their messages here.
namespace Wire {
inline constexpr char separator = '\t';
inline constexpr char terminator = '\xFE';

// A field as sent: Windows-874, with TAB, CR, LF and the terminator byte turned into blanks, so that no text
// can add a field, end the message early or break the one line it is shown on.
QByteArray fieldText(QStringView text);

// The fields, each closed by a TAB, then the terminator.
QByteArray message(const QStringList &fields);
// The client's announcement on a new connection: the fields without the terminator.
QByteArray announcement(const QStringList &fields);

// A message without the spaces around it: both ends read it so.
inline QByteArrayView trimmed(QByteArrayView message)
{
    qsizetype begin = 0;
    qsizetype end = message.size();
    while (begin < end && message[begin] == ' ')
        ++begin;
    while (end > begin && message[end - 1] == ' ')
        --end;
    return message.sliced(begin, end - begin);
}
} // namespace Wire
