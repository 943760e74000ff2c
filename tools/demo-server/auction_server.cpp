#include "auction_server.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

DemoAuctionServer::DemoAuctionServer(AuctionEngine::Options options, QObject *parent)
    : QObject(parent), m_engine(std::move(options)), m_server(new QTcpServer(this)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] {
        catchUp();
        flush();
        arm();
    });
    connect(m_server, &QTcpServer::newConnection, this, &DemoAuctionServer::acceptConnections);
}

DemoAuctionServer::~DemoAuctionServer()
{
    for (auto &[id, client] : m_clients) {
        client.socket->disconnect(this);
        client.socket->abort();
    }
}

bool DemoAuctionServer::listen(const QHostAddress &address, quint16 port)
{
    return m_server->listen(address, port);
}

quint16 DemoAuctionServer::port() const
{
    return m_server->serverPort();
}

QString DemoAuctionServer::errorString() const
{
    return m_server->errorString();
}

void DemoAuctionServer::start()
{
    m_clock.start();
    catchUp();
    flush();
    arm();
}

void DemoAuctionServer::catchUp()
{
    if (m_clock.isValid())
        m_engine.advanceTo(m_clock.elapsed());
}

void DemoAuctionServer::arm()
{
    if (!m_clock.isValid())
        return;
    const qint64 next = m_engine.nextDeadline();
    if (next < 0) {
        m_timer->stop();
        return;
    }
    m_timer->start(int(std::clamp<qint64>(next - m_clock.elapsed(), 0, 60'000)));
}

void DemoAuctionServer::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        if (int(m_clients.size()) >= maxClients) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const AuctionEngine::ClientId id = m_nextId++;
        socket->setParent(this);
        m_clients.emplace(id, Client{socket, {}});
        m_engine.clientConnected(id);
        connect(socket, &QTcpSocket::readyRead, this, [this, id] { readClient(id); });
        connect(socket, &QTcpSocket::disconnected, this, [this, id] { forget(id); });
    }
}

void DemoAuctionServer::readClient(AuctionEngine::ClientId id)
{
    const auto it = m_clients.find(id);
    if (it == m_clients.end())
        return;
    std::vector<ClientFramer::Message> messages;
    const ClientFramer::Status status = it->second.framer.feed(it->second.socket->readAll(), messages);
    catchUp();
    // Messages completed before any junk still count; the junk ends the connection.
    for (const ClientFramer::Message &m : messages)
        m_engine.clientMessage(id, m.bytes, m.announcement);
    if (status == ClientFramer::Status::Overflow)
        dropClient(id, QStringLiteral("no message end within %1 bytes").arg(ClientFramer::maxPending));
    else if (status == ClientFramer::Status::Junk)
        dropClient(id, QStringLiteral("binary data"));
    flush();
    arm();
}

void DemoAuctionServer::dropClient(AuctionEngine::ClientId id, const QString &reason)
{
    const auto it = m_clients.find(id);
    if (it == m_clients.end())
        return;
    QTcpSocket *socket = it->second.socket;
    m_clients.erase(it);
    m_engine.clientDisconnected(id);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
    emit clientDropped(reason);
}

void DemoAuctionServer::dropEveryone()
{
    std::vector<AuctionEngine::ClientId> ids;
    for (const auto &[id, client] : m_clients)
        ids.push_back(id);
    for (AuctionEngine::ClientId id : ids)
        dropClient(id, QStringLiteral("dropped on request"));
}

void DemoAuctionServer::forget(AuctionEngine::ClientId id)
{
    const auto it = m_clients.find(id);
    if (it == m_clients.end())
        return;
    it->second.socket->deleteLater();
    m_clients.erase(it);
    m_engine.clientDisconnected(id);
}

void DemoAuctionServer::flush()
{
    std::vector<AuctionEngine::ClientId> slow;
    for (const AuctionEngine::Outgoing &out : m_engine.takeOutbox()) {
        const auto it = m_clients.find(out.to);
        if (it == m_clients.end())
            continue;
        QTcpSocket *socket = it->second.socket;
        socket->write(out.bytes);
        if (socket->bytesToWrite() > maxBacklog)
            slow.push_back(out.to);
    }
    for (AuctionEngine::ClientId id : slow)
        dropClient(id, QStringLiteral("not reading"));
}
