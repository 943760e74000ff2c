#pragma once

#include "auction_receiver.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

class AuctionBoard;
class AuctionSocket;
class Prompter;

// The one connection to the auction server and its state: connecting, announcing the user, handing every read
// to the board, and the end of it. Widgets only show the state; everything else that depends on it (the
// indicator, auto-bid, the bid button's check) reads it here.
class AuctionConnection : public QObject {
    Q_OBJECT
public:
    enum class State { NotConnected, Connecting, Connected };

    // board takes what the server sends; prompter tells the user of a connection that failed; beep greets a
    // connection the user made.
    AuctionConnection(AuctionBoard &board, Prompter &prompter, std::function<void()> beep,
                      QObject *parent = nullptr);
    ~AuctionConnection() override;

    State state() const { return m_state; }
    bool isConnected() const { return m_state == State::Connected; }

    // Connects as userId, the name the sign-in has just checked: the connection's identity from then on. A
    // connection already up is closed first.
    void ConnectAuctionSocket(const QString &host, int port, const QString &userId);
    // The user's own end: nothing follows it.
    void close();
    // Queues bytes for sending whole; false when there is no connection to take them.
    bool send(const QByteArray &bytes);

signals:
    void stateChanged(AuctionConnection::State state);
    // The connection ended without the user asking, and the board is empty: signing in again is the way
    // back.
    void lost();

private:
    void wsk_tcp_Connect();
    void wsk_tcp_Close();
    void wsk_tcp_Error();
    void wsk_tcp_DataArrival();
    void setState(State state);

    AuctionBoard &m_board;
    Prompter &m_prompter;
    std::function<void()> m_beep;
    AuctionSocket *wsk_tcp;
    AuctionReceiver m_receiver;
    State m_state = State::NotConnected;
};
