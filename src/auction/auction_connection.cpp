#include "auction_connection.h"

#include "auction_board.h"
#include "auction_protocol.h"
#include "auction_socket.h"
#include "prompter.h"

namespace {
const QString failedText =
    QStringLiteral("ไม่สามารถติดต่อกับเครื่องที่ให้บริการได้ ..... กรุณาลองดูอีกครั้ง หรือ ติดต่อฝ่ายเทคนิค Gavora");
} // namespace

AuctionConnection::AuctionConnection(AuctionBoard &board, Prompter &prompter, std::function<void()> beep,
                                     QObject *parent)
    : QObject(parent), m_board(board), m_prompter(prompter), m_beep(std::move(beep)),
      wsk_tcp(new AuctionSocket(this)), m_receiver(board)
{
    connect(wsk_tcp, &AuctionSocket::connected, this, &AuctionConnection::wsk_tcp_Connect);
    connect(wsk_tcp, &AuctionSocket::closed, this, &AuctionConnection::wsk_tcp_Close);
    connect(wsk_tcp, &AuctionSocket::error, this, &AuctionConnection::wsk_tcp_Error);
    connect(wsk_tcp, &AuctionSocket::dataArrival, this, &AuctionConnection::wsk_tcp_DataArrival);
}

AuctionConnection::~AuctionConnection() = default;

void AuctionConnection::ConnectAuctionSocket(const QString &host, int port, const QString &userId)
{
    wsk_tcp->Close();
    m_board.setUserId(userId);
    wsk_tcp->setRemoteHost(host);
    wsk_tcp->setRemotePort(port);
    wsk_tcp->Connect();
    setState(State::Connecting);
}

void AuctionConnection::close()
{
    wsk_tcp->Close();
    setState(State::NotConnected);
}

bool AuctionConnection::send(const QByteArray &bytes)
{
    return wsk_tcp->SendData(bytes);
}

void AuctionConnection::setState(State state)
{
    if (std::exchange(m_state, state) != state)
        emit stateChanged(state);
}

void AuctionConnection::wsk_tcp_Connect()
{
    m_receiver.reset();
    setState(State::Connected);
    m_beep();
    wsk_tcp->SendData(Protocol::announcement(m_board.userId()));
}

void AuctionConnection::wsk_tcp_Close()
{
    m_receiver.reset();
    m_board.connectionClosed();
    wsk_tcp->Close();
    setState(State::NotConnected);
    emit lost();
}

void AuctionConnection::wsk_tcp_Error()
{
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
