#pragma once

#include "auction_alerts.h"
#include "auction_panel.h"
#include "auto_bid.h"
#include "user_settings.h"

#include <QObject>
#include <functional>

class CaptionSwitcher;
class DesktopNotifier;
class Prompter;
struct Frm2BidMenus;
struct Frm2BidUi;

// What the window adds to the design around the auction panel: auto-bid up to Max. Bid, desktop
// notifications, muted sounds and the connection indicator, driven by the Setting menu's group of its own.
// Mute and notifications are kept between runs in settings.
class AuctionWatch : public QObject {
    Q_OBJECT
public:
    struct Parts {
        const Frm2BidUi &ui;
        const Frm2BidMenus &menus;
        AuctionPanel &panel;
        CaptionSwitcher &captions;
        Prompter &prompter;
        DesktopNotifier &notifier;
        // Whether the user is looking at the window: it is active and not minimised. Nothing is notified
        // then.
        std::function<bool()> attended;
    };
    AuctionWatch(Parts parts, UserSettings settings, QObject *parent);

    void MAutoBid_Click();
    void MNotify_Click();
    void MMute_Click();

    const AutoBid &autoBid() const { return m_autoBid; }

private:
    void afterRead(AuctionBoard::Events events);
    void onLink(AuctionPanel::Link link);
    void carryOut(AutoBid::Move move, const QList<AuctionAlert> &alerts);
    void showAutoBid();
    void followMaximum();
    void notify(const AuctionAlert &alert);

    Parts m_parts;
    UserSettings m_settings;
    AutoBid m_autoBid;
    AuctionAlerts m_alerts;
    AuctionPanel::Link m_link = AuctionPanel::Link::NotConnected;
};
