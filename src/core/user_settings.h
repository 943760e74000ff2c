#pragma once

#include <QObject>
#include <QString>
#include <array>

// The user's choices that last between runs (sounds muted, desktop notifications, reconnecting by itself),
// kept with QSettings in the user's configuration (organisation "Gavora", application "gavora"), never in
// HOSTIP.INI. A missing or unreadable file, or a value other than true or false, gives the defaults. Whoever
// depends on a choice follows changed().
class UserSettings : public QObject {
    Q_OBJECT
public:
    enum class Key { Muted, Notifications, Reconnect };
    static constexpr int keyCount = 3;

    // Where QSettings keeps them for this user.
    static QString defaultFile();
    // Read from file. Without a file: the defaults, and nothing is written.
    explicit UserSettings(QString file = {}, QObject *parent = nullptr);

    bool value(Key key) const { return m_values[std::size_t(key)]; }
    // Written at once; a file that cannot be written keeps the choice for this run only.
    void setValue(Key key, bool on);
    void toggle(Key key) { setValue(key, !value(key)); }

    bool muted() const { return value(Key::Muted); }
    bool notifications() const { return value(Key::Notifications); }

signals:
    void changed(UserSettings::Key key);

private:
    QString m_file;
    std::array<bool, keyCount> m_values{};
};
