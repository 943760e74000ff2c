#include "file_lookup.h"

#include <QDir>
#include <QFileInfo>

QString findFileIgnoringCase(const QString &dir, const QString &name)
{
    const QDir folder(dir);
    const QString exact = folder.filePath(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    }
    return exact;
}
