#include "desktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
// The action a click on the notification itself invokes.
const QString clickAction = QStringLiteral("default");
constexpr qsizetype onShowKept = 32;
} // namespace

std::optional<QDBusConnection> DesktopNotifier::sessionBus()
{
    // Without an address the bus library would try to start a bus of its own.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtime.isEmpty() || !QFileInfo(QDir(runtime).filePath(QStringLiteral("bus"))).exists()))
        return std::nullopt;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    return bus;
}

DesktopNotifier::DesktopNotifier(std::optional<QDBusConnection> bus, QObject *parent)
    : Notifier(parent), m_bus(std::move(bus))
{
    if (!m_bus || !m_bus->isConnected()) {
        m_bus.reset();
        return;
    }
    // From any sender: naming the service would make the toolkit ask the bus who owns it, and wait for the
    // answer. Only the identifiers of this program's notifications are taken.
    m_bus->connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                   SLOT(onActionInvoked(uint, QString)));
    m_bus->connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                   SLOT(onClosed(uint, uint)));
}

void DesktopNotifier::notify(const QString &body)
{
    if (!m_bus)
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    const QString name = QCoreApplication::applicationName();
    call << name << uint(0) << QGuiApplication::desktopFileName() << name << body
         << QStringList{clickAction, name}
         << QVariantMap{{QStringLiteral("desktop-entry"), QGuiApplication::desktopFileName()}} << -1;
    auto *watcher = new QDBusPendingCallWatcher(m_bus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *answer) {
        const QDBusPendingReply<uint> id = *answer;
        if (!id.isError()) {
            m_onShow.append(id.value());
            if (m_onShow.size() > onShowKept)
                m_onShow.removeFirst();
        }
        answer->deleteLater();
    });
}

void DesktopNotifier::onActionInvoked(uint id, const QString &)
{
    if (m_onShow.contains(id))
        emit activated();
}

void DesktopNotifier::onClosed(uint id, uint)
{
    m_onShow.removeOne(id);
}
