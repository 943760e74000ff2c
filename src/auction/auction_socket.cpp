#include "auction_socket.h"

#include <QTcpSocket>
#include <QTimer>
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

AuctionSocket::AuctionSocket(QObject *parent) : QObject(parent), m_socket(nullptr)
{
    resetSocket();
}

AuctionSocket::~AuctionSocket()
{
    // Nothing of the connection may reach a half-destroyed owner.
    m_socket->disconnect(this);
    m_socket->abort();
    releaseWitness();
}

void AuctionSocket::resetSocket()
{
    if (m_socket) {
        // A fresh socket object guarantees that no event of the old connection, queued or not, is reported.
        // deleteLater: Close() may run inside a slot of the old socket's own signal.
        m_socket->disconnect(this);
        m_socket->abort();
        m_socket->deleteLater();
    }
    releaseWitness();
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, [this] {
        keepWitness();
        emit connected();
    });
    connect(m_socket, &QTcpSocket::readyRead, this, [this] { emit dataArrival(m_socket->bytesAvailable()); });
    connect(m_socket, &QTcpSocket::disconnected, this, &AuctionSocket::onDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError socketError) { onErrorOccurred(socketError); });
}

void AuctionSocket::keepWitness()
{
#ifdef Q_OS_LINUX
    // Qt reports a reset as the peer's orderly close (both are RemoteHostClosedError) and closes its
    // descriptor first; a second one keeps the connection for the kernel to tell the two apart.
    m_witness = fcntl(int(m_socket->socketDescriptor()), F_DUPFD_CLOEXEC, 0);
#endif
}

void AuctionSocket::releaseWitness()
{
#ifdef Q_OS_LINUX
    if (m_witness >= 0)
        ::close(m_witness);
#endif
    m_witness = -1;
}

bool AuctionSocket::peerReset() const
{
#ifdef Q_OS_LINUX
    // After the peer's FIN the connection waits in CLOSE_WAIT for our own close; a reset ends it at once.
    tcp_info info{};
    socklen_t size = sizeof info;
    return m_witness >= 0 && getsockopt(m_witness, IPPROTO_TCP, TCP_INFO, &info, &size) == 0 &&
           info.tcpi_state == TCP_CLOSE;
#else
    // Elsewhere the kernel is not asked: a reset reads as the peer's close.
    return false;
#endif
}

void AuctionSocket::onDisconnected()
{
    m_socket->disconnect(this);
    releaseWitness();
    emit closed();
}

void AuctionSocket::onErrorOccurred(int socketError)
{
    // The peer's orderly close is reported by disconnected() as closed().
    if (socketError == QAbstractSocket::RemoteHostClosedError && !peerReset())
        return;
    // One report per connection: a failure is not followed by closed().
    m_socket->disconnect(this);
    releaseWitness();
    if (socketError == QAbstractSocket::RemoteHostClosedError)
        emit error(QAbstractSocket::NetworkError, tr("The connection was reset by the server"));
    else
        emit error(socketError, m_socket->errorString());
}

void AuctionSocket::Close()
{
    resetSocket();
}

void AuctionSocket::setRemoteHost(const QString &host)
{
    m_host = host;
}

void AuctionSocket::setRemotePort(int port)
{
    m_port = port;
}

void AuctionSocket::Connect()
{
    resetSocket();
    if (m_port <= 0 || m_port > 65535) {
        // The outcome of a connect always arrives later, as an event; the new socket is its context, so a
        // Close() before then drops it.
        QTcpSocket *attempt = m_socket;
        QTimer::singleShot(0, attempt, [this, attempt] {
            if (attempt != m_socket)
                return;
            m_socket->disconnect(this);
            emit error(QAbstractSocket::UnsupportedSocketOperationError, tr("Invalid port %1").arg(m_port));
        });
        return;
    }
    m_socket->connectToHost(m_host, static_cast<quint16>(m_port));
}

bool AuctionSocket::SendData(const QByteArray &bytes)
{
    if (!isConnected())
        return false;
    const bool queued = m_socket->write(bytes) == bytes.size();
    // Out at once, not at the event loop's next turn: behind a flood of bids that turn can be late.
    m_socket->flush();
    return queued;
}

QByteArray AuctionSocket::GetData()
{
    if (!m_socket->isReadable())
        return {};
    return m_socket->readAll();
}

bool AuctionSocket::isConnected() const
{
    return m_socket->state() == QAbstractSocket::ConnectedState;
}
