#pragma once

#include "auction_receiver.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <algorithm>
#include <functional>
#include <memory>

class Alarm;
class AuctionBoard;
class AuctionSocket;
class Prompter;
class Timeline;

// How reconnecting by itself paces its tries: the first comes a second after the loss, then the waits double
// up to half a minute, each varied by up to a fifth either way so that clients dropped together do not all
// come back at once.
namespace Reconnect {
inline constexpr qint64 tryTime = 10'000;      // for a try to connect
inline constexpr qint64 giveUpAfter = 600'000; // from the loss
inline constexpr qint64 steadyAfter = 30'000;  // up this long, the next loss starts the waits afresh
// The wait before try number tryNumber (from 1); random lies in [0, 1).
qint64 waitBeforeTry(int tryNumber, double random);
// The wait left before the next try, as the indicator counts it down: whole seconds, rounded up, at least
// one.
inline qint64 secondsLeft(qint64 ms)
{
    return std::max<qint64>(1, (ms + 999) / 1000);
}
// How long a reconnection took, as the user is told it: whole seconds, at least one.
inline qint64 seconds(qint64 ms)
{
    return ms < 1500 ? 1 : (ms + 500) / 1000;
}
} // namespace Reconnect

// The one connection to the auction server and its state: connecting, announcing the user, handing every read
// to the board, and the end of it. Widgets only show the state; everything else that depends on it (the
// indicator, auto-bid, the bid button's check) reads it here. With reconnecting on, a connection that had
// been announced and ends without the user asking is followed by new tries under the same identity instead
// of the sign-in window; the user's own sign-in, Login, or closing the window stops them.
class AuctionConnection : public QObject {
    Q_OBJECT
public:
    // Waiting: for the next try to reconnect.
    enum class State { NotConnected, Connecting, Connected, Waiting };

    // board takes what the server sends; prompter tells the user of a connection that failed; beep greets a
    // connection the user made. Tries are paced on timeline and varied by random, in [0, 1).
    AuctionConnection(AuctionBoard &board, Prompter &prompter, std::function<void()> beep, Timeline &timeline,
                      std::function<double()> random = {}, QObject *parent = nullptr);
    ~AuctionConnection() override;

    State state() const { return m_state; }
    bool isConnected() const { return m_state == State::Connected; }
    bool isReconnecting() const { return m_reconnecting; }

    void setReconnectAutomatically(bool on) { m_reconnectOn = on; }
    // While it says true no try starts: the user is signing in.
    void setSigningIn(std::function<bool()> signingIn) { m_signingIn = std::move(signingIn); }

    // Connects as userId, the name the sign-in has just checked: the connection's identity from then on. A
    // connection already up, or tries to reconnect, end first.
    void ConnectAuctionSocket(const QString &host, int port, const QString &userId);
    // The user's own end: nothing follows it.
    void close();
    // The user gives up waiting for a reconnection (Login): as if the loss had just happened without it.
    void stopReconnecting();
    // Queues bytes for sending whole; false when there is no connection to take them.
    bool send(const QByteArray &bytes);

signals:
    void stateChanged(AuctionConnection::State state);
    // The connection that was up has ended, whatever comes next.
    void ended();
    // The connection ended without the user asking, and the board is empty: signing in again is the way
    // back.
    void lost();
    // The next try comes in this many seconds (rounded up); said as it changes.
    void waitingSeconds(int seconds);
    // Back, announced again, ms after the loss.
    void reconnected(qint64 ms);
    // Ten minutes of tries have not brought the connection back.
    void gaveUp();

private:
    void wsk_tcp_Connect();
    void wsk_tcp_Close();
    void wsk_tcp_Error();
    void wsk_tcp_DataArrival();
    void setState(State state);
    void emptyBoard();
    void startReconnecting();
    void scheduleTry();
    void tryNow();
    void tellWait();
    void stopTries();

    AuctionBoard &m_board;
    Prompter &m_prompter;
    std::function<void()> m_beep;
    Timeline &m_timeline;
    std::function<double()> m_random;
    std::function<bool()> m_signingIn;
    AuctionSocket *wsk_tcp;
    AuctionReceiver m_receiver;
    State m_state = State::NotConnected;

    QString m_host;
    int m_port = 0;
    bool m_reconnectOn = false;
    bool m_reconnecting = false;
    int m_tries = 0;       // tries since the schedule last started afresh
    qint64 m_lostAt = 0;   // the loss being repaired
    qint64 m_upSince = -1; // when the connection was last announced
    qint64 m_nextTryAt = 0;
    std::unique_ptr<Alarm> m_tryAlarm;
    std::unique_ptr<Alarm> m_attemptAlarm;
    std::unique_ptr<Alarm> m_giveUpAlarm;
    std::unique_ptr<Alarm> m_tickAlarm;
};
