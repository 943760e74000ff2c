#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-874 (Thai), with the table Windows itself uses so that all 256 bytes survive a round trip.
namespace Cp874 {
QString decode(QByteArrayView bytes);
// Characters outside the code page become '?'.
QByteArray encode(QStringView text);
// Appends without an intermediate allocation.
void appendDecoded(QString &out, QByteArrayView bytes);
} // namespace Cp874
