#include "loopback_peers.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <sys/socket.h>

LoopbackHttp::LoopbackHttp(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

quint16 LoopbackHttp::port() const
{
    return m_server->serverPort();
}

void LoopbackHttp::serve(QTcpSocket *socket)
{
    const QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    socket->setProperty("pending", pending);
    if (!pending.contains("\r\n\r\n"))
        return;
    socket->disconnect(this); // one request per connection
    requestLines.append(pending.left(pending.indexOf("\r\n")));
    if (answers)
        respond(socket);
    else
        m_held.append(socket);
}

void LoopbackHttp::answerHeld()
{
    for (const QPointer<QTcpSocket> &socket : std::exchange(m_held, {})) {
        if (socket)
            respond(socket);
    }
}

void LoopbackHttp::respond(QTcpSocket *socket)
{
    const QByteArray pending = socket->property("pending").toByteArray();
    const QByteArray requestLine = pending.left(pending.indexOf("\r\n"));
    if (!rawAnswer.isNull()) {
        socket->write(rawAnswer);
        socket->disconnectFromHost();
        return;
    }
    const QList<QByteArray> parts = requestLine.split(' ');
    const QString path = parts.size() > 1 ? QUrl(QString::fromLatin1(parts[1])).path() : QString();
    const QByteArray body =
        path.endsWith(QLatin1String("/chkmbid.asp"))
            ? signInBody
            : "<html><head><title>Gavora</title></head><body>" + path.toUtf8() + "</body></html>";
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

ScriptedPeer::ScriptedPeer(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost);
    m_port = m_server->serverPort();
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            ++m_connections;
            m_client = socket;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                received += socket->readAll();
                emit receivedMore();
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

quint16 ScriptedPeer::port() const
{
    return m_port;
}

void ScriptedPeer::refuse()
{
    m_server->close();
}

void ScriptedPeer::accept()
{
    m_server->listen(QHostAddress::LocalHost, m_port);
}

void ScriptedPeer::send(const QByteArray &bytes)
{
    if (!m_client)
        return;
    // Handed to the system at once: a test that drives another process may not return to its event loop soon.
    m_client->write(bytes);
    m_client->flush();
}

void ScriptedPeer::closeClient()
{
    if (m_client)
        m_client->disconnectFromHost();
}

void ScriptedPeer::resetClient()
{
    if (!m_client)
        return;
    const linger abortive{1, 0};
    setsockopt(int(m_client->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    m_client->abort();
}
