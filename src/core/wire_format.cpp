#include "wire_format.h"

#include "cp874.h"

QByteArray Wire::fieldText(QStringView text)
{
    QByteArray bytes = Cp874::encode(text);
    for (char &c : bytes) {
        if (c == separator || c == '\r' || c == '\n' || c == terminator)
            c = ' ';
    }
    return bytes;
}

QByteArray Wire::announcement(const QStringList &fields)
{
    QByteArray out;
    for (const QString &field : fields) {
        out += fieldText(field);
        out += separator;
    }
    return out;
}

QByteArray Wire::message(const QStringList &fields)
{
    return announcement(fields) + terminator;
}
