#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class QTcpServer;
class QTcpSocket;

// A tiny HTTP responder on loopback: records each request line and answers from a table of paths.
class LoopbackHttp : public QObject {
    Q_OBJECT
public:
    explicit LoopbackHttp(QObject *parent = nullptr);
    quint16 port() const;
    // Body for a path (without query); the sign-in path answers signInBody.
    void setPage(const QString &path, const QByteArray &html);
    QByteArray signInBody = "ID=4711";
    // false: records requests but never answers, as a server that hangs.
    bool answers = true;
    // When set, every request is answered with exactly these bytes, then the connection is closed.
    QByteArray rawAnswer;
    QList<QByteArray> requestLines;

private:
    void serve(QTcpSocket *socket);
    QTcpServer *m_server;
    QHash<QString, QByteArray> m_pages;
};

// An auction server that plays a script: records every byte a client sends and sends what the test says.
class ScriptedPeer : public QObject {
    Q_OBJECT
public:
    explicit ScriptedPeer(QObject *parent = nullptr);
    quint16 port() const;
    bool hasClient() const { return !m_client.isNull(); }
    int connectionCount() const { return m_connections; }
    void send(const QByteArray &bytes);
    // Closes the client's connection from the server side.
    void closeClient();
    QByteArray received;

private:
    QTcpServer *m_server;
    QPointer<QTcpSocket> m_client;
    int m_connections = 0;
};
