#include "get_field.h"

FieldValue GetField(QStringView text, int n, QStringView delimiter)
{
    if (n < 0 || delimiter.size() != 1)
        return {};
    const QChar d = delimiter.front();
    qsizetype start = 0;
    int field = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != d)
            continue;
        if (field == n)
            return FieldValue(text.sliced(start, i - start).toString());
        ++field;
        start = i + 1;
    }
    return {};
}

ClosedFields SplitClosedFields(QByteArrayView message, char delimiter)
{
    ClosedFields result;
    qsizetype start = 0;
    while (result.count < ClosedFields::maxFields) {
        const qsizetype end = message.indexOf(delimiter, start);
        if (end < 0)
            break;
        result.fields[result.count++] = message.sliced(start, end - start);
        start = end + 1;
    }
    return result;
}
