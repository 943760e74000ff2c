#include "auction_board.h"

#include "amount.h"
#include "auction_protocol.h"
#include "cp874.h"
#include "get_field.h"
#include "wire_format.h"
#include "work_folder.h"

#include <QUrl>
#include <algorithm>
#include <cstring>

namespace {
QByteArrayView fieldBytes(const ClosedFields &fields, int n)
{
    return n < fields.count ? fields.fields[n] : QByteArrayView();
}

QString fieldText(const ClosedFields &fields, int n)
{
    return Cp874::decode(fieldBytes(fields, n));
}

Amount::Number fieldNumber(const ClosedFields &fields, int n)
{
    return Amount::Number::read(fieldBytes(fields, n));
}

QString fieldAmountText(const ClosedFields &fields, int n)
{
    return FormatAmount(fieldNumber(fields, n).rounded());
}

// The server decides what the description pane shows, but only web pages: no local files, no other schemes.
bool isWebAddress(const QString &text)
{
    const QUrl url(text);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme();
    return scheme.compare(QLatin1StringView("http"), Qt::CaseInsensitive) == 0 ||
           scheme.compare(QLatin1StringView("https"), Qt::CaseInsensitive) == 0;
}

// Copies bytes into buffer, in its memory when it is large enough.
void copyInto(QByteArray &buffer, QByteArrayView bytes)
{
    buffer.resize(bytes.size());
    if (!bytes.isEmpty())
        std::memcpy(buffer.data(), bytes.data(), size_t(bytes.size()));
}
} // namespace

AuctionBoard::AuctionBoard(QObject *parent) : QObject(parent)
{
    m_shown.aucList.reserve(maxListLines + 1);
}

const AuctionBoard::Shown &AuctionBoard::shown() const
{
    showPendingBids();
    return m_shown;
}

void AuctionBoard::setSaleRecorder(std::function<void(const SaleRecord &)> recorder)
{
    m_saleRecorder = std::move(recorder);
}

void AuctionBoard::setUserId(const QString &userId)
{
    showPendingBids();
    m_userId = userId;
    m_userIdBytes = Cp874::encode(userId);
    m_userIdOnWire = Cp874::decode(m_userIdBytes) == userId;
    m_highBidIsMine = m_shown.hiBid == userId;
}

void AuctionBoard::setYourBid(const QString &text)
{
    // The window's own edit: the box already shows it, so no change is signalled.
    showPendingBids();
    m_shown.lbYourBid = text;
}

void AuctionBoard::hideLastBidDisplay()
{
    m_shown.displastbidVisible = false;
    m_changes |= StageChanged;
    flush();
}

void AuctionBoard::handleMessage(QByteArrayView message)
{
    using Protocol::Server;
    const ClosedFields fields = SplitClosedFields(message, Wire::separator);
    // A message without a closed first field has no keyword: chat.
    const Server kind =
        fields.count == 0 ? Server::Chat : Protocol::classify(fieldBytes(fields, Protocol::keywordField));
    if (kind == Server::Bid) {
        onBid(fields);
        return;
    }
    if (kind == Server::Chat) {
        onChat(fields);
        return;
    }
    showPendingBids();
    switch (kind) {
    case Server::LeftCount:
        onLeftCount(fields);
        break;
    case Server::Count1:
        onStage(1);
        break;
    case Server::Count2:
        onStage(2);
        break;
    case Server::Count3:
        onStage(3);
        break;
    case Server::Sold:
        onSold();
        break;
    case Server::CountCancel:
        onCountCancel();
        break;
    case Server::PauseBid:
        setBidButton(false);
        break;
    case Server::GoBid:
        setBidButton(true);
        m_events |= BiddingOpened;
        break;
    case Server::Cancel:
        onCancel(fields);
        break;
    case Server::ProductInfo:
        onProductInfo(fields);
        break;
    case Server::Bid:
    case Server::Chat:
        break;
    }
}

void AuctionBoard::setLastBid(QString shown, Amount::Number value)
{
    m_shown.lbBid = std::move(shown);
    m_lastBid = value;
}

void AuctionBoard::setIncrement(Amount::Value value) const
{
    if (value == m_bidIncValue && m_bidIncShown)
        return;
    m_shown.bidInc = FormatAmount(value);
    m_bidIncValue = value;
    m_bidIncShown = true;
}

void AuctionBoard::clearIncrement()
{
    m_shown.bidInc.clear();
    m_bidIncShown = false;
}

void AuctionBoard::onProductInfo(const ClosedFields &fields)
{
    namespace P = Protocol::ProductInfo;
    m_shown.displastbidVisible = false;
    QString product = fieldText(fields, P::productId);
    if (m_observer && product != m_shown.currentProductId)
        m_observer->productEnded();
    m_shown.currentProductId = std::move(product);
    m_shown.pDesc = fieldText(fields, P::description);
    m_shown.nQty = fieldAmountText(fields, P::quantity);
    m_shown.fbidat = fieldAmountText(fields, P::firstBid);
    m_shown.minBid = fieldAmountText(fields, P::minBid);
    m_shown.hiBid = fieldText(fields, P::highBidder);
    m_highBidIsMine = isMine(fieldBytes(fields, P::highBidder));
    const Amount::Number last = fieldNumber(fields, P::lastBid);
    const Amount::Number step = fieldNumber(fields, P::increment);
    setLastBid(FormatAmount(last.rounded()), last);
    setIncrement(step.rounded());
    m_shown.sellerBy = fieldText(fields, P::seller);
    m_shown.cCurrency = PanelText::currencyPrefix + fieldText(fields, P::currency);
    navigate(fieldText(fields, P::page));
    m_shown.stagePicture = 0;
    m_shown.lbYourBid = FormatAmount((last + step).rounded());
    m_changes |= ProductChanged | HighBidChanged | YourBidChanged | StageChanged;
    m_events |= ProductPutUp;
}

void AuctionBoard::onBid(const ClosedFields &fields)
{
    const Amount::Number amount = fieldNumber(fields, Protocol::Bid::amount);
    const Amount::Number increment = fieldNumber(fields, Protocol::Bid::increment);
    const QByteArrayView bidder = fieldBytes(fields, Protocol::Bid::bidder);
    const bool mine = isMine(bidder);
    m_events |= mine ? OwnBid : RivalBid;
    if (m_observer)
        m_observer->bidHandled(bidder, mine, amount.rounded());
    if (m_lastBid < amount) {
        if (m_highBidIsMine && !mine)
            m_events |= Outbid;
        m_highBidIsMine = mine;
        m_lastBid = amount;
        copyInto(m_run.highBidder, bidder);
        m_run.increment = increment.rounded();
        m_run.highBid = true;
        m_changes |= HighBidChanged;
    }
    m_run.yourBid = (amount + increment).rounded();
    PendingBid &line = m_run.bids[std::size_t(m_run.count % maxListLines)];
    copyInto(line.bidder, bidder);
    copyInto(line.time, fieldBytes(fields, Protocol::Bid::time));
    line.amount = amount.rounded();
    ++m_run.count;
    m_changes |= YourBidChanged | ListChanged;
}

void AuctionBoard::showPendingBids() const
{
    if (m_run.count == 0)
        return;
    if (m_run.highBid) {
        m_shown.hiBid = Cp874::decode(m_run.highBidder);
        m_shown.lbBid = FormatAmount(m_lastBid.rounded());
        setIncrement(m_run.increment);
        m_run.highBid = false;
    }
    m_shown.lbYourBid = FormatAmount(m_run.yourBid);

    // Each bid drops the oldest line once the list holds 31: the list ends as the last 31 of old and new.
    QStringList &list = m_shown.aucList;
    const qsizetype shown = std::min<qsizetype>(m_run.count, maxListLines);
    const qsizetype dropped = std::max<qsizetype>(0, list.size() + shown - maxListLines);
    list.remove(0, dropped);
    using PanelText::lineAt, PanelText::lineBy, PanelText::lineTime;
    QString bidder;
    for (qsizetype n = m_run.count - shown; n < m_run.count; ++n) {
        const PendingBid &bid = m_run.bids[std::size_t(n % maxListLines)];
        const QString amountText = FormatAmount(bid.amount);
        bidder = Cp874::decode(bid.bidder);
        QString line;
        line.reserve(lineAt.size() + amountText.size() + lineBy.size() + bidder.size() + lineTime.size() +
                     bid.time.size());
        line.append(lineAt).append(amountText).append(lineBy).append(bidder).append(lineTime);
        Cp874::appendDecoded(line, bid.time);
        list.append(std::move(line));
    }
    m_shown.bidColours = bidder == m_userId ? BidColours::OwnBid : BidColours::OtherBid;
    m_run.count = 0;
}

void AuctionBoard::onLeftCount(const ClosedFields &fields)
{
    // Only a whole number in range: a fraction just past either end is refused, not rounded into it.
    const Amount::Number left = fieldNumber(fields, Protocol::LeftCount::timeLeft);
    if (!left.isWhole() || left.rounded() < 0 || left.rounded() > Protocol::countdownLength)
        return;
    m_shown.countDown = static_cast<int>(left.rounded());
    m_changes |= CountDownChanged;
}

void AuctionBoard::showStage(int picture)
{
    m_shown.displastbidVisible = true;
    m_shown.displastbidText = m_shown.lbBid;
    m_shown.stagePicture = picture;
    m_changes |= StageChanged;
}

void AuctionBoard::onStage(int stage)
{
    if (stage == 1)
        m_events |= ClosingStarted;
    showStage(stage);
    play(WorkFolder::soundPath(WorkFolder::Sound::Boom));
}

void AuctionBoard::onSold()
{
    SaleRecord &record = m_lastSale;
    record.user = m_userId;
    record.productId = m_shown.currentProductId;
    record.productName = m_shown.pDesc;
    record.highBidder = m_shown.hiBid;
    record.lastBid = m_shown.lbBid;
    record.currency = m_shown.cCurrency;
    record.seller = m_shown.sellerBy;
    record.lastListLine = m_shown.aucList.isEmpty() ? QString() : m_shown.aucList.last();
    if (m_saleRecorder)
        m_saleRecorder(record);
    if (m_observer)
        m_observer->productEnded();
    m_events |= Sold;
    showStage(soldPicture);
    setBidButton(false);
    m_shown.countDown = 0;
    m_shown.aucList.clear();
    m_changes |= CountDownChanged | ListChanged;
    play(WorkFolder::soundPath(WorkFolder::Sound::GlassShatter));
}

void AuctionBoard::onCountCancel()
{
    m_shown.stagePicture = 0;
    m_shown.displastbidVisible = false;
    m_changes |= StageChanged;
}

void AuctionBoard::setBidButton(bool enabled)
{
    m_shown.gobidEnabled = enabled;
    m_changes |= BidButtonChanged;
}

void AuctionBoard::onCancel(const ClosedFields &fields)
{
    navigate(fieldText(fields, Protocol::Cancel::page));
    clearProduct(PanelText::currencyPrefix);
    if (m_observer)
        m_observer->productEnded();
    m_events |= Cancelled;
}

// A cancel and a lost connection both empty the product, its bids and the bid button; the currency caption
// differs (the bare caption after a cancel, nothing at all after a close).
void AuctionBoard::clearProduct(const QString &currency)
{
    m_shown.displastbidVisible = false;
    setBidButton(false);
    m_shown.aucList.clear();
    m_shown.currentProductId.clear();
    m_shown.pDesc.clear();
    m_shown.nQty.clear();
    m_shown.fbidat.clear();
    m_shown.minBid.clear();
    m_shown.hiBid.clear();
    m_highBidIsMine = false;
    setLastBid(QString(), Amount::Number());
    clearIncrement();
    m_shown.sellerBy.clear();
    m_shown.cCurrency = currency;
    m_changes |= StageChanged | ListChanged | ProductChanged | HighBidChanged;
}

void AuctionBoard::onChat(const ClosedFields &fields)
{
    m_shown.msgchat = fieldText(fields, Protocol::Chat::text);
    m_changes |= ChatChanged;
}

void AuctionBoard::connectionClosed()
{
    showPendingBids();
    clearProduct(QString());
    m_shown.countDown = 0;
    m_changes |= CountDownChanged;
    flush();
}

void AuctionBoard::navigate(const QString &url)
{
    if (!isWebAddress(url))
        return;
    m_pendingNavigation = url;
    m_navigationPending = true;
}

void AuctionBoard::play(const QString &relativePath)
{
    m_pendingSound = relativePath;
    m_soundPending = true;
}

void AuctionBoard::flush()
{
    showPendingBids();
    // Before the widgets: an answer to a rival's bid leaves before the panel is redrawn.
    if (m_events)
        emit applied(std::exchange(m_events, {}));
    if (m_changes) {
        const Changes what = m_changes;
        m_changes = {};
        emit changed(what);
    }
    if (m_navigationPending) {
        m_navigationPending = false;
        emit navigateDescription(std::exchange(m_pendingNavigation, QString()));
    }
    if (m_soundPending) {
        m_soundPending = false;
        emit playSound(std::exchange(m_pendingSound, QString()));
    }
}
