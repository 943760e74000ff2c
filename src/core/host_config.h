#pragma once

#include "work_folder.h"

#include <QString>

// HOSTIP.INI of the work folder, section SERVER, read afresh at each call and never written.
namespace HostConfig {
QString read(const WorkFolder &folder, const QString &key);

inline QString ip(const WorkFolder &folder)
{
    return read(folder, QStringLiteral("IP"));
}
inline QString port(const WorkFolder &folder)
{
    return read(folder, QStringLiteral("PORT"));
}
inline QString webOne(const WorkFolder &folder)
{
    return read(folder, QStringLiteral("WEBONE"));
}
inline QString webGall(const WorkFolder &folder)
{
    return read(folder, QStringLiteral("WEBGALL"));
}
// Root of the service's web site; defaults to the configured host.
QString website(const WorkFolder &folder);
// Root of the application server; defaults to the configured host.
QString appServer(const WorkFolder &folder);

// The host part of IP, which may carry ":port" for the web server.
QString hostOf(const QString &ip);
} // namespace HostConfig
