#include "private_bus.h"

#include <QDBusMessage>
#include <QFile>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
} // namespace

PrivateBus::PrivateBus()
{
    const QString config = m_dir.filePath(QStringLiteral("session.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(
        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        "<busconfig><type>session</type><listen>unix:dir=" +
        m_dir.path().toUtf8() +
        "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
        "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
        "</policy></busconfig>\n");
    file.close();
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config, QStringLiteral("--print-address"),
                    QStringLiteral("--nofork")});
    if (m_daemon.waitForReadyRead(10000))
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    m_daemon.terminate();
    m_daemon.waitForFinished();
}

QDBusConnection PrivateBus::connect(const QString &name) const
{
    return QDBusConnection::connectToBus(m_address, name);
}

FakeNotifications::FakeNotifications(QDBusConnection bus) : m_bus(std::move(bus))
{
    m_bus.registerObject(path, this, QDBusConnection::ExportAllSlots);
    m_bus.registerService(service);
}

FakeNotifications::~FakeNotifications()
{
    m_bus.unregisterService(service);
    m_bus.unregisterObject(path);
    QDBusConnection::disconnectFromBus(m_bus.name());
}

uint FakeNotifications::Notify(const QString &appName, uint, const QString &, const QString &summary,
                               const QString &body, const QStringList &actions, const QVariantMap &hints, int)
{
    calls.append({appName, summary, body, actions, hints});
    return uint(calls.size());
}

void FakeNotifications::click(uint id)
{
    m_bus.send(QDBusMessage::createSignal(path, service, QStringLiteral("ActionInvoked"))
               << id << QStringLiteral("default"));
}
