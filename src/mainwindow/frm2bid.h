#pragma once

#include "auction_receiver.h"
#include "sign_in_target.h"
#include "web_view.h"

#include <QMainWindow>
#include <QPointer>
#include <chrono>
#include <functional>

class AuctionBoard;
class SoundPlayer;
class AuctionSocket;
class PictureButton;
class Prompter;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
#include "frm_login.h"
#include "frm_tool.h"

// What the main window needs from outside, so tests can supply their own.
struct Frm2BidServices {
    Prompter *prompter = nullptr;
    WebViewFactory webViewFactory;
    std::function<void()> beep;
    std::chrono::milliseconds signInTimeout{60000};
};

// The main auction window. Its widgets carry their design names as member and object names.
class frm2Bid : public QMainWindow, public SignInTarget {
    Q_OBJECT
public:
    static const QString designTitle;
    static const QString designStatusText;

    explicit frm2Bid(Frm2BidServices services, QWidget *parent = nullptr);
    ~frm2Bid() override;

    // The load step. Returns what failed, or an empty text.
    QString Form_Load();
    void SetLanguage(const QString &code);

    AuctionBoard &board() { return *m_board; }
    // The program waits for a sound still being read in before it exits.
    SoundPlayer &sounds() const { return *m_sounds; }
    frmLogin *signInWindow() const { return m_login; }
    frmTool *toolWindow() const { return m_tool; }
    QMenu *menuMLG() const { return MLG; }

    // SignInTarget
    void showMemberStatus(const QString &text) override;
    void ConnectAuctionSocket(const QString &host, int port, const QString &userId) override;

    void but_Regis_Click(const QPoint &globalPos);
    void MLN_Click();
    void wsk_tcp_Connect();
    void wsk_tcp_Close();
    void wsk_tcp_Error(int number, const QString &description);
    void wsk_tcp_DataArrival();

    // Bidding, chat and the history window.
    void GOBID_Click();
    void MMax_LostFocus();
    void ButSend_Click();
    void but_basket_DblClick();

    // The product on show, as the auction board holds it.
    const QString &CurrentProductID() const;
    AuctionSocket *wsk_tcp;

    // Top strip.
    QWidget *pFRAME;
    PictureButton *but_Regis;
    PictureButton *but_HelpMe;
    PictureButton *but_Cal;
    PictureButton *but_basket;
    WebView *webspn;
    QLabel *Pict_Auc;

    // Left pane.
    QTabWidget *ssTab_Bid;
    WebView *webBid;
    QLineEdit *displastbid;
    QProgressBar *pload1;
    WebView *webgalley;
    QProgressBar *pload2;

    // Right column.
    QPlainTextEdit *msgchat;
    QLineEdit *txtSend;
    QPushButton *ButSend;
    QLabel *PFInfo;
    QLabel *lbAuc;
    QProgressBar *countDown;
    QListWidget *aucList;
    QPushButton *GOBID;

    // Inside PFInfo.
    QLabel *LBHEAD;
    QLabel *bbox;
    QLabel *lbfbid;
    QLabel *fbidat;
    QLabel *lbmbid;
    QLabel *MinBid;
    QLabel *MaxBid;
    QLineEdit *MMax;
    QLabel *lbhbid;
    QLabel *Hi_Bid;
    QLabel *lbLbid;
    QLabel *Lb_bid;
    QLabel *lbinc;
    QLabel *bid_Inc;
    QLabel *lbUBid;
    QLineEdit *lbYourBid;
    QLabel *cCurrency;
    QLabel *PDesc;
    QLabel *SellerBy;
    QLabel *nQty;
    QLabel *img_count;

    // Bottom.
    QStatusBar *stb;
    QLabel *stbPanel1;
    QLabel *stbPanel2;
    QLabel *ImgContain;
    QListWidget *temp_List;

    // Menus.
    QMenu *MLG;
    QAction *MNU, *MLN, *bl, *DLP, *MA;
    QMenu *MP;
    QAction *MPW, *MPPS, *BK1, *MFV;
    QMenu *MN;
    QAction *MSNews, *MSFAQ, *MSS, *MSCOMP, *MCC, *MCT, *BK4, *MPA, *BK3, *MSSALE, *BK2, *MSHELP;
    QMenu *MFT;
    QMenu *MFF;
    QAction *MFP1, *MFP2, *MCUS, *BKK, *MFPB;
    QMenu *ML;
    QAction *MLT, *MLE;

signals:
    // The window has closed everything: the program should end.
    void unloaded();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTopStrip(QWidget *client);
    void buildLeftPane(QWidget *client);
    void buildRightColumn(QWidget *client);
    void buildInfoPanel();
    void buildStatusBar();
    void buildMenus();
    void openSignIn(bool modal);
    void showToolWindow();
    void Form_Unload();
    void bindAuctionBoard();
    void showBoard(unsigned what);
    void showBidList();
    void showStage();

    Frm2BidServices m_services;
    AuctionBoard *m_board;
    AuctionReceiver m_receiver;
    SoundPlayer *m_sounds;
    QPointer<frmLogin> m_login;
    QPointer<frmTool> m_tool;
    QWidget *m_tabPages[2];
    bool m_confirmMaximized = false;
};
