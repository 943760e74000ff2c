#pragma once

#include "sale_record.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

struct ClosedFields;

// The auction panel's state: exactly the texts and flags the panel shows (amounts are kept as shown), and one
// handler per server keyword. Handlers mark what changed; flush() tells the window once per read, so a read
// that brings thousands of bids repaints once with the same end result. A run of bids is kept as raw fields
// and turned into texts once, when anything else needs the panel: only the last 31 can be listed and only the
// last one decides the colours and the your-bid amount.
class AuctionBoard : public QObject {
    Q_OBJECT
public:
    static constexpr int maxListLines = 31;
    static constexpr int countDownMaximum = 15;
    static constexpr int soldPicture = 4;

    // Which colours the bid list and the high bidder show.
    enum class BidColours { Initial, OwnBid, OtherBid };

    enum Change : unsigned {
        ProductChanged = 1u << 0,   // CurrentProductID, PDesc, nQty, fbidat, MinBid, SellerBy, cCurrency
        HighBidChanged = 1u << 1,   // Hi_Bid, Lb_bid, bid_Inc
        YourBidChanged = 1u << 2,   // lbYourBid
        ListChanged = 1u << 3,      // aucList lines, selection, colours
        CountDownChanged = 1u << 4, // countDown
        StageChanged = 1u << 5,     // img_count and displastbid
        BidButtonChanged = 1u << 6, // GOBID
        ChatChanged = 1u << 7,      // msgchat
    };
    Q_DECLARE_FLAGS(Changes, Change)

    explicit AuctionBoard(QObject *parent = nullptr);

    // Called first thing at a sale, with the values shown at that moment.
    void setSaleRecorder(std::function<void(const SaleRecord &)> recorder);
    // Who the client is on its connection: the name a successful sign-in verified, announced with AuctionGO.
    // Bids, chat lines, the own-bid colours and the history record's user take it, never a name that is still
    // being checked.
    void setUserId(const QString &userId);
    const QString &userId() const { return m_userId; }

    // State as shown at the last flush() (the receiver flushes after every read).
    const QString &currentProductId() const { return m_currentProductId; }
    const QString &pDesc() const { return m_pDesc; }
    const QString &nQty() const { return m_nQty; }
    const QString &fbidat() const { return m_fbidat; }
    const QString &minBid() const { return m_minBid; }
    const QString &hiBid() const { return m_hiBid; }
    const QString &lbBid() const { return m_lbBid; }
    const QString &bidInc() const { return m_bidInc; }
    const QString &sellerBy() const { return m_sellerBy; }
    const QString &cCurrency() const { return m_cCurrency; }
    const QString &lbYourBid() const { return m_lbYourBid; }
    const QStringList &aucList() const { return m_aucList; }
    int aucListSelected() const { return m_aucList.size() - 1; }
    BidColours bidColours() const { return m_bidColours; }
    int countDown() const { return m_countDown; }
    // 0: img_count hidden; 1 to 3: the stage digit; 4: the closing banner.
    int stagePicture() const { return m_stagePicture; }
    bool displastbidVisible() const { return m_displastbidVisible; }
    const QString &displastbidText() const { return m_displastbidText; }
    bool gobidEnabled() const { return m_gobidEnabled; }
    const QString &msgchat() const { return m_msgchat; }

    // The user edits the your-bid box; the next server bid overwrites it. Signals nothing: the box shows it.
    void setYourBid(const QString &text);
    // The "Display Last Bid" switch hides the large copy until the next countdown stage. Flushes.
    void hideLastBidDisplay();

    // One server message, already cut at its terminator and trimmed. Unknown keywords are chat.
    void handleMessage(QByteArrayView message);
    // The connection was lost: empties the auction panel as the window expects after a close. Flushes.
    void connectionClosed();

    // Brings the state up to date, then emits changed() when anything changed since the last flush, and the
    // deferred side effects.
    void flush();

signals:
    void changed(AuctionBoard::Changes what);
    // The description pane should show this page (only http and https addresses are passed on).
    void navigateDescription(const QString &url);
    // A sound to play now, relative to the current folder ("Sounds/boom.wav").
    void playSound(const QString &relativePath);

private:
    void onProductInfo(const ClosedFields &fields);
    void onBid(const ClosedFields &fields);
    void showPendingBids();
    void onLeftCount(const ClosedFields &fields);
    void showStage(int picture);
    void onStage(int stage);
    void onSold();
    void onCountCancel();
    void setBidButton(bool enabled);
    void onCancel(const ClosedFields &fields);
    void onChat(const ClosedFields &fields);
    void setLastBid(QString shown, qint64 value);
    void setIncrement(qint64 value);
    void clearIncrement();
    void navigate(const QString &url);
    void play(const QString &relativePath);

    QString m_currentProductId;
    QString m_pDesc;
    QString m_nQty;
    QString m_fbidat = QStringLiteral("0");
    QString m_minBid = QStringLiteral("0");
    QString m_hiBid = QStringLiteral("0");
    QString m_lbBid = QStringLiteral("0");
    qint64 m_lbBidValue =
        0; // AmountValue(m_lbBid), so that no bid reads the label back; ahead of it in a run
    QString m_bidInc = QStringLiteral("0");
    qint64 m_bidIncValue = 0;
    bool m_bidIncShown = false; // m_bidInc is FormatAmount(m_bidIncValue)
    QString m_sellerBy;
    QString m_cCurrency = QStringLiteral("Currency = ");
    QString m_lbYourBid = QStringLiteral("0");
    QStringList m_aucList;
    BidColours m_bidColours = BidColours::Initial;
    int m_countDown = 0;
    int m_stagePicture = 0;
    bool m_displastbidVisible = false;
    QString m_displastbidText;
    bool m_gobidEnabled = false;
    QString m_msgchat;

    // The run of bids not yet shown. Buffers are reused, so a bid costs no allocation.
    struct PendingBid {
        QByteArray bidder;
        QByteArray time;
        qint64 amount = 0;
    };
    std::array<PendingBid, maxListLines> m_pendingBids; // the last ones, bid n at n % maxListLines
    qsizetype m_pendingCount = 0;
    bool m_pendingHighBid = false; // the run holds a higher bid: m_lbBidValue is its amount
    QByteArray m_pendingHighBidder;
    qint64 m_pendingIncrement = 0; // of the higher bid
    qint64 m_pendingYourBid = 0;

    QString m_userId;
    std::function<void(const SaleRecord &)> m_saleRecorder;
    Changes m_changes;
    QString m_pendingNavigation;
    QString m_pendingSound;
    bool m_navigationPending = false;
    bool m_soundPending = false;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(AuctionBoard::Changes)
