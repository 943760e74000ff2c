// The auction panel of the main window: the widgets show the board, and the user's bids and chat lines go out
// on the socket.
#include "auction_board.h"
#include "auction_messages.h"
#include "auction_socket.h"
#include "bidding.h"
#include "design_units.h"
#include "frm2bid.h"
#include "frm_hbid.h"
#include "history_store.h"
#include "palette.h"
#include "picture_button.h"
#include "pictures.h"
#include "prompter.h"
#include "sound_player.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {
using Design::fromBgr;

void setText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}
} // namespace

const QString &frm2Bid::CurrentProductID() const
{
    return m_board->currentProductId();
}

void frm2Bid::bindAuctionBoard()
{
    // The sale is written before the board changes anything, from what the panel shows.
    m_board->setSaleRecorder([this](const SaleRecord &sale) {
        // The auction goes on; the user hears of the lost record once the socket's handler has returned.
        if (const HistoryWrite written = WriteHistoryRecord(sale); !written) {
            QMetaObject::invokeMethod(
                this,
                [this, message = History::failureMessage(written)] { m_services.prompter->ask(message); },
                Qt::QueuedConnection);
        }
    });
    connect(m_board, &AuctionBoard::changed, this, [this](AuctionBoard::Changes what) { showBoard(what); });
    connect(m_board, &AuctionBoard::navigateDescription, this,
            [this](const QString &url) { webBid->Navigate(url); });
    connect(m_board, &AuctionBoard::playSound, m_sounds, &SoundPlayer::PlaySoundFile);

    connect(GOBID, &QPushButton::clicked, this, &frm2Bid::GOBID_Click);
    connect(lbYourBid, &QLineEdit::returnPressed, this, &frm2Bid::GOBID_Click);
    connect(lbYourBid, &QLineEdit::textEdited, m_board, &AuctionBoard::setYourBid);
    MMax->installEventFilter(this);
    connect(ButSend, &QPushButton::clicked, this, &frm2Bid::ButSend_Click);
    connect(txtSend, &QLineEdit::returnPressed, this, &frm2Bid::ButSend_Click);
    connect(but_basket, &PictureButton::doubleClicked, this, &frm2Bid::but_basket_DblClick);
    showBoard(~0u);
}

void frm2Bid::wsk_tcp_DataArrival()
{
    m_receiver.receive(wsk_tcp->GetData());
}

void frm2Bid::showBoard(unsigned what)
{
    const AuctionBoard &board = *m_board;
    if (what & AuctionBoard::ProductChanged) {
        setText(PDesc, board.pDesc());
        setText(nQty, board.nQty());
        setText(fbidat, board.fbidat());
        setText(MinBid, board.minBid());
        setText(SellerBy, board.sellerBy());
        setText(cCurrency, board.cCurrency());
    }
    if (what & AuctionBoard::HighBidChanged) {
        setText(Hi_Bid, board.hiBid());
        setText(Lb_bid, board.lbBid());
        setText(bid_Inc, board.bidInc());
    }
    if (what & AuctionBoard::YourBidChanged && lbYourBid->text() != board.lbYourBid())
        lbYourBid->setText(board.lbYourBid());
    if (what & AuctionBoard::ListChanged)
        showBidList();
    if (what & AuctionBoard::CountDownChanged)
        countDown->setValue(board.countDown());
    if (what & AuctionBoard::StageChanged)
        showStage();
    if (what & AuctionBoard::BidButtonChanged)
        GOBID->setEnabled(board.gobidEnabled());
    if (what & AuctionBoard::ChatChanged && msgchat->toPlainText() != board.msgchat())
        msgchat->setPlainText(board.msgchat());
}

void frm2Bid::showBidList()
{
    const AuctionBoard &board = *m_board;
    const QStringList &lines = board.aucList();
    // Refilled once per read: the list holds at most 31 lines.
    aucList->setUpdatesEnabled(false);
    aucList->clear();
    aucList->addItems(lines);
    if (!lines.isEmpty()) {
        aucList->setCurrentRow(aucList->count() - 1);
        aucList->scrollToBottom();
    }
    aucList->setUpdatesEnabled(true);

    QFont highBidFont = Hi_Bid->font();
    QPalette highBidPalette = Hi_Bid->palette();
    switch (board.bidColours()) {
    case AuctionBoard::BidColours::Initial:
        Design::setBackColor(aucList, fromBgr(0x00FFC0C0));
        break;
    case AuctionBoard::BidColours::OwnBid:
        Design::setBackColor(aucList, fromBgr(0x00FFC0C0));
        highBidPalette.setColor(QPalette::WindowText, fromBgr(0x00000000));
        highBidFont.setUnderline(true);
        break;
    case AuctionBoard::BidColours::OtherBid:
        Design::setBackColor(aucList, fromBgr(0x00C0E0FF));
        highBidPalette.setColor(QPalette::WindowText, fromBgr(0x00C00000));
        highBidFont.setUnderline(false);
        break;
    }
    Hi_Bid->setPalette(highBidPalette);
    Hi_Bid->setFont(highBidFont);
}

void frm2Bid::showStage()
{
    const AuctionBoard &board = *m_board;
    displastbid->setText(board.displastbidText());
    displastbid->move((webBid->width() - displastbid->width()) / 2, displastbid->y());
    displastbid->setVisible(board.displastbidVisible());
    if (board.displastbidVisible())
        displastbid->raise();

    const QPixmap picture = Pictures::countdown(board.stagePicture());
    if (picture.isNull()) {
        img_count->clear();
        img_count->hide();
        return;
    }
    img_count->setPixmap(picture);
    img_count->resize(picture.size());
    img_count->move((PFInfo->width() - img_count->width()) / 2, img_count->y());
    img_count->show();
    img_count->raise();
}

void frm2Bid::GOBID_Click()
{
    QString maximum = MMax->text();
    const Bidding::Result result = Bidding::GOBID_Click(
        Lb_bid->text(), [this] { return lbYourBid->text(); }, maximum, wsk_tcp->isConnected(),
        m_board->userId(), *m_services.prompter,
        [this](const QByteArray &bytes) { wsk_tcp->SendData(bytes); });
    if (maximum != MMax->text())
        MMax->setText(maximum);
    if (!result.sound.isEmpty())
        m_sounds->PlaySoundFile(result.sound);
}

void frm2Bid::MMax_LostFocus()
{
    MMax->setText(Bidding::MMax_LostFocus(MMax->text()));
}

void frm2Bid::ButSend_Click()
{
    // A line that cannot go out is lost silently; the box is cleared all the same.
    wsk_tcp->SendData(AuctionMessages::chat(m_board->userId(), txtSend->text()));
    txtSend->clear();
}

void frm2Bid::but_basket_DblClick()
{
    frmHbid::showModal(this);
}

bool frm2Bid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == MMax && event->type() == QEvent::FocusOut)
        MMax_LostFocus();
    return QMainWindow::eventFilter(watched, event);
}
