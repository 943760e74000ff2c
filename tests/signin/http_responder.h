#pragma once

#include <QByteArray>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <optional>

// A loopback web server of one page: records each request line and answers with the body set, or never
// answers when no body is set.
class HttpResponder : public QObject {
    Q_OBJECT
public:
    explicit HttpResponder(QObject *parent = nullptr) : QObject(parent)
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            }
        });
    }

    quint16 port() const { return m_server.serverPort(); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }
    void setBody(std::optional<QByteArray> body) { m_body = std::move(body); }

    QList<QByteArray> requestLines;

private:
    void serve(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        requestLines.append(pending.left(pending.indexOf("\r\n")));
        pending.clear();
        if (!m_body)
            return;
        socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                      QByteArray::number(m_body->size()) + "\r\nConnection: close\r\n\r\n" + *m_body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    std::optional<QByteArray> m_body = QByteArray("ID=1");
    QHash<QTcpSocket *, QByteArray> m_pending;
};
