#include "work_folder.h"

#include <QDir>
#include <QFileInfo>

namespace {
// An existing entry of folder named name whatever its letter case, an exact match first; otherwise name as
// given.
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

WorkFolder WorkFolder::current()
{
    return WorkFolder(QDir::currentPath());
}

QString WorkFolder::file(const QString &relativePath) const
{
    const QStringList parts = relativePath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString path = m_path;
    for (qsizetype i = 0; i < parts.size(); ++i)
        path = findEntry(QDir(path), parts[i], i + 1 < parts.size());
    return path;
}

QString WorkFolder::soundPath(Sound sound)
{
    switch (sound) {
    case Sound::Boom:
        return QStringLiteral("Sounds/boom.wav");
    case Sound::GlassShatter:
        return QStringLiteral("Sounds/glassshatter.wav");
    case Sound::MsgType:
        break;
    }
    return QStringLiteral("Sounds/msgtype.wav");
}
