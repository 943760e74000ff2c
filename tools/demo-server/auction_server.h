#pragma once

#include "auction_engine.h"
#include "client_framer.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <map>

class QTcpServer;
class QTcpSocket;
class QTimer;

// Puts AuctionEngine on TCP: frames what each client sends, follows a real clock and writes out what the
// engine says. A misbehaving client is dropped alone.
class DemoAuctionServer : public QObject {
    Q_OBJECT
public:
    static constexpr int maxClients = 256;
    // A client that stops reading would otherwise make the server hold its backlog without bound.
    static constexpr qint64 maxBacklog = 1024 * 1024;

    DemoAuctionServer(AuctionEngine::Options options, QObject *parent = nullptr);
    ~DemoAuctionServer() override;

    bool listen(const QHostAddress &address, quint16 port);
    quint16 port() const;
    QString errorString() const;
    // Sets the engine's clock going; the first product goes up at once.
    void start();
    // The tests see a dropped client go through it.
    int clientCount() const { return int(m_clients.size()); }
    // Cuts every client off at once, as a network failure would; the auction goes on for those who return.
    void dropEveryone();

signals:
    void clientDropped(const QString &reason);

private:
    struct Client {
        QTcpSocket *socket;
        ClientFramer framer;
    };

    void acceptConnections();
    void readClient(AuctionEngine::ClientId id);
    void dropClient(AuctionEngine::ClientId id, const QString &reason);
    void forget(AuctionEngine::ClientId id);
    void catchUp();
    void flush();
    void arm();

    AuctionEngine m_engine;
    QTcpServer *m_server;
    QTimer *m_timer;
    QElapsedTimer m_clock;
    std::map<AuctionEngine::ClientId, Client> m_clients;
    AuctionEngine::ClientId m_nextId = 1;
};
