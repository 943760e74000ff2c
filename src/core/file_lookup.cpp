#include "file_lookup.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString findEntry(const QDir &folder, const QString &name, bool isFolder)
{
    const QString exact = folder.filePath(name);
    const QFileInfo info(exact);
    if (isFolder ? info.isDir() : info.exists())
        return exact;
    const QStringList entries = folder.entryList(isFolder ? QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden
                                                          : QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return exact;
}
} // namespace

QString findFileIgnoringCase(const QString &dir, const QString &name)
{
    const QStringList parts = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = dir;
    for (qsizetype i = 0; i < parts.size(); ++i)
        path = findEntry(QDir(path), parts[i], i + 1 < parts.size());
    return path;
}
