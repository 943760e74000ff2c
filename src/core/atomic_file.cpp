#include "atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
bool failed(const QFileDevice &file, QString *error)
{
    if (error)
        *error = file.errorString().isEmpty() ? QStringLiteral("unknown error") : file.errorString();
    return false;
}

// Over the old bytes, then cut to the new length: a failure part way leaves the file damaged, as any writer
// in place would.
bool writeInPlace(const QString &path, QByteArrayView bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return failed(file, error);
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush() || !file.resize(bytes.size()))
        return failed(file, error);
    return true;
}
} // namespace

bool writeFileAtomically(const QString &path, QByteArrayView bytes, QString *error)
{
    QSaveFile file(path);
    const auto fail = [&file, error] {
        failed(file, error);
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly)) {
        // A folder where no file can be created may still hold a writable file.
        if (QFileInfo(path).isFile())
            return writeInPlace(path, bytes, error);
        return fail();
    }
    // commit() does not report a failure of the buffered write, so flush first.
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush())
        return fail();
    return file.commit() || fail();
}
