#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QTcpServer;
class QTcpSocket;

// A tiny HTTP responder on loopback: records each request line and answers it.
class LoopbackHttp : public QObject {
    Q_OBJECT
public:
    explicit LoopbackHttp(QObject *parent = nullptr);
    quint16 port() const;
    // The sign-in path answers signInBody, every other path a page that names it.
    QByteArray signInBody = "ID=4711";
    // false: records requests but holds the answers back, as a server that hangs.
    bool answers = true;
    // When set, every request is answered with exactly these bytes, then the connection is closed.
    QByteArray rawAnswer;
    QList<QByteArray> requestLines;
    // Answers the requests held back so far, with the replies set now.
    void answerHeld();

private:
    void serve(QTcpSocket *socket);
    void respond(QTcpSocket *socket);
    QTcpServer *m_server;
    QList<QPointer<QTcpSocket>> m_held;
};

// An auction server that plays a script: records every byte a client sends and sends what the test says.
class ScriptedPeer : public QObject {
    Q_OBJECT
public:
    explicit ScriptedPeer(QObject *parent = nullptr);
    quint16 port() const;
    bool hasClient() const { return !m_client.isNull(); }
    int connectionCount() const { return m_connections; }
    // Sends at once, without waiting for the event loop.
    void send(const QByteArray &bytes);
    // Closes the client's connection from the server side, in order (FIN).
    void closeClient();
    // Breaks the client's connection off (RST): a close with a zero linger time.
    void resetClient();
    // Stops listening, so that connecting is refused, and listens again on the same port.
    void refuse();
    void accept();
    QByteArray received;

signals:
    // More bytes were added to received.
    void receivedMore();

private:
    QTcpServer *m_server;
    quint16 m_port = 0;
    QPointer<QTcpSocket> m_client;
    int m_connections = 0;
};
