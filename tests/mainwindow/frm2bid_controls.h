#pragma once

#include "web_view.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtGlobal>

// The main window's controls as tests reach them: by their design names.
template <typename T> T *named(const QObject &root, const char *name)
{
    T *found = root.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("the window has no control named %s", name);
    return found;
}

struct Frm2BidControls {
    explicit Frm2BidControls(const QObject &w)
        : PDesc(named<QLabel>(w, "PDesc")), nQty(named<QLabel>(w, "nQty")),
          fbidat(named<QLabel>(w, "fbidat")), MinBid(named<QLabel>(w, "MinBid")),
          Hi_Bid(named<QLabel>(w, "Hi_Bid")), Lb_bid(named<QLabel>(w, "Lb_bid")),
          bid_Inc(named<QLabel>(w, "bid_Inc")), SellerBy(named<QLabel>(w, "SellerBy")),
          cCurrency(named<QLabel>(w, "cCurrency")), PFInfo(named<QLabel>(w, "PFInfo")),
          img_count(named<QLabel>(w, "img_count")), stbPanel2(named<QLabel>(w, "stbPanel2")),
          lbYourBid(named<QLineEdit>(w, "lbYourBid")), MMax(named<QLineEdit>(w, "MMax")),
          txtSend(named<QLineEdit>(w, "txtSend")), displastbid(named<QLineEdit>(w, "displastbid")),
          aucList(named<QListWidget>(w, "aucList")), msgchat(named<QPlainTextEdit>(w, "msgchat")),
          countDown(named<QProgressBar>(w, "countDown")), pload1(named<QProgressBar>(w, "pload1")),
          pload2(named<QProgressBar>(w, "pload2")), GOBID(named<QPushButton>(w, "GOBID")),
          ButSend(named<QPushButton>(w, "ButSend")), ssTab_Bid(named<QTabWidget>(w, "ssTab_Bid")),
          webBid(named<WebView>(w, "webBid")), webgalley(named<WebView>(w, "webgalley"))
    {}

    QLabel *PDesc, *nQty, *fbidat, *MinBid, *Hi_Bid, *Lb_bid, *bid_Inc, *SellerBy, *cCurrency, *PFInfo,
        *img_count, *stbPanel2;
    QLineEdit *lbYourBid, *MMax, *txtSend, *displastbid;
    QListWidget *aucList;
    QPlainTextEdit *msgchat;
    QProgressBar *countDown, *pload1, *pload2;
    QPushButton *GOBID, *ButSend;
    QTabWidget *ssTab_Bid;
    WebView *webBid, *webgalley;
};
