#include "connection_indicator.h"

#include "caption_table.h"

#include <QPainter>

namespace {
constexpr int dotSize = 10;
constexpr int dotGap = 5;

const Caption &word(AuctionConnection::State state)
{
    switch (state) {
    case AuctionConnection::State::Connected:
        return AddedCaption::connected;
    case AuctionConnection::State::Connecting:
        return AddedCaption::connecting;
    case AuctionConnection::State::NotConnected:
        break;
    }
    return AddedCaption::notConnected;
}

QColor dotColour(AuctionConnection::State state)
{
    switch (state) {
    case AuctionConnection::State::Connected:
        return {0x2E, 0x9D, 0x3A};
    case AuctionConnection::State::Connecting:
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

void ConnectionIndicator::showIn(int column)
{
    m_column = column;
    showState();
}

void ConnectionIndicator::showState()
{
    const QString text = word(m_state).in(m_column);
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
