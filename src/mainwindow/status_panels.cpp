#include "status_panels.h"

#include "auction_connection.h"
#include "auction_panel.h"
#include "bid_receipts.h"
#include "caption_switcher.h"
#include "connection_indicator.h"
#include "connection_notes.h"
#include "frm2bid_ui.h"

#include <QLabel>

StatusPanels::StatusPanels(const Frm2BidUi &ui, AuctionPanel &auction, CaptionSwitcher &captions,
                           QObject *parent)
    : QObject(parent), m_ui(ui), m_auction(auction)
{
    ConnectionIndicator *indicator = ui.stbConnection;
    AuctionConnection &connection = auction.connection();
    connect(&connection, &AuctionConnection::stateChanged, indicator, &ConnectionIndicator::setState);
    connect(&connection, &AuctionConnection::waitingSeconds, indicator,
            &ConnectionIndicator::setWaitingSeconds);
    connect(&auction.receipts(), &BidReceipts::roundTripChanged, indicator,
            &ConnectionIndicator::setRoundTrip);
    connect(&auction.receipts(), &BidReceipts::changed, this, [this] { showLatest(Latest::Receipt); });
    connect(&auction.notes(), &ConnectionNotes::changed, this, [this] { showLatest(Latest::Note); });
    captions.follow([this, indicator](int column) {
        indicator->showIn(column);
        showIn(column);
    });
}

void StatusPanels::showLatest(Latest latest)
{
    m_latest = latest;
    showIn(m_column);
}

void StatusPanels::showIn(int column)
{
    m_column = column;
    QString text;
    if (m_latest == Latest::Receipt)
        text = m_auction.receipts().text(column);
    else if (m_latest == Latest::Note)
        text = m_auction.notes().text(column);
    QLabel *panel = m_ui.stbReceipt;
    panel->setText(text);
    // Said as it changes, so that a screen reader follows each bid.
    panel->setAccessibleName(text);
    panel->setVisible(!text.isEmpty());
}
