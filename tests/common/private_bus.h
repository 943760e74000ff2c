#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

// A session bus of the test's own: dbus-daemon with a configuration in a temporary folder, so that no test
// talks to the desktop's bus and no service is started on demand. Stopped when this goes.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    // Empty when the daemon did not start.
    const QString &address() const { return m_address; }
    // A connection of its own to the bus, under name.
    QDBusConnection connect(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

// A desktop notification service that records what it is asked to show, and plays the user's click.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString appName;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };
    // Takes the service's name on bus.
    explicit FakeNotifications(QDBusConnection bus);
    ~FakeNotifications() override;

    // The user clicks notification id (numbered from 1 in the order shown).
    void click(uint id);

    QList<Call> calls;

public slots:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int expireTimeout);

private:
    QDBusConnection m_bus;
};
