#include "auction_board.h"

#include "amount.h"
#include "cp874.h"
#include "get_field.h"
#include "wire_format.h"

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

const QString &currencyCaption()
{
    static const QString caption = QStringLiteral("Currency = ");
    return caption;
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
    const ClosedFields fields = SplitClosedFields(message, Wire::separator);
    const QByteArrayView keyword = fieldBytes(fields, 0);
    if (fields.count == 0 || !keyword.startsWith('#')) {
        onChat(fields);
        return;
    }
    if (keyword == "#BID") {
        onBid(fields);
        return;
    }
    showPendingBids();
    if (keyword == "#LEFTCOUNT")
        onLeftCount(fields);
    else if (keyword == "#COUNT1")
        onStage(1);
    else if (keyword == "#COUNT2")
        onStage(2);
    else if (keyword == "#COUNT3")
        onStage(3);
    else if (keyword == "#COUNTS")
        onSold();
    else if (keyword == "#COUNTCANCEL")
        onCountCancel();
    else if (keyword == "#PAUSEBID")
        setBidButton(false);
    else if (keyword == "#GOBID")
        setBidButton(true);
    else if (keyword == "#CANCEL")
        onCancel(fields);
    else if (keyword == "#BidManPInfo")
        onProductInfo(fields);
    else
        onChat(fields);
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
    m_shown.displastbidVisible = false;
    m_shown.currentProductId = fieldText(fields, 1);
    m_shown.pDesc = fieldText(fields, 2);
    m_shown.nQty = fieldAmountText(fields, 3);
    m_shown.fbidat = fieldAmountText(fields, 4);
    m_shown.minBid = fieldAmountText(fields, 5);
    m_shown.hiBid = fieldText(fields, 6);
    m_highBidIsMine = isMine(fieldBytes(fields, 6));
    const Amount::Number lastBid = fieldNumber(fields, 7);
    const Amount::Number increment = fieldNumber(fields, 8);
    setLastBid(FormatAmount(lastBid.rounded()), lastBid);
    setIncrement(increment.rounded());
    m_shown.sellerBy = fieldText(fields, 9);
    m_shown.cCurrency = currencyCaption() + fieldText(fields, 10);
    navigate(fieldText(fields, 11));
    m_shown.stagePicture = 0;
    m_shown.lbYourBid = FormatAmount((lastBid + increment).rounded());
    m_changes |= ProductChanged | HighBidChanged | YourBidChanged | StageChanged;
    m_events |= ProductPutUp;
}

void AuctionBoard::onBid(const ClosedFields &fields)
{
    const Amount::Number amount = fieldNumber(fields, 2);
    const Amount::Number increment = fieldNumber(fields, 3);
    const QByteArrayView bidder = fieldBytes(fields, 1);
    const bool mine = isMine(bidder);
    m_events |= mine ? OwnBid : RivalBid;
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
    copyInto(line.time, fieldBytes(fields, 4));
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
    static constexpr QLatin1StringView at("AT  ");
    static constexpr QLatin1StringView by("  By  ");
    static constexpr QLatin1StringView time(" Time : ");
    QString bidder;
    for (qsizetype n = m_run.count - shown; n < m_run.count; ++n) {
        const PendingBid &bid = m_run.bids[std::size_t(n % maxListLines)];
        const QString amountText = FormatAmount(bid.amount);
        bidder = Cp874::decode(bid.bidder);
        QString line;
        line.reserve(at.size() + amountText.size() + by.size() + bidder.size() + time.size() +
                     bid.time.size());
        line.append(at).append(amountText).append(by).append(bidder).append(time);
        Cp874::appendDecoded(line, bid.time);
        list.append(std::move(line));
    }
    m_shown.bidColours = bidder == m_userId ? BidColours::OwnBid : BidColours::OtherBid;
    m_run.count = 0;
}

void AuctionBoard::onLeftCount(const ClosedFields &fields)
{
    // Only a whole number in range: 15.4 or -0.4 is refused, not rounded into it.
    const Amount::Number left = fieldNumber(fields, 1);
    if (!left.isWhole() || left.rounded() < 0 || left.rounded() > countDownMaximum)
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
    play(QStringLiteral("Sounds/boom.wav"));
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
    m_events |= Sold;
    showStage(soldPicture);
    setBidButton(false);
    m_shown.countDown = 0;
    m_shown.aucList.clear();
    m_changes |= CountDownChanged | ListChanged;
    play(QStringLiteral("Sounds/glassshatter.wav"));
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
    navigate(fieldText(fields, 1));
    clearProduct(currencyCaption());
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
    m_shown.msgchat = fieldText(fields, 1);
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
