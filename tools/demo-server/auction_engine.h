#pragma once

#include "catalogue.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <map>
#include <random>
#include <vector>

// The demo auction, without sockets: one product after another, forever. Time is whatever the owner says it
// is (advanceTo), so tests step it and the server follows a real clock. Clients are numbers; what the engine
// says to them collects in an outbox the owner drains.
class AuctionEngine {
public:
    using ClientId = quint64;

    // Milliseconds between the steps of an auction.
    struct Timing {
        qint64 openDelay; // product shown -> bidding open
        qint64 botBidMin; // between simulated bids
        qint64 botBidMax;
        qint64 quietGap;      // no bid for this long -> countdown
        qint64 countdownStep; // between two time-left values
        qint64 soldDelay;     // last stage -> sold
        qint64 afterSale;     // sold -> bidding paused
        qint64 pause;         // paused -> next product
        qint64 botChatMin;    // between simulated chat lines
        qint64 botChatMax;

        static Timing normal();
        // About twenty times quicker: a whole auction in a few seconds.
        static Timing fast();
    };

    struct Options {
        Timing timing = Timing::normal();
        quint32 seed = 1;
        QTime wallStart = QTime(10, 0, 0); // time of day at engine time 0, for the bid times
        QString pageBase;                  // "http://127.0.0.1:8080", prefix of the product page URLs
        QList<Product> catalogue = Catalogue::products();
        bool simulatedBidders = true;
        bool simulatedChat = true;
        int cancelOneIn = 8; // about one auction in this many is cancelled; 0 never
    };

    enum class Phase { Starting, Shown, Open, Countdown, Sold, Paused };

    struct Outgoing {
        ClientId to;
        QByteArray bytes;
    };

    static constexpr qint64 maxBid = 999'999'999'999;
    static constexpr qsizetype maxChatLength = 300;

    explicit AuctionEngine(Options options);

    // Runs every step due up to now (milliseconds since the engine began); now never goes back.
    void advanceTo(qint64 now);
    // When the next step is due.
    qint64 nextDeadline() const;
    qint64 now() const { return m_now; }

    void clientConnected(ClientId id);
    void clientDisconnected(ClientId id);
    // One framed message of a client (announcement or not).
    void clientMessage(ClientId id, const QByteArray &bytes, bool announcement);

    std::vector<Outgoing> takeOutbox();

    Phase phase() const { return m_phase; }
    const Product &currentProduct() const { return m_product; }
    qint64 lastBid() const { return m_lastBid; }
    QString highBidder() const { return m_highBidder; }

private:
    struct Client {
        QString name;
        bool joined = false;
    };

    void putUpNextProduct();
    void openBidding();
    void startCountdown();
    void countdownTick();
    void sell();
    void pauseBidding();
    void cancelAuction();
    void botBid();
    void botChat();

    bool takeBid(const QString &bidder, qint64 amount);
    void join(ClientId id, const QString &name);
    void sendProductTo(ClientId id);
    void describeProductTo(ClientId id);

    QByteArray productInfo() const;
    QString timeText() const;
    void broadcast(const QByteArray &bytes);
    void sendTo(ClientId id, const QByteArray &bytes);
    qint64 randomBetween(qint64 low, qint64 high);
    void scheduleBotBid();

    Options m_options;
    std::mt19937 m_random;
    qint64 m_now = 0;
    Phase m_phase = Phase::Starting;

    qint64 m_phaseAt = 0; // next step of the phase; -1 none
    qint64 m_botBidAt = -1;
    qint64 m_botChatAt = -1;

    int m_productIndex = -1;
    Product m_product;
    qint64 m_lastBid = 0;
    QString m_highBidder;
    int m_timeLeft = 0;
    int m_botBidsLeft = 0;
    int m_answersLeft = 0; // bids over a signed-in bidder the simulated ones still have in them this auction
    int m_countdownBreaksLeft = 0;
    int m_cancelAfterBids = -1; // this auction is cancelled after so many bids; -1 never
    int m_bidsTaken = 0;
    int m_auctionsRun = 0;

    std::map<ClientId, Client> m_clients;
    std::vector<Outgoing> m_outbox;
};
