#include "host_config.h"

#include "file_lookup.h"
#include "global.h"
#include "profile_file.h"

QString HostConfig::path()
{
    return findFileIgnoringCase(Global::WorkDir, QStringLiteral("HOSTIP.INI"));
}

QString HostConfig::read(const QString &key)
{
    return ReadIniKey(QStringLiteral("SERVER"), key, path());
}

static QString rootOr(const QString &configured)
{
    QString root = configured;
    if (root.isEmpty())
        root = QStringLiteral("http://") + HostConfig::ip();
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root;
}

QString HostConfig::website()
{
    return rootOr(read(QStringLiteral("WEBSITE")));
}

QString HostConfig::appServer()
{
    return rootOr(read(QStringLiteral("APPSERVER")));
}

QString HostConfig::hostOf(const QString &ip)
{
    // A bracketed IPv6 literal keeps its colons.
    if (ip.startsWith(QLatin1Char('['))) {
        const qsizetype close = ip.indexOf(QLatin1Char(']'));
        return close < 0 ? ip : ip.mid(1, close - 1);
    }
    if (ip.count(QLatin1Char(':')) == 1)
        return ip.left(ip.indexOf(QLatin1Char(':')));
    return ip;
}
