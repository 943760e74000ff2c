#include "auction_watch.h"

#include "amount.h"
#include "auction_socket.h"
#include "bidding.h"
#include "caption_switcher.h"
#include "connection_indicator.h"
#include "desktop_notifier.h"
#include "frm2bid_menus.h"
#include "frm2bid_ui.h"
#include "prompter.h"
#include "sound_player.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>

namespace {
QString alertText(const AuctionAlert &alert, int column)
{
    using Kind = AuctionAlert::Kind;
    switch (alert.kind) {
    case Kind::Outbid:
        return AddedCaption::outbid.in(column).arg(alert.bidder, alert.amount, alert.product);
    case Kind::Closing:
        return AddedCaption::closing.in(column).arg(alert.product, alert.amount);
    case Kind::Won:
        return AddedCaption::won.in(column).arg(alert.product, alert.amount);
    case Kind::AutoBidStopped:
        return AddedCaption::autoBidStopped.in(column).arg(alert.amount);
    case Kind::ConnectionLost:
        break;
    }
    return AddedCaption::connectionLost.in(column);
}
} // namespace

AuctionWatch::AuctionWatch(Parts parts, UserSettings settings, QObject *parent)
    : QObject(parent), m_parts(std::move(parts)), m_settings(std::move(settings))
{
    AuctionPanel &panel = m_parts.panel;
    connect(&panel.board(), &AuctionBoard::applied, this, &AuctionWatch::afterRead);
    connect(&panel, &AuctionPanel::linkChanged, this, &AuctionWatch::onLink);
    connect(&panel, &AuctionPanel::bidSent, this, [this] { m_autoBid.bidSent(); });
    // The maximum is taken once the user has finished typing it, or when the bid button raises it.
    QLineEdit *maximum = m_parts.ui.MMax;
    connect(maximum, &QLineEdit::editingFinished, this, &AuctionWatch::followMaximum);
    connect(maximum, &QLineEdit::textChanged, this, [this, maximum] {
        if (!maximum->hasFocus())
            followMaximum();
    });
    m_parts.captions.follow([this](int) { showAutoBid(); });

    panel.sounds().setMuted(m_settings.muted());
    m_parts.menus.MMute->setChecked(m_settings.muted());
    m_parts.menus.MNotify->setChecked(m_settings.notifications());
}

void AuctionWatch::MAutoBid_Click()
{
    if (m_autoBid.state() == AutoBid::State::Armed) {
        m_autoBid.disarm();
        showAutoBid();
        return;
    }
    const AuctionBoard &board = m_parts.panel.board();
    const bool connected = m_parts.panel.socket()->isConnected();
    const int column = m_parts.captions.column();
    switch (m_autoBid.arm(board, m_parts.ui.MMax->text(), connected)) {
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
    showAutoBid();
    carryOut(move, {});
}

void AuctionWatch::MNotify_Click()
{
    m_settings.setNotifications(!m_settings.notifications());
    m_parts.menus.MNotify->setChecked(m_settings.notifications());
}

void AuctionWatch::MMute_Click()
{
    m_settings.setMuted(!m_settings.muted());
    m_parts.panel.sounds().setMuted(m_settings.muted());
    m_parts.menus.MMute->setChecked(m_settings.muted());
}

void AuctionWatch::afterRead(AuctionBoard::Events events)
{
    const AuctionBoard &board = m_parts.panel.board();
    const AutoBid::State before = m_autoBid.state();
    const AutoBid::Move move = m_autoBid.next(board, events, m_parts.panel.socket()->isConnected());
    if (m_autoBid.state() != before)
        showAutoBid();
    carryOut(move, m_alerts.afterRead(board, events));
}

// The bid goes out before anything else; the user hears of what the read brought, then of a stop it caused.
void AuctionWatch::carryOut(AutoBid::Move move, const QList<AuctionAlert> &alerts)
{
    if (move == AutoBid::Move::Bid)
        m_parts.panel.sendYourBid();
    for (const AuctionAlert &alert : alerts)
        notify(alert);
    if (move == AutoBid::Move::Stop)
        notify({AuctionAlert::Kind::AutoBidStopped, {}, {}, m_autoBid.stoppedAt()});
}

void AuctionWatch::onLink(AuctionPanel::Link link)
{
    m_parts.ui.stbConnection->setState(link);
    const AuctionPanel::Link before = std::exchange(m_link, link);
    if (link != AuctionPanel::Link::NotConnected)
        return;
    m_autoBid.connectionEnded();
    showAutoBid();
    if (before == AuctionPanel::Link::Connected)
        notify({AuctionAlert::Kind::ConnectionLost, {}, {}, {}});
}

void AuctionWatch::followMaximum()
{
    m_autoBid.setMaximum(m_parts.ui.MMax->text());
    showAutoBid();
}

void AuctionWatch::showAutoBid()
{
    const int column = m_parts.captions.column();
    QLabel *panel = m_parts.ui.stbAutoBid;
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
        panel->setText(AddedCaption::autoBidStopped.in(column).arg(m_autoBid.stoppedAt()));
        panel->show();
        break;
    }
    m_parts.menus.MAutoBid->setChecked(m_autoBid.state() == AutoBid::State::Armed);
}

void AuctionWatch::notify(const AuctionAlert &alert)
{
    if (!m_settings.notifications() || m_parts.attended())
        return;
    m_parts.notifier.notify(alertText(alert, m_parts.captions.column()));
}
