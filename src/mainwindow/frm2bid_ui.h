#pragma once

#include "frm2bid_design.h"
#include "frm2bid_layout.h"
#include "web_view.h"

#include <QPoint>
#include <array>

class CaptionSwitcher;
class ConnectionIndicator;
class PictureButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QWidget;

// The controls of the main window, built at their design places. Each carries its design name as its object
// name; the window's parts share these pointers, the widgets themselves belong to the window.
struct Frm2BidUi {
    // Registers every caption with captions as it makes the control.
    static Frm2BidUi build(QMainWindow *window, const WebViewFactory &webViewFactory,
                           CaptionSwitcher &captions);

    // Offset of a tab page inside the tab control: the design places the pages' controls relative to the
    // whole control, tab strip included.
    QPoint tabPageOffset() const;

    // Moves the controls whose place differs from before (all of a tab page's once the page itself has
    // moved) and hides the auction column in the wide view.
    void apply(const Frm2BidLayout::Layout &layout, const Frm2BidLayout::Layout &before);

    // Every control of the design table, by its id.
    std::array<QWidget *, Frm2BidDesign::IdCount> placed{};

    QWidget *client = nullptr;
    // Where the tab pages were when the controls on them were last placed.
    QPoint appliedPageOffset;

    // Top strip.
    PictureButton *but_Regis = nullptr;
    PictureButton *but_HelpMe = nullptr;
    PictureButton *but_Cal = nullptr;
    PictureButton *but_basket = nullptr;
    WebView *webspn = nullptr;

    // Left pane.
    QTabWidget *ssTab_Bid = nullptr;
    QWidget *tabPages[2] = {};
    WebView *webBid = nullptr;
    QLineEdit *displastbid = nullptr;
    QProgressBar *pload1 = nullptr;
    WebView *webgalley = nullptr;
    QProgressBar *pload2 = nullptr;

    // Right column.
    QPlainTextEdit *msgchat = nullptr;
    QLineEdit *txtSend = nullptr;
    QPushButton *ButSend = nullptr;
    QLabel *PFInfo = nullptr;
    QProgressBar *countDown = nullptr;
    QListWidget *aucList = nullptr;
    QPushButton *GOBID = nullptr;

    // Inside PFInfo.
    QLabel *bbox = nullptr;
    QLabel *fbidat = nullptr;
    QLabel *MinBid = nullptr;
    QLineEdit *MMax = nullptr;
    QLabel *Hi_Bid = nullptr;
    QLabel *Lb_bid = nullptr;
    QLabel *bid_Inc = nullptr;
    QLineEdit *lbYourBid = nullptr;
    QLabel *cCurrency = nullptr;
    QLabel *PDesc = nullptr;
    QLabel *SellerBy = nullptr;
    QLabel *nQty = nullptr;
    QLabel *img_count = nullptr;

    // Status bar: the design's two panels, then the added panels of the bid receipts and of auto-bid (each
    // shown while it has something to say) and the connection indicator.
    QLabel *stbPanel1 = nullptr;
    QLabel *stbPanel2 = nullptr;
    QLabel *stbReceipt = nullptr;
    QLabel *stbAutoBid = nullptr;
    ConnectionIndicator *stbConnection = nullptr;
};
