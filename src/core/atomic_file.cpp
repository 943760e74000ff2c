#include "atomic_file.h"

#include <QSaveFile>

bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    const auto fail = [&file, error] {
        if (error)
            *error = file.errorString().isEmpty() ? QStringLiteral("unknown error") : file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    // commit() does not report a failure of the buffered write, so flush first.
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush())
        return fail();
    return file.commit() || fail();
}
