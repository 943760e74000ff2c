#include "user_settings.h"

#include <QSettings>

namespace {
const QString mutedKey = QStringLiteral("muted");
const QString notificationsKey = QStringLiteral("notifications");

bool readFlag(const QSettings &settings, const QString &key, bool fallback)
{
    const QString text = settings.value(key).toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return fallback;
}
} // namespace

QString UserSettings::defaultFile()
{
    return QSettings(QStringLiteral("Gavora"), QStringLiteral("gavora")).fileName();
}

UserSettings::UserSettings(QString file) : m_file(std::move(file))
{
    if (m_file.isEmpty())
        return;
    const QSettings settings(m_file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return;
    m_muted = readFlag(settings, mutedKey, m_muted);
    m_notifications = readFlag(settings, notificationsKey, m_notifications);
}

void UserSettings::setMuted(bool muted)
{
    m_muted = muted;
    write(mutedKey, muted);
}

void UserSettings::setNotifications(bool on)
{
    m_notifications = on;
    write(notificationsKey, on);
}

void UserSettings::write(const QString &key, bool value) const
{
    if (m_file.isEmpty())
        return;
    QSettings settings(m_file, QSettings::IniFormat);
    settings.setValue(key, value);
}
