#pragma once

#include <QString>

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
