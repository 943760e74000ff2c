#include "auction_board.h"

#include "amount.h"
#include "cp874.h"
#include "get_field.h"

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

Amount::Value fieldAmount(const ClosedFields &fields, int n)
{
    return Amount::parseLeading(fieldBytes(fields, n));
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
    m_aucList.reserve(maxListLines + 1);
}

void AuctionBoard::setSaleRecorder(std::function<void(const SaleRecord &)> recorder)
{
    m_saleRecorder = std::move(recorder);
}

void AuctionBoard::setUserId(const QString &userId)
{
    showPendingBids();
    m_userId = userId;
}

void AuctionBoard::setYourBid(const QString &text)
{
    // The window's own edit: the box already shows it, so no change is signalled.
    showPendingBids();
    m_lbYourBid = text;
}

void AuctionBoard::hideLastBidDisplay()
{
    m_displastbidVisible = false;
    m_changes |= StageChanged;
    flush();
}

void AuctionBoard::handleMessage(QByteArrayView message)
{
    const ClosedFields fields = SplitClosedFields(message, '\t');
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

void AuctionBoard::setLastBid(QString shown, qint64 value)
{
    m_lbBid = std::move(shown);
    m_lbBidValue = value;
}

void AuctionBoard::setIncrement(qint64 value)
{
    // Bids mostly repeat the increment: keep the shown text instead of formatting the same amount again.
    if (value == m_bidIncValue && m_bidIncShown)
        return;
    m_bidInc = FormatAmount(value);
    m_bidIncValue = value;
    m_bidIncShown = true;
}

void AuctionBoard::clearIncrement()
{
    m_bidInc.clear();
    m_bidIncShown = false;
}

void AuctionBoard::onProductInfo(const ClosedFields &fields)
{
    m_displastbidVisible = false;
    m_currentProductId = fieldText(fields, 1);
    m_pDesc = fieldText(fields, 2);
    m_nQty = FormatAmount(fieldAmount(fields, 3));
    m_fbidat = FormatAmount(fieldAmount(fields, 4));
    m_minBid = FormatAmount(fieldAmount(fields, 5));
    m_hiBid = fieldText(fields, 6);
    const Amount::Value lastBid = fieldAmount(fields, 7);
    const Amount::Value increment = fieldAmount(fields, 8);
    setLastBid(FormatAmount(lastBid), lastBid);
    setIncrement(increment);
    m_sellerBy = fieldText(fields, 9);
    m_cCurrency = currencyCaption() + fieldText(fields, 10);
    navigate(fieldText(fields, 11));
    m_stagePicture = 0;
    m_lbYourBid = FormatAmount(Amount::add(lastBid, increment));
    m_changes |= ProductChanged | HighBidChanged | YourBidChanged | StageChanged;
}

void AuctionBoard::onBid(const ClosedFields &fields)
{
    const Amount::Value amount = fieldAmount(fields, 2);
    const Amount::Value increment = fieldAmount(fields, 3);
    const QByteArrayView bidder = fieldBytes(fields, 1);
    if (m_lbBidValue < amount) {
        m_lbBidValue = amount;
        copyInto(m_pendingHighBidder, bidder);
        m_pendingIncrement = increment;
        m_pendingHighBid = true;
        m_changes |= HighBidChanged;
    }
    m_pendingYourBid = Amount::add(amount, increment);
    PendingBid &line = m_pendingBids[std::size_t(m_pendingCount % maxListLines)];
    copyInto(line.bidder, bidder);
    copyInto(line.time, fieldBytes(fields, 4));
    line.amount = amount;
    ++m_pendingCount;
    m_changes |= YourBidChanged | ListChanged;
}

void AuctionBoard::showPendingBids()
{
    if (m_pendingCount == 0)
        return;
    if (m_pendingHighBid) {
        m_hiBid = Cp874::decode(m_pendingHighBidder);
        m_lbBid = FormatAmount(m_lbBidValue);
        setIncrement(m_pendingIncrement);
        m_pendingHighBid = false;
    }
    m_lbYourBid = FormatAmount(m_pendingYourBid);

    // Each bid drops the oldest line once the list holds 31: the list ends as the last 31 of old and new.
    const qsizetype shown = std::min<qsizetype>(m_pendingCount, maxListLines);
    const qsizetype dropped = std::max<qsizetype>(0, m_aucList.size() + shown - maxListLines);
    m_aucList.remove(0, dropped);
    static constexpr QLatin1StringView at("AT  ");
    static constexpr QLatin1StringView by("  By  ");
    static constexpr QLatin1StringView time(" Time : ");
    QString bidder;
    for (qsizetype n = m_pendingCount - shown; n < m_pendingCount; ++n) {
        const PendingBid &bid = m_pendingBids[std::size_t(n % maxListLines)];
        const QString amountText = FormatAmount(bid.amount);
        bidder = Cp874::decode(bid.bidder);
        QString line;
        line.reserve(at.size() + amountText.size() + by.size() + bidder.size() + time.size() +
                     bid.time.size());
        line.append(at).append(amountText).append(by).append(bidder).append(time);
        Cp874::appendDecoded(line, bid.time);
        m_aucList.append(std::move(line));
    }
    m_bidColours = bidder == m_userId ? BidColours::OwnBid : BidColours::OtherBid;
    m_pendingCount = 0;
}

void AuctionBoard::onLeftCount(const ClosedFields &fields)
{
    const Amount::Value left = fieldAmount(fields, 1);
    if (left < 0 || left > countDownMaximum)
        return;
    m_countDown = static_cast<int>(left);
    m_changes |= CountDownChanged;
}

void AuctionBoard::showStage(int picture)
{
    m_displastbidVisible = true;
    m_displastbidText = m_lbBid;
    m_stagePicture = picture;
    m_changes |= StageChanged;
}

void AuctionBoard::onStage(int stage)
{
    showStage(stage);
    play(QStringLiteral("Sounds/boom.wav"));
}

void AuctionBoard::onSold()
{
    if (m_saleRecorder) {
        SaleRecord record;
        record.user = m_userId;
        record.productId = m_currentProductId;
        record.productName = m_pDesc;
        record.highBidder = m_hiBid;
        record.lastBid = m_lbBid;
        record.currency = m_cCurrency;
        record.seller = m_sellerBy;
        if (!m_aucList.isEmpty())
            record.lastListLine = m_aucList.last();
        m_saleRecorder(record);
    }
    showStage(soldPicture);
    setBidButton(false);
    m_countDown = 0;
    m_aucList.clear();
    m_changes |= CountDownChanged | ListChanged;
    play(QStringLiteral("Sounds/glassshatter.wav"));
}

void AuctionBoard::onCountCancel()
{
    m_stagePicture = 0;
    m_displastbidVisible = false;
    m_changes |= StageChanged;
}

void AuctionBoard::setBidButton(bool enabled)
{
    m_gobidEnabled = enabled;
    m_changes |= BidButtonChanged;
}

void AuctionBoard::onCancel(const ClosedFields &fields)
{
    m_displastbidVisible = false;
    navigate(fieldText(fields, 1));
    setBidButton(false);
    m_aucList.clear();
    m_currentProductId.clear();
    m_pDesc.clear();
    m_nQty.clear();
    m_fbidat.clear();
    m_minBid.clear();
    m_hiBid.clear();
    setLastBid(QString(), 0);
    clearIncrement();
    m_sellerBy.clear();
    m_cCurrency = currencyCaption();
    m_changes |= StageChanged | ListChanged | ProductChanged | HighBidChanged;
}

void AuctionBoard::onChat(const ClosedFields &fields)
{
    m_msgchat = fieldText(fields, 1);
    m_changes |= ChatChanged;
}

void AuctionBoard::connectionClosed()
{
    showPendingBids();
    m_hiBid.clear();
    setLastBid(QString(), 0);
    clearIncrement();
    m_pDesc.clear();
    m_currentProductId.clear();
    m_nQty.clear();
    m_aucList.clear();
    m_fbidat.clear();
    m_minBid.clear();
    m_sellerBy.clear();
    m_cCurrency.clear();
    m_displastbidVisible = false;
    m_gobidEnabled = false;
    m_countDown = 0;
    m_changes |=
        ProductChanged | HighBidChanged | ListChanged | StageChanged | BidButtonChanged | CountDownChanged;
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
