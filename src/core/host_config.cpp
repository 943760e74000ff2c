#include "host_config.h"

#include "auction_protocol.h"
#include "profile_file.h"

QString HostConfig::read(const WorkFolder &folder, const QString &key)
{
    return ReadIniKey(QStringLiteral("SERVER"), key, folder.hostIni());
}

static QString rootOr(const WorkFolder &folder, const QString &configured)
{
    QString root = configured;
    if (root.isEmpty())
        root = Protocol::Web::root(HostConfig::ip(folder));
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root;
}

QString HostConfig::website(const WorkFolder &folder)
{
    return rootOr(folder, read(folder, QStringLiteral("WEBSITE")));
}

QString HostConfig::appServer(const WorkFolder &folder)
{
    return rootOr(folder, read(folder, QStringLiteral("APPSERVER")));
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
