#include "single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <unistd.h>

namespace {
// The socket's path, and with ".lock" the lock's: in the user's runtime folder when there is one. Empty when
// the folder cannot be resolved (the load step refuses it anyway).
QString instanceName(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty())
        return {};
    const QByteArray key = canonical.toUtf8() + '\0' + QByteArray::number(getuid());
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString base = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
    return base + QStringLiteral("/gavora-") + hash;
}

// Two clients starting together: the one that lost the lock waits this long for the other to listen. A
// client stuck for longer than this is left alone and the new one runs as if it were the first.
constexpr int startWaitMs = 10000;
constexpr int answerWaitMs = 2000;
} // namespace

SingleInstance::SingleInstance(const QString &folder, QObject *parent)
    : QObject(parent), m_name(instanceName(folder)), m_lock(m_name + QStringLiteral(".lock"))
{
    if (m_name.isEmpty())
        return;
    // Held for the whole run, so its age means nothing; only a holder that is gone makes it stale.
    m_lock.setStaleLockTime(0);
    const QDeadlineTimer deadline(startWaitMs);
    while (!claim()) {
        // A lock that cannot be made at all (a full disk): run unguarded.
        if (m_lock.error() != QLockFile::LockFailedError)
            return;
        if (askRunningClient()) {
            m_handedOver = true;
            return;
        }
        if (deadline.hasExpired())
            return;
        QThread::msleep(20);
    }
}

bool SingleInstance::claim()
{
    if (!m_lock.tryLock(0))
        return false;
    // Only this user may ask. With an access option the socket is made aside and renamed into place, over
    // one that a crashed client left.
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(m_name)) {
        connect(&m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket *asking = m_server.nextPendingConnection()) {
                emit forwardWanted();
                connect(asking, &QLocalSocket::disconnected, asking, &QObject::deleteLater);
                // The answer tells the new start that this client is alive and came forward.
                asking->write("1");
                asking->disconnectFromServer();
            }
        });
    }
    return true;
}

bool SingleInstance::askRunningClient() const
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    return socket.waitForConnected(answerWaitMs) && socket.waitForReadyRead(answerWaitMs);
}
