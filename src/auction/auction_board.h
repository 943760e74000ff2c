#pragma once

#include "amount.h"
#include "sale_record.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

struct ClosedFields;

// Told of each bid and each end of the product as the board handles them, in order within a read: what became
// of a bid the client sent depends on that order, which a read's events do not keep.
class BoardObserver {
public:
    virtual ~BoardObserver() = default;
    // mine: the bidder is this connection's identity, as the own-bid colours compare it.
    virtual void bidHandled(QByteArrayView bidder, bool mine, Amount::Value amount) = 0;
    // Sold, cancelled, or another product put up.
    virtual void productEnded() = 0;
};

// The auction panel's state: exactly the texts and flags the panel shows (amounts are kept as shown, the last
// bid also as sent, fraction and all, for the comparison with the next), and one handler per server keyword.
// The getters always show the state after the last message handled. Handlers mark what changed; flush() tells
// the window once per read, so a read that brings thousands of bids repaints once with the same end result. A
// run of bids is kept as raw fields and turned into texts once, when the panel is read or another keyword
// arrives: only the last 31 can be listed and only the last one decides the colours and the your-bid amount.
class AuctionBoard : public QObject {
    Q_OBJECT
public:
    static constexpr int maxListLines = 31;
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

    // What a read brought that parts beyond the panel act on (auto-bid, notifications).
    enum Event : unsigned {
        RivalBid = 1u << 0,       // a bid (Server::Bid) by someone other than this user
        OwnBid = 1u << 1,         // a bid by this user: the server took it
        Outbid = 1u << 2,         // this user held the high bid and a higher bid of someone else took it
        ProductPutUp = 1u << 3,   // Server::ProductInfo
        ClosingStarted = 1u << 4, // Server::Count1
        Sold = 1u << 5,           // Server::Sold; lastSale() holds the panel as it was
        Cancelled = 1u << 6,      // Server::Cancel
        BiddingOpened = 1u << 7,  // Server::GoBid
    };
    Q_DECLARE_FLAGS(Events, Event)

    explicit AuctionBoard(QObject *parent = nullptr);

    // Called first thing at a sale, with the values shown at that moment.
    void setSaleRecorder(std::function<void(const SaleRecord &)> recorder);
    void setObserver(BoardObserver *observer) { m_observer = observer; }
    // Who the client is on its connection: the name a successful sign-in verified, announced when it opens.
    // Bids, chat lines, the own-bid colours and the history record's user take it, never a name that is still
    // being checked.
    void setUserId(const QString &userId);
    const QString &userId() const { return m_userId; }

    const QString &currentProductId() const { return shown().currentProductId; }
    const QString &pDesc() const { return shown().pDesc; }
    const QString &nQty() const { return shown().nQty; }
    const QString &fbidat() const { return shown().fbidat; }
    const QString &minBid() const { return shown().minBid; }
    const QString &hiBid() const { return shown().hiBid; }
    const QString &lbBid() const { return shown().lbBid; }
    const QString &bidInc() const { return shown().bidInc; }
    const QString &sellerBy() const { return shown().sellerBy; }
    const QString &cCurrency() const { return shown().cCurrency; }
    const QString &lbYourBid() const { return shown().lbYourBid; }
    const QStringList &aucList() const { return shown().aucList; }
    int aucListSelected() const { return aucList().size() - 1; }
    BidColours bidColours() const { return shown().bidColours; }
    int countDown() const { return shown().countDown; }
    // 0: img_count hidden; 1 to 3: the stage digit; 4: the closing banner.
    int stagePicture() const { return shown().stagePicture; }
    bool displastbidVisible() const { return shown().displastbidVisible; }
    const QString &displastbidText() const { return shown().displastbidText; }
    bool gobidEnabled() const { return shown().gobidEnabled; }
    const QString &msgchat() const { return shown().msgchat; }
    // Whether Hi_Bid shows this user.
    bool highBidIsMine() const { return m_highBidIsMine; }
    // The panel at the last sale, before the sale changed it.
    const SaleRecord &lastSale() const { return m_lastSale; }

    // The user edits the your-bid box; the next server bid overwrites it. Signals nothing: the box shows it.
    void setYourBid(const QString &text);
    // The "Display Last Bid" switch hides the large copy until the next countdown stage. Flushes.
    void hideLastBidDisplay();

    // One server message, already cut at its terminator and trimmed. Unknown keywords are chat.
    void handleMessage(QByteArrayView message);
    // The connection was lost: empties the auction panel as the window expects after a close. Flushes.
    void connectionClosed();

    // Emits changed() when anything changed since the last flush, then the deferred side effects: the end of
    // one read (or of one change outside a read), when the panel catches up.
    void flush();

signals:
    void changed(AuctionBoard::Changes what);
    // A read (or a change outside one) has been applied and brought these events; right before changed().
    void applied(AuctionBoard::Events events);
    // The description pane should show this page (only http and https addresses are passed on).
    void navigateDescription(const QString &url);
    // A sound to play now, as WorkFolder::soundPath names it.
    void playSound(const QString &relativePath);

private:
    struct Shown {
        QString currentProductId;
        QString pDesc;
        QString nQty;
        QString fbidat = QStringLiteral("0");
        QString minBid = QStringLiteral("0");
        QString hiBid = QStringLiteral("0");
        QString lbBid = QStringLiteral("0");
        QString bidInc = QStringLiteral("0");
        QString sellerBy;
        QString cCurrency = PanelText::currencyPrefix;
        QString lbYourBid = QStringLiteral("0");
        QStringList aucList;
        BidColours bidColours = BidColours::Initial;
        int countDown = 0;
        int stagePicture = 0;
        bool displastbidVisible = false;
        QString displastbidText;
        bool gobidEnabled = false;
        QString msgchat;
    };

    // The panel with every bid handled so far turned into texts.
    const Shown &shown() const;
    void showPendingBids() const;
    void onProductInfo(const ClosedFields &fields);
    void onBid(const ClosedFields &fields);
    void onLeftCount(const ClosedFields &fields);
    void showStage(int picture);
    void onStage(int stage);
    void onSold();
    void onCountCancel();
    void setBidButton(bool enabled);
    void onCancel(const ClosedFields &fields);
    void clearProduct(const QString &currency);
    void onChat(const ClosedFields &fields);
    bool isMine(QByteArrayView bidder) const { return m_userIdOnWire && bidder == m_userIdBytes; }
    void setLastBid(QString shown, Amount::Number value);
    void setIncrement(Amount::Value value) const;
    void clearIncrement();
    void navigate(const QString &url);
    void play(const QString &relativePath);

    // Reading the panel may turn the run of bids into texts, so what it shows can change under const.
    mutable Shown m_shown;
    Amount::Number m_lastBid;                // Lb_bid as sent, ahead of the texts during a run of bids
    mutable Amount::Value m_bidIncValue = 0; // what bid_Inc shows when m_bidIncShown
    mutable bool m_bidIncShown = false;      // bids mostly repeat the increment: its text is not made again

    // The run of bids not yet shown as texts. Buffers are reused, so a bid costs no allocation.
    struct PendingBid {
        QByteArray bidder;
        QByteArray time;
        Amount::Value amount = 0;
    };
    struct BidRun {
        std::array<PendingBid, maxListLines> bids; // the last ones, bid n at n % maxListLines
        qsizetype count = 0;
        bool highBid = false; // the run holds a higher bid: m_lastBid is its amount
        QByteArray highBidder;
        Amount::Value increment = 0; // of the higher bid
        Amount::Value yourBid = 0;
    };
    mutable BidRun m_run;

    QString m_userId;
    QByteArray m_userIdBytes;     // as bidders' names arrive, so a bid is told mine without decoding it
    bool m_userIdOnWire = true;   // false when the name cannot be written in Windows-874: no bid is then mine
    bool m_highBidIsMine = false; // ahead of the texts during a run of bids, as m_lastBid
    std::function<void(const SaleRecord &)> m_saleRecorder;
    BoardObserver *m_observer = nullptr;
    SaleRecord m_lastSale;
    Changes m_changes;
    Events m_events;
    QString m_pendingNavigation;
    QString m_pendingSound;
    bool m_navigationPending = false;
    bool m_soundPending = false;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(AuctionBoard::Changes)
Q_DECLARE_OPERATORS_FOR_FLAGS(AuctionBoard::Events)
