#include "http_server.h"

#include "demo_site.h"
#include "http_request.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>
#include <sys/socket.h>

struct DemoHttpServer::Connection {
    HttpRequestReader reader;
    QTimer *timer = nullptr;
    bool answered = false;
    bool finished = false;
};

DemoHttpServer::DemoHttpServer(QObject *parent) : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &DemoHttpServer::acceptConnections);
}

bool DemoHttpServer::listen(const QHostAddress &address, quint16 port)
{
    return m_server->listen(address, port);
}

quint16 DemoHttpServer::port() const
{
    return m_server->serverPort();
}

QString DemoHttpServer::errorString() const
{
    return m_server->errorString();
}

void DemoHttpServer::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        if (m_open >= maxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        serve(socket);
    }
}

void DemoHttpServer::serve(QTcpSocket *socket)
{
    ++m_open;
    auto connection = std::make_shared<Connection>();
    connection->timer = new QTimer(socket);
    connection->timer->setSingleShot(true);
    connection->timer->start(idleTimeoutMs);

    auto finish = [this, socket, connection] {
        if (connection->finished)
            return;
        connection->finished = true;
        --m_open;
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    };
    connect(connection->timer, &QTimer::timeout, this, [this, socket, connection, finish] {
        if (connection->answered)
            finish();
        else
            reply(socket, *connection, DemoSite::errorPage(408).serialize());
    });
    connect(socket, &QTcpSocket::disconnected, this, finish);
    connect(socket, &QTcpSocket::errorOccurred, this, [socket, finish] {
        if (socket->state() != QAbstractSocket::ConnectedState)
            finish();
    });
    // Once the answer is out, only our side closes: closing with unread request bytes would reset the
    // connection and could destroy the answer before the client reads it.
    connect(socket, &QTcpSocket::bytesWritten, this, [socket, connection] {
        if (connection->answered && socket->bytesToWrite() == 0)
            ::shutdown(int(socket->socketDescriptor()), SHUT_WR);
    });
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, connection] {
        const QByteArray data = socket->readAll();
        if (connection->answered)
            return;
        const HttpRequestReader::State state = connection->reader.feed(data);
        switch (state) {
        case HttpRequestReader::State::Incomplete:
            return;
        case HttpRequestReader::State::Bad:
            reply(socket, *connection, DemoSite::errorPage(400).serialize());
            return;
        case HttpRequestReader::State::TooLarge:
            reply(socket, *connection, DemoSite::errorPage(431).serialize());
            return;
        case HttpRequestReader::State::Complete:
            break;
        }
        const QByteArray method = connection->reader.method();
        if (method == "GET" || method == "HEAD")
            reply(socket, *connection, DemoSite::get(connection->reader.target()).serialize(method == "GET"));
        else
            reply(socket, *connection, DemoSite::errorPage(405).serialize());
    });
}

void DemoHttpServer::reply(QTcpSocket *socket, Connection &connection, const QByteArray &bytes)
{
    connection.answered = true;
    connection.timer->start(lingerMs);
    socket->write(bytes);
}
