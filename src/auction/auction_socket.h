#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;

// The main window's one connection to the auction server. Events arrive on the user-interface thread, in
// order.
class AuctionSocket : public QObject {
    Q_OBJECT
public:
    explicit AuctionSocket(QObject *parent = nullptr);
    ~AuctionSocket() override;

    // Ends a connection or an attempt in progress. Harmless when closed; raises no closed() signal.
    void Close();
    void setRemoteHost(const QString &host);
    void setRemotePort(int port);
    // Starts connecting and returns at once; connected() or error() follows.
    void Connect();
    // Queues bytes (already Windows-874) for sending whole. Returns false when not connected.
    bool SendData(const QByteArray &bytes);
    // Every byte received and not yet taken.
    QByteArray GetData();
    bool isConnected() const;

signals:
    void connected();
    void dataArrival(qint64 bytesWaiting);
    // The peer closed the connection in order.
    void closed();
    // The attempt or the connection failed: refused, reset, timed out, or any other socket error.
    void error(int number, const QString &description);

private:
    void resetSocket();
    void onDisconnected();
    void onErrorOccurred(int socketError);
    void keepWitness();
    bool peerReset() const;
    void releaseWitness();

    QTcpSocket *m_socket;
    // A duplicate of the connection's descriptor, or -1.
    int m_witness = -1;
    QString m_host;
    int m_port = 0;
};
