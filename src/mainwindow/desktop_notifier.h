#pragma once

#include "notifier.h"

#include <QDBusConnection>
#include <QList>
#include <QString>
#include <optional>

// Desktop notifications through the desktop's notification service, org.freedesktop.Notifications on a
// session bus. Nothing waits for the bus: a notification is a call whose answer comes back later. Without a
// bus, or with no notification service on it, nothing happens and nothing is said.
class DesktopNotifier : public Notifier {
    Q_OBJECT
public:
    // The user's session bus when the session has one; none is ever started for the program.
    static std::optional<QDBusConnection> sessionBus();

    explicit DesktopNotifier(std::optional<QDBusConnection> bus, QObject *parent = nullptr);

    // The summary is the application's name.
    void notify(const QString &body) override;

private slots:
    void onActionInvoked(uint id, const QString &action);
    void onClosed(uint id, uint reason);

private:
    std::optional<QDBusConnection> m_bus;
    QList<uint> m_onShow; // this program's notifications, newest last
};
