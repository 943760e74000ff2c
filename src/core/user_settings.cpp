#include "user_settings.h"

#include <QSettings>

namespace {
struct Entry {
    UserSettings::Key key;
    const char *name;
    bool fallback;
};
// In the order of Key.
constexpr std::array<Entry, UserSettings::keyCount> entries{{
    {UserSettings::Key::Muted, "muted", false},
    {UserSettings::Key::Notifications, "notifications", true},
    {UserSettings::Key::Reconnect, "reconnect", false},
}};

bool readFlag(const QSettings &settings, const char *key, bool fallback)
{
    const QString text = settings.value(QLatin1StringView(key)).toString();
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

UserSettings::UserSettings(QString file, QObject *parent) : QObject(parent), m_file(std::move(file))
{
    for (const Entry &entry : entries)
        m_values[std::size_t(entry.key)] = entry.fallback;
    if (m_file.isEmpty())
        return;
    const QSettings settings(m_file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return;
    for (const Entry &entry : entries)
        m_values[std::size_t(entry.key)] = readFlag(settings, entry.name, entry.fallback);
}

void UserSettings::setValue(Key key, bool on)
{
    if (std::exchange(m_values[std::size_t(key)], on) == on)
        return;
    if (!m_file.isEmpty()) {
        QSettings settings(m_file, QSettings::IniFormat);
        settings.setValue(QLatin1StringView(entries[std::size_t(key)].name), on);
    }
    emit changed(key);
}
