#include "auction_connection.h"

#include "auction_board.h"
#include "auction_protocol.h"
#include "auction_socket.h"
#include "prompter.h"
#include "timeline.h"

#include <QRandomGenerator>
#include <array>
#include <cmath>

namespace {
const QString failedText =
    QStringLiteral("ไม่สามารถติดต่อกับเครื่องที่ให้บริการได้ ..... กรุณาลองดูอีกครั้ง หรือ ติดต่อฝ่ายเทคนิค Gavora");
} // namespace

qint64 Reconnect::waitBeforeTry(int tryNumber, double random)
{
    constexpr std::array<qint64, 6> waits{1000, 2000, 4000, 8000, 16000, 30000};
    const qint64 base = waits[std::size_t(std::clamp(tryNumber, 1, int(waits.size())) - 1)];
    return std::llround(double(base) * (0.8 + 0.4 * std::clamp(random, 0.0, 1.0)));
}

AuctionConnection::AuctionConnection(AuctionBoard &board, Prompter &prompter, std::function<void()> beep,
                                     Timeline &timeline, std::function<double()> random, QObject *parent)
    : QObject(parent), m_board(board), m_prompter(prompter), m_beep(std::move(beep)), m_timeline(timeline),
      m_random(random ? std::move(random) : [] { return QRandomGenerator::global()->generateDouble(); }),
      wsk_tcp(new AuctionSocket(this)), m_receiver(board), m_tryAlarm(timeline.alarm()),
      m_attemptAlarm(timeline.alarm()), m_giveUpAlarm(timeline.alarm()), m_tickAlarm(timeline.alarm())
{
    connect(wsk_tcp, &AuctionSocket::connected, this, &AuctionConnection::wsk_tcp_Connect);
    connect(wsk_tcp, &AuctionSocket::closed, this, &AuctionConnection::wsk_tcp_Close);
    connect(wsk_tcp, &AuctionSocket::error, this, &AuctionConnection::wsk_tcp_Error);
    connect(wsk_tcp, &AuctionSocket::dataArrival, this, &AuctionConnection::wsk_tcp_DataArrival);
    m_tryAlarm->ring = [this] { tryNow(); };
    // A try that neither connects nor fails in time is a failed try.
    m_attemptAlarm->ring = [this] {
        wsk_tcp->Close();
        scheduleTry();
    };
    m_giveUpAlarm->ring = [this] {
        stopTries();
        emit gaveUp();
        emit lost();
    };
    m_tickAlarm->ring = [this] { tellWait(); };
}

AuctionConnection::~AuctionConnection() = default;

void AuctionConnection::ConnectAuctionSocket(const QString &host, int port, const QString &userId)
{
    stopTries();
    m_tries = 0;
    m_upSince = -1;
    wsk_tcp->Close();
    m_board.setUserId(userId);
    m_host = host;
    m_port = port;
    wsk_tcp->setRemoteHost(host);
    wsk_tcp->setRemotePort(port);
    wsk_tcp->Connect();
    setState(State::Connecting);
}

void AuctionConnection::close()
{
    stopTries();
    wsk_tcp->Close();
    setState(State::NotConnected);
}

void AuctionConnection::stopReconnecting()
{
    if (!m_reconnecting)
        return;
    stopTries();
    emit lost();
}

bool AuctionConnection::send(const QByteArray &bytes)
{
    return wsk_tcp->SendData(bytes);
}

void AuctionConnection::setState(State state)
{
    const State before = std::exchange(m_state, state);
    if (before == state)
        return;
    emit stateChanged(state);
    if (before == State::Connected)
        emit ended();
}

void AuctionConnection::wsk_tcp_Connect()
{
    m_receiver.reset();
    const bool again = m_reconnecting;
    if (again) {
        m_attemptAlarm->stop();
        m_giveUpAlarm->stop();
        m_reconnecting = false;
    } else {
        m_beep();
    }
    m_upSince = m_timeline.now();
    setState(State::Connected);
    wsk_tcp->SendData(Protocol::announcement(m_board.userId()));
    if (again)
        emit reconnected(m_upSince - m_lostAt);
}

void AuctionConnection::emptyBoard()
{
    m_receiver.reset();
    m_board.connectionClosed();
    wsk_tcp->Close();
}

void AuctionConnection::wsk_tcp_Close()
{
    if (m_reconnecting) {
        // A try that the server closed at once.
        m_attemptAlarm->stop();
        wsk_tcp->Close();
        scheduleTry();
        return;
    }
    if (m_reconnectOn && m_state == State::Connected) {
        startReconnecting();
        return;
    }
    emptyBoard();
    setState(State::NotConnected);
    emit lost();
}

void AuctionConnection::wsk_tcp_Error()
{
    if (m_reconnecting) {
        // A failed try says nothing: the indicator tells of the next.
        m_attemptAlarm->stop();
        scheduleTry();
        return;
    }
    if (m_reconnectOn && m_state == State::Connected) {
        startReconnecting();
        return;
    }
    setState(State::NotConnected);
    // Never a modal box inside the socket's own signal: data arriving meanwhile would sit unread.
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_prompter.ask(Box::critical(failedText));
            wsk_tcp_Close();
        },
        Qt::QueuedConnection);
}

void AuctionConnection::wsk_tcp_DataArrival()
{
    m_receiver.receive(wsk_tcp->GetData());
}

void AuctionConnection::startReconnecting()
{
    emptyBoard();
    const qint64 now = m_timeline.now();
    // A connection that dropped soon after it came back goes on with the waits it had reached.
    if (m_upSince < 0 || now - m_upSince >= Reconnect::steadyAfter)
        m_tries = 0;
    m_lostAt = now;
    m_reconnecting = true;
    m_giveUpAlarm->start(Reconnect::giveUpAfter);
    scheduleTry();
}

void AuctionConnection::scheduleTry()
{
    const qint64 wait = Reconnect::waitBeforeTry(++m_tries, m_random());
    m_nextTryAt = m_timeline.now() + wait;
    m_tryAlarm->start(wait);
    setState(State::Waiting);
    tellWait();
}

void AuctionConnection::tellWait()
{
    const qint64 left = std::max<qint64>(0, m_nextTryAt - m_timeline.now());
    const qint64 seconds = Reconnect::secondsLeft(left);
    emit waitingSeconds(int(seconds));
    // Again when the whole seconds left change.
    if (seconds > 1)
        m_tickAlarm->start(left - (seconds - 1) * 1000);
}

void AuctionConnection::tryNow()
{
    m_tickAlarm->stop();
    if (m_signingIn && m_signingIn()) {
        m_nextTryAt = m_timeline.now() + 1000;
        m_tryAlarm->start(1000);
        tellWait();
        return;
    }
    setState(State::Connecting);
    wsk_tcp->setRemoteHost(m_host);
    wsk_tcp->setRemotePort(m_port);
    wsk_tcp->Connect();
    m_attemptAlarm->start(Reconnect::tryTime);
}

void AuctionConnection::stopTries()
{
    for (Alarm *alarm : {m_tryAlarm.get(), m_attemptAlarm.get(), m_giveUpAlarm.get(), m_tickAlarm.get()})
        alarm->stop();
    if (!m_reconnecting)
        return;
    m_reconnecting = false;
    wsk_tcp->Close();
    setState(State::NotConnected);
}
