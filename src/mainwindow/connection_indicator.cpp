#include "connection_indicator.h"

#include "caption_table.h"

#include <QPainter>

namespace {
constexpr int dotSize = 10;
constexpr int dotGap = 5;

QColor dotColour(AuctionConnection::State state)
{
    switch (state) {
    case AuctionConnection::State::Connected:
        return {0x2E, 0x9D, 0x3A};
    case AuctionConnection::State::Connecting:
    case AuctionConnection::State::Waiting:
        return {0xF0, 0xA8, 0x00};
    case AuctionConnection::State::NotConnected:
        break;
    }
    return {0x90, 0x90, 0x90};
}
} // namespace

ConnectionIndicator::ConnectionIndicator(QWidget *parent) : QLabel(parent)
{
    setIndent(dotSize + dotGap);
    showState();
}

void ConnectionIndicator::setState(AuctionConnection::State state)
{
    m_state = state;
    showState();
}

void ConnectionIndicator::setWaitingSeconds(int seconds)
{
    m_waitingSeconds = seconds;
    showState();
}

void ConnectionIndicator::setRoundTrip(qint64 ms)
{
    m_roundTrip = ms;
    showState();
}

void ConnectionIndicator::showIn(int column)
{
    m_column = column;
    showState();
}

void ConnectionIndicator::showState()
{
    QString text;
    switch (m_state) {
    case AuctionConnection::State::Connected:
        text = m_roundTrip < 0 ? AddedCaption::connected.in(m_column)
                               : AddedCaption::connectedRoundTrip.in(m_column).arg(m_roundTrip);
        break;
    case AuctionConnection::State::Connecting:
        text = AddedCaption::connecting.in(m_column);
        break;
    case AuctionConnection::State::Waiting:
        text = AddedCaption::reconnectingIn.in(m_column).arg(m_waitingSeconds);
        break;
    case AuctionConnection::State::NotConnected:
        text = AddedCaption::notConnected.in(m_column);
        break;
    }
    setText(text);
    setAccessibleName(SpokenName::stbConnection.in(m_column) + QStringLiteral(": ") + text);
    update();
}

void ConnectionIndicator::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(dotColour(m_state));
    const QRect inside = contentsRect();
    painter.drawEllipse(QRectF(inside.left() + 1, inside.center().y() - dotSize / 2.0 + 1, dotSize, dotSize));
}
