#pragma once

#include "amount.h"
#include "prompter.h"

#include <QByteArray>
#include <QString>
#include <functional>

// The bid button and the maximum-price box, without widgets: the window passes what its controls show and
// applies what comes back.
namespace Bidding {

enum class Outcome {
    Sent,            // the bid went out; play the sound
    TooLow,          // not above the last bid: told the user, sent nothing
    Disconnected,    // no connection, or the connection refused the bid: told the user, sent nothing
    MaximumDeclined, // above the user's maximum and the user said Cancel: sent nothing
};

struct Result {
    Outcome outcome = Outcome::TooLow;
    // The sound to play once the event loop has had its turn; empty when nothing was sent.
    QString sound;
    // The whole number the bid went out with.
    Amount::Value amount = 0;
};

// The box that says a bid cannot go out for want of a connection.
Prompter::Request disconnectBox();

// lastBidShown: Lb_bid. yourBid: reads lbYourBid as shown at that moment; the maximum-price question is modal
// and the server's bids go on under it, so the amount that goes out (and becomes the new maximum) is the one
// shown when the user answers. maximum: MMax, updated when the user accepts the raised maximum and the bid
// goes out. send receives the bid bytes of userId and says whether the connection took them. Pressing Enter
// in lbYourBid runs the same whether or not GOBID is enabled.
Result GOBID_Click(const QString &lastBidShown, const std::function<QString()> &yourBid, QString &maximum,
                   bool connected, const QString &userId, Prompter &prompter,
                   const std::function<bool(const QByteArray &)> &send);

// The bid button's last steps: the bid of yourBid goes out through send, and its sound is to follow; a bid
// the connection refuses is Disconnected, told to no one. Auto-bid sends through here too, so its bids are
// the button's to the byte.
Result sendBid(const QString &userId, const QString &yourBid,
               const std::function<bool(const QByteArray &)> &send);

// MMax when it loses the focus: a number shows grouped by thousands (0 as empty text); anything else stays.
QString MMax_LostFocus(const QString &text);

} // namespace Bidding
