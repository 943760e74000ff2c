#include "global.h"

QString Global::workDirPath(const QString &fileName)
{
    if (WorkDir.endsWith(QLatin1Char('/')))
        return WorkDir + fileName;
    return WorkDir + QLatin1Char('/') + fileName;
}
