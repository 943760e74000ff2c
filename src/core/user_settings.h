#pragma once

#include <QString>

// The user's choices that last between runs: sounds muted, desktop notifications on. They are kept with
// QSettings in the user's configuration (organisation "Gavora", application "gavora"), never in HOSTIP.INI. A
// missing or unreadable file, or a value other than true or false, gives the defaults.
class UserSettings {
public:
    // Where QSettings keeps them for this user.
    static QString defaultFile();
    // Read from file. Without a file: the defaults, and nothing is written.
    explicit UserSettings(QString file = {});

    bool muted() const { return m_muted; }
    bool notifications() const { return m_notifications; }
    // Written at once; a file that cannot be written keeps the choice for this run only.
    void setMuted(bool muted);
    void setNotifications(bool on);

private:
    void write(const QString &key, bool value) const;

    QString m_file;
    bool m_muted = false;
    bool m_notifications = true;
};
