#pragma once

#include <QString>

// HOSTIP.INI, section SERVER, read afresh at each call and never written.
namespace HostConfig {
QString path();
QString read(const QString &key);

inline QString ip()
{
    return read(QStringLiteral("IP"));
}
inline QString port()
{
    return read(QStringLiteral("PORT"));
}
inline QString webOne()
{
    return read(QStringLiteral("WEBONE"));
}
inline QString webGall()
{
    return read(QStringLiteral("WEBGALL"));
}
// Root of the service's web site; defaults to the configured host.
QString website();
// Root of the application server; defaults to the configured host.
QString appServer();

// The host part of IP, which may carry ":port" for the web server.
QString hostOf(const QString &ip);
} // namespace HostConfig
