#include "loopback_peers.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

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

void LoopbackHttp::setPage(const QString &path, const QByteArray &html)
{
    m_pages.insert(path, html);
}

void LoopbackHttp::serve(QTcpSocket *socket)
{
    QByteArray pending = socket->property("pending").toByteArray() + socket->readAll();
    const qsizetype end = pending.indexOf("\r\n\r\n");
    if (end < 0) {
        socket->setProperty("pending", pending);
        return;
    }
    const QByteArray requestLine = pending.left(pending.indexOf("\r\n"));
    requestLines.append(requestLine);
    if (!answers)
        return;
    if (!rawAnswer.isNull()) {
        socket->write(rawAnswer);
        socket->disconnectFromHost();
        return;
    }
    const QList<QByteArray> parts = requestLine.split(' ');
    const QString path = parts.size() > 1 ? QUrl(QString::fromLatin1(parts[1])).path() : QString();
    QByteArray body;
    QByteArray status = "200 OK";
    if (path.endsWith(QLatin1String("/chkmbid.asp"))) {
        body = signInBody;
    } else if (m_pages.contains(path)) {
        body = m_pages.value(path);
    } else {
        body = "<html><head><title>Gavora</title></head><body>" + path.toUtf8() + "</body></html>";
    }
    socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

ScriptedPeer::ScriptedPeer(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    m_server->listen(QHostAddress::LocalHost);
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            ++m_connections;
            m_client = socket;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { received += socket->readAll(); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

quint16 ScriptedPeer::port() const
{
    return m_server->serverPort();
}

void ScriptedPeer::send(const QByteArray &bytes)
{
    if (m_client)
        m_client->write(bytes);
}

void ScriptedPeer::closeClient()
{
    if (m_client)
        m_client->disconnectFromHost();
}
