#include "auction_engine.h"

#include "amount.h"
#include "auction_protocol.h"
#include "demo_site.h"

#include <algorithm>

namespace {
const QStringList &botNames()
{
    static const QStringList names = {
        QStringLiteral("สมศักดิ์"),    QStringLiteral("มาลี_ช"),    QStringLiteral("วิชัย88"),
        QStringLiteral("นภาพร"),    QStringLiteral("mike_bkk"), QStringLiteral("jenny.t"),
        QStringLiteral("tanaka_s"), QStringLiteral("oat1999"),
    };
    return names;
}

const QStringList &botLines()
{
    static const QStringList lines = {
        QStringLiteral("สวัสดีครับทุกท่าน"),
        QStringLiteral("ของชิ้นนี้สภาพดีมากเลย"),
        QStringLiteral("ราคายังไม่แพงนะ สู้ต่อ!"),
        QStringLiteral("ใครทราบค่าส่งบ้างครับ"),
        QStringLiteral("Good luck everyone!"),
        QStringLiteral("Nice item, is it original?"),
        QStringLiteral("รอบนี้ขอเถอะครับ"),
        QStringLiteral("Too rich for me :)"),
        QStringLiteral("ผู้ขายรายนี้ส่งของเร็วมาก เคยซื้อแล้ว"),
        QStringLiteral("Anyone here from Chiang Mai?"),
    };
    return lines;
}

constexpr qsizetype maxNameLength = 64;
const QString noBidder = QStringLiteral("-");

} // namespace

AuctionEngine::Timing AuctionEngine::Timing::normal()
{
    return {3000, 2000, 6000, 8000, 1000, 2000, 4000, 5000, 9000, 25000};
}

AuctionEngine::Timing AuctionEngine::Timing::fast()
{
    return {150, 100, 300, 400, 50, 100, 200, 250, 450, 1250};
}

AuctionEngine::AuctionEngine(Options options) : m_options(std::move(options)), m_random(m_options.seed)
{
    if (m_options.catalogue.isEmpty())
        m_options.catalogue = Catalogue::products();
    if (m_options.simulatedChat)
        m_botChatAt = randomBetween(m_options.timing.botChatMin, m_options.timing.botChatMax);
}

qint64 AuctionEngine::nextDeadline() const
{
    qint64 next = -1;
    for (qint64 at : {m_phaseAt, m_botBidAt, m_botChatAt}) {
        if (at >= 0 && (next < 0 || at < next))
            next = at;
    }
    return next;
}

void AuctionEngine::advanceTo(qint64 now)
{
    for (;;) {
        const qint64 due = nextDeadline();
        if (due < 0 || due > now)
            break;
        m_now = std::max(m_now, due);
        if (m_phaseAt == due) {
            m_phaseAt = -1;
            switch (m_phase) {
            case Phase::Starting:
            case Phase::Paused:
                putUpNextProduct();
                break;
            case Phase::Shown:
                openBidding();
                break;
            case Phase::Open:
                startCountdown();
                break;
            case Phase::Countdown:
                countdownTick();
                break;
            case Phase::Sold:
                pauseBidding();
                break;
            }
        } else if (m_botBidAt == due) {
            m_botBidAt = -1;
            botBid();
        } else {
            m_botChatAt = -1;
            botChat();
        }
    }
    m_now = std::max(m_now, now);
}

// Every step lies at least a millisecond ahead, so a zero delay cannot spin advanceTo.
qint64 AuctionEngine::randomBetween(qint64 low, qint64 high)
{
    if (high <= low)
        return low;
    const quint64 span = quint64(high - low) + 1;
    return low + qint64(quint64(m_random()) % span);
}

void AuctionEngine::putUpNextProduct()
{
    m_productIndex = (m_productIndex + 1) % m_options.catalogue.size();
    m_product = m_options.catalogue.at(m_productIndex);
    m_lastBid = m_product.firstBid;
    m_highBidder = noBidder;
    m_bidsTaken = 0;
    m_botBidAt = -1;
    m_botBidsLeft = m_options.simulatedBidders ? int(randomBetween(5, 12)) : 0;
    m_answersLeft = m_options.simulatedBidders ? int(randomBetween(2, 4)) : 0;
    m_countdownBreaksLeft = 2;
    m_cancelAfterBids = -1;
    // Never the very first auction, so a fresh demo always shows a whole sale first.
    if (m_options.simulatedBidders && m_options.cancelOneIn > 0 && m_auctionsRun > 0 &&
        randomBetween(1, m_options.cancelOneIn) == 1)
        m_cancelAfterBids = int(randomBetween(2, 4));

    ++m_auctionsRun;
    m_phase = Phase::Shown;
    const QByteArray info = productInfo();
    for (const auto &[id, client] : m_clients) {
        if (client.joined)
            m_outbox.push_back({id, info});
    }
    m_phaseAt = m_now + std::max<qint64>(1, m_options.timing.openDelay);
}

void AuctionEngine::openBidding()
{
    m_phase = Phase::Open;
    broadcast(Protocol::signal(Protocol::Server::GoBid));
    m_phaseAt = m_now + std::max<qint64>(1, m_options.timing.quietGap);
    scheduleBotBid();
}

void AuctionEngine::startCountdown()
{
    m_phase = Phase::Countdown;
    m_timeLeft = Protocol::countdownLength;
    broadcast(Protocol::leftCount(m_timeLeft));
    const qint64 step = std::max<qint64>(1, m_options.timing.countdownStep);
    m_phaseAt = m_now + step;
    // Now and then somebody wakes up during the countdown and breaks it.
    if (m_options.simulatedBidders && m_botBidAt < 0 && m_countdownBreaksLeft > 0 &&
        randomBetween(1, 100) <= 40) {
        --m_countdownBreaksLeft;
        m_botBidAt = m_now + randomBetween(step, Protocol::countdownLength * step);
    }
}

void AuctionEngine::countdownTick()
{
    if (m_timeLeft == 0) {
        sell();
        return;
    }
    --m_timeLeft;
    broadcast(Protocol::leftCount(m_timeLeft));
    // The three stages fall on the thirds of the countdown.
    constexpr int third = Protocol::countdownLength / 3;
    if (m_timeLeft == 2 * third)
        broadcast(Protocol::signal(Protocol::Server::Count1));
    else if (m_timeLeft == third)
        broadcast(Protocol::signal(Protocol::Server::Count2));
    else if (m_timeLeft == 0)
        broadcast(Protocol::signal(Protocol::Server::Count3));
    const Timing &t = m_options.timing;
    m_phaseAt = m_now + std::max<qint64>(1, m_timeLeft == 0 ? t.soldDelay : t.countdownStep);
}

void AuctionEngine::sell()
{
    m_phase = Phase::Sold;
    m_botBidAt = -1;
    broadcast(Protocol::signal(Protocol::Server::Sold));
    m_phaseAt = m_now + std::max<qint64>(1, m_options.timing.afterSale);
}

void AuctionEngine::pauseBidding()
{
    m_phase = Phase::Paused;
    broadcast(Protocol::signal(Protocol::Server::PauseBid));
    m_phaseAt = m_now + std::max<qint64>(1, m_options.timing.pause);
}

void AuctionEngine::cancelAuction()
{
    m_phase = Phase::Paused;
    m_botBidAt = -1;
    broadcast(Protocol::cancel(m_options.pageBase + DemoSite::cancelledPath));
    broadcast(Protocol::signal(Protocol::Server::PauseBid));
    m_phaseAt = m_now + std::max<qint64>(1, m_options.timing.pause);
}

void AuctionEngine::scheduleBotBid()
{
    if (m_options.simulatedBidders && m_botBidsLeft > 0 && m_botBidAt < 0)
        m_botBidAt = m_now + std::max<qint64>(
                                 1, randomBetween(m_options.timing.botBidMin, m_options.timing.botBidMax));
}

void AuctionEngine::botBid()
{
    if (m_phase != Phase::Open && m_phase != Phase::Countdown)
        return;
    const bool breaksCountdown = m_phase == Phase::Countdown;
    const QStringList &names = botNames();
    QString name;
    do {
        name = names.at(randomBetween(0, names.size() - 1));
    } while (name == m_highBidder);
    const qint64 roll = randomBetween(1, 100);
    const qint64 steps = roll <= 70 ? 1 : roll <= 90 ? 2 : randomBetween(3, 5);
    takeBid(name, m_lastBid + steps * m_product.increment);

    m_botBidsLeft = breaksCountdown ? int(randomBetween(0, 2)) : std::max(0, m_botBidsLeft - 1);
    if (m_cancelAfterBids >= 0 && m_bidsTaken >= m_cancelAfterBids) {
        cancelAuction();
        return;
    }
    scheduleBotBid();
}

void AuctionEngine::botChat()
{
    const QStringList &names = botNames();
    const QStringList &lines = botLines();
    const QString name = names.at(randomBetween(0, names.size() - 1));
    const QString line = lines.at(randomBetween(0, lines.size() - 1));
    broadcast(Protocol::chatLine(name + QStringLiteral(": ") + line));
    m_botChatAt =
        m_now + std::max<qint64>(1, randomBetween(m_options.timing.botChatMin, m_options.timing.botChatMax));
}

bool AuctionEngine::takeBid(const QString &bidder, qint64 amount)
{
    if (m_phase != Phase::Open && m_phase != Phase::Countdown)
        return false;
    if (bidder.isEmpty() || amount <= m_lastBid || amount > maxBid)
        return false;
    if (m_phase == Phase::Countdown) {
        broadcast(Protocol::signal(Protocol::Server::CountCancel));
        m_phase = Phase::Open;
    }
    m_lastBid = amount;
    m_highBidder = bidder;
    ++m_bidsTaken;
    broadcast(Protocol::bid(bidder, PlainAmount(amount), PlainAmount(m_product.increment), timeText()));
    m_phaseAt = m_now + std::max<qint64>(1, m_options.timing.quietGap);
    return true;
}

void AuctionEngine::clientConnected(ClientId id)
{
    m_clients[id];
}

void AuctionEngine::clientDisconnected(ClientId id)
{
    m_clients.erase(id);
}

void AuctionEngine::join(ClientId id, const QString &name)
{
    Client &client = m_clients[id];
    client.name = name.left(maxNameLength);
    client.joined = true;
    sendProductTo(id);
}

void AuctionEngine::clientMessage(ClientId id, const QByteArray &bytes, bool announcement)
{
    if (!m_clients.contains(id))
        return;
    using Kind = Protocol::ClientMessage::Kind;
    const Protocol::ClientMessage message = Protocol::readClientMessage(bytes);
    if (announcement || message.kind == Kind::Announcement) {
        if (message.kind == Kind::Announcement)
            join(id, message.user);
        return;
    }
    if (message.kind == Kind::Unknown)
        return;

    // A client that skipped its announcement joins with its first real message.
    Client &client = m_clients[id];
    if (!client.joined)
        join(id, message.user);
    const QString name = client.name.isEmpty() ? message.user.left(maxNameLength) : client.name;

    switch (message.kind) {
    case Kind::Chat:
        broadcast(Protocol::chatLine((name.isEmpty() ? QStringLiteral("guest") : name) +
                                     QStringLiteral(": ") + message.text.left(maxChatLength)));
        break;
    case Kind::Describe:
        describeProductTo(id);
        break;
    case Kind::Bid:
        // A signed-in bidder who keeps going up is outbid a few times an auction, so that there is something
        // to answer and to be told of.
        if (takeBid(name, Amount::parseLeading(message.amount)) && m_answersLeft > 0 &&
            randomBetween(1, 100) <= 70) {
            --m_answersLeft;
            m_botBidsLeft = std::max(m_botBidsLeft, 1);
            scheduleBotBid();
        }
        break;
    case Kind::Announcement:
    case Kind::Unknown:
        break;
    }
}

void AuctionEngine::sendProductTo(ClientId id)
{
    if (m_phase != Phase::Shown && m_phase != Phase::Open && m_phase != Phase::Countdown)
        return;
    sendTo(id, productInfo());
    if (m_phase == Phase::Open || m_phase == Phase::Countdown)
        sendTo(id, Protocol::signal(Protocol::Server::GoBid));
    if (m_phase == Phase::Countdown)
        sendTo(id, Protocol::leftCount(m_timeLeft));
}

void AuctionEngine::describeProductTo(ClientId id)
{
    if (m_phase != Phase::Shown && m_phase != Phase::Open && m_phase != Phase::Countdown) {
        sendTo(id, Protocol::chatLine(
                       QStringLiteral("ขณะนี้ยังไม่มีสินค้าเปิดประมูล — No product is up for auction right now")));
        return;
    }
    const Product &p = m_product;
    const QString cur = QLatin1Char(' ') + p.currency;
    QString text = QStringLiteral("[%1] %2 — %3 — ราคาเปิด %4%5, เพิ่มครั้งละ %6%5, ราคาล่าสุด %7%5")
                       .arg(p.id, p.description(), p.detailTh, FormatAmount(p.firstBid), cur,
                            FormatAmount(p.increment), FormatAmount(m_lastBid));
    if (m_highBidder != noBidder)
        text += QStringLiteral(" โดย ") + m_highBidder;
    text += QStringLiteral(", ผู้ขาย ") + p.seller;
    sendTo(id, Protocol::chatLine(text));
}

QByteArray AuctionEngine::productInfo() const
{
    const Product &p = m_product;
    return Protocol::productInfo({.productId = p.id,
                                  .description = p.description(),
                                  .quantity = PlainAmount(p.quantity),
                                  .firstBid = PlainAmount(p.firstBid),
                                  .minBid = PlainAmount(p.minBid),
                                  .highBidder = m_highBidder,
                                  .lastBid = PlainAmount(m_lastBid),
                                  .increment = PlainAmount(p.increment),
                                  .seller = p.seller,
                                  .currency = p.currency,
                                  .page = m_options.pageBase + p.pagePath()});
}

QString AuctionEngine::timeText() const
{
    return m_options.wallStart.addMSecs(int(m_now % (24 * 3600 * 1000))).toString(QStringLiteral("HH:mm:ss"));
}

void AuctionEngine::broadcast(const QByteArray &bytes)
{
    for (const auto &[id, client] : m_clients) {
        if (client.joined)
            m_outbox.push_back({id, bytes});
    }
}

void AuctionEngine::sendTo(ClientId id, const QByteArray &bytes)
{
    m_outbox.push_back({id, bytes});
}

std::vector<AuctionEngine::Outgoing> AuctionEngine::takeOutbox()
{
    return std::exchange(m_outbox, {});
}
