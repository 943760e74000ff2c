#pragma once

#include "web_view.h"

#include <QPoint>

class PictureButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QWidget;

// The controls of the main window, built at their design places. Each carries its design name as its object
// name; the window's parts share these pointers, the widgets themselves belong to the window.
struct Frm2BidUi {
    static Frm2BidUi build(QMainWindow *window, const WebViewFactory &webViewFactory);

    // Offset of a tab page inside the tab control: the design places the pages' controls relative to the
    // whole control, tab strip included.
    QPoint tabPageOffset() const;

    QWidget *client = nullptr;

    // Top strip.
    QWidget *pFRAME = nullptr;
    PictureButton *but_Regis = nullptr;
    PictureButton *but_HelpMe = nullptr;
    PictureButton *but_Cal = nullptr;
    PictureButton *but_basket = nullptr;
    WebView *webspn = nullptr;
    QLabel *Pict_Auc = nullptr;

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
    QLabel *lbAuc = nullptr;
    QProgressBar *countDown = nullptr;
    QListWidget *aucList = nullptr;
    QPushButton *GOBID = nullptr;

    // Inside PFInfo.
    QLabel *LBHEAD = nullptr;
    QLabel *bbox = nullptr;
    QLabel *lbfbid = nullptr;
    QLabel *fbidat = nullptr;
    QLabel *lbmbid = nullptr;
    QLabel *MinBid = nullptr;
    QLabel *MaxBid = nullptr;
    QLineEdit *MMax = nullptr;
    QLabel *lbhbid = nullptr;
    QLabel *Hi_Bid = nullptr;
    QLabel *lbLbid = nullptr;
    QLabel *Lb_bid = nullptr;
    QLabel *lbinc = nullptr;
    QLabel *bid_Inc = nullptr;
    QLabel *lbUBid = nullptr;
    QLineEdit *lbYourBid = nullptr;
    QLabel *cCurrency = nullptr;
    QLabel *PDesc = nullptr;
    QLabel *SellerBy = nullptr;
    QLabel *nQty = nullptr;
    QLabel *img_count = nullptr;

    // Bottom.
    QStatusBar *stb = nullptr;
    QLabel *stbPanel1 = nullptr;
    QLabel *stbPanel2 = nullptr;
    QLabel *ImgContain = nullptr;
    QListWidget *temp_List = nullptr;
};
