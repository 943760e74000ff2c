#include "auto_bid_control.h"

#include "amount.h"
#include "auction_alerts.h"
#include "auction_panel.h"
#include "bidding.h"
#include "caption_switcher.h"
#include "connection_notes.h"
#include "prompter.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

AutoBidControl::AutoBidControl(Parts parts, QObject *parent) : QObject(parent), m_parts(std::move(parts))
{
    AuctionPanel &auction = m_parts.auction;
    connect(&auction.board(), &AuctionBoard::applied, this, &AutoBidControl::afterRead);
    connect(&auction.connection(), &AuctionConnection::ended, this, &AutoBidControl::connectionEnded);
    connect(&auction.connection(), &AuctionConnection::reconnected, this, [this] {
        if (std::exchange(m_stoppedByLoss, false))
            m_parts.auction.notes().autoBidStoppedByLoss();
    });
    connect(&auction, &AuctionPanel::bidSent, this, [this] { m_autoBid.bidSent(); });
    // The maximum is taken once the user has finished typing it, or when the bid button raises it.
    QLineEdit *maximum = m_parts.maximum;
    connect(maximum, &QLineEdit::editingFinished, this, &AutoBidControl::follow);
    connect(maximum, &QLineEdit::textChanged, this, [this, maximum] {
        if (!maximum->hasFocus())
            follow();
    });
    m_parts.captions.follow([this](int) { show(); });
}

void AutoBidControl::MAutoBid_Click()
{
    if (m_autoBid.state() == AutoBid::State::Armed) {
        m_autoBid.disarm();
        show();
        return;
    }
    const AuctionBoard &board = m_parts.auction.board();
    const bool connected = m_parts.auction.connection().isConnected();
    const int column = m_parts.captions.column();
    switch (m_autoBid.arm(board, m_parts.maximum->text(), connected)) {
    case AutoBid::Refusal::Disconnected:
        m_parts.prompter.ask(Bidding::disconnectBox());
        return;
    case AutoBid::Refusal::BiddingClosed:
        m_parts.prompter.ask(Box::information(AddedCaption::biddingClosed.in(column)));
        return;
    case AutoBid::Refusal::MaximumNotAboveLastBid:
        m_parts.prompter.ask(Box::information(AddedCaption::maximumNotAboveLastBid.in(column)));
        return;
    case AutoBid::Refusal::None:
        break;
    }
    const AutoBid::Move move = m_autoBid.next(board, {}, connected);
    show();
    carryOut(move);
}

void AutoBidControl::afterRead(AuctionBoard::Events events)
{
    const AutoBid::State before = m_autoBid.state();
    carryOut(m_autoBid.next(m_parts.auction.board(), events, m_parts.auction.connection().isConnected()));
    if (m_autoBid.state() != before)
        show();
}

void AutoBidControl::carryOut(AutoBid::Move move)
{
    if (move == AutoBid::Move::Bid) {
        m_parts.auction.sendYourBid();
    } else if (move == AutoBid::Move::Stop) {
        m_parts.alerts.autoBidStopped(m_autoBid.stoppedAt());
    }
}

void AutoBidControl::connectionEnded()
{
    m_stoppedByLoss =
        m_autoBid.state() == AutoBid::State::Armed && m_parts.auction.connection().isReconnecting();
    m_autoBid.connectionEnded();
    show();
}

void AutoBidControl::follow()
{
    m_autoBid.setMaximum(m_parts.maximum->text());
    show();
}

void AutoBidControl::show()
{
    const int column = m_parts.captions.column();
    QLabel *panel = m_parts.panel;
    switch (m_autoBid.state()) {
    case AutoBid::State::Off:
        panel->hide();
        panel->clear();
        break;
    case AutoBid::State::Armed:
        panel->setText(AddedCaption::autoBidArmed.in(column).arg(FormatAmount(m_autoBid.maximum())));
        panel->show();
        break;
    case AutoBid::State::Stopped:
        panel->setText(AlertText::autoBidStopped.in(column).arg(m_autoBid.stoppedAt()));
        panel->show();
        break;
    }
    m_parts.item->setChecked(m_autoBid.state() == AutoBid::State::Armed);
}
