#pragma once

#include <QHostAddress>
#include <QObject>

class QTcpServer;
class QTcpSocket;

// Serves DemoSite over plain HTTP, one request per connection.
class DemoHttpServer : public QObject {
    Q_OBJECT
public:
    static constexpr int maxConnections = 64;
    static constexpr int idleTimeoutMs = 10'000;
    // How long an answered connection waits for the client to close before it is cut.
    static constexpr int lingerMs = 3'000;

    explicit DemoHttpServer(QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const;
    QString errorString() const;

private:
    struct Connection;

    void acceptConnections();
    void serve(QTcpSocket *socket);
    void reply(QTcpSocket *socket, Connection &connection, const QByteArray &bytes);

    QTcpServer *m_server;
    int m_open = 0;
};
