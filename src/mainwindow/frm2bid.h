#pragma once

#include "auction_alerts.h"
#include "background_picture.h"
#include "caption_switcher.h"
#include "external_programs.h"
#include "frm2bid_layout.h"
#include "frm2bid_menus.h"
#include "frm2bid_services.h"
#include "frm2bid_ui.h"
#include "other_windows.h"

#include <QMainWindow>

class AuctionPanel;
class AutoBidControl;
class DesktopNotifier;
class Prompter;
class SoundPlayer;
class StatusPanels;
class UserSettings;
class WebPanes;
class frmLogin;
class frmTool;

// The main auction window: a shell that owns its controls and parts, lays them out and opens the other
// windows. The controls carry their design names as object names.
class frm2Bid : public QMainWindow {
    Q_OBJECT
public:
    explicit frm2Bid(Frm2BidServices services, QWidget *parent = nullptr);
    ~frm2Bid() override;

    // The load step. Returns what failed, or an empty text.
    QString Form_Load();
    void Form_Resize();
    void MFV_Click();
    void SetLanguage(const QString &code);
    void MLN_Click();
    void DLP_Click();
    void MCC_Click();
    // A notification was clicked: the window comes to the front, restored if minimised.
    void comeForward();

    AuctionPanel &auctionPanel() { return *m_panel; }
    const Frm2BidUi &ui() const { return m_ui; }
    const Frm2BidMenus &menus() const { return m_menus; }
    frmLogin *signInWindow() const { return m_windows.signInWindow(); }
    frmTool *toolWindow() const { return m_windows.toolWindow(); }
    // The program waits for a sound still being read in before it exits.
    SoundPlayer &sounds() const;

signals:
    // The window has closed everything: the program should end.
    void unloaded();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectParts();
    void applyLayout(const Frm2BidLayout::Layout &layout);
    void openServicePage(ServicePages::Command command);
    void Form_Unload();

    Frm2BidServices m_services;
    CaptionSwitcher m_captions;
    Frm2BidUi m_ui;
    Frm2BidMenus m_menus;
    UserSettings *m_settings;
    AuctionPanel *m_panel;
    WebPanes *m_panes;
    DesktopNotifier *m_notifier;
    AuctionAlerts m_alerts;
    AutoBidControl *m_autoBid;
    StatusPanels *m_statusPanels;
    SystemProgramLauncher m_systemLauncher;
    ExternalPrograms m_programs;
    BackgroundPicture m_background;
    OtherWindows m_windows;
    Frm2BidLayout::Layout m_layout;
    bool m_confirmMaximized = false;
};
