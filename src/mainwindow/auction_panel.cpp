#include "auction_panel.h"

#include "auction_board.h"
#include "auction_connection.h"
#include "auction_protocol.h"
#include "bid_receipts.h"
#include "bidding.h"
#include "connection_indicator.h"
#include "connection_notes.h"
#include "design_units.h"
#include "frm2bid_ui.h"
#include "history_store.h"
#include "palette.h"
#include "pictures.h"
#include "prompter.h"
#include "sign_in_request.h"
#include "sound_player.h"
#include "user_settings.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

namespace {
using Design::fromBgr;

void setText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}
} // namespace

AuctionPanel::AuctionPanel(const Frm2BidUi &ui, Prompter &prompter, std::function<void()> beep,
                           const WorkFolder &folder, const UserSettings &settings, Timeline &timeline,
                           QObject *parent)
    : QObject(parent), m_ui(ui), m_prompter(prompter), m_board(new AuctionBoard(this)),
      m_connection(new AuctionConnection(*m_board, prompter, std::move(beep), timeline, {}, this)),
      m_sounds(new SoundPlayer(folder, this)), m_receipts(new BidReceipts(timeline, this)),
      m_notes(new ConnectionNotes(*m_board, *m_connection, this))
{
    m_board->setObserver(m_receipts);
    connect(m_connection, &AuctionConnection::ended, m_receipts, &BidReceipts::connectionEnded);
    // The sale is written before the board changes anything, from what the panel shows.
    m_board->setSaleRecorder([this, folder](const SaleRecord &sale) {
        // The auction goes on; the user hears of the lost record once the socket's handler has returned.
        if (const HistoryWrite written = WriteHistoryRecord(sale, folder); !written) {
            QMetaObject::invokeMethod(
                this, [this, message = History::failureMessage(written)] { m_prompter.ask(message); },
                Qt::QueuedConnection);
        }
    });
    connect(m_board, &AuctionBoard::changed, this, [this](AuctionBoard::Changes what) { showBoard(what); });
    connect(m_board, &AuctionBoard::navigateDescription, this,
            [this](const QString &url) { m_ui.webBid->Navigate(url); });
    connect(m_board, &AuctionBoard::playSound, m_sounds, &SoundPlayer::PlaySoundFile);
    connect(m_connection, &AuctionConnection::lost, this,
            [this] { m_ui.stbPanel2->setText(QString::fromUtf16(SignIn::statusLabel)); });
    const auto follow = [this, &settings] {
        m_sounds->setMuted(settings.muted());
        m_connection->setReconnectAutomatically(settings.value(UserSettings::Key::Reconnect));
    };
    follow();
    connect(&settings, &UserSettings::changed, this, follow);

    connect(ui.GOBID, &QPushButton::clicked, this, &AuctionPanel::GOBID_Click);
    connect(ui.lbYourBid, &QLineEdit::returnPressed, this, &AuctionPanel::GOBID_Click);
    connect(ui.lbYourBid, &QLineEdit::textEdited, m_board, &AuctionBoard::setYourBid);
    ui.MMax->installEventFilter(this);
    connect(ui.ButSend, &QPushButton::clicked, this, &AuctionPanel::ButSend_Click);
    connect(ui.txtSend, &QLineEdit::returnPressed, this, &AuctionPanel::ButSend_Click);
    showBoard(~0u);
}

AuctionPanel::~AuctionPanel() = default;

void AuctionPanel::showMemberStatus(const QString &text)
{
    m_ui.stbPanel2->setText(text);
}

void AuctionPanel::ConnectAuctionSocket(const QString &host, int port, const QString &userId)
{
    m_connection->ConnectAuctionSocket(host, port, userId);
}

void AuctionPanel::showBoard(unsigned what)
{
    const AuctionBoard &board = *m_board;
    if (what & AuctionBoard::ProductChanged) {
        setText(m_ui.PDesc, board.pDesc());
        setText(m_ui.nQty, board.nQty());
        setText(m_ui.fbidat, board.fbidat());
        setText(m_ui.MinBid, board.minBid());
        setText(m_ui.SellerBy, board.sellerBy());
        setText(m_ui.cCurrency, board.cCurrency());
    }
    if (what & AuctionBoard::HighBidChanged) {
        setText(m_ui.Hi_Bid, board.hiBid());
        setText(m_ui.Lb_bid, board.lbBid());
        setText(m_ui.bid_Inc, board.bidInc());
    }
    if (what & AuctionBoard::YourBidChanged && m_ui.lbYourBid->text() != board.lbYourBid())
        m_ui.lbYourBid->setText(board.lbYourBid());
    if (what & AuctionBoard::ListChanged)
        showBidList();
    if (what & AuctionBoard::CountDownChanged)
        m_ui.countDown->setValue(board.countDown());
    if (what & AuctionBoard::StageChanged)
        showStage();
    if (what & AuctionBoard::BidButtonChanged)
        m_ui.GOBID->setEnabled(board.gobidEnabled());
    if (what & AuctionBoard::ChatChanged && m_ui.msgchat->toPlainText() != board.msgchat())
        m_ui.msgchat->setPlainText(board.msgchat());
}

void AuctionPanel::showBidList()
{
    const AuctionBoard &board = *m_board;
    QListWidget *list = m_ui.aucList;
    const QStringList &lines = board.aucList();
    // Refilled once per read: the list holds at most 31 lines.
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(lines);
    if (!lines.isEmpty()) {
        list->setCurrentRow(board.aucListSelected());
        list->scrollToBottom();
    }
    list->setUpdatesEnabled(true);

    QLabel *highBid = m_ui.Hi_Bid;
    QFont highBidFont = highBid->font();
    QPalette highBidPalette = highBid->palette();
    switch (board.bidColours()) {
    case AuctionBoard::BidColours::Initial:
        Design::setBackColor(list, fromBgr(Frm2BidDesign::lightBlue));
        break;
    case AuctionBoard::BidColours::OwnBid:
        Design::setBackColor(list, fromBgr(Frm2BidDesign::lightBlue));
        highBidPalette.setColor(QPalette::WindowText, fromBgr(0x00000000));
        highBidFont.setUnderline(true);
        break;
    case AuctionBoard::BidColours::OtherBid:
        Design::setBackColor(list, fromBgr(Frm2BidDesign::lightOrange));
        highBidPalette.setColor(QPalette::WindowText, fromBgr(0x00C00000));
        highBidFont.setUnderline(false);
        break;
    }
    highBid->setPalette(highBidPalette);
    highBid->setFont(highBidFont);
}

void AuctionPanel::showStage()
{
    const AuctionBoard &board = *m_board;
    QLineEdit *display = m_ui.displastbid;
    display->setText(board.displastbidText());
    emit lastBidDisplayChanged();
    display->setVisible(board.displastbidVisible());
    if (board.displastbidVisible())
        display->raise();

    QLabel *picture = m_ui.img_count;
    const QPixmap pixmap = Pictures::countdown(board.stagePicture());
    if (pixmap.isNull()) {
        picture->clear();
        picture->hide();
        return;
    }
    picture->setPixmap(pixmap);
    picture->resize(pixmap.size());
    picture->move((m_ui.PFInfo->width() - picture->width()) / 2, picture->y());
    picture->show();
    picture->raise();
}

void AuctionPanel::GOBID_Click()
{
    QString maximum = m_ui.MMax->text();
    const Bidding::Result result = Bidding::GOBID_Click(
        m_ui.Lb_bid->text(), [this] { return m_ui.lbYourBid->text(); }, maximum, m_connection->isConnected(),
        m_board->userId(), m_prompter, [this](const QByteArray &bytes) { return m_connection->send(bytes); });
    if (maximum != m_ui.MMax->text())
        m_ui.MMax->setText(maximum);
    if (result.outcome != Bidding::Outcome::Sent)
        return;
    m_receipts->sent(result.amount, true);
    m_sounds->PlaySoundFile(result.sound);
    emit bidSent();
}

void AuctionPanel::sendYourBid()
{
    // A bid the connection refuses needs no word: the connection's end is told as it comes.
    const Bidding::Result result =
        Bidding::sendBid(m_board->userId(), m_board->lbYourBid(),
                         [this](const QByteArray &bytes) { return m_connection->send(bytes); });
    if (result.outcome != Bidding::Outcome::Sent)
        return;
    m_receipts->sent(result.amount, false);
    m_sounds->PlaySoundFile(result.sound);
    emit bidSent();
}

void AuctionPanel::MMax_LostFocus()
{
    m_ui.MMax->setText(Bidding::MMax_LostFocus(m_ui.MMax->text()));
}

void AuctionPanel::ButSend_Click()
{
    // A line that cannot go out is lost silently; the box is cleared all the same.
    m_connection->send(Protocol::clientChat(m_board->userId(), m_ui.txtSend->text()));
    m_ui.txtSend->clear();
}

void AuctionPanel::hideLastBidDisplay()
{
    m_board->hideLastBidDisplay();
}

void AuctionPanel::requestProductDescription()
{
    if (m_connection->isConnected())
        m_connection->send(Protocol::describeRequest());
}

bool AuctionPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.MMax && event->type() == QEvent::FocusOut)
        MMax_LostFocus();
    return QObject::eventFilter(watched, event);
}
