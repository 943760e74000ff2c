#pragma once

#include <QLatin1StringView>
#include <QString>

// The panel's texts that the history reads back: the currency label's caption before the currency's name,
// and the pieces of a bid list line, "AT  " amount "  By  " bidder " Time : " time.
namespace PanelText {
inline constexpr QLatin1StringView currencyPrefix("Currency = ");
inline constexpr QLatin1StringView lineAt("AT  ");
inline constexpr QLatin1StringView lineBy("  By  ");
inline constexpr QLatin1StringView lineTime(" Time : ");
} // namespace PanelText

// What the auction panel shows at the moment of a sale, handed to the history store before anything changes.
struct SaleRecord {
    QString user; // the signed-in user
    QString productId;
    QString productName;
    QString highBidder; // the winner's user ID, as shown
    QString lastBid;    // the shown amount, with separators
    QString currency;   // the whole currency caption, "Currency = ..."
    QString seller;
    QString lastListLine; // the newest line of the bid list, or empty when the list is empty
};
