#include "work_folder.h"

#include "file_lookup.h"

#include <QDir>

WorkFolder WorkFolder::current()
{
    return WorkFolder(QDir::currentPath());
}

QString WorkFolder::file(const QString &relativePath) const
{
    return findFileIgnoringCase(m_path, relativePath);
}
